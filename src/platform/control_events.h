// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

namespace hueprint {

// The events a text box offers beyond its signals: KeyPress with a replaceable character
// code, GotFocus and LostFocus. A handler attaches to one widget and lives as its child.
class ControlEvents : public QObject {
    Q_OBJECT
public:
    // Receives the typed character's code; setting it to 0 discards the character.
    using KeyPressHandler = std::function<void(int& keyCode)>;
    using FocusHandler = std::function<void()>;

    static void onKeyPress(QWidget* control, KeyPressHandler handler);
    static void onGotFocus(QWidget* control, FocusHandler handler);
    static void onLostFocus(QWidget* control, FocusHandler handler);

    // The character code a key press types, or -1 when the press types no character the
    // KeyPress event would see (navigation, Tab, Delete, shortcuts with Ctrl, Alt or Meta).
    static int typedCharacterCode(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ControlEvents(QWidget* control);
    static ControlEvents* of(QWidget* control);

    KeyPressHandler keyPress_;
    FocusHandler gotFocus_;
    FocusHandler lostFocus_;
    bool focusedByMouse_ = false;
};

} // namespace hueprint
