// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color_value.h"

#include <QString>

namespace hueprint {

// How a markup spells its marks, so that the codes an edit writes read like the ones already
// there: "|c" or "|C", the alpha pair as written ("ff", "FF", "00"), the red, green and blue
// digits in upper or lower case, and "|r" or "|R".
struct CodeSpelling {
    QChar codeLetter = u'c';
    QString alpha = QStringLiteral("FF");
    bool upperDigits = true;
    QChar resetLetter = u'r';

    QString code(ColorValue color) const;
    QString reset() const { return QStringLiteral("|") + resetLetter; }
    bool operator==(const CodeSpelling& other) const {
        return codeLetter == other.codeLetter && alpha == other.alpha &&
               upperDigits == other.upperDigits && resetLetter == other.resetLetter;
    }
};

// The spelling the markup uses most: its most frequent "|c" or "|C" with alpha pair (the first
// of equals), the case most of those codes write their digits in, and "|R" where it outnumbers
// "|r". Without codes, "|cFF" and upper case (the palette's own); without resets, "|r".
CodeSpelling spellingOf(const QString& markup);

} // namespace hueprint
