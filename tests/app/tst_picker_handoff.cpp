// SPDX-License-Identifier: MIT
// The two windows together, assembled as the program assembles them: "C&ustom Color" opens
// the one picker, "&Set This Color" hands its color and value text to the template window and
// unloads it, and every way of unloading the picker saves its settings.

#include "app/picker_host.h"
#include "app/picker_window.h"
#include "app/template_window.h"
#include "platform/color_swatch.h"
#include "platform/control_colors.h"
#include "support/awkward_text.h"
#include "support/recording_platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

using namespace hueprint;
using hueprint::testing::clipboardTexts;
using hueprint::testing::MemorySettingsStore;
using hueprint::testing::RecordingPlatform;

namespace {

const QString kCurrentColorKey = QStringLiteral("Settings/Current Color");

// A template window and the picker host, as the program's start-up builds them.
struct Program {
    explicit Program(PlatformServices& services) : host(services) {
        form = new Form1(services, host);
        form->show();
        form->activateWindow();
    }
    ~Program() {
        host.unload();
        delete form.data();
        flushDeletes();
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    static void flushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // "C&ustom Color" clicked.
    frmMain* customColor() {
        QTest::mouseClick(form->Command5, Qt::LeftButton);
        return host.picker();
    }

    PickerHost host;
    QPointer<Form1> form;
};

int pickerWindowCount() {
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<frmMain*>(window) != nullptr) {
            ++count;
        }
    }
    return count;
}

// The template window's state: code, color, result text and result color.
struct TemplateState {
    QString code;
    ColorValue color;
    QString result;
    ColorValue resultColor;
    bool operator==(const TemplateState& other) const {
        return code == other.code && color == other.color && result == other.result &&
               resultColor == other.resultColor;
    }
};

TemplateState templateState(const Form1& form) {
    return {form.Text3->text(), form.Picture49->backColor(), form.Text1->toPlainText(),
            foreColor(form.Text1)};
}

char* toString(const TemplateState& state) {
    return QTest::toString(QStringLiteral("{%1, %2, %3, %4}")
                               .arg(state.code)
                               .arg(state.color)
                               .arg(state.result)
                               .arg(state.resultColor));
}

} // namespace

class PickerHandoffTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<frmMain*>(); }
    void accessKeyOpensThePicker();
    void secondCustomColorKeepsOnePicker();
    void setThisColor_data();
    void setThisColor();
    void awkwardPrefixIsHandedOverVerbatim_data();
    void awkwardPrefixIsHandedOverVerbatim();
    void nextPickerReloadsHandedColor();
    void closingPickerLeavesTemplate();
    void pickerOutlivesTemplateWindow();
    void exitSavesPickerFirst();
    void setThisColorByAccessKeyTakesTypedWidth();
    void accessKeyFocusesThenActivates_data();
    void accessKeyFocusesThenActivates();
    void unloadAppliesWidthStillBeingTyped_data();
    void unloadAppliesWidthStillBeingTyped();
};

// Alt+U in the template window clicks "C&ustom Color": the picker shows, modeless, without an
// owner, and the template window stays usable.
void PickerHandoffTest::accessKeyOpensThePicker() {
    RecordingPlatform p;
    Program program(p.services);
    QVERIFY(QTest::qWaitForWindowActive(program.form));
    QVERIFY(!program.host.picker());

    QTest::keyClick(program.form->focusWidget(), Qt::Key_U, Qt::AltModifier);
    QTRY_VERIFY(program.host.picker() != nullptr);
    frmMain* picker = program.host.picker();
    QVERIFY(picker->isVisible());
    QVERIFY(picker->isWindow());
    QCOMPARE(picker->parentWidget(), nullptr);
    QVERIFY(!picker->isModal());
    QVERIFY(program.form->isEnabled());
    QCOMPARE(pickerWindowCount(), 1);

    // The picker loaded its settings as it opened: an empty store gives black.
    QCOMPARE(picker->txtValue->text(), QStringLiteral("|cFF000000"));
    QCOMPARE(p.clipboard.text, QStringLiteral("|cFF000000"));

    // The template window keeps working alongside.
    QTest::mouseClick(program.form->Picture(10), Qt::LeftButton);
    QCOMPARE(program.form->Text3->text(), QStringLiteral("|cFFFF0000"));
    QVERIFY(program.host.picker() == picker);
}

