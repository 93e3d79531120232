// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color_value.h"

#include <QObject>
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

// One list of the recent colors for every color bar that offers them (the window's and the
// gradient dialog's): a color used in one is first in all of them at once, and each use is
// stored as it is made.
class RecentColors : public QObject {
    Q_OBJECT
public:
    // Reads the stored colors in order; a key that is missing or damaged is passed over alone.
    explicit RecentColors(SettingsStore& store, QObject* parent = nullptr);

    const std::vector<ColorValue>& colors() const { return colors_; }
    // Puts the color first (taken from where it stood), keeps at most kRecentColorCount and
    // writes every key: the colors, then empty values for the unused ones.
    void use(ColorValue color);

signals:
    void changed();

private:
    SettingsStore& store_;
    std::vector<ColorValue> colors_;
};

} // namespace hueprint
