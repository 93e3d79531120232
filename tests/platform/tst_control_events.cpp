// SPDX-License-Identifier: MIT
// ControlEvents: the KeyPress event sees typed characters only and can discard them; editing
// and navigation keys, Tab and shortcuts such as Ctrl+V keep working; GotFocus and LostFocus
// follow the focus moving inside the program.

#include "platform/control_events.h"
#include "support/windows.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>
#include <memory>

using hueprint::ControlEvents;

namespace {

// A window with two boxes; the first has a KeyPress handler that records each code and
// discards it when told to.
struct KeyWindow {
    QWidget window;
    QLineEdit* box = new QLineEdit(&window);
    QLineEdit* next = new QLineEdit(&window);
    QList<int> codes;
    bool discard = false;
    int gotFocus = 0;
    int lostFocus = 0;

    KeyWindow() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(box);
        layout->addWidget(next);
        ControlEvents::onKeyPress(box, [this](int& code) {
            codes << code;
            if (discard) {
                code = 0;
            }
        });
        ControlEvents::onGotFocus(box, [this] { ++gotFocus; });
        ControlEvents::onLostFocus(box, [this] { ++lostFocus; });
    }

    bool showActive() {
        if (!hueprint::testing::showActive(&window)) {
            return false;
        }
        box->setFocus(Qt::OtherFocusReason);
        return box->hasFocus();
    }
};

} // namespace

class ControlEventsTest : public QObject {
    Q_OBJECT
private slots:
    void typedCharacterCode_data();
    void typedCharacterCode();
    void typedCharactersReachHandler_data();
    void typedCharactersReachHandler();
    void zeroCodeDiscardsKey_data();
    void zeroCodeDiscardsKey();
    void editingKeysAreNotFiltered_data();
    void editingKeysAreNotFiltered();
    void tabMovesFocus();
    void ctrlVPastes();
    void focusEvents();
    void oneHandlerObjectPerControl();
};

void ControlEventsTest::typedCharacterCode_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    const int none = Qt::NoModifier;
    QTest::newRow("digit") << int(Qt::Key_5) << none << "5" << int('5');
    QTest::newRow("letter") << int(Qt::Key_A) << none << "a" << int('a');
    QTest::newRow("shifted letter") << int(Qt::Key_A) << int(Qt::ShiftModifier) << "A" << int('A');
    QTest::newRow("keypad digit") << int(Qt::Key_7) << int(Qt::KeypadModifier) << "7" << int('7');
    QTest::newRow("minus") << int(Qt::Key_Minus) << none << "-" << int('-');
    QTest::newRow("point") << int(Qt::Key_Period) << none << "." << int('.');
    QTest::newRow("non-Latin letter")
        << int(Qt::Key_unknown) << none << QStringLiteral("\u20AC") << 0x20AC;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << "\b" << 8;
    QTest::newRow("enter") << int(Qt::Key_Return) << none << "\r" << 13;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << 13;
    QTest::newRow("escape") << int(Qt::Key_Escape) << none << "\x1b" << 27;
    QTest::newRow("tab") << int(Qt::Key_Tab) << none << "\t" << -1;
    QTest::newRow("backtab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << "" << -1;
    QTest::newRow("delete") << int(Qt::Key_Delete) << none << "\x7f" << -1;
    QTest::newRow("left") << int(Qt::Key_Left) << none << "" << -1;
    QTest::newRow("home") << int(Qt::Key_Home) << none << "" << -1;
    QTest::newRow("end") << int(Qt::Key_End) << none << "" << -1;
    QTest::newRow("ctrl+v") << int(Qt::Key_V) << int(Qt::ControlModifier) << "\x16" << -1;
    QTest::newRow("alt+r") << int(Qt::Key_R) << int(Qt::AltModifier) << "r" << -1;
    QTest::newRow("meta+a") << int(Qt::Key_A) << int(Qt::MetaModifier) << "a" << -1;
    QTest::newRow("shift alone") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << "" << -1;
}

void ControlEventsTest::typedCharacterCode() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, expected);
    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QCOMPARE(ControlEvents::typedCharacterCode(event), expected);
}

void ControlEventsTest::typedCharactersReachHandler_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("boxText"); // what the box holds afterwards, starting from "12"

    QTest::newRow("digit") << int(Qt::Key_3) << "3" << int('3') << "123";
    QTest::newRow("letter") << int(Qt::Key_X) << "x" << int('x') << "12x";
    QTest::newRow("minus") << int(Qt::Key_Minus) << "-" << int('-') << "12-";
    QTest::newRow("euro sign") << int(Qt::Key_unknown) << QStringLiteral("\u20AC") << 0x20AC
                               << QStringLiteral("12\u20AC");
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << "\b" << 8 << "1";
    QTest::newRow("enter") << int(Qt::Key_Return) << "\r" << 13 << "12";
    QTest::newRow("escape") << int(Qt::Key_Escape) << "\x1b" << 27 << "12";
}

// With the code left as it is, the key does what it always does.
void ControlEventsTest::typedCharactersReachHandler() {
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, code);
    QFETCH(QString, boxText);

    KeyWindow w;
    QVERIFY(w.showActive());
    w.box->setText(QStringLiteral("12"));
    w.box->end(false);
    QTest::sendKeyEvent(QTest::Click, w.box, Qt::Key(key), text, Qt::NoModifier);
    QCOMPARE(w.codes, QList<int>{code});
    QCOMPARE(w.box->text(), boxText);
}

