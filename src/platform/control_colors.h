// SPDX-License-Identifier: MIT
#pragma once

#include "color_value.h"

class QWidget;

namespace hueprint {

// A control's fore and back colors as color values. The value set last is kept with the
// control (system colors stay encoded) and drawn through its palette.
void setForeColor(QWidget* control, ColorValue color);
ColorValue foreColor(const QWidget* control);

void setBackColor(QWidget* control, ColorValue color);
ColorValue backColor(const QWidget* control);

} // namespace hueprint
