// SPDX-License-Identifier: MIT
#pragma once

#include <QPalette>

namespace hueprint::testing {

// A dark desktop palette (light text on dark grey, as dark themes give the Fusion style).
QPalette darkPalette();

} // namespace hueprint::testing
