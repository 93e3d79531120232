// SPDX-License-Identifier: MIT
// The picker window driven as a user drives it: sliders, component boxes, Random, Graph,
// auto-copy, the format options, the tab order and the access keys. Every change of the
// current color runs through the real signal cascade of the window's controls.

#include "app/picker_window.h"
#include "picker/color_value_format.h"
#include "picker/leading_number.h"
#include "platform/color_swatch.h"
#include "platform/control_colors.h"
#include "platform/option_button.h"
#include "platform/random_source.h"
#include "support/recording_platform.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTime>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <set>

using namespace hueprint;
using hueprint::testing::RecordingPlatform;

namespace {

bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// The focus arrives as it does by Tab: the box's GotFocus runs.
void enter(QWidget* control) {
    control->setFocus(Qt::TabFocusReason);
}

void type(QWidget* control, char character) {
    QTest::keyClick(control, character);
}

void press(QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(control, key, modifiers);
}

// Puts text on the system clipboard and pastes it into the box over its selection, as the
// box's context menu or Ctrl+V does.
void paste(QLineEdit* box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    box->paste();
}

int red(ColorValue color) {
    return color & 0xFF;
}
int green(ColorValue color) {
    return (color >> 8) & 0xFF;
}
int blue(ColorValue color) {
    return (color >> 16) & 0xFF;
}

ColorValue current(const frmMain& picker) {
    return picker.picCurColor->backColor();
}

QString valueTextOf(const frmMain& picker, ColorValue color) {
    return formatValueText(color, selectedMode(picker.controls()), picker.txtPrefix->text(),
                           picker.txtNumChars->text())
        .text;
}

// Every view shows the current color: sliders, swatch, value text, and the component boxes
// other than a focused one. The color is always a valid one.
void checkInStep(const frmMain& picker) {
    const ColorValue color = current(picker);
    QVERIFY2(color >= kLowestColor && color <= kHighestColor, qPrintable(QString::number(color)));
    for (const QSlider* slider : {picker.sldRed, picker.sldGreen, picker.sldBlue}) {
        QVERIFY(slider->value() >= 0 && slider->value() <= 255);
    }
    QCOMPARE(color,
             rgbColor(picker.sldRed->value(), picker.sldGreen->value(), picker.sldBlue->value()));
    QCOMPARE(picker.txtValue->text(), valueTextOf(picker, color));
    const std::pair<const QLineEdit*, int> boxes[] = {{picker.txtRed, red(color)},
                                                      {picker.txtGreen, green(color)},
                                                      {picker.txtBlue, blue(color)}};
    for (const auto& [box, component] : boxes) {
        // A box keeps what the user typed or pasted until a color comes from elsewhere ("",
        // "2.5", "1E2"); whatever it holds reads as its component.
        if (!box->hasFocus()) {
            QCOMPARE(roundToInt32(LeadingNumber(box->text())), component);
        }
    }
}

#define CHECK_IN_STEP(picker)                                                                      \
    do {                                                                                           \
        checkInStep(picker);                                                                       \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

// Sets the current color as a user would by moving the three sliders.
void setSliders(frmMain& picker, int r, int g, int b) {
    picker.sldRed->setValue(r);
    picker.sldGreen->setValue(g);
    picker.sldBlue->setValue(b);
}

// Sets a text box's text as a user would: enter it, select all, type, leave.
void typeInto(frmMain& picker, QLineEdit* box, const QString& text) {
    enter(box);
    box->selectAll();
    QTest::keyClicks(box, text);
    enter(picker.Command1);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

class PickerWindowTest : public QObject {
    Q_OBJECT
private slots:
    void loadShowsStoredColorInEveryView();

    // Sliders.
    void sliderDragShowsColor();
    void sliderMouseDrag();
    void sliderKeys_data();
    void sliderKeys();

    // Component boxes.
    void typingThreeHundred();
    void backspaceToEmpty();
    void refusedKeys_data();
    void refusedKeys();
    void fourthDigitRefusedByLength();
    void navigationKeysInBoxes();
    void focusSelectsWholeText();
    void pasteIntoComponentBox_data();
    void pasteIntoComponentBox();
    void pasteAnythingAnywhere_data();
    void pasteAnythingAnywhere();
    void colorArrivingWhileBoxIsFocused();

    // Random and Graph.
    void randomScripted_data();
    void randomScripted();
    void randomRealSourceDiffersWithinOneSecond();
    void graphCancelledChangesNothing();
    void graphAcceptedAppliesColor();

    // Auto-copy.
    void autoCopyFollowsTheCascade();
    void autoCopyOff();

    // Format options.
    void modeSwitch();
    void widthAppliesOnFocusOut();
    void emptyWidthBecomesOne();
    void widthRefusedKeys_data();
    void widthRefusedKeys();
    void prefixReformatsAtEachKeystroke();
    void binaryCannotBeChosen();

    // Keyboard order and access keys.
    void tabOrder_data();
    void tabOrder();
    void accessKeysFocus_data();
    void accessKeysFocus();
    void accessKeysActivate();
    void sharedAccessKeysCycle_data();
    void sharedAccessKeysCycle();

    // Speed.
    void opensQuickly();
    void sliderStepCascadeIsQuick();
};

void PickerWindowTest::loadShowsStoredColorInEveryView() {
    RecordingPlatform p;
    p.settings.values.insert(QStringLiteral("Settings/Current Color"), QStringLiteral("8405024"));
    frmMain picker(p.services);
    QCOMPARE(current(picker), 8405024);
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFF204080"));
    QCOMPARE(picker.txtRed->text(), QStringLiteral("32"));
    QCOMPARE(picker.txtGreen->text(), QStringLiteral("64"));
    QCOMPARE(picker.txtBlue->text(), QStringLiteral("128"));
    QCOMPARE(p.clipboard.text, QStringLiteral("|cFF204080"));
    CHECK_IN_STEP(picker);
}

// Green dragged to 128 with red at 255 and blue at 0.
void PickerWindowTest::sliderDragShowsColor() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    picker.sldRed->setValue(255);

    QSignalSpy moved(picker.sldGreen, &QSlider::sliderMoved);
    picker.sldGreen->setSliderDown(true);
    for (int position = 1; position <= 128; position += 9) {
        picker.sldGreen->setSliderPosition(position);
        CHECK_IN_STEP(picker);
    }
    picker.sldGreen->setSliderPosition(128);
    picker.sldGreen->setSliderDown(false);
    QVERIFY(moved.count() > 0);

    QCOMPARE(current(picker), 33023);
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFFFF8000"));
    QCOMPARE(picker.txtRed->text(), QStringLiteral("255"));
    QCOMPARE(picker.txtGreen->text(), QStringLiteral("128"));
    QCOMPARE(picker.txtBlue->text(), QStringLiteral("0"));
    QCOMPARE(p.clipboard.text, QStringLiteral("|cFFFF8000"));
    QCOMPARE(p.beeper.beeps, 0);
    CHECK_IN_STEP(picker);
}

// A real mouse drag of the blue slider's thumb to the far right end.
void PickerWindowTest::sliderMouseDrag() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    QSlider* slider = picker.sldBlue;
    QCOMPARE(slider->value(), 0);
    QSignalSpy moved(slider, &QSlider::sliderMoved);

    const QPoint thumb(4, slider->height() / 2); // the thumb stands at the left end at 0
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, thumb);
    for (int x = 10; x <= slider->width() + 40; x += 10) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, thumb.y()),
                         slider->mapToGlobal(QPointF(x, thumb.y())), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(slider, &move);
    }
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier,
                        QPoint(slider->width() + 40, thumb.y()));

    QVERIFY(moved.count() > 0);
    QCOMPARE(slider->value(), 255);
    QCOMPARE(current(picker), rgbColor(0, 0, 255));
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFF0000FF"));
    CHECK_IN_STEP(picker);
}

