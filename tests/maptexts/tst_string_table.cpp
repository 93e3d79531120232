// SPDX-License-Identifier: MIT
// The string table's reader and writer: files as map makers' tools write them read back to the
// same bytes, damaged ones are refused where reading stopped, and an edit rewrites only the
// text it changes. Its colors: listed by RRGGBB, replaced with each code keeping its spelling.

#include "maptexts/map_colors.h"
#include "maptexts/string_table.h"

#include <QtTest>

using namespace hueprint;

namespace {

StringTable readTable(const QByteArray& bytes) {
    StringTableRead read = StringTable::read(bytes);
    if (!read.table) {
        qFatal("not read: %s", qPrintable(read.error));
    }
    return std::move(*read.table);
}

} // namespace

class StringTableTest : public QObject {
    Q_OBJECT
private slots:
    void readsAndWritesBack_data();
    void readsAndWritesBack();
    void refusesDamagedFiles_data();
    void refusesDamagedFiles();
    void setTextRewritesOnlyThatText_data();
    void setTextRewritesOnlyThatText();
    void theTextReadGivesBackTheBytesRead();
    void refusesATextItCannotHold();
    void replaceKeepsSpelling_data();
    void replaceKeepsSpelling();
    void colorsAreListedAndReplacedInOneUndoableChange();
};

void StringTableTest::readsAndWritesBack_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("numbers"); // in the order of the file
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("byte-order mark, CRLF, comment")
        << QByteArray("\xEF\xBB\xBFSTRING 1\r\n// Units: hfoo (Footman), Name\r\n{\r\nFootman\r\n}"
                      "\r\n\r\nSTRING 2\r\n{\r\n|cffffcc00Gold|r\r\n}\r\n")
        << "1 2" << QStringList{"Footman", "|cffffcc00Gold|r"};
    QTest::newRow("mixed line endings, within a text too")
        << QByteArray("STRING 1\n{\r\nline one\r\nline two\n}\r\nSTRING 2\r\n{\nx\n}\n") << "1 2"
        << QStringList{"line one\nline two", "x"};
    QTest::newRow("zero-padded numbers out of order")
        << QByteArray("STRING 010\n{\nten\n}\nSTRING 002\n{\ntwo\n}\nSTRING 0\n{\nzero\n}\n")
        << "10 2 0" << QStringList{"ten", "two", "zero"};
    QTest::newRow("comment cut inside a character")
        << QByteArray("STRING 1\n// \xE5\x8D\x95\xE4\xBD\n{\nx\n}\n") << "1" << QStringList{"x"};
    QTest::newRow("lines, blank lines, blanks at either end")
        << QByteArray("STRING 1\n{\n\n  indented line  \n\n\ttab\n\n}\n") << "1"
        << QStringList{"\n  indented line  \n\n\ttab\n"};
    QTest::newRow("empty text") << QByteArray("STRING 1\n{\n}\n") << "1" << QStringList{""};
    QTest::newRow("one blank line") << QByteArray("STRING 1\n{\n\n}\n") << "1" << QStringList{""};
    QTest::newRow("CJK") << QByteArray("STRING 1\n// \xE5\x8D\x95\xE4\xBD\x8D\n{\n|cff00ff00"
                                       "\xE6\xAD\xA5\xE5\x85\xB5|r \xF0\x9F\x97\xA1 12\n}\n")
                         << "1"
                         << QStringList{QString::fromUtf8("|cff00ff00\xE6\xAD\xA5\xE5\x85\xB5|r "
                                                          "\xF0\x9F\x97\xA1 12")};
    QTest::newRow("no line break at the end")
        << QByteArray("STRING 1\n{\nx\n}") << "1" << QStringList{"x"};
    QTest::newRow("braces in the text: only a line \"}\" alone closes")
        << QByteArray("STRING 1\n{\n{\n} \n }\n}}\n}\n") << "1" << QStringList{"{\n} \n }\n}}"};
    QTest::newRow("empty file") << QByteArray() << "" << QStringList{};
    QTest::newRow("byte-order mark alone") << QByteArray("\xEF\xBB\xBF") << "" << QStringList{};
    QTest::newRow("invalid UTF-8 in a text")
        << QByteArray("STRING 1\n{\nbad \xFF byte \xE4\xB8\n}\n") << "1"
        << QStringList{QString::fromUtf8("bad \xEF\xBF\xBD byte \xEF\xBF\xBD\xEF\xBF\xBD")};
    QTest::newRow("a byte-order mark opening a text")
        << QByteArray("STRING 1\n{\n\xEF\xBB\xBFx\n}\n") << "1"
        << QStringList{QChar(0xFEFF) + QStringLiteral("x")};
    QTest::newRow("comments and blanks between blocks and before the brace, blanks after STRING n")
        << QByteArray("// header\n\n  \nSTRING 7 \t\n// A000\n// Tooltip\n\n{\nx\n}\n\n\n") << "7"
        << QStringList{"x"};
    QTest::newRow("a lone CR within a line")
        << QByteArray("STRING 1\n{\na\rb\n}\n") << "1" << QStringList{"a\rb"};
    QTest::newRow("a line ending in CR before CRLF")
        << QByteArray("STRING 1\r\n{\r\na\r\r\n}\r\n") << "1" << QStringList{"a\r"};
    QTest::newRow("NUL bytes") << QByteArray("STRING 1\n{\na\0b\n}\n", 17) << "1"
                               << QStringList{QString(QStringLiteral("a") + QChar(0) + u'b')};
}