void PickerHandoffTest::secondCustomColorKeepsOnePicker() {
    RecordingPlatform p;
    Program program(p.services);
    QPointer<frmMain> first = program.customColor();
    QVERIFY(first);
    first->sldGreen->setValue(77); // state that a fresh picker would not have

    QSignalSpy created(&program.host, &PickerHost::pickerCreated);
    frmMain* second = program.customColor();
    QCOMPARE(second, first.data());
    QCOMPARE(created.count(), 0);
    QCOMPARE(pickerWindowCount(), 1);
    QCOMPARE(second->sldGreen->value(), 77);
    QVERIFY(second->isVisible());
    QVERIFY(!p.settings.values.contains(kCurrentColorKey)); // not unloaded in between
}

void PickerHandoffTest::setThisColor_data() {
    QTest::addColumn<bool>("decimal");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addColumn<QString>("code");

    QTest::newRow("hexadecimal, red") << false << 255 << 0 << 0 << "|cFFFF0000";
    QTest::newRow("hexadecimal, 255 128 0") << false << 255 << 128 << 0 << "|cFFFF8000";
    // The value text goes over as it is, prefix and all: no conversion to hexadecimal.
    QTest::newRow("decimal, red") << true << 255 << 0 << 0 << "|cFF000255";
    QTest::newRow("decimal, 32 64 128") << true << 32 << 64 << 128 << "|cFF8405024";
}

// "&Set This Color": Picture49, Text1's fore color and text, and Text3 take the picker's color
// and value text; the picker unloads (saving its settings) and is destroyed.
void PickerHandoffTest::setThisColor() {
    QFETCH(bool, decimal);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QFETCH(QString, code);

    RecordingPlatform p;
    Program program(p.services);
    program.form->Text2->setPlainText(QStringLiteral("Hello"));
    QPointer<frmMain> picker = program.customColor();
    QVERIFY(picker);
    if (decimal) {
        QTest::mouseClick(picker->optDecimal, Qt::LeftButton);
    }
    picker->sldRed->setValue(red);
    picker->sldGreen->setValue(green);
    picker->sldBlue->setValue(blue);
    QCOMPARE(picker->txtValue->text(), code);
    const ColorValue color = rgbColor(red, green, blue);

    QTest::mouseClick(picker->Command1, Qt::LeftButton);
    QCOMPARE(program.form->Text3->text(), code);
    QCOMPARE(program.form->Picture49->backColor(), color);
    QCOMPARE(foreColor(program.form->Text1), color);
    QCOMPARE(program.form->Text1->toPlainText(), code + QStringLiteral("Hello|r"));

    QVERIFY(program.host.picker() == nullptr);
    if (picker) {
        QVERIFY(!picker->isVisible()); // closed; destroyed once deferred deletes run
    }
    Program::flushDeletes();
    QVERIFY(picker.isNull());
    QCOMPARE(pickerWindowCount(), 0);
    QCOMPARE(p.settings.values.value(kCurrentColorKey), QString::number(color));
    QCOMPARE(p.settings.values.value(QStringLiteral("Settings/Decimal")),
             decimal ? QStringLiteral("True") : QStringLiteral("False"));
}

// After "&Set This Color" the next "C&ustom Color" builds a new picker, which restores the
// settings saved at the unload: it shows the color that was handed over.
void PickerHandoffTest::awkwardPrefixIsHandedOverVerbatim_data() {
    testing::addAwkwardTextRows();
}

// A prefix pasted into the picker goes, character for character, into the value text, the
// picker's clipboard copy and the template window's code box; the result box and Copy hold it
// with the result box's line breaks as "\n".
void PickerHandoffTest::awkwardPrefixIsHandedOverVerbatim() {
    QFETCH(QString, text);
    QFETCH(QString, lines);
    RecordingPlatform p;
    Program program(p.services);
    QPointer<frmMain> picker = program.customColor();
    QVERIFY(picker);
    picker->txtPrefix->setFocus();
    picker->txtPrefix->selectAll();
    testing::pasteWithKeyboard(picker->txtPrefix, text);
    const QString value = text + QStringLiteral("000000");
    QCOMPARE(picker->txtPrefix->text(), text);
    QCOMPARE(picker->txtValue->text(), value);
    QCOMPARE(p.clipboard.text, value); // auto-copy

    QTest::mouseClick(picker->Command1, Qt::LeftButton);
    QCOMPARE(program.form->Text3->text(), value);
    const QString markup = lines + QStringLiteral("000000|r");
    QCOMPARE(testing::linesOf(*program.form->Text1), markup);
    QTest::mouseClick(program.form->Command3, Qt::LeftButton);
    QCOMPARE(p.clipboard.text, markup);
}

