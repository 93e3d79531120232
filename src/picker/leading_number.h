// SPDX-License-Identifier: MIT
#pragma once

#include <QStringView>
#include <cstdint>

namespace hueprint {

// The value of the number at the start of a text, the way the component and width boxes read
// what they hold. Blanks, tabs and line feeds are skipped wherever they stand; then comes an
// optional sign, digits with at most one decimal point and an optional exponent (E or D), or a
// radix prefix "&H" (hexadecimal) or "&O" (octal) followed by digits of that radix. Reading
// stops at the first character that cannot continue the number; no number gives 0. Values too
// large for a double give an infinity of their sign; the result is never NaN.
double LeadingNumber(QStringView text);

// The nearest 32-bit integer, halves to the even neighbour; values beyond the range saturate
// to its ends, NaN gives 0.
std::int32_t roundToInt32(double value);

} // namespace hueprint
