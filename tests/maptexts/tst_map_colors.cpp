// SPDX-License-Identifier: MIT
// The colors of a whole string table: listed by RRGGBB, and replaced with each code keeping
// its spelling.

#include "maptexts/map_colors.h"
#include "maptexts/string_table.h"

#include <QtTest>

using namespace hueprint;

class MapColorsTest : public QObject {
    Q_OBJECT
private slots:
    void replaceKeepsSpelling_data();
    void replaceKeepsSpelling();
    void listsColorsByUse();
    void replacementIsOneUndoableChange();
};

void MapColorsTest::replaceKeepsSpelling_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("replaced");
    QTest::addColumn<int>("codes");

    const int gold = rgbColor(0xFF, 0xCC, 0x00);
    const int paleGold = rgbColor(0xFF, 0xD7, 0x00);
    QTest::newRow("each letter keeps its case")
        << "|cffFFcc00Gold|r" << gold << paleGold << "|cffFFd700Gold|r" << 1;
    QTest::newRow("|C and upper-case alpha")
        << "|CFF000000x" << rgbColor(0, 0, 0) << rgbColor(0xAB, 0xCD, 0xEF) << "|CFFABCDEFx" << 1;
    QTest::newRow("figures become letters in the alpha's case")
        << "|cff000000x" << rgbColor(0, 0, 0) << rgbColor(0xAB, 0xCD, 0xEF) << "|cffabcdefx" << 1;
    QTest::newRow("the nearest letter before, else after")
        << "|c00Ff0000x" << rgbColor(0xFF, 0, 0) << rgbColor(0xAA, 0xBB, 0xCC) << "|c00Aabbccx"
        << 1;
    QTest::newRow("two codes, any alpha; other colors and cut-short codes untouched")
        << "|cffffcc0 |c00FFCC00a|r |cff123456b|r |CffFfCc00c" << gold << paleGold
        << "|cffffcc0 |c00FFD700a|r |cff123456b|r |CffFfD700c" << 2;
    QTest::newRow("the same color: nothing") << "|cffffcc00a" << gold << gold << "|cffffcc00a" << 0;
    QTest::newRow("no code") << "plain ffcc00" << gold << paleGold << "plain ffcc00" << 0;
}

void MapColorsTest::replaceKeepsSpelling() {
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, replaced);
    QFETCH(int, codes);
    int changed = -1;
    QCOMPARE(replaceColorInText(text, from, to, &changed), replaced);
    QCOMPARE(changed, codes);
}

void MapColorsTest::listsColorsByUse() {
    const QByteArray bytes("STRING 1\n{\n|cffFFCC00a|r |CFFffcc00b\n|c00ffcc00c\n}\n"
                           "STRING 2\n{\n|cff0000ffblue|r |c00ffcc00d\n}\nSTRING 3\n{\nplain\n}\n");
    const StringTable table = *StringTable::read(bytes).table;
    const std::vector<ColorUse> colors = colorsUsed(table);
    QCOMPARE(colors.size(), size_t(2));
    QCOMPARE(colors[0].color, rgbColor(0xFF, 0xCC, 0x00));
    QCOMPARE(colors[0].codes, 4);
    QCOMPARE(colors[0].strings, 2);
    QCOMPARE(colors[1].color, rgbColor(0, 0, 0xFF));
    QCOMPARE(colors[1].codes, 1);
    QCOMPARE(colors[1].strings, 1);
}

void MapColorsTest::replacementIsOneUndoableChange() {
    const QByteArray bytes("\xEF\xBB\xBFSTRING 1\r\n// \xE4\xB8\r\n{\r\n|cffffcc00a\r\n}\r\n"
                           "STRING 2\n{\nnone\n}\nSTRING 3\n{\n|CFFFFCC00b|r\n}");
    StringTable table = *StringTable::read(bytes).table;
    const ColorReplacement replacement =
        replaceColor(table, rgbColor(0xFF, 0xCC, 0x00), rgbColor(0xFF, 0xD7, 0x00));
    QCOMPARE(replacement.codes, 2);
    QCOMPARE(replacement.changes.size(), size_t(2));
    applyChanges(table, replacement.changes);
    QCOMPARE(table.write(),
             QByteArray("\xEF\xBB\xBFSTRING 1\r\n// \xE4\xB8\r\n{\r\n|cffffd700a\r\n}\r\n"
                        "STRING 2\n{\nnone\n}\nSTRING 3\n{\n|CFFFFD700b|r\n}"));
    applyChanges(table, replacement.changes, true);
    QVERIFY(!table.isModified());
    QCOMPARE(table.write(), bytes);
}

QTEST_APPLESS_MAIN(MapColorsTest)
#include "tst_map_colors.moc"