void PickerHandoffTest::nextPickerReloadsHandedColor() {
    RecordingPlatform p;
    Program program(p.services);
    QPointer<frmMain> first = program.customColor();
    QTest::mouseClick(first->optDecimal, Qt::LeftButton);
    first->sldRed->setValue(32);
    first->sldGreen->setValue(64);
    first->sldBlue->setValue(128);
    first->txtPrefix->setText(QStringLiteral("#"));
    QTest::mouseClick(first->Command1, Qt::LeftButton);
    Program::flushDeletes();
    QVERIFY(first.isNull());
    QCOMPARE(program.form->Text3->text(), QStringLiteral("#8405024"));

    QSignalSpy created(&program.host, &PickerHost::pickerCreated);
    QPointer<frmMain> second = program.customColor();
    QVERIFY(second);
    QCOMPARE(created.count(), 1);
    QCOMPARE(pickerWindowCount(), 1);
    QCOMPARE(second->picCurColor->backColor(), 8405024);
    QCOMPARE(second->sldBlue->value(), 128);
    QCOMPARE(second->txtBlue->text(), QStringLiteral("128"));
    QVERIFY(second->optDecimal->isChecked());
    QCOMPARE(second->txtPrefix->text(), QStringLiteral("#"));
    QCOMPARE(second->txtValue->text(), QStringLiteral("#8405024"));
    QCOMPARE(p.clipboard.text, QStringLiteral("#8405024"));

    // Handing it over again without a change gives the same code.
    QTest::mouseClick(second->Command1, Qt::LeftButton);
    QCOMPARE(program.form->Text3->text(), QStringLiteral("#8405024"));
}

// Closing the picker by its close button hands nothing over, but saves its settings.
void PickerHandoffTest::closingPickerLeavesTemplate() {
    RecordingPlatform p;
    Program program(p.services);
    QTest::mouseClick(program.form->Picture(10), Qt::LeftButton);
    const TemplateState before = templateState(*program.form);

    QPointer<frmMain> picker = program.customColor();
    picker->sldBlue->setValue(200);
    QVERIFY(picker->close());
    Program::flushDeletes();
    QVERIFY(picker.isNull());
    QVERIFY(program.host.picker() == nullptr);
    QCOMPARE(templateState(*program.form), before);
    QCOMPARE(p.settings.values.value(kCurrentColorKey), QString::number(rgbColor(0, 0, 200)));

    // And the next Custom Color opens a fresh one.
    QVERIFY(program.customColor() != nullptr);
    QCOMPARE(program.host.picker()->sldBlue->value(), 200);
}

// Closing the template window leaves an open picker working; "&Set This Color" then only
// unloads the picker.
void PickerHandoffTest::pickerOutlivesTemplateWindow() {
    RecordingPlatform p;
    Program program(p.services);
    QPointer<frmMain> picker = program.customColor();
    QVERIFY(program.form->close());
    Program::flushDeletes();
    QVERIFY(program.form.isNull());
    QVERIFY(picker);
    QVERIFY(picker->isVisible());

    picker->sldRed->setValue(10);
    QCOMPARE(picker->txtValue->text(), QStringLiteral("|cFF0A0000"));
    QCOMPARE(p.clipboard.text, QStringLiteral("|cFF0A0000"));

    QTest::mouseClick(picker->Command1, Qt::LeftButton);
    Program::flushDeletes();
    QVERIFY(picker.isNull());
    QVERIFY(program.host.picker() == nullptr);
    QCOMPARE(p.settings.values.value(kCurrentColorKey), QStringLiteral("10"));
    QCOMPARE(p.programExit.ends, 0);
}

// Exit with the picker open: the picker unloads first (its settings are written), then the
// template window, then the program ends, once.
void PickerHandoffTest::exitSavesPickerFirst() {
    RecordingPlatform p;
    QMap<QString, QString> storeAtEnd;
    p.programExit.atEnd = [&] {
        storeAtEnd = p.settings.values;
    };
    Program program(p.services);
    QPointer<frmMain> picker = program.customColor();
    picker->sldGreen->setValue(99);
    QVERIFY(p.settings.values.isEmpty());

    QTest::mouseClick(program.form->Command4, Qt::LeftButton);
    QCOMPARE(p.programExit.ends, 1);
    QCOMPARE(storeAtEnd.value(kCurrentColorKey), QString::number(rgbColor(0, 99, 0)));
    QCOMPARE(storeAtEnd.value(QStringLiteral("Settings/Hexadecimal")), QStringLiteral("True"));
    QVERIFY(program.host.picker() == nullptr);
    Program::flushDeletes();
    QVERIFY(picker.isNull());
    QVERIFY(program.form.isNull());
}

