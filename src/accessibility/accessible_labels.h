// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace hueprint {

class Announcer;
class ColorSwatch;

// Gives the swatch its accessible name, the color it shows in words ("Red"), after the given
// role when there is one ("Favorite 1: Dark Blue"); its accessible description, the color's
// markup code ("|cFF000080"); and a tooltip that says both ("Favorite 1: Dark Blue,
// |cFF000080"). All three follow the swatch's color as it changes.
void labelSwatch(ColorSwatch* swatch, const QString& role = QString());

// The name of the color the swatch shows, in words.
QString swatchColorName(const ColorSwatch& swatch);

// Has a screen reader say the swatch's new color in words, after the given words ("Chosen
// color: Red"), whichever control has the focus: once after each action that changed it while
// the swatch's window is shown. Returns the announcer, which belongs to that window.
Announcer* announceColorChanges(ColorSwatch* swatch, const QString& what);

// A frame's caption as it reads well aloud: without its leading number ("1)   Enter Your Text
// Here" is "Enter Your Text Here").
QString unnumberedCaption(const QString& caption);

} // namespace hueprint
