// SPDX-License-Identifier: MIT
// The string table's reader and writer: files as map makers' tools write them read back to the
// same bytes, damaged ones are refused where reading stopped, an edit rewrites only its text;
// colors are listed and replaced, each code keeping its spelling. Any bytes, any edit, any
// replacement and its undo: fuzz/fuzz_string_table.cpp.

#include "maptexts/map_colors.h"
#include "maptexts/string_table.h"

#include <QtTest>

using namespace hueprint;

static ColorValue rgb(int hex) {
    return rgbColor(hex >> 16, hex >> 8, hex);
} // from 0xRRGGBB

class StringTableTest : public QObject {
    Q_OBJECT
private slots:
    void readsAndWritesBack_data();
    void readsAndWritesBack();
    void setTextRewritesOnlyThatText_data();
    void setTextRewritesOnlyThatText();
    void replaceKeepsSpelling_data();
    void replaceKeepsSpelling();
    void colorsAreListedAndReplaced();
};

void StringTableTest::readsAndWritesBack_data() {
    QTest::addColumn<QByteArray>("bytes");
    // "<number> <text>" in the order of the file, or "line <n>" where reading stopped
    QTest::addColumn<QStringList>("strings");
    const auto row = [](const char* name, const QByteArray& bytes, const QStringList& strings) {
        QTest::newRow(name) << bytes << strings;
    };
    row("byte-order mark, CRLF, comment",
        "\xEF\xBB\xBFSTRING 1\r\n// Units: hfoo (Footman), Name\r\n{\r\nFootman\r\n}\r\n\r\n"
        "STRING 2\r\n{\r\n|cffffcc00Gold|r\r\n}\r\n",
        {"1 Footman", "2 |cffffcc00Gold|r"});
    row("mixed line endings", "STRING 1\n{\r\nline one\r\nline two\n}\r\nSTRING 2\r\n{\nx\n}\n",
        {"1 line one\nline two", "2 x"});
    row("zero-padded, unordered", "STRING 010\n{\nx\n}\nSTRING 002\n{\ny\n}\nSTRING 0\n{\nz\n}\n",
        {"10 x", "2 y", "0 z"});
    row("comment cut inside a character", "STRING 1\n// \xE5\x8D\x95\xE4\xBD\n{\nx\n}\n", {"1 x"});
    row("lines, blank lines, blanks at either end",
        "STRING 1\n{\n\n  indented line  \n\n\ttab\n\n}\n", {"1 \n  indented line  \n\n\ttab\n"});
    row("empty text", "STRING 1\n{\n}\n", {"1 "});
    row("one blank line", "STRING 1\n{\n\n}\n", {"1 "});
    row("CJK", "STRING 1\n{\n|cff00ff00\xE6\xAD\xA5\xE5\x85\xB5|r \xF0\x9F\x97\xA1 12\n}\n",
        {"1 |cff00ff00\xE6\xAD\xA5\xE5\x85\xB5|r \xF0\x9F\x97\xA1 12"});
    row("no line break at the end", "STRING 1\n{\nx\n}", {"1 x"});
    row("only a line \"}\" alone closes", "STRING 1\n{\n{\n} \n }\n}}\n}\n", {"1 {\n} \n }\n}}"});
    row("empty file", "", {});
    row("byte-order mark alone", "\xEF\xBB\xBF", {});
    row("invalid UTF-8 in a text", "STRING 1\n{\nbad \xFF byte \xE4\xB8\n}\n",
        {"1 bad \xEF\xBF\xBD byte \xEF\xBF\xBD\xEF\xBF\xBD"});
    row("a byte-order mark opening a text", "STRING 1\n{\n\xEF\xBB\xBFx\n}\n", {"1 \xEF\xBB\xBFx"});
    row("comments and blanks between blocks and before the brace, blanks after STRING n",
        "// header\n\n  \nSTRING 7 \t\n// A000\n// Tooltip\n\n{\nx\n}\n\n\n", {"7 x"});
    row("a lone CR within a line", "STRING 1\n{\na\rb\n}\n", {"1 a\rb"});
    row("a line ending in CR before CRLF", "STRING 1\r\n{\r\na\r\r\n}\r\n", {"1 a\r"});
    row("NUL bytes", QByteArray("STRING 1\n{\na\0b\n}\n", 17), {QString::fromUtf8("1 a\0b", 5)});
    row("damaged: random bytes", QByteArray("\x00\x01\x02garbage\xFF\n", 12), {"line 1"});
    row("damaged: a block without its }", "STRING 1\n{\nabc\n", {"line 3"});
    row("damaged: a text cut short", "STRING 1\n{\nab", {"line 3"});
    row("damaged: \"} \" closes nothing", "STRING 1\n{\nx\n}\nSTRING 2\n{\ny\n} \n", {"line 8"});
    row("damaged: no { after STRING", "STRING 1\nhello\n}\n", {"line 2"});
    row("damaged: the file ends after STRING", "STRING 1\n", {"line 1"});
    row("damaged: the file ends after {", "STRING 1\r\n{", {"line 2"});
    row("damaged: number too large", "STRING 99999999999\n{\n}\n", {"line 1"});
    row("damaged: STRING without a number", "STRING\n{\n}\n", {"line 1"});
    row("damaged: text between blocks", "STRING 1\n{\nx\n}\nstray\n", {"line 5"});
    row("damaged: a block without STRING", "\xEF\xBB\xBF\n{\n}\n", {"line 2"});
}

