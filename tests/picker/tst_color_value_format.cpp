// SPDX-License-Identifier: MIT
// The value text: the prefix, then the color's digits in the selected mode, and what the
// width box shows afterwards. Checked on the formatter alone and through a real picker window.

#include "app/picker_window.h"
#include "picker/color_value_format.h"
#include "platform/color_swatch.h"
#include "platform/option_button.h"
#include "support/recording_platform.h"

#include <QClipboard>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

using namespace hueprint;
using hueprint::testing::RecordingPlatform;

Q_DECLARE_METATYPE(hueprint::ValueMode)

namespace {

const QString kPrefix = QStringLiteral("|cFF");

// Puts the picker's options in a mode the way the settings load does (the mode handlers run).
void selectMode(frmMain& picker, ValueMode mode) {
    switch (mode) {
    case ValueMode::Decimal:
        setOptionValue(picker.optDecimal, true);
        break;
    case ValueMode::Hexadecimal:
        setOptionValue(picker.optHex, true);
        break;
    case ValueMode::Binary:
        setOptionValue(picker.optBinary, true);
        break;
    case ValueMode::None:
        setOptionValue(picker.optDecimal, false);
        setOptionValue(picker.optHex, false);
        setOptionValue(picker.optBinary, false);
        break;
    }
}

QString ones(int count) {
    return QString(count, u'1');
}

} // namespace

class ColorValueFormatTest : public QObject {
    Q_OBJECT
private slots:
    void formats_data();
    void formats();
    void formatsThroughPicker_data();
    void formatsThroughPicker();
    void raisedWidthPadsLaterColors_data();
    void raisedWidthPadsLaterColors();
    void hexIgnoresWidthBox();
    void colorArgumentIsACopy();
    void veryLargeWidths_data();
    void veryLargeWidths();
    void veryLargeWidthThroughPicker();
};

// Columns shared by the formatter table and the window table.
static void addFormatColumns() {
    QTest::addColumn<int>("color");
    QTest::addColumn<ValueMode>("mode");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("widthAfter");
}

static void addFormatRows() {
    const auto hex = ValueMode::Hexadecimal;
    const auto dec = ValueMode::Decimal;
    const auto bin = ValueMode::Binary;
    const auto none = ValueMode::None;
    const QString six = QStringLiteral("6");

    // The worked values.
    QTest::newRow("hex 0") << 0 << hex << kPrefix << six << "|cFF000000" << six;
    QTest::newRow("hex 33023 (255,128,0)") << 33023 << hex << kPrefix << six << "|cFFFF8000" << six;
    QTest::newRow("hex 658188 (12,11,10)")
        << 658188 << hex << kPrefix << six << "|cFF0C0B0A" << six;
    QTest::newRow("hex 8405024 (32,64,128)")
        << 8405024 << hex << kPrefix << six << "|cFF204080" << six;
    QTest::newRow("dec 255 width 6") << 255 << dec << kPrefix << six << "|cFF000255" << six;
    QTest::newRow("dec 0 width 6") << 0 << dec << kPrefix << six << "|cFF000000" << six;
    QTest::newRow("dec 255 width 10") << 255 << dec << kPrefix << "10"
                                      << "|cFF0000000255"
                                      << "10";
    QTest::newRow("dec 8405024 width 6 raises to 7")
        << 8405024 << dec << kPrefix << six << "|cFF8405024"
        << "7";
    QTest::newRow("dec 16777215 width 6 raises to 8")
        << 16777215 << dec << kPrefix << six << "|cFF16777215"
        << "8";

    // Edge cases.
    QTest::newRow("empty prefix, hex 33023") << 33023 << hex << QString() << six << "FF8000" << six;
    QTest::newRow("empty prefix, dec 255") << 255 << dec << QString() << six << "000255" << six;
    QTest::newRow("hex upper-case letters")
        << 0xABCDEF << hex << kPrefix << six << "|cFFEFCDAB" << six;
    QTest::newRow("hex white") << 16777215 << hex << kPrefix << six << "|cFFFFFFFF" << six;
    QTest::newRow("hex one-digit components padded")
        << rgbColor(1, 2, 3) << hex << kPrefix << six << "|cFF010203" << six;
    QTest::newRow("any prefix text") << 255 << hex << "0x" << six << "0xFF0000" << six;
    QTest::newRow("dec width equal to length") << 255 << dec << kPrefix << "3"
                                               << "|cFF255"
                                               << "3";
    QTest::newRow("dec width 1 raises to 3") << 255 << dec << kPrefix << "1"
                                             << "|cFF255"
                                             << "3";
    QTest::newRow("dec width in exponent form") << 255 << dec << kPrefix << "1E1"
                                                << "|cFF0000000255"
                                                << "1E1";
    QTest::newRow("dec width in &H form") << 255 << dec << kPrefix << "&HA"
                                          << "|cFF0000000255"
                                          << "&HA";
    QTest::newRow("dec width with trailing letters") << 255 << dec << kPrefix << "5x"
                                                     << "|cFF00255"
                                                     << "5x";
    // Width − length is rounded half to even: 3.5 → 4 zeros, 4.5 → 4, 2.5 → 2.
    QTest::newRow("dec width 6.5") << 255 << dec << kPrefix << "6.5"
                                   << "|cFF0000255"
                                   << "6.5";
    QTest::newRow("dec width 7.5") << 255 << dec << kPrefix << "7.5"
                                   << "|cFF0000255"
                                   << "7.5";
    QTest::newRow("dec width 5.5") << 255 << dec << kPrefix << "5.5"
                                   << "|cFF00255"
                                   << "5.5";
    QTest::newRow("dec width 2.9 below length raises") << 255 << dec << kPrefix << "2.9"
                                                       << "|cFF255"
                                                       << "3";
    QTest::newRow("dec negative color keeps its sign")
        << -16777216 << dec << kPrefix << six << "|cFF-16777216"
        << "9";

    // Binary: the binary digits, zero-padded to the width and raising it, as Decimal does.
    QTest::newRow("bin 0 width 6") << 0 << bin << kPrefix << six << "|cFF000000" << six;
    QTest::newRow("bin 5 width 6") << 5 << bin << kPrefix << six << "|cFF000101" << six;
    QTest::newRow("bin 63 width 6") << 63 << bin << kPrefix << six << "|cFF111111" << six;
    QTest::newRow("bin 255 width 6 raises to 8")
        << 255 << bin << kPrefix << six << ("|cFF" + ones(8)) << "8";
    QTest::newRow("bin 33023 raises to 16")
        << 33023 << bin << kPrefix << six << "|cFF1000000011111111"
        << "16";
    QTest::newRow("bin 16777215 raises to 24")
        << 16777215 << bin << kPrefix << six << ("|cFF" + ones(24)) << "24";
    QTest::newRow("bin 255 width 12")
        << 255 << bin << kPrefix << "12" << ("|cFF0000" + ones(8)) << "12";
    QTest::newRow("bin empty prefix") << 2 << bin << QString() << six << "000010" << six;

    // No mode selected: the prefix alone.
    QTest::newRow("none") << 33023 << none << kPrefix << six << "|cFF" << six;
    QTest::newRow("none, empty prefix") << 33023 << none << QString() << six << "" << six;
    QTest::newRow("none, other width") << 255 << none << kPrefix << "10"
                                       << "|cFF"
                                       << "10";
}

