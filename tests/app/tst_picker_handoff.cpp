// SPDX-License-Identifier: MIT
// The two windows together, assembled as the program assembles them: "C&ustom Color" opens
// the one picker, "&Set This Color" hands its color and value text to the template window and
// unloads it, and every way of unloading the picker saves its settings.

#include "app/picker_host.h"
#include "app/picker_window.h"
#include "app/template_window.h"
#include "platform/color_swatch.h"
#include "platform/control_colors.h"
#include "support/recording_platform.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

using namespace hueprint;
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
    void nextPickerReloadsHandedColor();
    void closingPickerLeavesTemplate();
    void pickerOutlivesTemplateWindow();
    void exitSavesPickerFirst();
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

namespace {

// Ends the program, noting what the store held at that moment.
class SnapshotExit final : public ProgramExit {
public:
    explicit SnapshotExit(MemorySettingsStore& store) : store_(store) {}
    void endProgram() override {
        ++ends;
        storeAtEnd = store_.values;
    }
    int ends = 0;
    QMap<QString, QString> storeAtEnd;

private:
    MemorySettingsStore& store_;
};

} // namespace

// Exit with the picker open: the picker unloads first (its settings are written), then the
// template window, then the program ends, once.
void PickerHandoffTest::exitSavesPickerFirst() {
    RecordingPlatform p;
    SnapshotExit exit(p.settings);
    PlatformServices services{p.clipboard,   p.messageBox, p.beeper,  exit,
                              p.colorDialog, p.random,     p.settings};
    Program program(services);
    QPointer<frmMain> picker = program.customColor();
    picker->sldGreen->setValue(99);
    QVERIFY(p.settings.values.isEmpty());

    QTest::mouseClick(program.form->Command4, Qt::LeftButton);
    QCOMPARE(exit.ends, 1);
    QCOMPARE(exit.storeAtEnd.value(kCurrentColorKey), QString::number(rgbColor(0, 99, 0)));
    QCOMPARE(exit.storeAtEnd.value(QStringLiteral("Settings/Hexadecimal")), QStringLiteral("True"));
    QVERIFY(program.host.picker() == nullptr);
    Program::flushDeletes();
    QVERIFY(picker.isNull());
    QVERIFY(program.form.isNull());
    QCOMPARE(p.programExit.ends, 0);
}

QTEST_MAIN(PickerHandoffTest)
#include "tst_picker_handoff.moc"