void PickerWindowTest::sliderKeys_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");

    QTest::newRow("right +1") << 100 << int(Qt::Key_Right) << 101;
    QTest::newRow("up +1") << 100 << int(Qt::Key_Up) << 101;
    QTest::newRow("left -1") << 100 << int(Qt::Key_Left) << 99;
    QTest::newRow("down -1") << 100 << int(Qt::Key_Down) << 99;
    QTest::newRow("page up +5") << 100 << int(Qt::Key_PageUp) << 105;
    QTest::newRow("page down -5") << 100 << int(Qt::Key_PageDown) << 95;
    QTest::newRow("home") << 100 << int(Qt::Key_Home) << 0;
    QTest::newRow("end") << 100 << int(Qt::Key_End) << 255;
    QTest::newRow("right at 255 stays") << 255 << int(Qt::Key_Right) << 255;
    QTest::newRow("left at 0 stays") << 0 << int(Qt::Key_Left) << 0;
    QTest::newRow("page up near the top") << 253 << int(Qt::Key_PageUp) << 255;
    QTest::newRow("page down near the bottom") << 2 << int(Qt::Key_PageDown) << 0;
}

void PickerWindowTest::sliderKeys() {
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, expected);

    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    setSliders(picker, 10, start, 20);
    enter(picker.sldGreen);
    press(picker.sldGreen, Qt::Key(key));
    QCOMPARE(picker.sldGreen->value(), expected);
    QCOMPARE(current(picker), rgbColor(10, expected, 20));
    QCOMPARE(picker.txtGreen->text(), QString::number(expected));
    CHECK_IN_STEP(picker);
}

// After clearing txtRed, the digits 3, 0, 0: 3 and 30 are taken, 300 beeps and goes back to 30.
void PickerWindowTest::typingThreeHundred() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    setSliders(picker, 200, 128, 64);

    enter(picker.txtRed);
    QCOMPARE(picker.txtRed->selectedText(), QStringLiteral("200"));
    press(picker.txtRed, Qt::Key_Backspace);
    QCOMPARE(picker.txtRed->text(), QString());
    QCOMPARE(picker.sldRed->value(), 0);

    type(picker.txtRed, '3');
    QCOMPARE(picker.txtRed->text(), QStringLiteral("3"));
    QCOMPARE(picker.sldRed->value(), 3);
    QCOMPARE(current(picker), rgbColor(3, 128, 64));
    CHECK_IN_STEP(picker);

    type(picker.txtRed, '0');
    QCOMPARE(picker.txtRed->text(), QStringLiteral("30"));
    QCOMPARE(picker.sldRed->value(), 30);
    QCOMPARE(current(picker), rgbColor(30, 128, 64));
    QCOMPARE(p.beeper.beeps, 0);

    const int clipboardCalls = int(p.clipboard.calls.size());
    type(picker.txtRed, '0');
    QCOMPARE(p.beeper.beeps, 1);
    QCOMPARE(picker.txtRed->text(), QStringLiteral("30"));
    QCOMPARE(picker.sldRed->value(), 30);
    QCOMPARE(current(picker), rgbColor(30, 128, 64));
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFF1E8040"));
    QCOMPARE(int(p.clipboard.calls.size()), clipboardCalls); // nothing else changed
    CHECK_IN_STEP(picker);
}

// Backspace one digit at a time: each text is applied at once; the empty box means 0 and
// stays empty while it has the focus.
void PickerWindowTest::backspaceToEmpty() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    setSliders(picker, 7, 128, 9);

    enter(picker.txtGreen);
    press(picker.txtGreen, Qt::Key_End);
    const QStringList texts = {QStringLiteral("12"), QStringLiteral("1"), QString()};
    const int values[] = {12, 1, 0};
    for (int i = 0; i < 3; ++i) {
        press(picker.txtGreen, Qt::Key_Backspace);
        QCOMPARE(picker.txtGreen->text(), texts[i]);
        QCOMPARE(picker.sldGreen->value(), values[i]);
        QCOMPARE(current(picker), rgbColor(7, values[i], 9));
        CHECK_IN_STEP(picker);
    }
    QCOMPARE(p.beeper.beeps, 0);
    QVERIFY(picker.txtGreen->hasFocus());

    // Leaving the box does not refill it: nothing rewrites a box on focus-out.
    enter(picker.txtBlue);
    QCOMPARE(picker.txtGreen->text(), QString());
    QCOMPARE(current(picker), rgbColor(7, 0, 9));
}