void ColorValueFormatTest::formats_data() {
    addFormatColumns();
    addFormatRows();
    // The width box never holds a zero width; the formatter alone still copes with one.
    QTest::newRow("dec width 0 raises to 1") << 0 << ValueMode::Decimal << kPrefix << "0"
                                             << "|cFF0"
                                             << "1";
    QTest::newRow("dec empty width raises to 3") << 255 << ValueMode::Decimal << kPrefix << ""
                                                 << "|cFF255"
                                                 << "3";
}

void ColorValueFormatTest::formats() {
    QFETCH(int, color);
    QFETCH(ValueMode, mode);
    QFETCH(QString, prefix);
    QFETCH(QString, width);
    QFETCH(QString, expected);
    QFETCH(QString, widthAfter);

    const FormattedValue formatted = formatValueText(color, mode, prefix, width);
    QCOMPARE(formatted.text, expected);
    QCOMPARE(formatted.raisedWidth.value_or(width), widthAfter);
    // Only a raise reports a width.
    QCOMPARE(formatted.raisedWidth.has_value(), widthAfter != width);
}

void ColorValueFormatTest::formatsThroughPicker_data() {
    addFormatColumns();
    addFormatRows();
}

// The same table through a picker window: FormatColorValue reads the option buttons, the
// prefix and width boxes, and writes a raised width into the width box.
void ColorValueFormatTest::formatsThroughPicker() {
    QFETCH(int, color);
    QFETCH(ValueMode, mode);
    QFETCH(QString, prefix);
    QFETCH(QString, width);
    QFETCH(QString, expected);
    QFETCH(QString, widthAfter);

    RecordingPlatform p;
    frmMain picker(p.services);
    selectMode(picker, mode);
    picker.txtPrefix->setText(prefix);
    picker.txtNumChars->setText(width);
    QCOMPARE(picker.txtNumChars->text(), width);

    QCOMPARE(FormatColorValue(color, picker.controls()), expected);
    QCOMPARE(picker.txtNumChars->text(), widthAfter);
}

// A raised width stays and pads later, shorter colors to it.
void ColorValueFormatTest::raisedWidthPadsLaterColors_data() {
    QTest::addColumn<ValueMode>("mode");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("decimal") << ValueMode::Decimal
                             << QStringList{"|cFF16777215", "8", "|cFF00000255", "8"};
    QTest::newRow("binary") << ValueMode::Binary
                            << QStringList{"|cFF" + ones(24), "24",
                                           "|cFF" + QString(16, u'0') + ones(8), "24"};
}

