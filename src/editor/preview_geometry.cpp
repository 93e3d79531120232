// SPDX-License-Identifier: MIT
#include "preview_geometry.h"

#include "picker/picker_settings.h"
#include "platform/settings_store.h"
#include "platform/twips.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace hueprint {

using namespace preview_keys;

namespace {

// A stored length or coordinate in pixels, read as the picker reads its position.
std::optional<int> readPixels(SettingsStore& store, const QString& key) {
    const auto twips = readStoredPosition(store.value(kPreviewWindow, key));
    if (!twips) {
        return std::nullopt;
    }
    return static_cast<int>(std::lround(*twips / kTwipsPerPixel));
}

std::optional<int> readLength(SettingsStore& store, const QString& key, int least) {
    const auto length = readPixels(store, key);
    if (!length || *length < least) {
        return std::nullopt;
    }
    return length;
}

qint64 area(const QRect& rect) {
    return rect.isEmpty() ? 0 : static_cast<qint64>(rect.width()) * rect.height();
}

} // namespace

QRect keptOnScreen(const QRect& window, const QList<QRect>& screens) {
    if (screens.isEmpty()) {
        return window;
    }
    const QRect* best = &screens.first();
    qint64 bestArea = 0;
    for (const QRect& screen : screens) {
        const qint64 shared = area(screen.intersected(window));
        if (shared > bestArea) {
            best = &screen;
            bestArea = shared;
        }
    }
    QRect kept(window.topLeft(), window.size().boundedTo(best->size()));
    kept.moveLeft(std::clamp(kept.left(), best->left(), best->right() - kept.width() + 1));
    kept.moveTop(std::clamp(kept.top(), best->top(), best->bottom() - kept.height() + 1));
    return kept;
}

QRect restoredPreviewGeometry(SettingsStore& store, const QRect& defaultGeometry,
                              const QList<QRect>& screens) {
    store.sync();
    const int left = readPixels(store, kX).value_or(defaultGeometry.left());
    const int top = readPixels(store, kY).value_or(defaultGeometry.top());
    const int width =
        readLength(store, kWidth, kSmallestPreviewSize.width()).value_or(defaultGeometry.width());
    const int height = readLength(store, kHeight, kSmallestPreviewSize.height())
                           .value_or(defaultGeometry.height());
    return keptOnScreen(QRect(left, top, width, height), screens);
}

void savePreviewGeometry(SettingsStore& store, const QRect& geometry) {
    store.setValue(kPreviewWindow, kX, QString::number(geometry.left() * kTwipsPerPixel));
    store.setValue(kPreviewWindow, kY, QString::number(geometry.top() * kTwipsPerPixel));
    store.setValue(kPreviewWindow, kWidth, QString::number(geometry.width() * kTwipsPerPixel));
    store.setValue(kPreviewWindow, kHeight, QString::number(geometry.height() * kTwipsPerPixel));
    store.sync();
}

} // namespace hueprint
