// SPDX-License-Identifier: MIT
#include "color_names.h"

#include "template/preset_palette.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>

namespace hueprint {

namespace {

// In palette order: column by column, each column from its top row down.
// clang-format off
constexpr std::array<const char*, kPresetSwatchCount> kPresetNames = {
    // greys
    "Black", "Dark Gray", "Gray", "Light Gray", "Pale Gray", "White",
    // reds
    "Darkest Red", "Dark Red", "Medium Red", "Red", "Salmon", "Pink",
    // oranges and browns
    "Reddish Brown", "Brown", "Burnt Orange", "Orange", "Light Orange", "Peach",
    // yellows
    "Dark Olive", "Olive", "Dark Yellow", "Yellow", "Light Yellow", "Pale Yellow",
    // greens
    "Darkest Green", "Dark Green", "Medium Green", "Green", "Light Green", "Pale Green",
    // cyans
    "Darkest Cyan", "Dark Cyan", "Medium Cyan", "Cyan", "Light Cyan", "Pale Cyan",
    // blues
    "Darkest Blue", "Dark Blue", "Medium Blue", "Blue", "Light Blue", "Pale Blue",
    // magentas
    "Dark Purple", "Purple", "Dark Magenta", "Magenta", "Light Magenta", "Pale Magenta",
};
// clang-format on

// Hue families by the hue angle (degrees) at which each one ends.
struct HueFamily {
    double endsAt;
    const char* name;
};
constexpr std::array<HueFamily, 11> kHueFamilies = {{
    {15, "Red"},
    {40, "Orange"},
    {70, "Yellow"},
    {95, "Yellow Green"},
    {160, "Green"},
    {190, "Cyan"},
    {215, "Sky Blue"},
    {260, "Blue"},
    {285, "Violet"},
    {330, "Magenta"},
    {345, "Rose"},
}};

QString grayName(double lightness) {
    if (lightness < 0.32) {
        return QStringLiteral("Dark Gray");
    }
    if (lightness < 0.6) {
        return QStringLiteral("Gray");
    }
    if (lightness < 0.82) {
        return QStringLiteral("Light Gray");
    }
    return QStringLiteral("Pale Gray");
}

QString describedName(int red, int green, int blue) {
    const int highest = std::max({red, green, blue});
    const int lowest = std::min({red, green, blue});
    const int chroma = highest - lowest;
    if (highest < 32) {
        return QStringLiteral("Black");
    }
    if (lowest > 240) {
        return QStringLiteral("White");
    }
    const double lightness = (highest + lowest) / 510.0;
    if (chroma <= 16) {
        return grayName(lightness);
    }
    const double saturation = chroma / (255.0 * (1.0 - std::abs(2.0 * lightness - 1.0)));

    double hue = 0; // degrees, 0 to 360
    if (highest == red) {
        hue = 60.0 * (green - blue) / chroma;
    } else if (highest == green) {
        hue = 60.0 * (blue - red) / chroma + 120.0;
    } else {
        hue = 60.0 * (red - green) / chroma + 240.0;
    }
    if (hue < 0) {
        hue += 360.0;
    }
    QString family = QStringLiteral("Red"); // from 345 degrees round to 15
    for (const HueFamily& candidate : kHueFamilies) {
        if (hue < candidate.endsAt) {
            family = QString::fromLatin1(candidate.name);
            break;
        }
    }

    QStringList words;
    const bool dark = lightness < 0.38;
    const bool veryDark = lightness < 0.2;
    // Dark oranges are browns and dark yellows olives, as people call them.
    if (dark && (family == QLatin1String("Orange") || family == QLatin1String("Yellow"))) {
        family =
            family == QLatin1String("Orange") ? QStringLiteral("Brown") : QStringLiteral("Olive");
        if (veryDark) {
            words << QStringLiteral("Dark");
        }
    } else if (veryDark) {
        words << QStringLiteral("Very Dark");
    } else if (dark) {
        words << QStringLiteral("Dark");
    } else if (lightness > 0.8) {
        words << QStringLiteral("Pale");
    } else if (lightness > 0.62) {
        words << QStringLiteral("Light");
    }
    if (saturation < 0.3) {
        words << QStringLiteral("Grayish");
    }
    words << family;
    return words.join(QLatin1Char(' '));
}

} // namespace

QString presetColorName(int number) {
    if (number < 1 || number > kPresetSwatchCount) {
        return {};
    }
    return QString::fromLatin1(kPresetNames.at(static_cast<std::size_t>(number - 1)));
}

QString colorName(ColorValue color) {
    const ColorValue plain = color & kHighestColor;
    for (const PresetSwatch& preset : presetPalette()) {
        if (preset.color == plain) {
            return presetColorName(preset.number);
        }
    }
    return describedName(plain & 0xFF, (plain >> 8) & 0xFF, (plain >> 16) & 0xFF);
}

QString colorLabel(ColorValue color) {
    return colorName(color) + QStringLiteral(", ") + colorCode(color & kHighestColor);
}

} // namespace hueprint
