// SPDX-License-Identifier: MIT
#include "recent_colors.h"

#include "picker/picker_settings.h"
#include "platform/settings_store.h"

#include <algorithm>

namespace hueprint {

QString editor_keys::recentColorKey(int index) {
    return QStringLiteral("Recent Color %1").arg(index + 1);
}

std::vector<ColorValue> loadRecentColors(SettingsStore& store) {
    std::vector<ColorValue> colors;
    for (int i = 0; i < kRecentColorCount; ++i) {
        // Read as every stored color is: a damaged value counts as none.
        const auto color =
            readStoredColor(store.value(editor_keys::kEditor, editor_keys::recentColorKey(i)));
        if (color && std::find(colors.begin(), colors.end(), *color) == colors.end()) {
            colors.push_back(*color);
        }
    }
    return colors;
}

void saveRecentColors(SettingsStore& store, const std::vector<ColorValue>& colors) {
    for (int i = 0; i < kRecentColorCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        store.setValue(editor_keys::kEditor, editor_keys::recentColorKey(i),
                       index < colors.size() ? QString::number(colors[index]) : QString());
    }
}

std::vector<ColorValue> withRecentColor(std::vector<ColorValue> colors, ColorValue color) {
    colors.erase(std::remove(colors.begin(), colors.end(), color), colors.end());
    colors.insert(colors.begin(), color);
    if (colors.size() > static_cast<std::size_t>(kRecentColorCount)) {
        colors.resize(static_cast<std::size_t>(kRecentColorCount));
    }
    return colors;
}

} // namespace hueprint
