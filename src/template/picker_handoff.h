// SPDX-License-Identifier: MIT
#pragma once

#include "template_controls.h"

#include <functional>

class QLineEdit;

namespace hueprint {

class ColorSwatch;

// "&Set This Color": the template window takes the picker's color and value text, recomposes
// and the picker is unloaded. With no template window left (the user closed it), the picker
// is just unloaded.
void AcceptPickerColor(const TemplateControls* templateControls, const ColorSwatch& picCurColor,
                       const QLineEdit& txtValue, const std::function<void()>& unloadPicker);

} // namespace hueprint
