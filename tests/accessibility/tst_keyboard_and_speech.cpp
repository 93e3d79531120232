// SPDX-License-Identifier: MIT
// The whole job without a mouse, listening: the keys that choose and move among the swatches,
// what a screen reader is told after each change of color (once per change), the names that
// read well aloud, and the focus coming back after the color dialog.

#include "accessibility/accessible_labels.h"
#include "accessibility/announcer.h"
#include "app/picker_window.h"
#include "app/template_window.h"
#include "platform/color_dialog.h"
#include "platform/color_swatch.h"
#include "support/template_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QColorDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace hueprint;
using hueprint::testing::TemplateFixture;

namespace {

// Swatches by number: 1 to 49 are Picture1 to Picture49 of the template window; 100 + i is
// the picker's picFavorite(i), 200 its picCurColor.
constexpr int kFavorite = 100;
constexpr int kCurrentColor = 200;

bool activate(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// What a screen reader has been told, once the actions so far have run.
QStringList messages(const QSignalSpy& spy) {
    QCoreApplication::processEvents();
    QStringList list;
    for (const QList<QVariant>& arguments : spy) {
        list << arguments.at(0).toString();
    }
    return list;
}

// A key held down: the press, the repeats the keyboard sends while it is held, the release.
void holdKey(QWidget* target, Qt::Key key, int repeats) {
    const QString text = key == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r");
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    for (int i = 0; i < repeats; ++i) {
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text, true);
        QApplication::sendEvent(target, &release);
        QKeyEvent again(QEvent::KeyPress, key, Qt::NoModifier, text, true);
        QApplication::sendEvent(target, &again);
    }
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

} // namespace

class KeyboardAndSpeechTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void keysOnSwatches_data();
    void keysOnSwatches();
    void heldKeyPressesOnce_data();
    void heldKeyPressesOnce();
    void everySwatchInTurn();
    void everyChangeOfColorIsHeardOnce();
    void namesReadWellAloud();
    void focusReturnsAfterTheColorDialog_data();
    void focusReturnsAfterTheColorDialog();

private:
    frmMain* picker() const { return f_->host->picker(); }
    ColorSwatch* swatch(int number) const;
    std::unique_ptr<TemplateFixture> f_;
    std::unique_ptr<QSignalSpy> chosen_;  // announcements of the template window
    std::unique_ptr<QSignalSpy> current_; // announcements of the picker
};

void KeyboardAndSpeechTest::init() {
    f_ = std::make_unique<TemplateFixture>();
    QVERIFY(f_->showActive());
    QTest::mouseClick(f_->window->Command5, Qt::LeftButton); // "C&ustom Color"
    QVERIFY(picker() != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(picker()));
    chosen_ =
        std::make_unique<QSignalSpy>(f_->window->findChild<Announcer*>(), &Announcer::announced);
    current_ =
        std::make_unique<QSignalSpy>(picker()->findChild<Announcer*>(), &Announcer::announced);
}

void KeyboardAndSpeechTest::cleanup() {
    chosen_.reset();
    current_.reset();
    f_.reset();
}

ColorSwatch* KeyboardAndSpeechTest::swatch(int number) const {
    if (number == kCurrentColor) {
        return picker()->picCurColor;
    }
    if (number >= kFavorite) {
        return picker()->picFavorite.at(static_cast<std::size_t>(number - kFavorite));
    }
    return f_->window->Picture(number);
}

