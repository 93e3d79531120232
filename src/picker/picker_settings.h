// SPDX-License-Identifier: MIT
#pragma once

#include "picker_controls.h"
#include "platform/color_value.h"
#include "platform/platform_services.h"

#include <QString>
#include <optional>

namespace hueprint {

// Sections and keys of the per-user store.
namespace settings_keys {
inline const QString kFavorites = QStringLiteral("Favorites");
inline const QString kSettings = QStringLiteral("Settings");
inline const QString kFormPosition = QStringLiteral("Form Position");
inline const QString kCurrentColor = QStringLiteral("Current Color");
inline const QString kAutoCopy = QStringLiteral("AutoCopy");
inline const QString kDecimal = QStringLiteral("Decimal");
inline const QString kHexadecimal = QStringLiteral("Hexadecimal");
inline const QString kBinary = QStringLiteral("Binary");
inline const QString kPrefix = QStringLiteral("Prefix");
inline const QString kNumberOfCharacters = QStringLiteral("Number of Characters");
inline const QString kX = QStringLiteral("X");
inline const QString kY = QStringLiteral("Y");
} // namespace settings_keys

// How stored text is read back. Each gives nothing for text that is missing, empty or not of
// the key's type, so that the key alone falls back to its default. A mode key holds "True",
// "False" (in any letter case) or a number.
std::optional<ColorValue> readStoredColor(const std::optional<QString>& text);
std::optional<bool> readStoredAutoCopy(const std::optional<QString>& text);
std::optional<bool> readStoredBoolean(const std::optional<QString>& text);
std::optional<double> readStoredPosition(const std::optional<QString>& text);
// The stored width: the text unchanged, for the width box to take; the default "6" when there
// is none (an empty text included).
QString readStoredWidth(const std::optional<QString>& text);

// Restores favorites, current color, options and position when the picker loads.
void LoadSettings(const PickerControls& controls, PlatformServices& services);

// Writes every key when the picker unloads.
void SaveSettings(const PickerControls& controls, PlatformServices& services);

} // namespace hueprint