void StringTableTest::readsAndWritesBack() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, numbers);
    QFETCH(QStringList, texts);
    const StringTableRead read = StringTable::read(bytes);
    QVERIFY2(read.table, qPrintable(read.error));
    QStringList readNumbers;
    QStringList readTexts;
    for (int i = 0; i < read.table->count(); ++i) {
        readNumbers.append(QString::number(read.table->entry(i).number));
        readTexts.append(read.table->entry(i).text);
    }
    QCOMPARE(readNumbers.join(u' '), numbers);
    QCOMPARE(readTexts, texts);
    QCOMPARE(read.table->write(), bytes);
}

void StringTableTest::refusesDamagedFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("line");

    QTest::newRow("random bytes") << QByteArray("\x00\x01\x02garbage\xFF\n", 12) << 1;
    QTest::newRow("a block without its }") << QByteArray("STRING 1\n{\nabc\n") << 3;
    QTest::newRow("a text cut short") << QByteArray("STRING 1\n{\nab") << 3;
    QTest::newRow("} with a blank after it closes nothing")
        << QByteArray("STRING 1\n{\nx\n}\nSTRING 2\n{\ny\n} \n") << 8;
    QTest::newRow("no { after STRING") << QByteArray("STRING 1\nhello\n}\n") << 2;
    QTest::newRow("the file ends after STRING") << QByteArray("STRING 1\n") << 1;
    QTest::newRow("the file ends after {") << QByteArray("STRING 1\r\n{") << 2;
    QTest::newRow("number too large") << QByteArray("STRING 99999999999\n{\n}\n") << 1;
    QTest::newRow("STRING without a number") << QByteArray("STRING\n{\n}\n") << 1;
    QTest::newRow("text between blocks") << QByteArray("STRING 1\n{\nx\n}\nstray\n") << 5;
    QTest::newRow("a block without STRING") << QByteArray("\xEF\xBB\xBF\n{\n}\n") << 2;
}

void StringTableTest::refusesDamagedFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, line);
    const StringTableRead read = StringTable::read(bytes);
    QVERIFY(!read.table);
    QCOMPARE(read.line, line);
    QVERIFY2(read.error.startsWith(QStringLiteral("line %1: ").arg(line)), qPrintable(read.error));
}