void ControlEventsTest::zeroCodeDiscardsKey_data() {
    typedCharactersReachHandler_data();
}

// A handler that sets the code to 0 discards the character: the box does not see the key.
void ControlEventsTest::zeroCodeDiscardsKey() {
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, code);

    KeyWindow w;
    QVERIFY(w.showActive());
    w.discard = true;
    w.box->setText(QStringLiteral("12"));
    w.box->end(false);
    QSignalSpy edited(w.box, &QLineEdit::textEdited);
    QSignalSpy returned(w.box, &QLineEdit::returnPressed);
    QTest::sendKeyEvent(QTest::Click, w.box, Qt::Key(key), text, Qt::NoModifier);
    QCOMPARE(w.codes, QList<int>{code});
    QCOMPARE(w.box->text(), QStringLiteral("12"));
    QCOMPARE(edited.count(), 0);
    QCOMPARE(returned.count(), 0);
}

void ControlEventsTest::editingKeysAreNotFiltered_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text"); // box text afterwards, starting from "abc" with the
    QTest::addColumn<int>("cursor");   // cursor after "b"
    QTest::addColumn<QString>("selected");

    const int none = Qt::NoModifier;
    QTest::newRow("left") << int(Qt::Key_Left) << none << "abc" << 1 << "";
    QTest::newRow("right") << int(Qt::Key_Right) << none << "abc" << 3 << "";
    QTest::newRow("home") << int(Qt::Key_Home) << none << "abc" << 0 << "";
    QTest::newRow("end") << int(Qt::Key_End) << none << "abc" << 3 << "";
    QTest::newRow("delete") << int(Qt::Key_Delete) << none << "ab" << 2 << "";
    QTest::newRow("shift+left") << int(Qt::Key_Left) << int(Qt::ShiftModifier) << "abc" << 1 << "b";
    QTest::newRow("shift+home") << int(Qt::Key_Home) << int(Qt::ShiftModifier) << "abc" << 0
                                << "ab";
    QTest::newRow("ctrl+a") << int(Qt::Key_A) << int(Qt::ControlModifier) << "abc" << 3 << "abc";
}

// Even with a handler that discards every character it sees, editing and navigation work.
void ControlEventsTest::editingKeysAreNotFiltered() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, cursor);
    QFETCH(QString, selected);

    KeyWindow w;
    QVERIFY(w.showActive());
    w.discard = true;
    w.box->setText(QStringLiteral("abc"));
    w.box->setCursorPosition(2);
    QTest::keyClick(w.box, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(w.codes.isEmpty());
    QCOMPARE(w.box->text(), text);
    QCOMPARE(w.box->cursorPosition(), cursor);
    QCOMPARE(w.box->selectedText(), selected);
}

void ControlEventsTest::tabMovesFocus() {
    KeyWindow w;
    QVERIFY(w.showActive());
    w.discard = true;
    QTest::keyClick(w.box, Qt::Key_Tab);
    QVERIFY(w.next->hasFocus());
    QTest::keyClick(w.next, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(w.box->hasFocus());
    QVERIFY(w.codes.isEmpty());
}

void ControlEventsTest::ctrlVPastes() {
    KeyWindow w;
    QVERIFY(w.showActive());
    w.discard = true;
    QGuiApplication::clipboard()->setText(QStringLiteral("-1E9"));
    QTest::keyClick(w.box, Qt::Key_V, Qt::ControlModifier);
    QVERIFY(w.codes.isEmpty());
    QCOMPARE(w.box->text(), QStringLiteral("-1E9"));
}

// GotFocus and LostFocus follow the focus moving between controls, not windows.
void ControlEventsTest::focusEvents() {
    KeyWindow w;
    QVERIFY(w.showActive());
    w.gotFocus = 0; // the window's first activation is no GotFocus of the program's making
    w.lostFocus = 0;

    QTest::keyClick(w.box, Qt::Key_Tab);
    QCOMPARE(w.lostFocus, 1);
    QTest::keyClick(w.next, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(w.gotFocus, 1);

    // Another window becoming active, and this one again: no GotFocus or LostFocus.
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QApplication::setActiveWindow(&w.window);
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QVERIFY(w.box->hasFocus());
    QCOMPARE(w.gotFocus, 1);
    QCOMPARE(w.lostFocus, 1);

    // A click brings the focus: GotFocus runs, and again after the release has placed the
    // cursor, so a handler that selects the text keeps its selection.
    ControlEvents::onGotFocus(w.next, [&w] { w.next->selectAll(); });
    w.next->setText(QStringLiteral("255"));
    QTest::mouseClick(w.next, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    QVERIFY(w.next->hasFocus());
    QTRY_COMPARE(w.next->selectedText(), QStringLiteral("255"));
}

// Attaching several events to one control shares one filter; each handler runs once.
void ControlEventsTest::oneHandlerObjectPerControl() {
    QLineEdit box;
    int presses = 0;
    ControlEvents::onKeyPress(&box, [&presses](int&) { ++presses; });
    ControlEvents::onGotFocus(&box, [] {});
    ControlEvents::onLostFocus(&box, [] {});
    QCOMPARE(box.findChildren<ControlEvents*>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
    QTest::keyClick(&box, Qt::Key_1);
    QCOMPARE(presses, 1);
}

QTEST_MAIN(ControlEventsTest)
#include "tst_control_events.moc"
