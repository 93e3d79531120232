// SPDX-License-Identifier: MIT
#pragma once

#include "platform/twips.h"

#include <QString>
#include <vector>

class QWidget;

namespace hueprint {

enum class WindowKind {
    Main,   // shown in the taskbar
    Dialog, // a tool window, kept out of the taskbar
};

// A fixed-size top-level window with the given caption and client area (in twips), a close
// button only, the design font and the program's icon.
void setupFixedWindow(QWidget* window, const QString& caption, int clientWidthTwips,
                      int clientHeightTwips, WindowKind kind);

// Moves the window, not shown yet, so that it stands in the middle of the primary screen, its
// frame included where the window manager tells the frame's size beforehand.
void centerOnScreen(QWidget* window);

// Names the control and puts it at its place in its container, given in twips.
template <typename Control>
Control* place(Control* control, const char* name, int left, int top, int width, int height) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(rectFromTwips(left, top, width, height));
    return control;
}

// For the window's destructor: its handlers leave its controls' events. The controls are
// deleted after the destructor has run, and the focus moves among them as they go.
void detachHandlers(QWidget* window);

// Chains the controls' tab order in the given sequence.
void applyTabOrder(const std::vector<QWidget*>& order);

} // namespace hueprint
