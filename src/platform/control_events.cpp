// SPDX-License-Identifier: MIT
#include "control_events.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace hueprint {

ControlEvents::ControlEvents(QWidget* control) : QObject(control) {
    control->installEventFilter(this);
}

ControlEvents* ControlEvents::of(QWidget* control) {
    auto* existing = control->findChild<ControlEvents*>(QString(), Qt::FindDirectChildrenOnly);
    return existing != nullptr ? existing : new ControlEvents(control);
}

void ControlEvents::onKeyPress(QWidget* control, KeyPressHandler handler) {
    of(control)->keyPress_ = std::move(handler);
}

void ControlEvents::onGotFocus(QWidget* control, FocusHandler handler) {
    of(control)->gotFocus_ = std::move(handler);
}

void ControlEvents::onLostFocus(QWidget* control, FocusHandler handler) {
    of(control)->lostFocus_ = std::move(handler);
}

int ControlEvents::typedCharacterCode(const QKeyEvent& event) {
    const bool typesNothing =
        (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0 ||
        event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab ||
        event.key() == Qt::Key_Delete || event.text().isEmpty();
    return typesNothing ? -1 : event.text().at(0).unicode();
}

// Switching to another window and back, or opening a context menu, is not the user
// entering or leaving the box.
static bool movesFocusWithinProgram(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

bool ControlEvents::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        int code = keyPress_ ? typedCharacterCode(*static_cast<QKeyEvent*>(event)) : -1;
        if (code >= 0) {
            keyPress_(code);
            if (code == 0) {
                return true; // the character is discarded
            }
        }
        break;
    }
    case QEvent::FocusIn: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (gotFocus_ && movesFocusWithinProgram(reason)) {
            gotFocus_();
            focusedByMouse_ = reason == Qt::MouseFocusReason;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        // A click that brought the focus has placed the cursor after GotFocus ran; let
        // GotFocus have the last word unless the user dragged out a selection.
        if (focusedByMouse_) {
            focusedByMouse_ = false;
            auto* edit = qobject_cast<QLineEdit*>(watched);
            if (edit == nullptr || !edit->hasSelectedText()) {
                // Queued, so it runs after the box has finished handling this release.
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        if (gotFocus_) {
                            gotFocus_();
                        }
                    },
                    Qt::QueuedConnection);
            }
        }
        break;
    case QEvent::FocusOut:
        focusedByMouse_ = false;
        if (lostFocus_ && movesFocusWithinProgram(static_cast<QFocusEvent*>(event)->reason())) {
            lostFocus_();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace hueprint
