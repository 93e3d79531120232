// SPDX-License-Identifier: MIT
#pragma once

#include "picker_controls.h"
#include "platform/color_value.h"

#include <QString>
#include <optional>

namespace hueprint {

enum class ValueMode { Decimal, Hexadecimal, Binary, None };

// The default prefix: the color-code prefix of map text.
inline const QString kDefaultPrefix = QStringLiteral("|cFF");
inline const QString kDefaultWidth = QStringLiteral("6");

// The largest width the value text's digits are padded to: the largest the width box takes
// when typed. Wider widths (pasted in exponent form, or from an edited store) pad to this.
constexpr int kMaxValueWidth = 9999;

struct FormattedValue {
    QString text;
    // Set when the digits are longer than the width: the width box then shows their length.
    std::optional<QString> raisedWidth;
};

// The value text of a color: the prefix, then the digits of the mode.
//  - Decimal: the decimal digits, zero-padded to the width (LeadingNumber of widthText).
//  - Hexadecimal: red, green and blue as two upper-case hex digits each; the width plays no part.
//  - Binary: the binary digits, zero-padded to the width, as Decimal does.
//  - None: no digits.
FormattedValue formatValueText(ColorValue color, ValueMode mode, const QString& prefix,
                               const QString& widthText);

// The mode the option buttons select (None when none is selected).
ValueMode selectedMode(const PickerControls& controls);

// The value text of a color as the picker's options steer it; raises the width box when the
// digits are longer than its width.
QString FormatColorValue(ColorValue color, const PickerControls& controls);

} // namespace hueprint