void ColorValueFormatTest::raisedWidthPadsLaterColors() {
    QFETCH(ValueMode, mode);
    QFETCH(QStringList, expected);

    RecordingPlatform p;
    frmMain picker(p.services);
    selectMode(picker, mode);
    QCOMPARE(picker.txtNumChars->text(), QStringLiteral("6"));

    QCOMPARE(FormatColorValue(16777215, picker.controls()), expected[0]);
    QCOMPARE(picker.txtNumChars->text(), expected[1]);
    QCOMPARE(FormatColorValue(255, picker.controls()), expected[2]);
    QCOMPARE(picker.txtNumChars->text(), expected[3]);
}

// Hexadecimal output is six digits whatever the width box holds, and the box is left alone.
void ColorValueFormatTest::hexIgnoresWidthBox() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(picker.optHex->isChecked());
    for (const QString& width : {QStringLiteral("1"), QStringLiteral("12"), QStringLiteral("9999"),
                                 QStringLiteral("1E9")}) {
        picker.txtNumChars->setText(width);
        QCOMPARE(FormatColorValue(33023, picker.controls()), QStringLiteral("|cFFFF8000"));
        QCOMPARE(picker.txtNumChars->text(), width);
    }
}

// The formatter works on its copy of the color; the window's current color is not touched.
void ColorValueFormatTest::colorArgumentIsACopy() {
    RecordingPlatform p;
    frmMain picker(p.services);
    const ColorValue before = picker.controls().picCurColor->backColor();
    const QString valueBefore = picker.txtValue->text();
    ColorValue color = 8405024;
    QCOMPARE(FormatColorValue(color, picker.controls()), QStringLiteral("|cFF204080"));
    QCOMPARE(color, 8405024);
    QCOMPARE(picker.controls().picCurColor->backColor(), before);
    QCOMPARE(picker.txtValue->text(), valueBefore);
}

void ColorValueFormatTest::veryLargeWidths_data() {
    QTest::addColumn<ValueMode>("mode");
    QTest::addColumn<QString>("width");
    QTest::addColumn<int>("digits"); // the number of digits after the prefix

    const auto dec = ValueMode::Decimal;
    const auto bin = ValueMode::Binary;
    QTest::newRow("dec 9999, the largest typed width") << dec << "9999" << 9999;
    QTest::newRow("dec 1E9") << dec << "1E9" << kMaxValueWidth;
    QTest::newRow("dec 1D300") << dec << "1D300" << kMaxValueWidth;
    QTest::newRow("dec 1E400 (infinite)") << dec << "1E400" << kMaxValueWidth;
    QTest::newRow("dec &HFFFFFFFFFFFF") << dec << "&HFFFFFFFFFFFF" << kMaxValueWidth;
    QTest::newRow("dec 10000") << dec << "10000" << kMaxValueWidth;
    QTest::newRow("dec 400 digits") << dec << QString(400, u'9') << kMaxValueWidth;
    QTest::newRow("dec 1 MB of digits") << dec << QString(1 << 20, u'9') << kMaxValueWidth;
    QTest::newRow("bin 1E9") << bin << "1E9" << kMaxValueWidth;
    QTest::newRow("bin 1E400") << bin << "1E400" << kMaxValueWidth;
}

// Widths beyond kMaxValueWidth pad to kMaxValueWidth: bounded memory, no hang.
void ColorValueFormatTest::veryLargeWidths() {
    QFETCH(ValueMode, mode);
    QFETCH(QString, width);
    QFETCH(int, digits);

    QElapsedTimer timer;
    timer.start();
    const FormattedValue formatted = formatValueText(255, mode, kPrefix, width);
    QVERIFY(timer.elapsed() < 1000);
    QVERIFY(!formatted.raisedWidth);
    QCOMPARE(formatted.text.size(), kPrefix.size() + digits);
    QVERIFY(formatted.text.startsWith(kPrefix + QStringLiteral("000")));
    const QString tail = mode == ValueMode::Decimal ? QStringLiteral("255") : ones(8);
    QVERIFY(formatted.text.endsWith(QStringLiteral("0") + tail));
}

// A width pasted as "1E9" into the width box of a picker in Decimal mode: the value text is
// bounded, the box keeps what was pasted, and re-applying stays quick.
void ColorValueFormatTest::veryLargeWidthThroughPicker() {
    RecordingPlatform p;
    frmMain picker(p.services);
    selectMode(picker, ValueMode::Decimal);
    picker.txtNumChars->setFocus();
    picker.txtNumChars->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("1E9"));
    picker.txtNumChars->paste();
    QCOMPARE(picker.txtNumChars->text(), QStringLiteral("1E9"));

    QElapsedTimer timer;
    timer.start();
    const QString value = FormatColorValue(255, picker.controls());
    QVERIFY(timer.elapsed() < 1000);
    QCOMPARE(value.size(), kPrefix.size() + kMaxValueWidth);
    QVERIFY(value.endsWith(QStringLiteral("0255")));
    QCOMPARE(picker.txtNumChars->text(), QStringLiteral("1E9"));
}

QTEST_MAIN(ColorValueFormatTest)
#include "tst_color_value_format.moc"