namespace {

const QString kWidthKey = QStringLiteral("Settings/Number of Characters");

void altKey(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
}

// In the picker: Decimal chosen, the width box entered and "9" typed over its "6", which does
// not take effect before the focus leaves the box.
void typeWidthNine(frmMain* picker) {
    QTest::mouseClick(picker->optDecimal, Qt::LeftButton);
    picker->txtNumChars->setFocus(Qt::TabFocusReason);
    QTest::keyClick(picker->txtNumChars, Qt::Key_9);
    QCOMPARE(picker->txtNumChars->text(), QStringLiteral("9"));
}

} // namespace

// Typed as a user types it: Alt+U opens the picker, Alt+D chooses Decimal, Alt+U enters the
// width box, "9", and Alt+S. The focus leaves the width box before "&Set This Color" clicks,
// so the new width is applied first and the template window gets the nine-digit value text.
void PickerHandoffTest::setThisColorByAccessKeyTakesTypedWidth() {
    RecordingPlatform p;
    Program program(p.services);
    QVERIFY(QTest::qWaitForWindowActive(program.form));
    altKey(Qt::Key_U);
    QTRY_VERIFY(program.host.picker() != nullptr);
    QPointer<frmMain> picker = program.host.picker();
    QVERIFY(QTest::qWaitForWindowActive(picker));
    QCOMPARE(picker->picCurColor->backColor(), 0);

    altKey(Qt::Key_D);
    QTRY_VERIFY(picker->optDecimal->isChecked());
    altKey(Qt::Key_U);
    QTRY_COMPARE(QApplication::focusWidget(), picker->txtNumChars);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_9);
    QCOMPARE(picker->txtNumChars->text(), QStringLiteral("9"));
    QCOMPARE(picker->txtValue->text(), QStringLiteral("|cFF000000"));

    altKey(Qt::Key_S);
    QTRY_COMPARE(program.form->Text3->text(), QStringLiteral("|cFF000000000"));
    QCOMPARE(program.form->Text1->toPlainText(), QStringLiteral("|cFF000000000|r"));
    Program::flushDeletes();
    QVERIFY(picker.isNull());
    QCOMPARE(p.settings.values.value(kWidthKey), QStringLiteral("9"));
    QCOMPARE(p.settings.values.value(QStringLiteral("Settings/Decimal")), QStringLiteral("True"));
}

void PickerHandoffTest::accessKeyFocusesThenActivates_data() {
    QTest::addColumn<bool>("inPicker");
    QTest::addColumn<QString>("from"); // the control that has the focus before the key
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("effect");

    QTest::newRow("Form1 Alt+A About") << false << "Text2" << int(Qt::Key_A) << "Command1"
                                       << "about";
    QTest::newRow("Form1 Alt+E Erase") << false << "Text2" << int(Qt::Key_E) << "Command2"
                                       << "erase";
    QTest::newRow("Form1 Alt+C Copy") << false << "Text2" << int(Qt::Key_C) << "Command3"
                                      << "copy";
    QTest::newRow("Form1 Alt+X Exit") << false << "Text2" << int(Qt::Key_X) << "Command4"
                                      << "exit";
    QTest::newRow("Form1 Alt+U Custom Color") << false << "Text2" << int(Qt::Key_U) << "Command5"
                                              << "picker";
    QTest::newRow("frmMain Alt+S Set This Color")
        << true << "txtNumChars" << int(Qt::Key_S) << "Command1"
        << "handoff";
    QTest::newRow("frmMain Alt+H Hexidecimal")
        << true << "txtNumChars" << int(Qt::Key_H) << "optHex"
        << "hexadecimal";
    QTest::newRow("frmMain Alt+D Decimal") << true << "txtRed" << int(Qt::Key_D) << "optDecimal"
                                           << "decimal";
}

