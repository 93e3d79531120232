// SPDX-License-Identifier: MIT
#include "recent_colors.h"

#include "picker/picker_settings.h"
#include "platform/settings_store.h"

#include <algorithm>

namespace hueprint {

QString editor_keys::recentColorKey(int index) {
    return QStringLiteral("Recent Color %1").arg(index + 1);
}

RecentColors::RecentColors(SettingsStore& store, QObject* parent) : QObject(parent), store_(store) {
    for (int i = 0; i < kRecentColorCount; ++i) {
        // Read as every stored color is: a damaged value counts as none.
        const auto color =
            readStoredColor(store.value(editor_keys::kEditor, editor_keys::recentColorKey(i)));
        if (color && std::find(colors_.begin(), colors_.end(), *color) == colors_.end()) {
            colors_.push_back(*color);
        }
    }
}

void RecentColors::use(ColorValue color) {
    colors_.erase(std::remove(colors_.begin(), colors_.end(), color), colors_.end());
    colors_.insert(colors_.begin(), color);
    if (colors_.size() > static_cast<std::size_t>(kRecentColorCount)) {
        colors_.resize(static_cast<std::size_t>(kRecentColorCount));
    }
    for (int i = 0; i < kRecentColorCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        store_.setValue(editor_keys::kEditor, editor_keys::recentColorKey(i),
                        index < colors_.size() ? QString::number(colors_[index]) : QString());
    }
    emit changed();
}

} // namespace hueprint
