// SPDX-License-Identifier: MIT
// The in-game preview's renderer: markup in, colored runs, notes and the two lengths out.

#include "editor/preview_window.h"
#include "markup/markup_render.h"

#include <QtTest>

using namespace hueprint;

namespace {

// A run as "#RRGGBB{text}", with "^" before it when a "|n" starts its line.
QString describeRuns(const PreviewRendering& rendering) {
    QStringList parts;
    for (const PreviewRun& run : rendering.runs) {
        const int red = run.color & 0xFF;
        const int green = (run.color >> 8) & 0xFF;
        const int blue = (run.color >> 16) & 0xFF;
        const QString hex = QStringLiteral("%1%2%3")
                                .arg(red, 2, 16, QLatin1Char('0'))
                                .arg(green, 2, 16, QLatin1Char('0'))
                                .arg(blue, 2, 16, QLatin1Char('0'))
                                .toUpper();
        parts.append(QStringLiteral("%1#%2{%3}")
                         .arg(run.startsLine ? QStringLiteral("^") : QString(), hex,
                              runText(rendering, run)));
    }
    return parts.join(u' ');
}

// A note as "cut@5", "open@1" or "stray@9".
QString describeNotes(const PreviewRendering& rendering) {
    QStringList parts;
    for (const PreviewNote& note : rendering.notes) {
        const char* kind = note.kind == PreviewNoteKind::CodeCutShort    ? "cut"
                           : note.kind == PreviewNoteKind::ColorLeftOpen ? "open"
                                                                         : "stray";
        parts.append(QStringLiteral("%1@%2").arg(QLatin1String(kind)).arg(note.position));
    }
    return parts.join(u' ');
}

} // namespace

class PreviewRenderTest : public QObject {
    Q_OBJECT
private slots:
    void table_data();
    void table();
    void runsCoverTheVisibleText();
    void notesAndFiguresRead();
    void longNoteListsAreCut();
};

void PreviewRenderTest::table_data() {
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("runs");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<int>("markupCharacters");
    QTest::addColumn<int>("visibleCharacters");

    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, two units
    const QString highHalf(QChar(0xD800));
    const QString lowHalf(QChar(0xDC00));

    QTest::newRow("empty") << QString() << QString() << QString() << 0 << 0;
    QTest::newRow("plain text") << "HELLO"
                                << "#FFFFFF{HELLO}" << QString() << 5 << 5;
    QTest::newRow("one code") << "|cFFFF0000HELLO|r"
                              << "#FF0000{HELLO}" << QString() << 17 << 5;
    QTest::newRow("two codes, |r between")
        << "|cFFFF0000RED|r AND |cFF00FF00GREEN|r"
        << "#FF0000{RED} #FFFFFF{ AND } #00FF00{GREEN}" << QString() << 37 << 13;
    QTest::newRow("lower-case hex") << "|cff00ff7fX|r"
                                    << "#00FF7F{X}" << QString() << 13 << 1;
    QTest::newRow("alpha 00 is ignored") << "|c00FF0000X|r"
                                         << "#FF0000{X}" << QString() << 13 << 1;
    QTest::newRow("code cut short") << "|cFF00HI"
                                    << "#FFFFFF{|cFF00HI}"
                                    << "cut@1" << 8 << 8;
    QTest::newRow("code cut short by the end") << "AB|cFFFF00"
                                               << "#FFFFFF{AB|cFFFF00}"
                                               << "cut@3" << 10 << 10;
    QTest::newRow("|c without digits") << "A|cX"
                                       << "#FFFFFF{A|cX}"
                                       << "cut@2" << 4 << 4;
    QTest::newRow("open at the end") << "|cFF0000FFBLUE"
                                     << "#0000FF{BLUE}"
                                     << "open@1" << 14 << 4;
    QTest::newRow("open from its first code") << "A|cFFFF0000B|cFF00FF00C"
                                              << "#FFFFFF{A} #FF0000{B} #00FF00{C}"
                                              << "open@2" << 23 << 3;
    QTest::newRow("stray |r") << "HI|r"
                              << "#FFFFFF{HI}"
                              << "stray@3" << 4 << 2;
    QTest::newRow("second |r is stray") << "|cFFFF0000A|r|r"
                                        << "#FF0000{A}"
                                        << "stray@14" << 15 << 1;
    QTest::newRow("|n") << "A|nB"
                        << "#FFFFFF{A} ^#FFFFFF{B}" << QString() << 4 << 2;
    QTest::newRow("|n keeps the color") << "|cFFFF0000A|nB|r"
                                        << "#FF0000{A} ^#FF0000{B}" << QString() << 16 << 2;
    QTest::newRow("|n at the end") << "A|n"
                                   << "#FFFFFF{A} ^#FFFFFF{}" << QString() << 3 << 1;
    QTest::newRow("code after |n") << "A|n|cFFFF0000B"
                                   << "#FFFFFF{A} ^#FF0000{B}"
                                   << "open@4" << 14 << 2;
    QTest::newRow("line break") << "A\nB"
                                << "#FFFFFF{A\nB}" << QString() << 3 << 2;
    QTest::newRow("literal <b> and &amp;") << "<B>&AMP;</B>"
                                           << "#FFFFFF{<B>&AMP;</B>}" << QString() << 12 << 12;
    QTest::newRow("lone and doubled |") << "A|B||"
                                        << "#FFFFFF{A|B||}" << QString() << 5 << 5;
    QTest::newRow("upper-case |C is a code") << "|CFFFF0000X"
                                             << "#FF0000{X}"
                                             << "open@1" << 11 << 1;
    QTest::newRow("upper-case |C cut short") << "|CFF0X"
                                             << "#FFFFFF{|CFF0X}"
                                             << "cut@1" << 6 << 6;
    QTest::newRow("|R closes, |N is text") << "|cFFFF0000A|RB|NC"
                                           << "#FF0000{A} #FFFFFF{B|NC}" << QString() << 17 << 5;
    QTest::newRow("stray |R") << "Type: |Cffffcc00King|R|R"
                              << "#FFFFFF{Type: } #FFCC00{King}"
                              << "stray@23" << 24 << 10;
    QTest::newRow("more hex after a code") << "|cFFFF0000ABCD|r"
                                           << "#FF0000{ABCD}" << QString() << 16 << 4;
    QTest::newRow("same color twice is one run") << "|cFFFF0000A|cFFFF0000B|r"
                                                 << "#FF0000{AB}" << QString() << 24 << 2;
    QTest::newRow("code with nothing in it") << "|cFFFF0000|r" << QString() << QString() << 12 << 0;
    QTest::newRow("Unicode") << QString::fromUtf8("|cFFFFD700ПРИВЕТ ") + emoji + "|r"
                             << QString::fromUtf8("#FFD700{ПРИВЕТ ") + emoji + "}" << QString()
                             << 20 << 8;
    QTest::newRow("lone high surrogate") << "X" + highHalf + "|r"
                                         << "#FFFFFF{X" + highHalf + "}"
                                         << "stray@3" << 4 << 2;
    QTest::newRow("lone low surrogate, then a pair") << lowHalf + emoji + "|cFF"
                                                     << "#FFFFFF{" + lowHalf + emoji + "|cFF}"
                                                     << "cut@3" << 6 << 6;
    QTest::newRow("high surrogate before a code") << highHalf + "|cFFFF0000A"
                                                  << "#FFFFFF{" + highHalf + "} #FF0000{A}"
                                                  << "open@2" << 12 << 2;
}

