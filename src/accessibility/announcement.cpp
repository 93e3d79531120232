// SPDX-License-Identifier: MIT
#include "announcement.h"

#include <QAccessible>

namespace hueprint {

namespace {
AccessibilityListener g_listener = nullptr;
} // namespace

AccessibilityListener installAccessibilityListener(AccessibilityListener listener) {
    const AccessibilityListener previous = g_listener;
    g_listener = listener;
    return previous;
}

void announce(QAccessibleEvent* event) {
    if (g_listener != nullptr) {
        g_listener(event);
        return;
    }
    QAccessible::updateAccessibility(event);
}

} // namespace hueprint
