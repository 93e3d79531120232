// SPDX-License-Identifier: MIT
#include "window_placement.h"

namespace hueprint {

QPoint centeredFramePosition(const QRect& area, const QSize& clientSize, const QMargins& frame) {
    QRect framed(QPoint(), clientSize.grownBy(frame));
    framed.moveCenter(area.center());
    return framed.topLeft();
}

} // namespace hueprint
