// SPDX-License-Identifier: MIT
#pragma once

class QRadioButton;

namespace hueprint {

// Sets an option button's value the way a program does: True selects it and deselects the
// others of its group; False deselects only this one, which may leave none selected.
void setOptionValue(QRadioButton* option, bool selected);

} // namespace hueprint
