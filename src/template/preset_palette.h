// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color_value.h"

#include <QString>
#include <array>

namespace hueprint {

// One of the template window's 48 preset swatches.
struct PresetSwatch {
    int number = 0; // 1 to 48: the swatch is the control Picture<number>
    ColorValue color = 0;

    // Column 1 to 8 and row 1 to 6 of the grid, which is filled column by column.
    int column() const { return (number - 1) / 6 + 1; }
    int row() const { return (number - 1) % 6 + 1; }
    // "|cFF" and the color's red, green and blue as two upper-case hex digits each.
    QString code() const;
};

constexpr int kPresetSwatchCount = 48;

const std::array<PresetSwatch, kPresetSwatchCount>& presetPalette();

// The markup color code of a color: "|cFF" then RRGGBB.
QString colorCode(ColorValue color);

} // namespace hueprint
