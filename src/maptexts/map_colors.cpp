// SPDX-License-Identifier: MIT
#include "map_colors.h"

#include "markup/markup_render.h"
#include "string_table.h"

#include <algorithm>
#include <map>

namespace hueprint {

namespace {

constexpr qsizetype kRedDigit = 4; // after "|c" and the alpha pair
constexpr int kColorDigits = 6;

// Calls found(index, color) for each code of the markup, in order.
template <typename Found> void forEachCode(const QString& markup, Found found) {
    for (qsizetype i = 0; i < markup.size();) {
        const MarkupSequence sequence = markupSequenceAt(markup, i);
        if (sequence.kind == MarkupSequenceKind::Code) {
            found(i, sequence.color);
        }
        i += sequence.length;
    }
}

// The six digits of a color, red first, in upper case.
QString colorDigits(ColorValue color) {
    const int rgb = ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
    return QStringLiteral("%1").arg(rgb, kColorDigits, 16, QLatin1Char('0')).toUpper();
}

bool isLetter(QChar c) {
    return (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Whether a digit written at the code's place should be lower case.
bool lowerCaseAt(const QString& markup, qsizetype code, qsizetype digit) {
    const qsizetype first = code + 2;
    const qsizetype last = code + 9;
    for (qsizetype i = digit; i >= first; --i) {
        if (isLetter(markup.at(i))) {
            return markup.at(i).isLower();
        }
    }
    for (qsizetype i = digit + 1; i <= last; ++i) {
        if (isLetter(markup.at(i))) {
            return markup.at(i).isLower();
        }
    }
    return false;
}

} // namespace

std::vector<ColorUse> colorsUsed(const StringTable& table) {
    std::map<ColorValue, ColorUse> uses;
    for (int i = 0; i < table.count(); ++i) {
        const QString& text = table.entry(i).text;
        if (!text.contains(u'|')) {
            continue;
        }
        std::vector<ColorValue> seen;
        forEachCode(text, [&](qsizetype, ColorValue color) {
            ColorUse& use = uses[color];
            use.color = color;
            ++use.codes;
            if (std::find(seen.begin(), seen.end(), color) == seen.end()) {
                seen.push_back(color);
                ++use.strings;
            }
        });
    }
    std::vector<ColorUse> list;
    list.reserve(uses.size());
    for (const auto& [color, use] : uses) {
        list.push_back(use);
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const ColorUse& a, const ColorUse& b) { return a.codes > b.codes; });
    return list;
}

QString replaceColorInText(const QString& text, ColorValue from, ColorValue to, int* codes) {
    *codes = 0;
    if (from == to || !text.contains(u'|')) {
        return text;
    }
    QString result = text;
    const QString digits = colorDigits(to);
    forEachCode(text, [&](qsizetype code, ColorValue color) {
        if (color != from) {
            return;
        }
        ++*codes;
        for (int d = 0; d < kColorDigits; ++d) {
            const qsizetype at = code + kRedDigit + d;
            const QChar digit = digits.at(d);
            result[at] = isLetter(digit) && lowerCaseAt(text, code, at) ? digit.toLower() : digit;
        }
    });
    return result;
}

ColorReplacement replaceColor(const StringTable& table, ColorValue from, ColorValue to) {
    ColorReplacement replacement;
    for (int i = 0; i < table.count(); ++i) {
        const QString& text = table.entry(i).text;
        int codes = 0;
        QString after = replaceColorInText(text, from, to, &codes);
        if (codes > 0) {
            replacement.codes += codes;
            replacement.changes.push_back({i, text, std::move(after)});
        }
    }
    return replacement;
}

void applyChanges(StringTable& table, const std::vector<TextChange>& changes, bool undo) {
    for (const TextChange& change : changes) {
        table.setText(change.index, undo ? change.before : change.after);
    }
}

} // namespace hueprint
