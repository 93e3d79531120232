// SPDX-License-Identifier: MIT
// The editor's edits of the markup, each from markup to markup.

#include "markup/markup_edit.h"

#include <QtTest>

using namespace hueprint;

namespace {

ColorValue colorOf(const QString& rrggbb) {
    const uint rgb = rrggbb.toUInt(nullptr, 16);
    return rgbColor(int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
}

// A tooltip of about a kilobyte as maps have them: lower-case codes, alpha 00, "|n" breaks.
QString tooltip() {
    QString text;
    while (text.size() < 1000) {
        text += QStringLiteral("|c00ffcc00Hotkey|r: |cffff0000Q|r|nDeals |c0000ff0050|r damage "
                               "to a target, stunning it for |cFF80C0FF2|r seconds.|n");
    }
    return text;
}

} // namespace

Q_DECLARE_METATYPE(hueprint::MarkupSplice)

class MarkupEditTest : public QObject {
    Q_OBJECT
private slots:
    void edits_data();
    void edits();
    void splices_data();
    void splices();
    void roundTrip();
};

void MarkupEditTest::edits_data() {
    QTest::addColumn<QString>("edit"); // text, markup (pasted), color, gradient, move
    QTest::addColumn<QString>("markup");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("argument"); // text, markup, RRGGBB ("" plain), stops or drop place
    QTest::addColumn<QString>("expected");
    const QString text = QStringLiteral("text"), pasted = QStringLiteral("markup");
    const QString color = QStringLiteral("color"), move = QStringLiteral("move");

    QTest::newRow("hotkey letter in gold") << "color"
                                           << "Storm Bolt [Q]" << 12 << 1 << "FFCC00"
                                           << "Storm Bolt [|cFFFFCC00Q|r]";
    QTest::newRow("word inside a colored stretch")
        << "color"
        << "|cff00ff00one two three|r" << 4 << 3 << "FF0000"
        << "|cff00ff00one |cffff0000two|cff00ff00 three|r";
    QTest::newRow("plain over a whole stretch") << "color"
                                                << "a |cFFFF0000word|r b" << 2 << 4 << ""
                                                << "a word b";
    QTest::newRow("plain over part of a stretch") << "color"
                                                  << "|cFFFF0000word|r" << 0 << 2 << ""
                                                  << "wo|cFFFF0000rd|r";
    QTest::newRow("blanks do not split one color") << "color"
                                                   << "|cFFFF0000a|r b" << 2 << 1 << "FF0000"
                                                   << "|cFFFF0000a b|r";
    QTest::newRow("same color again changes nothing") << "color"
                                                      << "|cffff0000ab|r" << 1 << 1 << "FF0000"
                                                      << "|cffff0000ab|r";
    QTest::newRow("|r with nothing open stays") << "color"
                                                << "ab|r" << 0 << 1 << "FF0000"
                                                << "|cFFFF0000a|rb|r";
    QTest::newRow("upper-case |C is a code") << "color"
                                             << "|CFFFF0000ab|r" << 1 << 1 << ""
                                             << "|CFFFF0000a|rb";
    QTest::newRow("line breaks keep their form") << "color"
                                                 << "a\r\nb|nc" << 0 << 5 << "00FF00"
                                                 << "|cFF00FF00a\r\nb|nc|r";
    // New codes spelled as the text spells most of its own; "|cFF" and upper case without any.
    QTest::newRow("spelled |c00") << color << "|c00ff0000a|r b" << 2 << 1 << "00FF00"
                                  << "|c00ff0000a |c0000ff00b|r";
    QTest::newRow("spelled |C and |R") << color << "Type: |Cffffcc00King|R x" << 11 << 1 << "FF0000"
                                       << "Type: |Cffffcc00King |Cffff0000x|R";
    QTest::newRow("spelled |cff, upper case") << color << "|cffFFCC00a|r b" << 2 << 1 << "FF0000"
                                              << "|cffFFCC00a |cffFF0000b|r";
    QTest::newRow("spelled as most codes are")
        << color << "|cFFFF0000a|r|cff00ff00b|r|cff0000ffc|r d" << 4 << 1 << "FFCC00"
        << "|cFFFF0000a|r|cff00ff00b|r|cff0000ffc |cffffcc00d|r";
    QTest::newRow("spelled as digits without letters")
        << color << "|c00000000a|r b" << 2 << 1 << "FF0000"
        << "|c00000000a |c00FF0000b|r";

    QTest::newRow("gradient") << "gradient"
                              << "Hi yo" << 0 << 5 << "FF0000 0000FF"
                              << "|cFFFF0000H|cFFAA0055i |cFF5500AAy|cFF0000FFo|r";
    QTest::newRow("gradient, one character") << "gradient"
                                             << "a b" << 2 << 1 << "FF0000 00FF00 0000FF"
                                             << "a |cFFFF0000b|r";
    QTest::newRow("gradient over a pair")
        << "gradient" << QString::fromUtf8("\xF0\x9F\x98\x80x") << 0 << 3 << "000000 FFFFFF"
        << QString::fromUtf8("|cFF000000\xF0\x9F\x98\x80|cFFFFFFFFx|r");

    QTest::newRow("typing extends a colored word") << "text"
                                                   << "|cFFFF0000red|r x" << 3 << 0 << "s"
                                                   << "|cFFFF0000reds|r x";
    QTest::newRow("typing after a blank keeps codes as spelled")
        << "text"
        << "|c00ff0000a|r b" << 2 << 0 << "x"
        << "|c00ff0000a|r xb";
    QTest::newRow("typing at a line's start takes the color after")
        << "text"
        << "a|n|cFF00FF00b|r" << 2 << 0 << "x"
        << "a|n|cFF00FF00xb|r";
    QTest::newRow("typing into an open color") << "text"
                                               << "|cFFFF0000ab" << 2 << 0 << "c"
                                               << "|cFFFF0000abc";
    QTest::newRow("a typed line break is |n") << "text"
                                              << "ab" << 1 << 0 << "\r\n"
                                              << "a|nb";
    QTest::newRow("deleting a colored word removes its code")
        << "text"
        << "a |cFFFF0000word|r b" << 2 << 4 << ""
        << "a  b";
    QTest::newRow("deleting between two of one color joins them")
        << "text"
        << "|cFFFF0000a|rx|cFFFF0000b|r" << 1 << 1 << ""
        << "|cFFFF0000ab|r";
    QTest::newRow("|R closes a color as |r does") << text << "|Cffffcc00King|R rest" << 0 << 4 << ""
                                                  << " rest";
    QTest::newRow("\\r\\n is one break") << "text"
                                         << "a\r\nb" << 1 << 1 << ""
                                         << "ab";
    QTest::newRow("a pair is never split") << "text"
                                           << QString::fromUtf8("a\xF0\x9F\x98\x80"
                                                                "b")
                                           << 2 << 1 << ""
                                           << "ab";
    QTest::newRow("out of range is clamped") << "text"
                                             << "ab" << 99 << 5 << "c"
                                             << "abc";

    QTest::newRow("pasted markup") << "markup"
                                   << "Storm Bolt []" << 12 << 0 << "|cffffcc00Q|r"
                                   << "Storm Bolt [|cffffcc00Q|r]";
    QTest::newRow("pasted over everything, as it stands")
        << pasted << "Storm Bolt [|cFFFFCC00Q|r]" << 0 << 14 << "Storm Bolt [|cffffcc00Q|r]"
        << "Storm Bolt [|cffffcc00Q|r]";
    QTest::newRow("pasted over a red word continues the red around it")
        << pasted << "|cffff0000one two|r" << 4 << 3 << "x|cffffcc00Q|r"
        << "|cffff0000one x|cffffcc00Q|r";
    QTest::newRow("pasted markup in a colored stretch")
        << "markup"
        << "|cFF00FF00ab|r" << 1 << 0 << "x|CFFFF0000y"
        << "|cFF00FF00ax|CFFFF0000y|cFF00FF00b|r";
    QTest::newRow("pasted |r where typing is colored")
        << pasted << "|cff00ff00ab|r" << 1 << 0 << "|cffff0000x|ry"
        << "|cff00ff00a|cffff0000x|cff00ff00yb|r";
    QTest::newRow("pasted code that changes nothing")
        << pasted << "|cffff0000ab|r" << 1 << 0 << "|cFFFF0000x"
        << "|cffff0000axb|r";
    QTest::newRow("pasted cut-short code is text") << "markup"
                                                   << "ab" << 1 << 0 << "|cFF|x"
                                                   << "a|cFF|xb";

    QTest::newRow("moved word keeps its color")
        << move << "|cffff0000RED|r plain |cff0000ffBLUE|r end" << 0 << 3 << "6"
        << " pl|cffff0000RED|rain |cff0000ffBLUE|r end";
    QTest::newRow("moved with its marks") << move << "|cffff0000RED|R plain end" << 0 << 3 << "9"
                                          << " plain|cffff0000RED|R end";
    QTest::newRow("moved across a blank") << move << "|cffff0000ab|r  cd" << 0 << 2 << "3"
                                          << "|cffff0000 ab|r cd";
    QTest::newRow("moved text that is no code") << move << "|Cffffcc" << 2 << 4 << "8"
                                                << "|Cccffff";
    QTest::newRow("dropped within itself") << move << "|cFFFF0000abc|r" << 0 << 2 << "1"
                                           << "|cFFFF0000abc|r";

    // One character of a long tooltip changed: the markup differs in that character only.
    const QString longText = tooltip();
    const qsizetype at = longText.indexOf(QStringLiteral("stunning"));
    const qsizetype visibleAt = editableText(longText.left(at)).text.size();
    QString changed = longText;
    changed[at] = u'S';
    QTest::newRow("one character of a tooltip")
        << "text" << longText << int(visibleAt) << 1 << "S" << changed;
    changed = longText;
    const qsizetype digit = longText.indexOf(QStringLiteral("50|r"));
    changed[digit] = u'7';
    QTest::newRow("one colored character of a tooltip")
        << "text" << longText << int(editableText(longText.left(digit)).text.size()) << 1 << "7"
        << changed;
}

void MarkupEditTest::edits() {
    QFETCH(QString, edit);
    QFETCH(QString, markup);
    QFETCH(int, position);
    QFETCH(int, length);
    QFETCH(QString, argument);
    QFETCH(QString, expected);

    MarkupSplice splice;
    if (edit == u"text") {
        splice = replaceText(markup, position, length, argument);
    } else if (edit == u"markup") {
        splice = replaceWithMarkup(markup, position, length, argument);
    } else if (edit == u"color") {
        const TextColor color = argument.isEmpty() ? TextColor() : colorOf(argument);
        splice = colorRange(markup, position, length, color);
    } else if (edit == u"move") {
        splice = moveText(markup, position, length, argument.toInt());
    } else {
        std::vector<ColorValue> stops;
        for (const QString& stop : argument.split(u' ')) {
            stops.push_back(colorOf(stop));
        }
        splice = gradientRange(markup, position, length, stops);
    }
    const QString result = splice.appliedTo(markup);
    QCOMPARE(result, expected);
    // The splice is the edit: empty if nothing changed, else the smallest change lies within it.
    const MarkupSplice least = changedStretch(markup, result);
    QCOMPARE(splice.isEmpty(), result == markup);
    QVERIFY(splice.isEmpty() || (least.start >= splice.start &&
                                 least.start + least.removed <= splice.start + splice.removed));
}

// A splice is the stretch an edit rewrites, no more; of a text changed from outside, what differs.
void MarkupEditTest::splices_data() {
    QTest::addColumn<MarkupSplice>("splice");
    QTest::addColumn<QString>("expected"); // start, removed, inserted
    QTest::newRow("colored") << colorRange("ab cd", 3, 2, colorOf("FF0000"))
                             << "3 2 |cFFFF0000cd|r";
    QTest::newRow("moved over a word") << moveText("ab cd ef", 0, 2, 5) << "0 5  cdab";
    QTest::newRow("changed from outside")
        << changedStretch("|cFFFF0000a|r", "|cFF00FF00a|r") << "4 4 00FF";
    QTest::newRow("a repeated letter added") << changedStretch("aa", "aaa") << "2 0 a";
    QTest::newRow("unchanged") << changedStretch("ab", "ab") << "2 0 ";
}

void MarkupEditTest::splices() {
    QFETCH(MarkupSplice, splice);
    QFETCH(QString, expected);
    QCOMPARE(QStringLiteral("%1 %2 %3").arg(splice.start).arg(splice.removed).arg(splice.inserted),
             expected);
}

// The shortest markup of a text draws it as it was.
void MarkupEditTest::roundTrip() {
    const QString markup = QStringLiteral("|cFFFF0000a b|r c|n|cFF00FF00d|r");
    const EditableText text = editableText(markup);
    QCOMPARE(text.text, QStringLiteral("a b c\nd"));
    QCOMPARE(markupFor(text), markup);
}

QTEST_GUILESS_MAIN(MarkupEditTest)
#include "tst_markup_edit.moc"
