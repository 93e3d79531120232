// SPDX-License-Identifier: MIT
#include "frame_extents.h"

#include <QWidget>

#ifdef HUEPRINT_HAVE_XCB
#include "x11_connection.h"

#include <QElapsedTimer>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include <algorithm>
#include <cmath>
#endif

namespace hueprint {

#ifdef HUEPRINT_HAVE_XCB
namespace {

// A window manager answers within a few milliseconds; one that claims the request but never
// answers costs no more than this.
constexpr int kLongestWaitMs = 1000;
// A window manager still starting up may drop the request; it is asked again this often.
constexpr int kRepeatAfterMs = 20;
// No frame is wider than this many pixels on a side; an answer beyond is not believed.
constexpr std::uint32_t kWidestFrameSide = 1000;

// Asks the window manager for the frame it would give the unmapped window, and waits for the
// answer in the window's _NET_FRAME_EXTENTS (left, right, top, bottom).
std::optional<QMargins> requestFrameExtents(xcb_connection_t* connection, xcb_window_t window) {
    const xcb_window_t root = x11::rootOf(connection, window);
    const xcb_atom_t request = x11::atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = x11::atom(connection, "_NET_FRAME_EXTENTS");
    if (root == XCB_WINDOW_NONE || extents == XCB_ATOM_NONE ||
        !x11::windowManagerSupports(connection, root, request) ||
        !x11::windowManagerSupports(connection, root, extents)) {
        return std::nullopt;
    }
    QElapsedTimer waited;
    waited.start();
    for (qint64 nextRequest = 0;;) {
        if (waited.elapsed() >= nextRequest) {
            x11::sendToWindowManager(connection, root, window, request, {0, 0, 0, 0, 0});
            nextRequest += kRepeatAfterMs;
        }
        const auto sides = x11::property32(connection, window, extents, XCB_ATOM_CARDINAL);
        if (sides.size() >= 4) {
            if (std::any_of(sides.begin(), sides.begin() + 4,
                            [](std::uint32_t side) { return side > kWidestFrameSide; })) {
                return std::nullopt;
            }
            return QMargins(static_cast<int>(sides[0]), static_cast<int>(sides[2]),
                            static_cast<int>(sides[1]), static_cast<int>(sides[3]));
        }
        if (waited.elapsed() >= kLongestWaitMs) {
            return std::nullopt;
        }
        QThread::msleep(1);
    }
}

} // namespace
#endif

std::optional<QMargins> frameMarginsBeforeShow(const QWidget* window) {
#ifdef HUEPRINT_HAVE_XCB
    xcb_connection_t* const connection = x11::connection();
    if (connection == nullptr || !window->isWindow()) {
        return std::nullopt;
    }
    // The window manager decorates by the window's kind, buttons and fixed size; a stand-in
    // native window with the same hints is asked. The window's own native window is not made
    // before it is shown: until then, the position it is moved to (centred here, or restored
    // from the settings) is where its frame goes.
    QWindow standIn;
    standIn.setFlags(window->windowFlags());
    standIn.setMinimumSize(window->minimumSize());
    standIn.setMaximumSize(window->maximumSize());
    standIn.resize(window->size());
    standIn.create();
    const auto margins =
        requestFrameExtents(connection, static_cast<xcb_window_t>(standIn.winId()));
    if (!margins) {
        return std::nullopt;
    }
    // The window manager counts device pixels; the window's geometry is in the toolkit's.
    const qreal ratio = standIn.devicePixelRatio();
    const auto scaled = [ratio](int side) {
        return static_cast<int>(std::lround(side / ratio));
    };
    return QMargins(scaled(margins->left()), scaled(margins->top()), scaled(margins->right()),
                    scaled(margins->bottom()));
#else
    (void)window;
    return std::nullopt;
#endif
}

} // namespace hueprint
