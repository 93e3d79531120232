// SPDX-License-Identifier: MIT
#include "preset_palette.h"

namespace hueprint {

namespace {
// clang-format off
constexpr std::array<ColorValue, kPresetSwatchCount> kColors = {
    // greys
    0x000000, 0x404040, 0x808080, 0xC0C0C0, 0xE0E0E0, 0xFFFFFF,
    // reds
    0x000040, 0x000080, 0x0000C0, 0x0000FF, 0x8080FF, 0xC0C0FF,
    // oranges and browns
    0x404080, 0x004080, 0x0040C0, 0x0080FF, 0x80C0FF, 0xC0E0FF,
    // yellows
    0x004040, 0x008080, 0x00C0C0, 0x00FFFF, 0x80FFFF, 0xC0FFFF,
    // greens
    0x004000, 0x008000, 0x00C000, 0x00FF00, 0x80FF80, 0xC0FFC0,
    // cyans
    0x404000, 0x808000, 0xC0C000, 0xFFFF00, 0xFFFF80, 0xFFFFC0,
    // blues
    0x400000, 0x800000, 0xC00000, 0xFF0000, 0xFF8080, 0xFFC0C0,
    // magentas
    0x400040, 0x800080, 0xC000C0, 0xFF00FF, 0xFF80FF, 0xFFC0FF,
};
// clang-format on

} // namespace

QString PresetSwatch::code() const {
    return colorCode(color);
}

QString colorCode(ColorValue color) {
    const int rgb = (color & 0xFF) << 16 | (color & 0xFF00) | ((color >> 16) & 0xFF);
    return QStringLiteral("|cFF") +
           QStringLiteral("%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
}

const std::array<PresetSwatch, kPresetSwatchCount>& presetPalette() {
    static const auto palette = [] {
        std::array<PresetSwatch, kPresetSwatchCount> swatches{};
        for (std::size_t i = 0; i < swatches.size(); ++i) {
            swatches[i] = {static_cast<int>(i) + 1, kColors[i]};
        }
        return swatches;
    }();
    return palette;
}

} // namespace hueprint
