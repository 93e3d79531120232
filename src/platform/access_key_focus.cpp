// SPDX-License-Identifier: MIT
#include "access_key_focus.h"

#include <QAbstractButton>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QShortcutEvent>
#include <QWidget>

namespace hueprint {

namespace {

// Watches the buttons of one window and lives as the window's child.
class AccessKeyFocus final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Shortcut) {
            return QObject::eventFilter(watched, event);
        }
        auto* button = qobject_cast<QAbstractButton*>(watched);
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        // An ambiguous letter is the toolkit's to handle: it moves the focus and clicks nothing.
        if (button == nullptr || shortcut->isAmbiguous() || shortcut->key() != button->shortcut() ||
            !button->isEnabled() || button->focusPolicy() == Qt::NoFocus || button->hasFocus()) {
            return QObject::eventFilter(watched, event);
        }
        QPointer<QAbstractButton> guard(button);
        button->setFocus(Qt::ShortcutFocusReason);
        if (guard.isNull()) {
            return true; // the control that was left took the button with it: nothing to click
        }
        // The button then handles its access key as usual and clicks itself.
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void focusButtonsOnAccessKey(QWidget* window) {
    auto* filter = new AccessKeyFocus(window);
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        button->installEventFilter(filter);
    }
}

} // namespace hueprint