void StringTableTest::setTextRewritesOnlyThatText_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("the string's own CRLF for new lines")
        << QByteArray("STRING 1\n{\r\nold\r\n}\nSTRING 2\n{\nx\n}\n") << 0 << "new\nlines"
        << QByteArray("STRING 1\n{\r\nnew\r\nlines\r\n}\nSTRING 2\n{\nx\n}\n");
    QTest::newRow("the second string only")
        << QByteArray("\xEF\xBB\xBFSTRING 1\r\n// c\xE4\r\n{\r\nA\r\n}\r\nSTRING 2\r\n{\r\nB\r\n}")
        << 1 << "B\n\nC"
        << QByteArray("\xEF\xBB\xBFSTRING 1\r\n// c\xE4\r\n{\r\nA\r\n}\r\nSTRING "
                      "2\r\n{\r\nB\r\n\r\nC\r\n}");
    QTest::newRow("a text where there were no lines")
        << QByteArray("STRING 1\n{\n}\n") << 0 << "x" << QByteArray("STRING 1\n{\nx\n}\n");
    QTest::newRow("emptied") << QByteArray("STRING 1\n{\nx\ny\n}\n") << 0 << ""
                             << QByteArray("STRING 1\n{\n\n}\n");
    QTest::newRow("invalid bytes away from the edit stay")
        << QByteArray("STRING 1\n{\nbad \xFF here\n}\n") << 0
        << QString::fromUtf8("bad \xEF\xBF\xBD there")
        << QByteArray("STRING 1\n{\nbad \xFF there\n}\n");
    QTest::newRow("mixed line breaks away from the edit stay")
        << QByteArray("STRING 1\n{\na\r\nb\nc\n}\n") << 0 << "a\nb\nC"
        << QByteArray("STRING 1\n{\na\r\nb\nC\n}\n");
    QTest::newRow("a CJK character changed among others")
        << QByteArray("STRING 1\n{\n\xE6\xAD\xA5\xE5\x85\xB5\n}\n") << 0
        << QString::fromUtf8("\xE6\xAD\xA5\xE4\xBA\xBA")
        << QByteArray("STRING 1\n{\n\xE6\xAD\xA5\xE4\xBA\xBA\n}\n");
    QTest::newRow("two codes' digits, with invalid bytes and a CRLF between")
        << QByteArray("STRING 1\n{\n|cffffcc00a\n\xFF\r\nb|cffffcc00\n}\n") << 0
        << QString::fromUtf8("|cffffd700a\n\xEF\xBF\xBD\nb|cffffd700")
        << QByteArray("STRING 1\n{\n|cffffd700a\n\xFF\r\nb|cffffd700\n}\n");
}

void StringTableTest::setTextRewritesOnlyThatText() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(QByteArray, written);
    StringTable table = readTable(bytes);
    QVERIFY(table.setText(index, text));
    QCOMPARE(table.write(), written);
    QVERIFY(table.isModified());
    // What was written reads back as the text set.
    const StringTable reread = readTable(written);
    QCOMPARE(reread.entry(index).text, table.entry(index).text);
}

void StringTableTest::theTextReadGivesBackTheBytesRead() {
    const QByteArray bytes("STRING 1\n{\nbad \xFF\xFE here\r\nand there\n}\n");
    StringTable table = readTable(bytes);
    const QString read = table.entry(0).text;
    QVERIFY(!table.entry(0).textIsUtf8);
    QVERIFY(table.setText(0, QStringLiteral("replaced")));
    QVERIFY(table.setText(0, read));
    QVERIFY(!table.isModified());
    QCOMPARE(table.write(), bytes);
}

