// SPDX-License-Identifier: MIT
#include "clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace hueprint {

void QtClipboard::clear() {
    QGuiApplication::clipboard()->clear();
}

void QtClipboard::setText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

} // namespace hueprint