void KeyboardAndSpeechTest::keysOnSwatches_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("focus");
    QTest::addColumn<QString>("heard"); // what a screen reader is told, if anything
    const auto row = [](const char* name, int start, const QList<int>& keys, int focus,
                        const char* heard = "") {
        QTest::newRow(name) << start << keys << focus << QString::fromLatin1(heard);
    };
    // Picture40 ("Blue") stands in column 7, row 4 of the grid.
    row("Space presses", 40, {Qt::Key_Space}, 40, "Chosen color: Blue");
    row("Return presses", 40, {Qt::Key_Return}, 40, "Chosen color: Blue");
    row("Enter presses", 40, {Qt::Key_Enter}, 40, "Chosen color: Blue");
    row("Down", 40, {Qt::Key_Down}, 41);
    row("Up", 40, {Qt::Key_Up}, 39);
    row("Left", 40, {Qt::Key_Left}, 34);
    row("Right", 40, {Qt::Key_Right}, 46);
    row("Down, then Return", 40, {Qt::Key_Down, Qt::Key_Return}, 41, "Chosen color: Light Blue");
    row("Home", 40, {Qt::Key_Home}, 1);
    row("End", 40, {Qt::Key_End}, 48);
    row("Up at the top edge", 1, {Qt::Key_Up}, 1);
    row("Left at the left edge", 1, {Qt::Key_Left}, 1);
    row("Down at the bottom edge", 48, {Qt::Key_Down}, 48);
    row("Right at the right edge", 48, {Qt::Key_Right}, 48);
    row("Tab keeps its order", 40, {Qt::Key_Tab}, 39);
    row("Shift+Tab keeps its order", 40, {Qt::Key_Backtab}, 41);
    row("Tab leaves the grid", 1, {Qt::Key_Tab}, 0);
    row("chosen color: Space", 49, {Qt::Key_Space}, 49);
    row("chosen color: Return", 49, {Qt::Key_Return}, 49);
    row("chosen color: Left", 49, {Qt::Key_Left}, 49);
    // The favorites: index i in column i / 3 + 1, row i % 3 + 1.
    row("favorite: Space", kFavorite + 11, {Qt::Key_Space}, kFavorite + 11, "Current color: Red");
    row("favorite: Return", kFavorite + 11, {Qt::Key_Return}, kFavorite + 11, "Current color: Red");
    row("favorite: Down", kFavorite + 4, {Qt::Key_Down}, kFavorite + 5);
    row("favorite: Right", kFavorite + 4, {Qt::Key_Right}, kFavorite + 7);
    row("favorite: Left at the edge", kFavorite, {Qt::Key_Left}, kFavorite);
    row("favorite: End", kFavorite + 4, {Qt::Key_End}, kFavorite + 14);
    row("favorite: Home", kFavorite + 4, {Qt::Key_Home}, kFavorite);
    row("current color: Space", kCurrentColor, {Qt::Key_Space}, kCurrentColor);
    row("current color: Return", kCurrentColor, {Qt::Key_Return}, kCurrentColor);
    row("current color: Down", kCurrentColor, {Qt::Key_Down}, kCurrentColor);
}

void KeyboardAndSpeechTest::keysOnSwatches() {
    QFETCH(int, start);
    QFETCH(QList<int>, keys);
    QFETCH(int, focus);
    QFETCH(QString, heard);

    ColorSwatch* first = swatch(start);
    QVERIFY(activate(first->window()));
    first->setFocus(Qt::TabFocusReason);
    for (const int key : keys) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
    }
    // Tab from Picture1 leaves the grid for the result box.
    QWidget* expected = focus == 0 ? static_cast<QWidget*>(f_->window->Text1) : swatch(focus);
    QCOMPARE(QApplication::focusWidget(), expected);
    QCOMPARE(messages(*chosen_) + messages(*current_),
             heard.isEmpty() ? QStringList() : QStringList{heard});
}

void KeyboardAndSpeechTest::heldKeyPressesOnce_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Return") << int(Qt::Key_Return);
}

void KeyboardAndSpeechTest::heldKeyPressesOnce() {
    QFETCH(int, key);
    ColorSwatch* red = f_->window->Picture(10);
    red->setFocus(Qt::TabFocusReason);
    QSignalSpy clicks(red, &ColorSwatch::clicked);
    holdKey(red, static_cast<Qt::Key>(key), 20);
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(messages(*chosen_), QStringList{QStringLiteral("Chosen color: Red")});
}

void KeyboardAndSpeechTest::everySwatchInTurn() {
    // In tab order, Picture48 to Picture1: each one another color than the one before.
    QStringList heard;
    for (int n = 48; n >= 1; --n) {
        ColorSwatch* preset = f_->window->Picture(n);
        preset->setFocus(Qt::TabFocusReason);
        QTest::keyClick(preset, Qt::Key_Space);
        QCOMPARE(f_->window->Picture49->backColor(), preset->backColor());
        heard << QStringLiteral("Chosen color: ") + swatchColorName(*preset);
        QCOMPARE(messages(*chosen_), heard);
    }
    QVERIFY(activate(picker()));
    for (int i = 0; i < kFavoriteCount; ++i) {
        ColorSwatch* favorite = swatch(kFavorite + i);
        favorite->setFocus(Qt::TabFocusReason);
        QTest::keyClick(favorite, Qt::Key_Return);
        QCOMPARE(picker()->picCurColor->backColor(), favorite->backColor());
        QCOMPARE(messages(*current_).size(), i + 1);
    }
}

