// SPDX-License-Identifier: MIT
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace hueprint {

// Where the top-left corner of a window's frame goes so that the window as the user sees it,
// its client area of the given size with the frame around it, stands in the middle of the
// area. With no frame this is where the client area's corner goes.
QPoint centeredFramePosition(const QRect& area, const QSize& clientSize, const QMargins& frame);

} // namespace hueprint
