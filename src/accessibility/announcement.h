// SPDX-License-Identifier: MIT
#pragma once

class QAccessibleEvent;

namespace hueprint {

// Where the program's own accessibility notifications go. By default to the toolkit, which
// passes them on to assistive technology while one listens; a listener installed here
// receives them instead (and always, listening or not).
using AccessibilityListener = void (*)(QAccessibleEvent* event);

// Installs the listener (nothing restores the toolkit) and returns the one before.
AccessibilityListener installAccessibilityListener(AccessibilityListener listener);

// Announces a change of an accessible object.
void announce(QAccessibleEvent* event);

} // namespace hueprint