void PickerWindowTest::refusedKeys_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");

    const struct {
        const char* name;
        Qt::Key key;
        const char* text;
    } keys[] = {{"letter a", Qt::Key_A, "a"},      {"letter E", Qt::Key_E, "E"},
                {"minus", Qt::Key_Minus, "-"},     {"plus", Qt::Key_Plus, "+"},
                {"point", Qt::Key_Period, "."},    {"comma", Qt::Key_Comma, ","},
                {"space", Qt::Key_Space, " "},     {"ampersand", Qt::Key_Ampersand, "&"},
                {"enter", Qt::Key_Return, "\r"},   {"keypad enter", Qt::Key_Enter, "\r"},
                {"escape", Qt::Key_Escape, "\x1b"}};
    for (const char* box : {"txtRed", "txtGreen", "txtBlue"}) {
        for (const auto& k : keys) {
            // The row name is built first: gcc 12 at -O3 wrongly reports a format overflow
            // for addRow("%s %s", ...) here.
            const QByteArray row = QByteArray(box) + ' ' + k.name;
            QTest::newRow(row.constData())
                << QString::fromLatin1(box) << int(k.key) << QString::fromLatin1(k.text);
        }
    }
    QTest::newRow("txtRed euro sign")
        << "txtRed" << int(Qt::Key_unknown) << QStringLiteral("\u20AC");
    QTest::newRow("txtRed Arabic-Indic digit")
        << "txtRed" << int(Qt::Key_unknown) << QStringLiteral("\u0663");
}

// A refused key beeps once and changes nothing: text, color, clipboard.
void PickerWindowTest::refusedKeys() {
    QFETCH(QString, box);
    QFETCH(int, key);
    QFETCH(QString, text);

    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    setSliders(picker, 12, 34, 56);
    auto* edit = picker.findChild<QLineEdit*>(box);
    QVERIFY(edit);
    enter(edit);
    press(edit, Qt::Key_End);
    const QString before = edit->text();
    const ColorValue color = current(picker);
    const QStringList clipboardCalls = p.clipboard.calls;
    QSignalSpy returned(edit, &QLineEdit::returnPressed);

    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key(key), text, Qt::NoModifier);
    QCOMPARE(p.beeper.beeps, 1);
    QCOMPARE(edit->text(), before);
    QCOMPARE(current(picker), color);
    QCOMPARE(p.clipboard.calls, clipboardCalls);
    QCOMPARE(returned.count(), 0);
    QVERIFY(edit->hasFocus());
    CHECK_IN_STEP(picker);
}

void PickerWindowTest::fourthDigitRefusedByLength() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    enter(picker.txtRed);
    QTest::keyClicks(picker.txtRed, QStringLiteral("1234"));
    QCOMPARE(picker.txtRed->text(), QStringLiteral("123"));
    QCOMPARE(picker.sldRed->value(), 123);
    QCOMPARE(p.beeper.beeps, 0);
    CHECK_IN_STEP(picker);
}

// Arrows, Home, End, Delete and Tab work in the component boxes and never beep.
void PickerWindowTest::navigationKeysInBoxes() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    setSliders(picker, 123, 45, 6);
    QLineEdit* box = picker.txtRed;
    enter(box);

    press(box, Qt::Key_Home);
    QCOMPARE(box->cursorPosition(), 0);
    press(box, Qt::Key_Right);
    QCOMPARE(box->cursorPosition(), 1);
    press(box, Qt::Key_End);
    QCOMPARE(box->cursorPosition(), 3);
    press(box, Qt::Key_Left);
    QCOMPARE(box->cursorPosition(), 2);
    press(box, Qt::Key_Home, Qt::ShiftModifier);
    QCOMPARE(box->selectedText(), QStringLiteral("12"));
    press(box, Qt::Key_Delete);
    QCOMPARE(box->text(), QStringLiteral("3"));
    QCOMPARE(picker.sldRed->value(), 3);
    QCOMPARE(current(picker), rgbColor(3, 45, 6));

    press(box, Qt::Key_Tab);
    QVERIFY(picker.txtGreen->hasFocus());
    QCOMPARE(picker.txtGreen->selectedText(), QStringLiteral("45"));
    press(picker.txtGreen, Qt::Key_Tab);
    QVERIFY(picker.txtBlue->hasFocus());
    press(picker.txtBlue, Qt::Key_Backtab, Qt::ShiftModifier);
    press(picker.txtGreen, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(box->hasFocus());
    QCOMPARE(box->selectedText(), QStringLiteral("3"));
    QCOMPARE(p.beeper.beeps, 0);
    CHECK_IN_STEP(picker);
}

// Entering a component box by click or Tab, or the value box by Tab, selects the whole text.
void PickerWindowTest::focusSelectsWholeText() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    setSliders(picker, 1, 22, 255);

    QTest::mouseClick(picker.txtBlue, Qt::LeftButton, Qt::NoModifier, QPoint(3, 5));
    QVERIFY(picker.txtBlue->hasFocus());
    QTRY_COMPARE(picker.txtBlue->selectedText(), QStringLiteral("255"));

    enter(picker.Command1);
    press(picker.Command1, Qt::Key_Tab);
    QVERIFY(picker.txtValue->hasFocus());
    QCOMPARE(picker.txtValue->selectedText(), QStringLiteral("|cFF0116FF"));

    // The value box is read-only: typing changes nothing, and nothing there beeps.
    type(picker.txtValue, '7');
    press(picker.txtValue, Qt::Key_Backspace);
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFF0116FF"));
    QCOMPARE(p.beeper.beeps, 0);
}

