// SPDX-License-Identifier: MIT
#pragma once

#include "picker_controls.h"
#include "platform/color_value.h"
#include "platform/platform_services.h"

#include <QString>

class QLineEdit;
class QSlider;

namespace hueprint {

inline const QString kColorDialogTitle = QStringLiteral("Choose a Color");

// Makes a color current and refreshes its views: the swatch, the value text, the clipboard
// when auto-copy is on, and the component boxes other than the one being typed in.
// Re-entrant: the component boxes' change events call it again while it runs.
void ApplyColor(const PickerControls& controls, PlatformServices& services, ColorValue color);

// Puts the value text on the clipboard, in place of what was there.
void CopyValueText(const PickerControls& controls, PlatformServices& services);

// A slider moved: applies the color the three sliders make.
void ApplySliders(const PickerControls& controls, PlatformServices& services);

// A component box changed: moves its slider, or beeps and puts the slider's value back when
// the box holds more than 255 or less than 0.
void EditComponent(QLineEdit* box, QSlider* partner, PlatformServices& services);

// A key typed into a component box: digits and Backspace pass, anything else beeps and is
// discarded (the code becomes 0).
void FilterComponentKey(int& keyCode, PlatformServices& services);

// A box got the focus: its whole text is selected.
void SelectAllOnFocus(QLineEdit* box);

// "R&andom": a new color from the time-seeded generator, components 0 to 254.
void RandomColor(const PickerControls& controls, PlatformServices& services);

// "Gra&ph": the system color dialog on the current color; Cancel changes nothing.
void PickFromColorDialog(const PickerControls& controls, PlatformServices& services);

} // namespace hueprint
