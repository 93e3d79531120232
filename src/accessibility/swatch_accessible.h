// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace hueprint {

class ColorSwatch;

// Makes every color swatch known to assistive technology as a button: it announces its own
// accessible name (not its frame's caption) and offers the press action, which clicks it.
// Call before any swatch is first asked for its accessible object; calling again does nothing.
void installSwatchAccessibility();

// The name the swatch announces. A change of it is announced as a change of the name.
void setSwatchAccessibleName(ColorSwatch* swatch, const QString& name);

} // namespace hueprint
