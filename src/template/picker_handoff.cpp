// SPDX-License-Identifier: MIT
#include "picker_handoff.h"

#include "platform/color_swatch.h"
#include "template_composition.h"

#include <QLineEdit>

namespace hueprint {

void AcceptPickerColor(const TemplateControls* templateControls, const ColorSwatch& picCurColor,
                       const QLineEdit& txtValue, const std::function<void()>& unloadPicker) {
    if (templateControls != nullptr) {
        templateControls->Picture49->setBackColor(picCurColor.backColor());
        templateControls->Text3->setText(txtValue.text());
        ComposeTemplate(*templateControls);
    }
    unloadPicker();
}

} // namespace hueprint