void PickerWindowTest::pasteIntoComponentBox_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("boxText"); // what the focused box holds afterwards
    QTest::addColumn<int>("component");
    QTest::addColumn<int>("beeps");

    // The box held "7"; a paste replaces it. The box keeps at most 3 characters.
    QTest::newRow("negative") << "-5"
                              << "7" << 7 << 1;
    QTest::newRow("negative exponent overflow") << "-1E400"
                                                << "7" << 7 << 1;
    QTest::newRow("negative fraction") << "-.4"
                                       << "7" << 7 << 1;
    QTest::newRow("minus zero") << "-0"
                                << "-0" << 0 << 0;
    QTest::newRow("exponent 1E2") << "1E2"
                                  << "1E2" << 100 << 0;
    QTest::newRow("exponent 1D2") << "1D2"
                                  << "1D2" << 100 << 0;
    QTest::newRow("exponent 1E3") << "1E3"
                                  << "7" << 7 << 1;
    QTest::newRow("exponent 1E9") << "1E9"
                                  << "7" << 7 << 1;
    QTest::newRow("exponent 1E400, cut to 1E4") << "1E400"
                                                << "7" << 7 << 1;
    QTest::newRow("exponent 9E-1") << "9E-1"
                                   << "9E-" << 9 << 0;
    QTest::newRow("&HF") << "&HF"
                         << "&HF" << 15 << 0;
    QTest::newRow("&HFF, cut to &HF") << "&HFF"
                                      << "&HF" << 15 << 0;
    QTest::newRow("&HFFFFFFFFFFFF, cut") << "&HFFFFFFFFFFFF"
                                         << "&HF" << 15 << 0;
    QTest::newRow("&O7") << "&O7"
                         << "&O7" << 7 << 0;
    QTest::newRow("fraction 2.5 to even") << "2.5"
                                          << "2.5" << 2 << 0;
    QTest::newRow("fraction 3.5 to even") << "3.5"
                                          << "3.5" << 4 << 0;
    QTest::newRow("fraction .5") << ".5"
                                 << ".5" << 0 << 0;
    QTest::newRow("fraction 0.6") << "0.6"
                                  << "0.6" << 1 << 0;
    QTest::newRow("255") << "255"
                         << "255" << 255 << 0;
    QTest::newRow("256") << "256"
                         << "7" << 7 << 1;
    QTest::newRow("999") << "999"
                         << "7" << 7 << 1;
    QTest::newRow("digits then letters") << "25x"
                                         << "25x" << 25 << 0;
    QTest::newRow("blanks around") << " 9 "
                                   << " 9 " << 9 << 0;
    QTest::newRow("letters") << "abc"
                             << "abc" << 0 << 0;
    QTest::newRow("empty") << ""
                           << "" << 0 << 0;
    QTest::newRow("Arabic-Indic digits")
        << QStringLiteral("\u0661\u0662") << "\u0661\u0662" << 0 << 0;
    QTest::newRow("control characters") << "\x01\x1b"
                                        << "\x01\x1b" << 0 << 0;
    QTest::newRow("1 MB of digits, cut to 999") << QString(1 << 20, u'9') << "7" << 7 << 1;
}

// Pasted text is not typed: the key filter does not see it, EditComponent does.
void PickerWindowTest::pasteIntoComponentBox() {
    QFETCH(QString, pasted);
    QFETCH(QString, boxText);
    QFETCH(int, component);
    QFETCH(int, beeps);

    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    const std::pair<QLineEdit*, QSlider*> rows[] = {{picker.txtRed, picker.sldRed},
                                                    {picker.txtGreen, picker.sldGreen},
                                                    {picker.txtBlue, picker.sldBlue}};
    for (const auto& [box, slider] : rows) {
        setSliders(picker, 7, 7, 7);
        p.beeper.beeps = 0;
        enter(box);
        paste(box, pasted);
        QCOMPARE(box->text(), boxText);
        QCOMPARE(slider->value(), component);
        QCOMPARE(p.beeper.beeps, beeps);
        CHECK_IN_STEP(picker);
        enter(picker.Command1);
        CHECK_IN_STEP(picker);
    }
}

void PickerWindowTest::pasteAnythingAnywhere_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("pasted");

    const std::pair<const char*, QString> texts[] = {
        {"-1E400", QStringLiteral("-1E400")},
        {"1E9", QStringLiteral("1E9")},
        {"&HFFFFFFFFFFFF", QStringLiteral("&HFFFFFFFFFFFF")},
        {"-5", QStringLiteral("-5")},
        {"-0.5", QStringLiteral("-0.5")},
        {"0", QStringLiteral("0")},
        {"empty", QString()},
        {"NaN", QStringLiteral("NaN")},
        {"Unicode digits", QStringLiteral("\u0663\u0664\uFF15")},
        {"control characters", QStringLiteral("\x01\x02\x1b\x7f")},
        {"tabs and line feeds", QStringLiteral("\t\n1\n2")},
        {"100 KB of digits", QString(100 * 1024, u'9')},
    };
    for (const char* box :
         {"txtRed", "txtGreen", "txtBlue", "txtNumChars", "txtPrefix", "txtValue"}) {
        for (const auto& [name, text] : texts) {
            const QByteArray row = QByteArray(box) + ' ' + name; // as in refusedKeys_data
            QTest::newRow(row.constData()) << QString::fromLatin1(box) << text;
        }
    }
}

// Any text pasted (Ctrl+V) into any box of the picker: no crash or hang, a valid color, views
// in step.
void PickerWindowTest::pasteAnythingAnywhere() {
    QFETCH(QString, box);
    QFETCH(QString, pasted);

    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    setOptionValue(picker.optDecimal, true); // the width box is in use
    setSliders(picker, 10, 20, 30);
    auto* edit = picker.findChild<QLineEdit*>(box);
    QVERIFY(edit);

    const QString valueBefore = picker.txtValue->text();

    QElapsedTimer timer;
    timer.start();
    enter(edit);
    edit->selectAll();
    QGuiApplication::clipboard()->setText(pasted);
    press(edit, Qt::Key_V, Qt::ControlModifier);
    if (edit == picker.txtValue) {
        QCOMPARE(edit->text(), valueBefore); // read-only: nothing is pasted
    } else if (edit == picker.txtNumChars) {
        QCOMPARE(picker.txtValue->text(), valueBefore); // the width waits for the focus-out
    } else {
        CHECK_IN_STEP(picker);
    }
    enter(picker.Command1); // the width takes effect when its box loses the focus
    QVERIFY(timer.elapsed() < 5000);
    CHECK_IN_STEP(picker);
    QCOMPARE(p.clipboard.text, picker.txtValue->text());
    QVERIFY(picker.txtValue->text().size() <=
            picker.txtPrefix->text().size() + std::max(kMaxValueWidth, 8));
    if (edit == picker.txtNumChars) {
        QVERIFY(LeadingNumber(picker.txtNumChars->text()) != 0);
    }
}

