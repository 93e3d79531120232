// SPDX-License-Identifier: MIT
// The names the swatches announce for their colors.

#include "accessibility/color_names.h"
#include "picker/favorites.h"
#include "template/preset_palette.h"

#include <QSet>
#include <QtTest>

using namespace hueprint;

class ColorNamesTest : public QObject {
    Q_OBJECT
private slots:
    void presetNamesAreShortAndDistinct();
    void namesOfColors_data();
    void namesOfColors();
    void labelIsNameAndCode();
    void everyColorHasAName();
};

void ColorNamesTest::presetNamesAreShortAndDistinct() {
    QSet<QString> seen;
    for (const PresetSwatch& preset : presetPalette()) {
        const QString name = presetColorName(preset.number);
        const auto words = name.split(QLatin1Char(' '), Qt::SkipEmptyParts).size();
        QVERIFY2(words == 1 || words == 2, qPrintable(name));
        QVERIFY2(!seen.contains(name), qPrintable(name));
        seen.insert(name);
        QCOMPARE(colorName(preset.color), name);
    }
    QCOMPARE(seen.size(), kPresetSwatchCount);
    QVERIFY(presetColorName(0).isEmpty());
    QVERIFY(presetColorName(49).isEmpty());
}

void ColorNamesTest::namesOfColors_data() {
    QTest::addColumn<ColorValue>("color");
    QTest::addColumn<QString>("name");
    const auto row = [](int red, int green, int blue, const char* name) {
        QTest::addRow("%d,%d,%d", red, green, blue) << rgbColor(red, green, blue) << name;
    };
    // The favorites' start colors, as a person reads the classic palette.
    const char* const favorites[kFavoriteCount] = {
        "Dark Blue", "Dark Green", "Dark Cyan", "Dark Red", "Purple",
        "Olive",     "Light Gray", "Gray",      "Blue",     "Green",
        "Cyan",      "Red",        "Magenta",   "Yellow",   "White"};
    for (int i = 0; i < kFavoriteCount; ++i) {
        const ColorValue color = defaultFavoriteColors().at(static_cast<std::size_t>(i));
        QTest::addRow("favorite %d", i) << color << favorites[i];
    }
    // Colors off the palette are described by hue, lightness and saturation.
    row(254, 0, 0, "Red");
    row(30, 30, 30, "Black");
    row(128, 128, 130, "Gray");
    row(250, 250, 245, "White");
    row(100, 149, 237, "Light Blue");
    row(139, 69, 19, "Brown");
    row(60, 60, 10, "Dark Olive");
    row(64, 0, 128, "Dark Violet");
    row(40, 10, 10, "Very Dark Red");
    row(90, 110, 90, "Grayish Green");
    row(255, 182, 193, "Pale Red");
    row(255, 0, 100, "Rose");
    row(0, 160, 255, "Sky Blue");
    row(200, 200, 40, "Yellow");
}

void ColorNamesTest::namesOfColors() {
    QFETCH(ColorValue, color);
    QFETCH(QString, name);
    QCOMPARE(colorName(color), name);
}

void ColorNamesTest::labelIsNameAndCode() {
    QCOMPARE(colorLabel(0x000000FF), QStringLiteral("Red, |cFFFF0000"));
    QCOMPARE(colorLabel(0x00404080), QStringLiteral("Reddish Brown, |cFF804040"));
    QCOMPARE(colorLabel(rgbColor(100, 149, 237)), QStringLiteral("Light Blue, |cFF6495ED"));
    // A damaged value is read by the color bits a swatch draws.
    QCOMPARE(colorLabel(0x7F0000FF), QStringLiteral("Red, |cFFFF0000"));
    QCOMPARE(colorLabel(-1), QStringLiteral("White, |cFFFFFFFF"));
}

void ColorNamesTest::everyColorHasAName() {
    for (int red = 0; red < 256; red += 5) {
        for (int green = 0; green < 256; green += 5) {
            for (int blue = 0; blue < 256; blue += 5) {
                QVERIFY(!colorName(rgbColor(red, green, blue)).isEmpty());
            }
        }
    }
}

QTEST_GUILESS_MAIN(ColorNamesTest)
#include "tst_color_names.moc"
