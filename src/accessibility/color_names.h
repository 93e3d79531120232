// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color_value.h"

#include <QString>

namespace hueprint {

// The name of preset swatch n (1 to 48, the control Picture<n>): one or two words.
QString presetColorName(int number);

// A name for a plain color that a person understands: the preset's name when the color is
// one of the 48 presets, otherwise a description by hue, lightness and saturation
// ("Light Sky Blue", "Dark Grayish Green", "Pale Gray"). Only the low 24 bits are read.
QString colorName(ColorValue color);

// What a swatch of that color says of itself: its name and its markup code,
// "Red, |cFFFF0000".
QString colorLabel(ColorValue color);

} // namespace hueprint
