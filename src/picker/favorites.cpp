// SPDX-License-Identifier: MIT
#include "favorites.h"

#include "current_color.h"
#include "platform/color_swatch.h"

#include <QString>

namespace hueprint {

const std::array<ColorValue, kFavoriteCount>& defaultFavoriteColors() {
    static constexpr std::array<ColorValue, kFavoriteCount> kDefaults = {
        0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
        0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
    };
    return kDefaults;
}

void RecallFavorite(const PickerControls& controls, PlatformServices& services, int index) {
    if (index < 0 || index >= kFavoriteCount) {
        return;
    }
    ApplyColor(controls, services,
               controls.picFavorite[static_cast<std::size_t>(index)]->backColor());
}

void StoreFavorite(const PickerControls& controls, int index, const QObject* source) {
    if (index < 0 || index >= kFavoriteCount || source != controls.picCurColor) {
        return;
    }
    controls.picFavorite[static_cast<std::size_t>(index)]->setBackColor(
        controls.picCurColor->backColor());
}

} // namespace hueprint