void PreviewRenderTest::table() {
    QFETCH(QString, markup);
    QFETCH(QString, runs);
    QFETCH(QString, notes);
    QFETCH(int, markupCharacters);
    QFETCH(int, visibleCharacters);

    const PreviewRendering rendering = renderPreview(markup);
    QCOMPARE(describeRuns(rendering), runs);
    QCOMPARE(describeNotes(rendering), notes);
    QCOMPARE(rendering.markupCharacters, markupCharacters);
    QCOMPARE(rendering.visibleCharacters, visibleCharacters);
}

// The runs lie end to end over the visible text, none empty but a "|n" at a line's end.
void PreviewRenderTest::runsCoverTheVisibleText() {
    const PreviewRendering rendering =
        renderPreview(QStringLiteral("a|cFFFF0000b|nc|r|n|nd|cFF00FF00e\r\nf|r|cXg"));
    QCOMPARE(rendering.text, QStringLiteral("abcde\r\nf|cXg"));
    qsizetype end = 0;
    for (const PreviewRun& run : rendering.runs) {
        QCOMPARE(run.start, end);
        QVERIFY(run.length > 0 || run.startsLine);
        end += run.length;
    }
    QCOMPARE(end, rendering.text.size());
}

void PreviewRenderTest::notesAndFiguresRead() {
    const PreviewRendering rendering = renderPreview(QStringLiteral("|cFFFF0000A|r|r"));
    QCOMPARE(noteText(rendering.notes.at(0)),
             QStringLiteral("Character 14: \"|r\" with no color open"));
    QCOMPARE(figuresText(rendering),
             QStringLiteral("Markup: 15 characters, 15 bytes    Player sees: 1 character"));
    // Bytes in UTF-8: two, three and four for a character, and three for a lone surrogate.
    const QString wide = QString::fromUtf8("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80") + QChar(0xD800);
    QCOMPARE(figuresText(renderPreview(wide)),
             QStringLiteral("Markup: 4 characters, 12 bytes    Player sees: 4 characters"));
}

void PreviewRenderTest::longNoteListsAreCut() {
    const std::vector<PreviewNote> three(3, PreviewNote{PreviewNoteKind::CodeCutShort, 1});
    QCOMPARE(notesListText(three, 2).split(u'\n').size(), 3);
    QVERIFY(notesListText(three, 2).endsWith(QStringLiteral("... and 1 more note.")));
    QCOMPARE(notesListText({}, 2), QStringLiteral("No mistakes found."));
}

QTEST_GUILESS_MAIN(PreviewRenderTest)
#include "tst_preview_render.moc"
