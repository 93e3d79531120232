// SPDX-License-Identifier: MIT
#pragma once

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
// frame included (see centerWithFrame).
void centerOnScreen(QWidget* window);

// Chains the controls' tab order in the given sequence.
void applyTabOrder(const std::vector<QWidget*>& order);

} // namespace hueprint