// A color arriving while a component box has the focus (the Graph button pressed without
// taking the focus, as with a keyboard shortcut).
void PickerWindowTest::colorArrivingWhileBoxIsFocused() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    setSliders(picker, 10, 20, 30);
    enter(picker.txtRed);

    // Only the focused component differs: swatch and value text show the new color, the box
    // and its slider keep the old value.
    p.colorDialog.answers.push_back(rgbColor(99, 20, 30));
    picker.cmdPick->click();
    QCOMPARE(current(picker), rgbColor(99, 20, 30));
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFF63141E"));
    QCOMPARE(picker.txtRed->text(), QStringLiteral("10"));
    QCOMPARE(picker.sldRed->value(), 10);

    // Another component differs too: the cascade ends on the slider's value for the focused one.
    p.colorDialog.answers.push_back(rgbColor(99, 50, 30));
    picker.cmdPick->click();
    QCOMPARE(current(picker), rgbColor(10, 50, 30));
    QCOMPARE(picker.txtRed->text(), QStringLiteral("10"));
    QCOMPARE(picker.txtGreen->text(), QStringLiteral("50"));
    QVERIFY(picker.txtRed->hasFocus());
    CHECK_IN_STEP(picker);
}

void PickerWindowTest::randomScripted_data() {
    QTest::addColumn<QList<double>>("numbers");
    QTest::addColumn<ColorValue>("expected");

    const double belowOne = std::nextafter(1.0, 0.0);
    QTest::newRow("zeros give black") << QList<double>{0, 0, 0} << ColorValue{0};
    QTest::newRow("0.99999 gives 254")
        << QList<double>{0.99999, 0.99999, 0.99999} << rgbColor(254, 254, 254);
    QTest::newRow("largest below 1 gives 254")
        << QList<double>{belowOne, belowOne, belowOne} << rgbColor(254, 254, 254);
    QTest::newRow("red, green, blue in order")
        << QList<double>{10.5 / 255, 20.5 / 255, 30.5 / 255} << rgbColor(10, 20, 30);
    QTest::newRow("floor, not round") << QList<double>{0.5, 0.25, 0.999} << rgbColor(127, 63, 254);
    QTest::newRow("just below a whole step")
        << QList<double>{std::nextafter(1.0 / 255, 0.0), 0, 0} << rgbColor(0, 0, 0);
}

void PickerWindowTest::randomScripted() {
    QFETCH(QList<double>, numbers);
    QFETCH(ColorValue, expected);

    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    setSliders(picker, 1, 2, 3);
    p.random.numbers.assign(numbers.begin(), numbers.end());
    QTest::mouseClick(picker.cmdRandom, Qt::LeftButton);
    QCOMPARE(p.random.reseeds, 1); // re-seeded at every press
    QVERIFY(p.random.numbers.empty());
    QCOMPARE(current(picker), expected);
    QCOMPARE(p.clipboard.text, picker.txtValue->text());
    CHECK_IN_STEP(picker);
}

// With the real generator, two presses within the same second give different colors, and no
// component is ever 255.
void PickerWindowTest::randomRealSourceDiffersWithinOneSecond() {
    RecordingPlatform p;
    TimeSeededRandom random;
    PlatformServices services{p.clipboard,   p.messageBox, p.beeper,  p.programExit,
                              p.colorDialog, random,       p.settings};
    frmMain picker(services);
    QVERIFY(showActive(picker));

    bool sameSecond = false;
    for (int attempt = 0; attempt < 5 && !sameSecond; ++attempt) {
        const QTime before = QTime::currentTime();
        QTest::mouseClick(picker.cmdRandom, Qt::LeftButton);
        const ColorValue first = current(picker);
        QTest::mouseClick(picker.cmdRandom, Qt::LeftButton);
        const ColorValue second = current(picker);
        sameSecond = QTime::currentTime().second() == before.second();
        if (sameSecond) {
            QVERIFY2(first != second, qPrintable(QString::number(first)));
        }
    }
    QVERIFY(sameSecond);

    std::set<ColorValue> colors;
    for (int i = 0; i < 300; ++i) {
        picker.cmdRandom->click();
        const ColorValue color = current(picker);
        QVERIFY(red(color) <= 254 && green(color) <= 254 && blue(color) <= 254);
        colors.insert(color);
    }
    QVERIFY2(colors.size() >= 290, qPrintable(QString::number(colors.size())));
    CHECK_IN_STEP(picker);
}

void PickerWindowTest::graphCancelledChangesNothing() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    setSliders(picker, 12, 34, 56);
    const QString value = picker.txtValue->text();
    const QStringList clipboardCalls = p.clipboard.calls;
    const QString boxes = picker.txtRed->text() + picker.txtGreen->text() + picker.txtBlue->text();

    p.colorDialog.answers.push_back(std::nullopt);
    QTest::mouseClick(picker.cmdPick, Qt::LeftButton);
    QCOMPARE(p.colorDialog.titles, QStringList{QStringLiteral("Choose a Color")});
    QCOMPARE(p.colorDialog.initialColors, std::vector<ColorValue>{rgbColor(12, 34, 56)});
    QCOMPARE(current(picker), rgbColor(12, 34, 56));
    QCOMPARE(picker.txtValue->text(), value);
    QCOMPARE(picker.txtRed->text() + picker.txtGreen->text() + picker.txtBlue->text(), boxes);
    QCOMPARE(picker.sldRed->value(), 12);
    QCOMPARE(p.clipboard.calls, clipboardCalls);
    QCOMPARE(p.beeper.beeps, 0);
    QVERIFY(p.messageBox.shown.empty());
}

void PickerWindowTest::graphAcceptedAppliesColor() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    setSliders(picker, 255, 128, 0);

    p.colorDialog.answers.push_back(ColorValue{8405024});
    QTest::mouseClick(picker.cmdPick, Qt::LeftButton);
    QCOMPARE(p.colorDialog.titles, QStringList{QStringLiteral("Choose a Color")});
    QCOMPARE(p.colorDialog.initialColors, std::vector<ColorValue>{33023});
    QCOMPARE(current(picker), 8405024);
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFF204080"));
    QCOMPARE(picker.txtRed->text(), QStringLiteral("32"));
    QCOMPARE(picker.txtGreen->text(), QStringLiteral("64"));
    QCOMPARE(picker.txtBlue->text(), QStringLiteral("128"));
    QCOMPARE(p.clipboard.text, QStringLiteral("|cFF204080"));
    CHECK_IN_STEP(picker);

    // The next press opens the dialog on the color now current.
    p.colorDialog.answers.push_back(std::nullopt);
    QTest::mouseClick(picker.cmdPick, Qt::LeftButton);
    QCOMPARE(p.colorDialog.initialColors.back(), 8405024);
}

