// SPDX-License-Identifier: MIT
#pragma once

namespace hueprint {

class Form1;
class frmMain;

// What the windows' controls announce to assistive technology: every swatch names its color
// and code (and says the same as its tooltip), and the controls that would otherwise announce
// their frame's caption or nothing get names that say what they hold. Nothing else of the
// windows changes.
void describeTemplateWindow(Form1& window);
void describePickerWindow(frmMain& window);

} // namespace hueprint
