// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace hueprint {

class ColorSwatch;

// Gives the swatch its accessible name and the same text as its tooltip: the name and code
// of the color it shows ("Red, |cFFFF0000"), after the given role when there is one
// ("Favorite 1: Dark Blue, |cFF000080"). The text follows the swatch's color as it changes,
// and each change is announced as a change of the swatch's name.
void labelSwatch(ColorSwatch* swatch, const QString& role = QString());

} // namespace hueprint
