// SPDX-License-Identifier: MIT
#include "taskbar_presence.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

#ifdef HUEPRINT_HAVE_XCB
#include "x11_connection.h"

#include <algorithm>
#include <cstdint>
#endif

namespace hueprint {

namespace {

#ifdef HUEPRINT_HAVE_XCB
// Adds the skip-taskbar and skip-pager states to the window. Before the window maps they are
// written into its _NET_WM_STATE, which the window manager reads on mapping (the toolkit adds
// its own states to what it finds there); a mapped window asks the window manager instead.
void addSkipStates(QWidget* window) {
    xcb_connection_t* const connection = x11::connection();
    if (connection == nullptr || window->windowHandle() == nullptr) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t state = x11::atom(connection, "_NET_WM_STATE");
    const xcb_atom_t skipTaskbar = x11::atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    const xcb_atom_t skipPager = x11::atom(connection, "_NET_WM_STATE_SKIP_PAGER");
    if (state == XCB_ATOM_NONE || skipTaskbar == XCB_ATOM_NONE || skipPager == XCB_ATOM_NONE) {
        return;
    }
    if (x11::isMapped(connection, id)) {
        constexpr std::uint32_t kAdd = 1;
        constexpr std::uint32_t kFromApplication = 1;
        x11::sendToWindowManager(connection, x11::rootOf(connection, id), id, state,
                                 {kAdd, skipTaskbar, skipPager, kFromApplication, 0});
        return;
    }
    auto atoms = x11::property32(connection, id, state, XCB_ATOM_ATOM);
    for (const xcb_atom_t wanted : {skipTaskbar, skipPager}) {
        if (std::find(atoms.begin(), atoms.end(), wanted) == atoms.end()) {
            atoms.push_back(wanted);
        }
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(atoms.size()), atoms.data());
    xcb_flush(connection);
}

// The window's own show (not one the window system reports) comes after its native window is
// made and before it is mapped.
class SkipTaskbarOnShow final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            addSkipStates(static_cast<QWidget*>(watched)); // NOLINT(*-static-cast-downcast)
        }
        return false;
    }
};
#endif

} // namespace

void keepOutOfTaskbar(QWidget* window) {
#ifdef HUEPRINT_HAVE_XCB
    window->installEventFilter(new SkipTaskbarOnShow(window));
#else
    (void)window;
#endif
}

} // namespace hueprint