void StringTableTest::readsAndWritesBack() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, strings);
    const StringTableRead read = StringTable::read(bytes);
    QStringList found;
    if (!read.table) {
        found << QStringLiteral("line %1").arg(read.line);
        QVERIFY2(read.error.startsWith(found[0] + u':'), qPrintable(read.error));
    }
    for (int i = 0; read.table && i < read.table->count(); ++i) {
        found << QString::number(read.table->entry(i).number) + u' ' + read.table->entry(i).text;
    }
    QCOMPARE(found, strings);
    QCOMPARE(read.table ? read.table->write() : bytes, bytes);
}

void StringTableTest::setTextRewritesOnlyThatText_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");       // set as the first string's
    QTest::addColumn<QByteArray>("written"); // the bytes read: the text is refused
    const auto row = [](const char* name, const QByteArray& bytes, const QString& text,
                        const QByteArray& written) {
        QTest::newRow(name) << bytes << text << written;
    };
    const QByteArray x("STRING 1\n{\nx\n}\n");
    row("new lines in the string's own CRLF, the next string untouched",
        "STRING 1\n{\r\nold\r\n}\nSTRING 2\n{\nx\n}\n", "new\nlines",
        "STRING 1\n{\r\nnew\r\nlines\r\n}\nSTRING 2\n{\nx\n}\n");
    row("no lines yet", "STRING 1\r\n{\r\n}\r\n", "x", "STRING 1\r\n{\r\nx\r\n}\r\n");
    row("invalid bytes away from the edit stay", "STRING 1\n{\nbad \xFF here\n}\n",
        "bad \xEF\xBF\xBD there", "STRING 1\n{\nbad \xFF there\n}\n");
    row("mixed breaks stay", "STRING 1\n{\na\r\nb\n}\n", "a\nB", "STRING 1\n{\na\r\nB\n}\n");
    row("codes around invalid bytes", "STRING 1\n{\n|cffffcc00a\n\xFF\r\nb|cffffcc00\n}\n",
        "|cffffd700a\n\xEF\xBF\xBD\nb|cffffd700",
        "STRING 1\n{\n|cffffd700a\n\xFF\r\nb|cffffd700\n}\n");
    row("braces that close nothing", x, "} \n {\n}}", "STRING 1\n{\n} \n {\n}}\n}\n");
    row("refused: a line } alone", x, "a\n}\nb", x);
    row("refused: a line } and two CR", x, "}\r\r\nb", x);
    row("refused: a lone CR at the end", x, "ends in a lone CR\r", x);
}

void StringTableTest::setTextRewritesOnlyThatText() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QByteArray, written);
    StringTable table = StringTable::read(bytes).table.value();
    QCOMPARE(table.setText(0, text), written != bytes);
    QCOMPARE(table.write(), written);
    QCOMPARE(table.isModified(), written != bytes);
}

void StringTableTest::replaceKeepsSpelling_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from"); // 0xRRGGBB
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("replaced");
    QTest::addColumn<int>("codes");
    const auto row = [](const char* name, const char* text, int from, int to, const char* replaced,
                        int codes) {
        QTest::newRow(name) << QString(text) << from << to << QString(replaced) << codes;
    };
    row("letters keep their case", "|cffFFcc00Gold|r", 0xFFCC00, 0xFFD700, "|cffFFd700Gold|r", 1);
    row("|C and upper-case alpha", "|CFF000000x", 0, 0xABCDEF, "|CFFABCDEFx", 1);
    row("figures become letters in the alpha's case", "|cff000000x", 0, 0xABCDEF, "|cffabcdefx", 1);
    row("nearest letter before, else after", "|c00Ff0000x", 0xFF0000, 0xAABBCC, "|c00Aabbccx", 1);
    row("two codes, any alpha; other colors and cut-short codes untouched",
        "|cffffcc0 |c00FFCC00a|r |cff123456b|r |CffFfCc00c", 0xFFCC00, 0xFFD700,
        "|cffffcc0 |c00FFD700a|r |cff123456b|r |CffFfD700c", 2);
    row("the same color: nothing", "|cffffcc00a", 0xFFCC00, 0xFFCC00, "|cffffcc00a", 0);
}

void StringTableTest::replaceKeepsSpelling() {
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, replaced);
    QFETCH(int, codes);
    int changed = -1;
    QCOMPARE(replaceColorInText(text, rgb(from), rgb(to), &changed), replaced);
    QCOMPARE(changed, codes);
}

void StringTableTest::colorsAreListedAndReplaced() {
    const QByteArray bytes(
        "\xEF\xBB\xBFSTRING 1\r\n// \xE4\xB8\r\n{\r\n|cffFFCC00a|r |CFFffcc00b\r\n"
        "|c00ffcc00c\r\n}\r\nSTRING 2\n{\n|cff0000ffblue|r plain\n}\n"
        "STRING 3\n{\n|CFFFFCC00b|r\n}");
    StringTable table = StringTable::read(bytes).table.value();
    std::vector<std::array<int, 3>> listed; // color, codes, strings
    for (const ColorUse& use : colorsUsed(table)) {
        listed.push_back({use.color, use.codes, use.strings});
    }
    QCOMPARE(listed,
             (std::vector<std::array<int, 3>>{{rgb(0xFFCC00), 4, 2}, {rgb(0x0000FF), 1, 1}}));
    const ColorReplacement replacement = replaceColor(table, rgb(0xFFCC00), rgb(0xFFD700));
    QCOMPARE(replacement.codes, 4);
    applyChanges(table, replacement.changes);
    QCOMPARE(table.write(),
             QByteArray(bytes).replace("FFCC00", "FFD700").replace("ffcc00", "ffd700"));
}

QTEST_APPLESS_MAIN(StringTableTest)
#include "tst_string_table.moc"
