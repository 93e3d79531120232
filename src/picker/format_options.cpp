// SPDX-License-Identifier: MIT
#include "format_options.h"

#include "color_value_format.h"
#include "current_color.h"
#include "leading_number.h"
#include "platform/beeper.h"
#include "platform/color_swatch.h"
#include "platform/control_colors.h"

#include <QLineEdit>

namespace hueprint {

// Re-applies the current color, so the value text (and clipboard) follow the options.
static void ReapplyCurrentColor(const PickerControls& controls, PlatformServices& services) {
    ApplyColor(controls, services, controls.picCurColor->backColor());
}

void optDecimal_Click(const PickerControls& controls, PlatformServices& services) {
    ReapplyCurrentColor(controls, services);
    controls.txtNumChars->setEnabled(true);
    setBackColor(controls.txtNumChars, kSystemWindowBackground);
}

void optBinary_Click(const PickerControls& controls, PlatformServices& services) {
    optDecimal_Click(controls, services);
}

void optHex_Click(const PickerControls& controls, PlatformServices& services) {
    ReapplyCurrentColor(controls, services);
    controls.txtNumChars->setText(kDefaultWidth);
    controls.txtNumChars->setEnabled(false);
    setBackColor(controls.txtNumChars, kSystemButtonFace);
}

void txtPrefix_Change(const PickerControls& controls, PlatformServices& services) {
    ReapplyCurrentColor(controls, services);
}

void txtNumChars_KeyPress(int& keyCode, PlatformServices& services) {
    FilterComponentKey(keyCode, services);
}

void txtNumChars_Change(const PickerControls& controls, PlatformServices& services) {
    if (LeadingNumber(controls.txtNumChars->text()) == 0) {
        services.beeper.beep();
        controls.txtNumChars->setText(QStringLiteral("1"));
        SelectAllOnFocus(controls.txtNumChars);
    }
}

void txtNumChars_LostFocus(const PickerControls& controls, PlatformServices& services) {
    ReapplyCurrentColor(controls, services);
}

} // namespace hueprint
