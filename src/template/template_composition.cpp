// SPDX-License-Identifier: MIT
#include "template_composition.h"

#include "platform/color_swatch.h"
#include "platform/control_colors.h"
#include "platform/text_box_text.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace hueprint {

void ComposeTemplate(const TemplateControls& controls) {
    setForeColor(controls.Text1, controls.Picture49->backColor());
    // The user's text goes in character for character, as the box holds it.
    controls.Text1->setPlainText(controls.Text3->text() + textBoxText(*controls.Text2) +
                                 kClosingMark);
}

void SelectPresetColor(const TemplateControls& controls, const QString& code, ColorValue color) {
    controls.Picture49->setBackColor(color);
    controls.Text3->setText(code);
    ComposeTemplate(controls);
}

} // namespace hueprint