// Every access key that belongs to one button, option or check box of its window moves the
// focus to that control (the control left behind runs its LostFocus) and then activates it.
// ("Gra&ph", "R&andom" and the auto-copy check box share their letters and only move the
// focus; "Bi&nary" is disabled.)
void PickerHandoffTest::accessKeyFocusesThenActivates() {
    QFETCH(bool, inPicker);
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, button);
    QFETCH(QString, effect);

    RecordingPlatform p;
    Program program(p.services);
    QVERIFY(QTest::qWaitForWindowActive(program.form));
    program.form->Text2->setPlainText(QStringLiteral("Hi"));
    QTest::mouseClick(program.form->Picture(10), Qt::LeftButton); // red
    QWidget* window = program.form;
    QPointer<frmMain> picker;
    if (inPicker) {
        picker = program.customColor();
        QVERIFY(QTest::qWaitForWindowActive(picker));
        picker->sldRed->setValue(255);
        if (from == QLatin1String("txtNumChars")) {
            typeWidthNine(picker);
        }
        window = picker;
    }
    auto* start = window->findChild<QWidget*>(from);
    auto* target = window->findChild<QAbstractButton*>(button);
    QVERIFY(start && target);
    start->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), start);
    QString focusedAtPress;
    QObject::connect(target, &QAbstractButton::pressed, target, [&focusedAtPress] {
        QWidget* focused = QApplication::focusWidget();
        focusedAtPress = focused != nullptr ? focused->objectName() : QStringLiteral("nothing");
    });

    QTest::keyClick(start, Qt::Key(key), Qt::AltModifier);
    QTRY_COMPARE(focusedAtPress, button);

    if (effect == QLatin1String("about")) {
        QTRY_COMPARE(p.messageBox.shown.size(), std::size_t{1});
    } else if (effect == QLatin1String("erase")) {
        QTRY_VERIFY(program.form->Text2->toPlainText().isEmpty());
    } else if (effect == QLatin1String("copy")) {
        QTRY_COMPARE(p.clipboard.text, QStringLiteral("|cFFFF0000Hi|r"));
        QCOMPARE(QApplication::focusWidget(), program.form->Text1); // Copy moves it on
    } else if (effect == QLatin1String("exit")) {
        QTRY_COMPARE(p.programExit.ends, 1);
    } else if (effect == QLatin1String("picker")) {
        QTRY_VERIFY(program.host.picker() != nullptr);
        QVERIFY(program.host.picker()->isVisible());
    } else if (effect == QLatin1String("handoff")) {
        // The width box's LostFocus ran first: nine digits.
        QTRY_COMPARE(program.form->Text3->text(), QStringLiteral("|cFF000000255"));
    } else if (effect == QLatin1String("hexadecimal")) {
        QTRY_VERIFY(picker->optHex->isChecked());
        // First the width box's LostFocus re-applied with width 9, then the option.
        const QStringList texts = clipboardTexts(p.clipboard.calls);
        QCOMPARE(texts.mid(texts.size() - 2),
                 (QStringList{QStringLiteral("|cFF000000255"), QStringLiteral("|cFFFF0000")}));
    } else {
        QTRY_VERIFY(picker->optDecimal->isChecked());
        QCOMPARE(picker->txtValue->text(), QStringLiteral("|cFF000255"));
    }
    QCOMPARE(p.beeper.beeps, 0);
}

void PickerHandoffTest::unloadAppliesWidthStillBeingTyped_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("the picker's close button") << "close";
    QTest::newRow("Exit in the template window") << "exit";
    QTest::newRow("the program ending") << "end";
}

// A width typed into the box while the picker goes away takes effect as it goes, once: the
// value text (and, with auto-copy, the clipboard) shows the width that is stored.
void PickerHandoffTest::unloadAppliesWidthStillBeingTyped() {
    QFETCH(QString, way);

    RecordingPlatform p;
    Program program(p.services);
    QPointer<frmMain> picker = program.customColor();
    QVERIFY(QTest::qWaitForWindowActive(picker));
    typeWidthNine(picker);
    QCOMPARE(picker->txtValue->text(), QStringLiteral("|cFF000000"));

    if (way == QLatin1String("close")) {
        QVERIFY(picker->close());
    } else if (way == QLatin1String("exit")) {
        // Going over to the other window is no focus change inside the picker.
        program.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program.form));
        QCOMPARE(picker->txtValue->text(), QStringLiteral("|cFF000000"));
        QTest::mouseClick(program.form->Command4, Qt::LeftButton);
        QCOMPARE(p.programExit.ends, 1);
    } else {
        program.host.unload();
    }
    Program::flushDeletes();
    QVERIFY(picker.isNull());
    QCOMPARE(p.settings.values.value(kWidthKey), QStringLiteral("9"));
    const QStringList clipboard = clipboardTexts(p.clipboard.calls);
    QCOMPARE(clipboard.count(QStringLiteral("|cFF000000000")), 1);
    QCOMPARE(clipboard.last(), QStringLiteral("|cFF000000000"));
}

QTEST_MAIN(PickerHandoffTest)
#include "tst_picker_handoff.moc"
