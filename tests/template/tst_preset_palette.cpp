// SPDX-License-Identifier: MIT
#include "platform/color_swatch.h"
#include "platform/control_colors.h"
#include "support/template_fixture.h"
#include "template/preset_palette.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

using namespace hueprint;

// The 48 preset swatches: each one's place in the grid and in its frame, its code and color,
// and what a click on it does.
class PresetPaletteTest : public QObject {
    Q_OBJECT
private slots:
    void swatch_data();
    void swatch();
    void codeIsPrefixAndRedGreenBlue();
    void swatchesKeepTheirColors();
};

void PresetPaletteTest::swatch_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QPoint>("place"); // in pixels inside the frame
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("color");

    struct Row {
        int number;
        const char* code;
        int color;
    };
    const Row rows[] = {
        {1, "|cFF000000", 0x00000000},  {2, "|cFF404040", 0x00404040},
        {3, "|cFF808080", 0x00808080},  {4, "|cFFC0C0C0", 0x00C0C0C0},
        {5, "|cFFE0E0E0", 0x00E0E0E0},  {6, "|cFFFFFFFF", 0x00FFFFFF},
        {7, "|cFF400000", 0x00000040},  {8, "|cFF800000", 0x00000080},
        {9, "|cFFC00000", 0x000000C0},  {10, "|cFFFF0000", 0x000000FF},
        {11, "|cFFFF8080", 0x008080FF}, {12, "|cFFFFC0C0", 0x00C0C0FF},
        {13, "|cFF804040", 0x00404080}, {14, "|cFF804000", 0x00004080},
        {15, "|cFFC04000", 0x000040C0}, {16, "|cFFFF8000", 0x000080FF},
        {17, "|cFFFFC080", 0x0080C0FF}, {18, "|cFFFFE0C0", 0x00C0E0FF},
        {19, "|cFF404000", 0x00004040}, {20, "|cFF808000", 0x00008080},
        {21, "|cFFC0C000", 0x0000C0C0}, {22, "|cFFFFFF00", 0x0000FFFF},
        {23, "|cFFFFFF80", 0x0080FFFF}, {24, "|cFFFFFFC0", 0x00C0FFFF},
        {25, "|cFF004000", 0x00004000}, {26, "|cFF008000", 0x00008000},
        {27, "|cFF00C000", 0x0000C000}, {28, "|cFF00FF00", 0x0000FF00},
        {29, "|cFF80FF80", 0x0080FF80}, {30, "|cFFC0FFC0", 0x00C0FFC0},
        {31, "|cFF004040", 0x00404000}, {32, "|cFF008080", 0x00808000},
        {33, "|cFF00C0C0", 0x00C0C000}, {34, "|cFF00FFFF", 0x00FFFF00},
        {35, "|cFF80FFFF", 0x00FFFF80}, {36, "|cFFC0FFFF", 0x00FFFFC0},
        {37, "|cFF000040", 0x00400000}, {38, "|cFF000080", 0x00800000},
        {39, "|cFF0000C0", 0x00C00000}, {40, "|cFF0000FF", 0x00FF0000},
        {41, "|cFF8080FF", 0x00FF8080}, {42, "|cFFC0C0FF", 0x00FFC0C0},
        {43, "|cFF400040", 0x00400040}, {44, "|cFF800080", 0x00800080},
        {45, "|cFFC000C0", 0x00C000C0}, {46, "|cFFFF00FF", 0x00FF00FF},
        {47, "|cFFFF80FF", 0x00FF80FF}, {48, "|cFFFFC0FF", 0x00FFC0FF},
    };
    for (const Row& row : rows) {
        const int column = (row.number - 1) / 6 + 1;
        const int gridRow = (row.number - 1) % 6 + 1;
        // Left 120 + 360 (column - 1), Top 240 + 240 (row - 1) twips; 15 twips a pixel.
        const QPoint place(8 + 24 * (column - 1), 16 + 16 * (gridRow - 1));
        QTest::addRow("Picture%d", row.number) << row.number << column << gridRow << place
                                               << QString::fromLatin1(row.code) << row.color;
    }
}

void PresetPaletteTest::swatch() {
    QFETCH(int, number);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QPoint, place);
    QFETCH(QString, code);
    QFETCH(int, color);

    const PresetSwatch& preset = presetPalette().at(static_cast<std::size_t>(number - 1));
    QCOMPARE(preset.number, number);
    QCOMPARE(preset.column(), column);
    QCOMPARE(preset.row(), row);
    QCOMPARE(preset.code(), code);
    QCOMPARE(preset.color, color);

    testing::TemplateFixture f;
    QVERIFY(f.showActive());
    ColorSwatch* swatch = f.window->Picture(number);
    QCOMPARE(swatch->objectName(), QStringLiteral("Picture%1").arg(number));
    QCOMPARE(swatch->parentWidget(), f.window->Frame2);
    QCOMPARE(swatch->pos(), place);
    QCOMPARE(swatch->size(), QSize(25, 17));
    QCOMPARE(swatch->backColor(), color);

    f.window->Text2->setPlainText(QStringLiteral("Hello"));
    QTest::mouseClick(swatch, Qt::LeftButton);
    QCOMPARE(f.window->Text3->text(), code);
    QCOMPARE(f.window->Picture49->backColor(), color);
    QCOMPARE(foreColor(f.window->Text1), color);
    QCOMPARE(f.window->Text1->palette().color(QPalette::Text),
             QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF));
    QCOMPARE(f.window->Text1->toPlainText(), code + QStringLiteral("Hello|r"));
    QCOMPARE(swatch->backColor(), color); // the clicked swatch keeps its color
}

void PresetPaletteTest::codeIsPrefixAndRedGreenBlue() {
    for (const PresetSwatch& preset : presetPalette()) {
        const QString redGreenBlue = QStringLiteral("%1%2%3")
                                         .arg(preset.color & 0xFF, 2, 16, QLatin1Char('0'))
                                         .arg((preset.color >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
                                         .arg((preset.color >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
                                         .toUpper();
        const QString expected = QStringLiteral("|cFF") + redGreenBlue;
        QCOMPARE(preset.code(), expected);
        QCOMPARE(preset.code().size(), 10);
        QVERIFY(isPlainColor(preset.color));
    }
}

void PresetPaletteTest::swatchesKeepTheirColors() {
    testing::TemplateFixture f;
    QVERIFY(f.showActive());
    for (const PresetSwatch& preset : presetPalette()) {
        QTest::mouseClick(f.window->Picture(preset.number), Qt::LeftButton);
    }
    for (const PresetSwatch& preset : presetPalette()) {
        QCOMPARE(f.window->Picture(preset.number)->backColor(), preset.color);
    }
    QCOMPARE(f.window->Picture49->backColor(), presetPalette().back().color);
}

QTEST_MAIN(PresetPaletteTest)
#include "tst_preset_palette.moc"
