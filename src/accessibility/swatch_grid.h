// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

class QButtonGroup;

namespace hueprint {

class ColorSwatch;

// Lets the keyboard choose among the swatches of one grid, given from its first (top left) to
// its last (bottom right): the arrow keys move the focus to the neighbouring swatch, Home and
// End to the first and the last, and Return presses the focused swatch as Space does. Tab
// keeps its order. Returns the swatches' group, which belongs to their parent.
QButtonGroup* navigateAsGrid(const std::vector<ColorSwatch*>& swatches);

} // namespace hueprint