void KeyboardAndSpeechTest::everyChangeOfColorIsHeardOnce() {
    frmMain& p = *picker();
    f_->platform.random.numbers = {0.999, 0.0, 0.0}; // Random makes 254, 0, 0
    f_->platform.colorDialog.answers = {rgbColor(255, 128, 0), std::nullopt};
    // Buttons pressed as the keyboard does: the focus on them, then Space.
    const auto press = [](QPushButton* button) {
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Space);
    };
    struct Action {
        const char* name;
        std::function<void()> run;
        QString heard; // nothing: the color did not change
    };
    const std::vector<Action> actions = {
        {"a favorite", [&] { QTest::mouseClick(p.picFavorite[8], Qt::LeftButton); },
         QStringLiteral("Current color: Blue")},
        {"a slider step",
         [&] {
             p.sldRed->setFocus();
             QTest::keyClick(p.sldRed, Qt::Key_Right);
         },
         QStringLiteral("Current color: Blue")},
        {"a typed component",
         [&] {
             p.txtGreen->setFocus(Qt::TabFocusReason);
             QTest::keyClick(p.txtGreen, Qt::Key_9);
         },
         QStringLiteral("Current color: Blue")},
        {"Random", [&] { press(p.cmdRandom); }, QStringLiteral("Current color: Red")},
        {"Graph", [&] { press(p.cmdPick); }, QStringLiteral("Current color: Orange")},
        {"Graph, cancelled", [&] { press(p.cmdPick); }, QString()},
        {"Set This Color", [&] { press(p.Command1); }, QStringLiteral("Chosen color: Orange")},
    };
    for (const Action& action : actions) {
        chosen_->clear();
        current_->clear();
        action.run();
        QCOMPARE(messages(*chosen_) + messages(*current_),
                 action.heard.isEmpty() ? QStringList() : QStringList{action.heard});
        qInfo("%s: %s", action.name, qPrintable(action.heard));
    }
    // A picker opened afresh says nothing while it loads its color.
    QTest::mouseClick(f_->window->Command5, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(picker()));
    QCOMPARE(picker()->findChild<Announcer*>()->accessibleName(), QString());
}

void KeyboardAndSpeechTest::namesReadWellAloud() {
    Form1& form = *f_->window;
    QCOMPARE(form.Text2->accessibleName(), QStringLiteral("Enter Your Text Here"));
    QCOMPARE(form.Text1->accessibleName(), QStringLiteral("Copy This To Your Map"));
    QCOMPARE(form.Frame2->accessibleName(), QStringLiteral("Select Your Color"));
    QCOMPARE(form.Frame2->title(), QStringLiteral("2)   Select Your Color"));

    // Two windows of one title, told apart by their roles and descriptions.
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(&form);
    QAccessibleInterface* dialog = QAccessible::queryAccessibleInterface(picker());
    QCOMPARE(frame->role(), QAccessible::Window);
    QCOMPARE(dialog->role(), QAccessible::Dialog);
    QCOMPARE(frame->text(QAccessible::Name), dialog->text(QAccessible::Name));
    QVERIFY(!frame->text(QAccessible::Description).isEmpty());
    QVERIFY(frame->text(QAccessible::Description) != dialog->text(QAccessible::Description));

    QCOMPARE(unnumberedCaption(QStringLiteral("3)   Copy This To Your Map")),
             QStringLiteral("Copy This To Your Map"));
    QCOMPARE(unnumberedCaption(QStringLiteral("Options")), QStringLiteral("Options"));
}

void KeyboardAndSpeechTest::focusReturnsAfterTheColorDialog_data() {
    QTest::addColumn<bool>("accept");
    QTest::newRow("OK") << true;
    QTest::newRow("Escape") << false;
}

void KeyboardAndSpeechTest::focusReturnsAfterTheColorDialog() {
    QFETCH(bool, accept);
    QVERIFY(activate(picker()));
    picker()->cmdPick->setFocus(Qt::TabFocusReason);

    // Answers the dialog once it is up; as it closes, a window manager gives the activation to
    // the template window, as openbox does, passing over the picker (a tool window).
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            return;
        }
        answer.stop();
        QObject::connect(dialog, &QDialog::finished, f_->window,
                         [this] { f_->window->activateWindow(); });
        if (accept) {
            dialog->accept();
        } else {
            QTest::keyClick(dialog, Qt::Key_Escape);
        }
    });
    answer.start();
    QtColorDialog colorDialog;
    colorDialog.chooseColor(picker(), QStringLiteral("Choose a Color"), 0);

    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(picker()));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(picker()->cmdPick));
}

QTEST_MAIN(KeyboardAndSpeechTest)
#include "tst_keyboard_and_speech.moc"
