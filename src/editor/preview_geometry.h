// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QRect>
#include <QString>

namespace hueprint {

class SettingsStore;

// The preview window's section of the settings store, its own: its place and size in twips.
namespace preview_keys {
inline const QString kPreviewWindow = QStringLiteral("Preview Window");
inline const QString kX = QStringLiteral("X");
inline const QString kY = QStringLiteral("Y");
inline const QString kWidth = QStringLiteral("Width");
inline const QString kHeight = QStringLiteral("Height");
} // namespace preview_keys

// The size the preview first opens in, and the least it can be made, in pixels.
constexpr QSize kDefaultPreviewSize(440, 420);
constexpr QSize kSmallestPreviewSize(220, 160);

// The stored place and size; each key that is missing or damaged (not a number, not finite,
// far beyond any screen, a size below the least) takes its part of defaultGeometry. The result
// lies on one of the screens (the first of them when it meets none).
QRect restoredPreviewGeometry(SettingsStore& store, const QRect& defaultGeometry,
                              const QList<QRect>& screens);

void savePreviewGeometry(SettingsStore& store, const QRect& geometry);

// The window moved, and shrunk if it must be, so that it lies wholly on the screen it meets
// most, or on the first screen when it meets none. Unchanged when there is no screen at all.
QRect keptOnScreen(const QRect& window, const QList<QRect>& screens);

} // namespace hueprint
