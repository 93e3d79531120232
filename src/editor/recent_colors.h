// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color_value.h"

#include <QString>
#include <vector>

namespace hueprint {

class SettingsStore;

// The colors the editor used last, most recent first, kept in the settings store's section
// "Editor" under "Recent Color 1" to "Recent Color 8", one color (a decimal ColorValue) a key.
namespace editor_keys {
inline const QString kEditor = QStringLiteral("Editor");
QString recentColorKey(int index); // index 0 is "Recent Color 1"
} // namespace editor_keys

constexpr int kRecentColorCount = 8;

// The stored colors in order; a key that is missing or damaged is passed over alone.
std::vector<ColorValue> loadRecentColors(SettingsStore& store);
// Writes every key: the colors, then empty values for the unused ones.
void saveRecentColors(SettingsStore& store, const std::vector<ColorValue>& colors);
// The list with the color put first (taken from where it stood), at most kRecentColorCount.
std::vector<ColorValue> withRecentColor(std::vector<ColorValue> colors, ColorValue color);

} // namespace hueprint
