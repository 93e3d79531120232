// SPDX-License-Identifier: MIT
#pragma once

#include "picker_controls.h"
#include "platform/color_value.h"
#include "platform/platform_services.h"

#include <array>

class QObject;

namespace hueprint {

// Favorite i's color in a fresh store: entry i + 1 of the classic 16-color palette.
const std::array<ColorValue, kFavoriteCount>& defaultFavoriteColors();

// A click on a favorite makes its color current.
void RecallFavorite(const PickerControls& controls, PlatformServices& services, int index);

// A drop on a favorite stores the current color there, when the dragged control is the
// current-color swatch; anything else dropped is ignored.
void StoreFavorite(const PickerControls& controls, int index, const QObject* source);

} // namespace hueprint
