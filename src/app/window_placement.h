// SPDX-License-Identifier: MIT
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace hueprint {

// Where the top-left corner of a window's frame goes so that the window as the user sees it,
// its client area of the given size with the frame around it, stands in the middle of the
// area. With no frame this is where the client area's corner goes.
QPoint centeredFramePosition(const QRect& area, const QSize& clientSize, const QMargins& frame);

// Moves the window, not shown yet, to the middle of the area with the frame it is expected to
// get: that of a window of the program already framed, or none. Once the window manager has
// framed it, a frame of another size moves it to the middle again, unless it has been moved
// elsewhere meanwhile. Nothing waits for the window manager.
void centerWithFrame(QWidget* window, const QRect& area);

} // namespace hueprint
