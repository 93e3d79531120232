// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color_value.h"
#include "template_controls.h"

#include <QString>

namespace hueprint {

// The closing mark of colored text.
inline const QString kClosingMark = QStringLiteral("|r");

// Writes the current code, the user's text and the closing mark into the result box, drawn
// in the current color.
void ComposeTemplate(const TemplateControls& controls);

// Makes a palette color current and recomposes.
void SelectPresetColor(const TemplateControls& controls, const QString& code, ColorValue color);

} // namespace hueprint
