// SPDX-License-Identifier: MIT
#include "option_button.h"

#include <QRadioButton>

namespace hueprint {

void setOptionValue(QRadioButton* option, bool selected) {
    if (selected) {
        option->setChecked(true);
        return;
    }
    if (!option->isChecked()) {
        return;
    }
    // An auto-exclusive button refuses to be unchecked while it is the checked one.
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

} // namespace hueprint
