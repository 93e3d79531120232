// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessible>

class QWidget;

namespace hueprint {

// Gives the widget the accessible role asked for in place of the one the toolkit gives its
// class (a plain widget is a client area, which a screen reader calls a filler). Call before
// anything asks for the widget's accessible object: the object keeps the role it was made with.
void setAccessibleRole(QWidget* widget, QAccessible::Role role);

} // namespace hueprint
