// SPDX-License-Identifier: MIT
#pragma once

namespace hueprint {

class Form1;
class frmMain;

// What the windows tell assistive technology, and what the keyboard reaches in them: each
// window says what it is for; every swatch names its color in words and gives its code as its
// description (its tooltip says both); the text boxes and frames read their captions without
// the numbering; the other controls that would say nothing or their frame's caption get names
// that say what they hold. The arrow keys, Home, End and Return work in the swatch grids, and
// a screen reader says each new chosen or current color. Nothing else of the windows changes.
void describeTemplateWindow(Form1& window);
void describePickerWindow(frmMain& window);

} // namespace hueprint