void StringTableTest::refusesATextItCannotHold() {
    const QByteArray bytes("STRING 1\n{\nx\n}\n");
    StringTable table = readTable(bytes);
    QVERIFY(StringTable::canHoldText(QStringLiteral("} \n {\n}}")));
    for (const QString& text :
         {QStringLiteral("a\n}\nb"), QStringLiteral("}"), QStringLiteral("a\n}\r"),
          QStringLiteral("}\r\r\nb"), QStringLiteral("ends in a lone CR\r")}) {
        QVERIFY(!StringTable::canHoldText(text));
        QVERIFY(!table.setText(0, text));
    }
    QCOMPARE(table.write(), bytes);
}

void StringTableTest::replaceKeepsSpelling_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("replaced");
    QTest::addColumn<int>("codes");

    const int gold = rgbColor(0xFF, 0xCC, 0x00);
    const int paleGold = rgbColor(0xFF, 0xD7, 0x00);
    const int black = rgbColor(0, 0, 0);
    const int abcdef = rgbColor(0xAB, 0xCD, 0xEF);
    QTest::newRow("each letter keeps its case")
        << "|cffFFcc00Gold|r" << gold << paleGold << "|cffFFd700Gold|r" << 1;
    QTest::newRow("|C and upper-case alpha")
        << "|CFF000000x" << black << abcdef << "|CFFABCDEFx" << 1;
    QTest::newRow("figures become letters in the alpha's case")
        << "|cff000000x" << black << abcdef << "|cffabcdefx" << 1;
    QTest::newRow("the nearest letter before, else after")
        << "|c00Ff0000x" << rgbColor(0xFF, 0, 0) << rgbColor(0xAA, 0xBB, 0xCC) << "|c00Aabbccx"
        << 1;
    QTest::newRow("two codes, any alpha; other colors and cut-short codes untouched")
        << "|cffffcc0 |c00FFCC00a|r |cff123456b|r |CffFfCc00c" << gold << paleGold
        << "|cffffcc0 |c00FFD700a|r |cff123456b|r |CffFfD700c" << 2;
    QTest::newRow("the same color: nothing") << "|cffffcc00a" << gold << gold << "|cffffcc00a" << 0;
}

void StringTableTest::replaceKeepsSpelling() {
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, replaced);
    QFETCH(int, codes);
    int changed = -1;
    QCOMPARE(replaceColorInText(text, from, to, &changed), replaced);
    QCOMPARE(changed, codes);
}

void StringTableTest::colorsAreListedAndReplacedInOneUndoableChange() {
    const QByteArray bytes(
        "\xEF\xBB\xBFSTRING 1\r\n// \xE4\xB8\r\n{\r\n|cffFFCC00a|r |CFFffcc00b\r\n"
        "|c00ffcc00c\r\n}\r\nSTRING 2\n{\n|cff0000ffblue|r plain\n}\n"
        "STRING 3\n{\n|CFFFFCC00b|r\n}");
    StringTable table = readTable(bytes);
    const std::vector<ColorUse> colors = colorsUsed(table);
    QCOMPARE(colors.size(), size_t(2));
    QCOMPARE(colors[0].color, rgbColor(0xFF, 0xCC, 0x00));
    QCOMPARE(colors[0].codes, 4);
    QCOMPARE(colors[0].strings, 2);
    QCOMPARE(colors[1].color, rgbColor(0, 0, 0xFF));
    QCOMPARE(colors[1].codes, 1);
    QCOMPARE(colors[1].strings, 1);

    const ColorReplacement replacement =
        replaceColor(table, rgbColor(0xFF, 0xCC, 0x00), rgbColor(0xFF, 0xD7, 0x00));
    QCOMPARE(replacement.codes, 4);
    QCOMPARE(replacement.changes.size(), size_t(2));
    applyChanges(table, replacement.changes);
    QByteArray replaced = bytes;
    replaced.replace("FFCC00", "FFD700").replace("ffcc00", "ffd700");
    QCOMPARE(table.write(), replaced);
    applyChanges(table, replacement.changes, true);
    QVERIFY(!table.isModified());
    QCOMPARE(table.write(), bytes);
}

QTEST_APPLESS_MAIN(StringTableTest)
#include "tst_string_table.moc"