// With auto-copy on, one click puts one text on the clipboard, the new color's value text: the
// colors the boxes and sliders pass through on their way are not copied.
void PickerWindowTest::autoCopyFollowsTheCascade() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    QVERIFY(picker.chkAutoCopy->isChecked());
    QCOMPARE(current(picker), 0);
    const qsizetype before = p.clipboard.calls.size();

    p.random.numbers = {10.5 / 255, 20.5 / 255, 30.5 / 255};
    QTest::mouseClick(picker.cmdRandom, Qt::LeftButton);
    QCOMPARE(p.clipboard.calls.mid(before), (QStringList{"clear", "set:|cFF0A141E"}));
    QCOMPARE(p.clipboard.text, QStringLiteral("|cFF0A141E"));
    QCOMPARE(p.clipboard.text, picker.txtValue->text());
}

void PickerWindowTest::autoCopyOff() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    QTest::mouseClick(picker.chkAutoCopy, Qt::LeftButton);
    QVERIFY(!picker.chkAutoCopy->isChecked());
    const QStringList calls = p.clipboard.calls;

    p.random.numbers = {0.5, 0.5, 0.5};
    QTest::mouseClick(picker.cmdRandom, Qt::LeftButton);
    setSliders(picker, 1, 2, 3);
    QTest::mouseClick(picker.optDecimal, Qt::LeftButton);
    QCOMPARE(p.clipboard.calls, calls);

    QTest::mouseClick(picker.chkAutoCopy, Qt::LeftButton); // on again: the next change copies
    picker.sldBlue->setValue(4);
    QCOMPARE(p.clipboard.text, QStringLiteral("|cFF262657"));
}

// Decimal and Hexadecimal: the value text, and the width box's text, state and background.
void PickerWindowTest::modeSwitch() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    QLineEdit* width = picker.txtNumChars;
    QVERIFY(picker.optHex->isChecked());
    QVERIFY(!width->isEnabled());
    QCOMPARE(backColor(width), kSystemButtonFace);
    QCOMPARE(quint32(backColor(width)), 0x8000000Fu);
    setSliders(picker, 255, 128, 0);

    QTest::mouseClick(picker.optDecimal, Qt::LeftButton);
    QVERIFY(picker.optDecimal->isChecked());
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFF033023"));
    QCOMPARE(p.clipboard.text, QStringLiteral("|cFF033023"));
    QVERIFY(width->isEnabled());
    QCOMPARE(quint32(backColor(width)), 0x80000005u);
    QCOMPARE(width->text(), QStringLiteral("6"));

    typeInto(picker, width, QStringLiteral("9"));
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFF000033023"));

    QTest::mouseClick(picker.optHex, Qt::LeftButton);
    QVERIFY(picker.optHex->isChecked());
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFFFF8000"));
    QCOMPARE(p.clipboard.text, QStringLiteral("|cFFFF8000"));
    QCOMPARE(width->text(), QStringLiteral("6")); // the user's width is replaced
    QVERIFY(!width->isEnabled());
    QCOMPARE(quint32(backColor(width)), 0x8000000Fu);

    QTest::mouseClick(picker.optDecimal, Qt::LeftButton);
    QCOMPARE(width->text(), QStringLiteral("6")); // and stays "6"
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFF033023"));

    // Binary (selectable only from the store) treats the width box as Decimal does.
    setOptionValue(picker.optHex, true);
    setOptionValue(picker.optBinary, true);
    QVERIFY(width->isEnabled());
    QCOMPARE(quint32(backColor(width)), 0x80000005u);
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFF1000000011111111"));
    QCOMPARE(width->text(), QStringLiteral("16"));
    CHECK_IN_STEP(picker);
}

// A typed width changes nothing until the focus leaves the box.
void PickerWindowTest::widthAppliesOnFocusOut() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    setSliders(picker, 255, 0, 0);
    QTest::mouseClick(picker.optDecimal, Qt::LeftButton);
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFF000255"));

    QLineEdit* width = picker.txtNumChars;
    enter(width);
    QCOMPARE(width->selectedText(), QStringLiteral("6"));
    const QStringList calls = p.clipboard.calls;
    type(width, '9');
    QCOMPARE(width->text(), QStringLiteral("9"));
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFF000255"));
    type(width, '0');
    QCOMPARE(width->text(), QStringLiteral("90"));
    press(width, Qt::Key_Backspace);
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFF000255"));
    QCOMPARE(p.clipboard.calls, calls);

    press(width, Qt::Key_Tab);
    QVERIFY(!width->hasFocus());
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFF000000255"));
    QCOMPARE(p.clipboard.text, QStringLiteral("|cFF000000255"));

    // Leaving by a click elsewhere applies too.
    enter(width);
    type(width, '4');
    QTest::mouseClick(picker.txtGreen, Qt::LeftButton);
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFF0255"));
    QCOMPARE(p.beeper.beeps, 0);
    CHECK_IN_STEP(picker);
}

// An emptied or zero width beeps and becomes "1", left selected so the next digit replaces it.
void PickerWindowTest::emptyWidthBecomesOne() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    QTest::mouseClick(picker.optDecimal, Qt::LeftButton);
    QLineEdit* width = picker.txtNumChars;
    enter(width);

    press(width, Qt::Key_Backspace);
    QCOMPARE(p.beeper.beeps, 1);
    QCOMPARE(width->text(), QStringLiteral("1"));
    QCOMPARE(width->selectedText(), QStringLiteral("1"));

    type(width, '0'); // "0" over the selected "1"
    QCOMPARE(p.beeper.beeps, 2);
    QCOMPARE(width->text(), QStringLiteral("1"));
    QCOMPARE(width->selectedText(), QStringLiteral("1"));

    type(width, '2');
    QCOMPARE(width->text(), QStringLiteral("2"));
    type(width, '0');
    QCOMPARE(width->text(), QStringLiteral("20"));
    QCOMPARE(p.beeper.beeps, 2);

    // "0" typed over the whole text.
    width->selectAll();
    type(width, '0');
    QCOMPARE(p.beeper.beeps, 3);
    QCOMPARE(width->text(), QStringLiteral("1"));

    press(width, Qt::Key_Tab);
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFF0")); // width 1, black
    CHECK_IN_STEP(picker);
}

