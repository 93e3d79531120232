// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>
#include <QPoint>

namespace hueprint {

// The 32 x 32 drag image of the current-color swatch: a pencil pointing to the upper left.
QPixmap pencilDragImage();

// Where the pencil's point lies in the image: column 1, row 0.
constexpr QPoint kPencilHotSpot{1, 0};

} // namespace hueprint
