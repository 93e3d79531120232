// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace hueprint {

// A button's, option's or check box's access key first moves the focus to that control and
// then activates it, so the control being left sees its focus go (its LostFocus runs) before
// the click. The toolkit clicks a push button by its access key without focusing it; this
// gives every button in the window the focus first. A letter that several controls of the
// window share still only moves the focus between them, as the toolkit does by itself.
// Call it once the window's buttons exist.
void focusButtonsOnAccessKey(QWidget* window);

} // namespace hueprint
