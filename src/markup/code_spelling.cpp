// SPDX-License-Identifier: MIT
#include "markup/code_spelling.h"

#include "markup/markup_render.h"

#include <vector>

namespace hueprint {

namespace {

// One way of beginning a code ("|c" or "|C" and an alpha pair), and how often it is written
// with upper- and with lower-case letters among its digits.
struct CodeStart {
    QChar letter;
    QChar alpha[2];
    int count = 0;
    int upper = 0;
    int lower = 0;
};

// Whether the digits' letters are upper (1) or lower case (-1); 0 for none or as many of each.
int caseOf(QStringView digits) {
    int upper = 0;
    int lower = 0;
    for (const QChar c : digits) {
        upper += c >= u'A' && c <= u'F' ? 1 : 0;
        lower += c >= u'a' && c <= u'f' ? 1 : 0;
    }
    return upper > lower ? 1 : lower > upper ? -1 : 0;
}

} // namespace

QString CodeSpelling::code(ColorValue color) const {
    const int rgb = ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
    QString digits = QStringLiteral("%1").arg(rgb, 6, 16, QLatin1Char('0'));
    return QStringLiteral("|") + codeLetter + alpha + (upperDigits ? digits.toUpper() : digits);
}

CodeSpelling spellingOf(const QString& markup) {
    std::vector<CodeStart> starts;
    int resets = 0;
    int upperResets = 0;
    for (qsizetype i = markup.indexOf(u'|'); i >= 0; i = markup.indexOf(u'|', i + 1)) {
        const MarkupSequence sequence = markupSequenceAt(markup, i);
        if (sequence.kind == MarkupSequenceKind::Reset) {
            ++resets;
            upperResets += markup.at(i + 1) == u'R' ? 1 : 0;
        }
        if (sequence.kind != MarkupSequenceKind::Code) {
            continue;
        }
        const QChar letter = markup.at(i + 1);
        const QChar alpha[2] = {markup.at(i + 2), markup.at(i + 3)};
        auto start = std::find_if(starts.begin(), starts.end(), [&](const CodeStart& known) {
            return known.letter == letter && known.alpha[0] == alpha[0] &&
                   known.alpha[1] == alpha[1];
        });
        if (start == starts.end()) {
            start = starts.insert(starts.end(), CodeStart{letter, {alpha[0], alpha[1]}});
        }
        ++start->count;
        const int digitCase = caseOf(QStringView(markup).mid(i + 4, 6));
        start->upper += digitCase > 0 ? 1 : 0;
        start->lower += digitCase < 0 ? 1 : 0;
    }
    CodeSpelling spelling;
    spelling.resetLetter = 2 * upperResets > resets ? u'R' : u'r';
    const auto most =
        std::max_element(starts.begin(), starts.end(),
                         [](const CodeStart& a, const CodeStart& b) { return a.count < b.count; });
    if (most == starts.end()) {
        return spelling;
    }
    spelling.codeLetter = most->letter;
    spelling.alpha = QString(most->alpha, 2);
    // Digits without letters tell nothing: then the case of the alpha pair, else upper.
    const int alphaCase = caseOf(spelling.alpha);
    spelling.upperDigits = most->upper != most->lower ? most->upper > most->lower : alphaCase >= 0;
    return spelling;
}

} // namespace hueprint