void PickerWindowTest::widthRefusedKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::newRow("a") << int(Qt::Key_A) << "a";
    QTest::newRow("minus") << int(Qt::Key_Minus) << "-";
    QTest::newRow("point") << int(Qt::Key_Period) << ".";
    QTest::newRow("E") << int(Qt::Key_E) << "E";
    QTest::newRow("ampersand") << int(Qt::Key_Ampersand) << "&";
    QTest::newRow("space") << int(Qt::Key_Space) << " ";
    QTest::newRow("enter") << int(Qt::Key_Return) << "\r";
}

void PickerWindowTest::widthRefusedKeys() {
    QFETCH(int, key);
    QFETCH(QString, text);

    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    QTest::mouseClick(picker.optDecimal, Qt::LeftButton);
    QLineEdit* width = picker.txtNumChars;
    enter(width);
    press(width, Qt::Key_End);
    QTest::sendKeyEvent(QTest::Click, width, Qt::Key(key), text, Qt::NoModifier);
    QCOMPARE(p.beeper.beeps, 1);
    QCOMPARE(width->text(), QStringLiteral("6"));
}

// Each character typed into the prefix re-formats the value text, and with auto-copy on,
// replaces the clipboard text.
void PickerWindowTest::prefixReformatsAtEachKeystroke() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    setSliders(picker, 255, 128, 0);
    QLineEdit* prefix = picker.txtPrefix;
    enter(prefix);
    QCOMPARE(prefix->selectedText(), QStringLiteral("|cFF"));

    const struct {
        char key;
        const char* value;
    } steps[] = {{'x', "xFF8000"}, {'-', "x-FF8000"}, {'.', "x-.FF8000"}};
    for (const auto& step : steps) {
        type(prefix, step.key);
        QCOMPARE(picker.txtValue->text(), QString::fromLatin1(step.value));
        QCOMPARE(p.clipboard.text, QString::fromLatin1(step.value));
    }
    press(prefix, Qt::Key_Backspace);
    QCOMPARE(picker.txtValue->text(), QStringLiteral("x-FF8000"));
    prefix->selectAll();
    press(prefix, Qt::Key_Backspace);
    QCOMPARE(picker.txtValue->text(), QStringLiteral("FF8000"));
    QCOMPARE(p.clipboard.text, QStringLiteral("FF8000"));
    QCOMPARE(p.beeper.beeps, 0);
    CHECK_IN_STEP(picker);
}

void PickerWindowTest::binaryCannotBeChosen() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    const QString value = picker.txtValue->text();
    QVERIFY(!picker.optBinary->isEnabled());
    QTest::mouseClick(picker.optBinary, Qt::LeftButton);
    press(picker.focusWidget(), Qt::Key_N, Qt::AltModifier);
    QTest::qWait(200);
    QVERIFY(!picker.optBinary->isChecked());
    QVERIFY(picker.optHex->isChecked());
    QCOMPARE(picker.txtValue->text(), value);
}

void PickerWindowTest::tabOrder_data() {
    QTest::addColumn<bool>("decimal");
    QTest::newRow("hexadecimal: width box disabled") << false;
    QTest::newRow("decimal: width box enabled") << true;
}

// Tab visits the controls in their order, from the favorite with index 0 (which has the focus
// when the window shows) to the value box, and wraps around; Shift+Tab goes back. The option
// group is one stop (the toolkit enters it at its first enabled button); the disabled width box
// (Hexadecimal) and "Bi&nary" are passed over.
void PickerWindowTest::tabOrder() {
    QFETCH(bool, decimal);

    RecordingPlatform p;
    frmMain picker(p.services);
    if (decimal) {
        setOptionValue(picker.optDecimal, true);
    }
    QVERIFY(showActive(picker));
    QCOMPARE(picker.focusWidget(), picker.picFavorite[0]);

    QWidget* const optionGroup = nullptr; // stands for any enabled button of the mode group
    std::vector<QWidget*> expected(picker.picFavorite.begin(), picker.picFavorite.end());
    expected.insert(expected.end(),
                    {picker.picCurColor, picker.cmdPick, picker.cmdRandom, picker.txtRed,
                     picker.txtGreen, picker.txtBlue, picker.sldRed, picker.sldGreen,
                     picker.sldBlue, picker.chkAutoCopy, optionGroup, picker.txtPrefix});
    if (decimal) {
        expected.push_back(picker.txtNumChars);
    }
    expected.insert(expected.end(), {picker.Command1, picker.txtValue, picker.picFavorite[0]});

    const auto check = [&](std::size_t step, const char* direction) {
        QWidget* now = QApplication::focusWidget();
        const bool ok = expected[step] == optionGroup
                            ? (now == picker.optDecimal || now == picker.optHex)
                            : now == expected[step];
        QVERIFY2(ok, qPrintable(QStringLiteral("%1 step %2: %3 instead of %4")
                                    .arg(QLatin1String(direction))
                                    .arg(step)
                                    .arg(now ? now->objectName() : QStringLiteral("nothing"),
                                         expected[step] ? expected[step]->objectName()
                                                        : QStringLiteral("an option button"))));
    };
    for (std::size_t i = 1; i < expected.size(); ++i) {
        press(QApplication::focusWidget(), Qt::Key_Tab);
        check(i, "Tab");
        if (QTest::currentTestFailed()) {
            return;
        }
    }
    for (std::size_t i = expected.size() - 1; i-- > 0;) {
        press(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        check(i, "Shift+Tab");
        if (QTest::currentTestFailed()) {
            return;
        }
    }
    QCOMPARE(p.beeper.beeps, 0);
}

void PickerWindowTest::accessKeysFocus_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focused");
    QTest::newRow("Alt+R red") << int(Qt::Key_R) << "txtRed";
    QTest::newRow("Alt+G green") << int(Qt::Key_G) << "txtGreen";
    QTest::newRow("Alt+B blue") << int(Qt::Key_B) << "txtBlue";
    QTest::newRow("Alt+U number of characters") << int(Qt::Key_U) << "txtNumChars";
    QTest::newRow("Alt+V value: wraps to the first control") << int(Qt::Key_V) << "picFavorite";
}

