// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace hueprint {

// A color as the program stores it everywhere: red in bits 0-7, green in bits 8-15,
// blue in bits 16-23, the top byte zero (0x00BBGGRR). Values with the top bit set name
// a system color by its index in the low byte (0x80000005 window background, ...).
using ColorValue = std::int32_t;

constexpr ColorValue kLowestColor = 0;
constexpr ColorValue kHighestColor = 0x00FFFFFF;

constexpr ColorValue kSystemWindowBackground = static_cast<ColorValue>(0x80000005U);
constexpr ColorValue kSystemHighlight = static_cast<ColorValue>(0x8000000DU);
constexpr ColorValue kSystemButtonFace = static_cast<ColorValue>(0x8000000FU);

constexpr ColorValue rgbColor(int red, int green, int blue) {
    return static_cast<ColorValue>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

constexpr bool isPlainColor(ColorValue color) {
    return color >= kLowestColor && color <= kHighestColor;
}

// Turns a color value into the color to draw, resolving system colors through the palette.
QColor resolveColor(ColorValue color, const QPalette& palette);

// The color value of a drawn color (alpha is ignored).
ColorValue colorValueOf(const QColor& color);

} // namespace hueprint
