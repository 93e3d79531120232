// SPDX-License-Identifier: MIT
#include "announcer.h"

#include "accessible_role.h"

#include <QAccessible>

namespace hueprint {

// A window of its own (never shown) that the given window owns: to assistive technology it
// belongs to the application, so that a screen reader says the message alone, not after the name
// and description of a dialog that holds it.
Announcer::Announcer(QWidget* window) : QWidget(window, Qt::Window) {
    setAccessibleRole(this, QAccessible::Notification);
}

void Announcer::announce(const QString& message) {
    if (!parentWidget()->isVisible()) {
        return;
    }
    setAccessibleName(message);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    emit announced(message);
}

} // namespace hueprint