// A label's access key moves the focus to the control after it in tab order; a text box so
// entered selects its whole text.
void PickerWindowTest::accessKeysFocus() {
    QFETCH(int, key);
    QFETCH(QString, focused);

    RecordingPlatform p;
    frmMain picker(p.services);
    setOptionValue(picker.optDecimal, true); // the width box is enabled
    QVERIFY(showActive(picker));
    setSliders(picker, 11, 22, 33);
    enter(picker.Command1);

    press(picker.Command1, Qt::Key(key), Qt::AltModifier);
    QTRY_VERIFY(QApplication::focusWidget() != picker.Command1);
    QWidget* now = QApplication::focusWidget();
    QCOMPARE(now->objectName(), focused);
    if (auto* box = qobject_cast<QLineEdit*>(now)) {
        QCOMPARE(box->selectedText(), box->text());
    }
    QCOMPARE(p.beeper.beeps, 0);
}

// A button's, option's or check box's access key activates it (a moment later, as the
// button shows itself pressed first).
void PickerWindowTest::accessKeysActivate() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QSignalSpy handoffs(&picker, &frmMain::colorAccepted);
    QVERIFY(showActive(picker));
    setSliders(picker, 255, 128, 0);
    enter(picker.txtRed);

    press(picker.txtRed, Qt::Key_D, Qt::AltModifier);
    QTRY_VERIFY(picker.optDecimal->isChecked());
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFF033023"));

    press(QApplication::focusWidget(), Qt::Key_H, Qt::AltModifier);
    QTRY_VERIFY(picker.optHex->isChecked());
    QCOMPARE(picker.txtValue->text(), QStringLiteral("|cFFFF8000"));

    press(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(handoffs.count(), 1);
    QCOMPARE(p.beeper.beeps, 0);
}

void PickerWindowTest::sharedAccessKeysCycle_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("Alt+A: Random and auto-copy") << int(Qt::Key_A) << "cmdRandom"
                                                 << "chkAutoCopy";
    QTest::newRow("Alt+P: Graph and Prefix") << int(Qt::Key_P) << "cmdPick"
                                             << "txtPrefix";
}

// A letter that serves two controls moves the focus between them and activates neither.
void PickerWindowTest::sharedAccessKeysCycle() {
    QFETCH(int, key);
    QFETCH(QString, first);
    QFETCH(QString, second);

    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    enter(picker.txtBlue);
    const ColorValue color = current(picker);

    QSet<QString> reached;
    for (int i = 0; i < 2; ++i) {
        QWidget* before = QApplication::focusWidget();
        press(before, Qt::Key(key), Qt::AltModifier);
        QTRY_VERIFY(QApplication::focusWidget() != before);
        reached.insert(QApplication::focusWidget()->objectName());
    }
    QTest::qWait(200); // no delayed click follows
    QCOMPARE(reached, (QSet<QString>{first, second}));
    QCOMPARE(p.random.reseeds, 0);
    QVERIFY(p.colorDialog.titles.isEmpty());
    QVERIFY(picker.chkAutoCopy->isChecked());
    QCOMPARE(current(picker), color);
}

// A picker opens (is built, loads its settings and shows) in under 50 ms.
void PickerWindowTest::opensQuickly() {
    RecordingPlatform p;
    std::vector<double> times;
    double first = 0;
    for (int i = 0; i < 31; ++i) {
        QElapsedTimer timer;
        timer.start();
        auto* picker = new frmMain(p.services);
        picker->show();
        QCoreApplication::processEvents();
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        if (i == 0) {
            first = ms;
        } else {
            times.push_back(ms);
        }
        delete picker;
    }
    const double med = median(times);
    const double worst = *std::max_element(times.begin(), times.end());
    qInfo("picker opens (construct + load + show + first events): first %.2f ms, median %.2f ms, "
          "worst %.2f ms over %zu runs",
          first, med, worst, times.size());
    QVERIFY2(med < 50.0, qPrintable(QString::number(med)));
    // The first open of a process also sets up the style and fonts; still well within bounds.
    QVERIFY2(first < 200.0, qPrintable(QString::number(first)));
}

// One slider step runs its whole cascade (ApplySliders, ApplyColor, three box writes and their
// EditComponent) in under 1 ms.
void PickerWindowTest::sliderStepCascadeIsQuick() {
    RecordingPlatform p;
    frmMain picker(p.services);
    QVERIFY(showActive(picker));
    enter(picker.sldGreen);
    const int steps = 2000;
    std::vector<double> times;
    times.reserve(steps);
    QSignalSpy applied(picker.txtValue, &QLineEdit::textChanged);
    for (int i = 0; i < steps; ++i) {
        const int key = (i / 255) % 2 == 0 ? Qt::Key_Right : Qt::Key_Left;
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QElapsedTimer timer;
        timer.start();
        QApplication::sendEvent(picker.sldGreen, &event);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    QCOMPARE(applied.count(), steps); // each step applied a new color
    CHECK_IN_STEP(picker);
    const double med = median(times);
    const double worst = *std::max_element(times.begin(), times.end());
    qInfo("slider step cascade (arrow key on sldGreen): median %.4f ms, worst %.4f ms over %d "
          "steps",
          med, worst, steps);
    QVERIFY2(med < 1.0, qPrintable(QString::number(med)));

    // The same in Decimal mode with the widest typed width, for comparison.
    setOptionValue(picker.optDecimal, true);
    picker.txtNumChars->setText(QStringLiteral("9999"));
    times.clear();
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer timer;
        timer.start();
        picker.sldGreen->setValue(i % 2 == 0 ? 10 : 11);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    qInfo("slider step cascade, Decimal with width 9999: median %.4f ms", median(times));
    QVERIFY(median(times) < 10.0);
}

QTEST_MAIN(PickerWindowTest)
#include "tst_picker_window.moc"
