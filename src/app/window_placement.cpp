// SPDX-License-Identifier: MIT
#include "window_placement.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace hueprint {

namespace {

// The frame of a window of the program that the window manager has already framed; the
// picker, opened from the framed template window, gets the same frame in the usual case.
QMargins knownFrame() {
    const auto windows = QApplication::topLevelWidgets();
    for (const QWidget* window : windows) {
        const QWindow* handle = window->windowHandle();
        if (window->isVisible() && handle != nullptr && !handle->frameMargins().isNull()) {
            return handle->frameMargins();
        }
    }
    return {};
}

// The window manager tells the frame's size by framing the window; the toolkit then reports
// the frame with the window's next move. Asking beforehand (_NET_REQUEST_FRAME_EXTENTS) would
// mean waiting for an answer that a window manager may never give.
class RecenterWhenFramed final : public QObject {
public:
    RecenterWhenFramed(QWidget* window, const QRect& area, const QMargins& assumed)
        : QObject(window), area_(area), assumed_(assumed),
          placed_(centeredFramePosition(area, window->size(), assumed)) {
        window->move(placed_);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Move || !event->spontaneous()) {
            return false;
        }
        auto* window = static_cast<QWidget*>(watched); // NOLINT(*-static-cast-downcast)
        const QMargins frame =
            window->windowHandle() != nullptr ? window->windowHandle()->frameMargins() : QMargins();
        if (frame.isNull()) {
            return false; // not framed (yet)
        }
        // The frame's corner stands where it was put unless someone moved the window since
        // (a stored position, the user).
        if (window->pos() == placed_ && frame != assumed_) {
            window->move(centeredFramePosition(area_, window->size(), frame));
        }
        deleteLater();
        return false;
    }

private:
    QRect area_;
    QMargins assumed_;
    QPoint placed_;
};

} // namespace

QPoint centeredFramePosition(const QRect& area, const QSize& clientSize, const QMargins& frame) {
    QRect framed(QPoint(), clientSize.grownBy(frame));
    framed.moveCenter(area.center());
    return framed.topLeft();
}

void centerWithFrame(QWidget* window, const QRect& area) {
    new RecenterWhenFramed(window, area, knownFrame());
}

} // namespace hueprint
