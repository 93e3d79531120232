// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace hueprint {

// Keeps the top-level window out of the taskbar and the pager whenever it is shown, without
// giving it an owner window. Takes effect on X11 (the window manager is told before the window
// maps); elsewhere the window's tool-window kind is all the system gets.
void keepOutOfTaskbar(QWidget* window);

} // namespace hueprint
