// SPDX-License-Identifier: MIT
#include "app/picker_window.h"
#include "platform/color_swatch.h"
#include "platform/control_colors.h"
#include "platform/twips.h"
#include "support/awkward_text.h"
#include "support/template_fixture.h"
#include "template/template_commands.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace hueprint;
using hueprint::testing::TemplateFixture;

// The template window as the user meets it: its layout, composing, the commands and the keys.
class TemplateWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void windowIsFixedSizeWithCloseButtonOnly();
    void controlsStandWhereDesigned_data();
    void controlsStandWhereDesigned();
    void captionsFitTheirControls();
    void startsEmptyBlackWithFocusInHiddenCodeBox();
    void tabOrderRunsFromCodeBoxToCustomColor();

    void composesCodeTextAndClosingMark_data();
    void composesCodeTextAndClosingMark();
    void typingDoesNotRecompose();
    void secondSwatchReplacesFirst();
    void eraseKeepsCodeAndColor();
    void copyPutsTheResultOnTheClipboard();
    void copyTakesWhatTheUserTypedIntoTheResult();
    void copyAfterEraseCopiesEmptyText();
    void awkwardTextReachesResultAndClipboard_data();
    void awkwardTextReachesResultAndClipboard();
    void typedLineBreaksAreLineFeeds_data();
    void typedLineBreaksAreLineFeeds();
    void aboutShowsTheMessageBox();
    void accessKeysRunTheCommands_data();
    void accessKeysRunTheCommands();
    void exitUnloadsAndEnds();
    void megabyteOfTextComposesQuickly();

private:
    std::unique_ptr<TemplateFixture> f_;
    Form1* w() { return f_->window; }
};

void TemplateWindowTest::init() {
    f_ = std::make_unique<TemplateFixture>();
    QVERIFY(f_->showActive());
}

void TemplateWindowTest::cleanup() {
    f_.reset();
}

void TemplateWindowTest::windowIsFixedSizeWithCloseButtonOnly() {
    QCOMPARE(w()->objectName(), QStringLiteral("Form1"));
    QCOMPARE(w()->windowTitle(), QStringLiteral("Hueprint For WarCraft 3 Colored Text"));
    QCOMPARE(w()->size(), QSize(379, 409));
    QCOMPARE(w()->minimumSize(), w()->maximumSize());
    const Qt::WindowFlags flags = w()->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(w()->windowType(), Qt::Window); // a main window: it is in the taskbar
    QVERIFY(!w()->windowIcon().isNull());
}

void TemplateWindowTest::controlsStandWhereDesigned_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");

    const auto row = [](const char* name, const char* container, const char* caption, int left,
                        int top, int width, int height) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(container)
                            << QString::fromLatin1(caption) << QRect(left, top, width, height);
    };
    row("Command1", "Form1", "&About", 3020, 5640, 1095, 375);
    row("Frame3", "Form1", "3)   Copy This To Your Map", 120, 3840, 5415, 1695);
    row("Text1", "Frame3", "", 120, 240, 5175, 1335);
    row("Frame2", "Form1", "2)   Select Your Color", 120, 1920, 5415, 1815);
    row("Command5", "Frame2", "C&ustom Color", 3480, 1320, 1335, 375);
    row("Picture49", "Frame2", "", 3120, 240, 2055, 975);
    row("Frame1", "Form1", "1)   Enter Your Text Here", 120, 120, 5415, 1695);
    row("Text2", "Frame1", "", 120, 240, 5175, 1335);
    row("Command4", "Form1", "E&xit", 4440, 5640, 1095, 375);
    row("Command3", "Form1", "&Copy", 240, 5640, 1095, 375);
    row("Command2", "Form1", "&Erase", 1610, 5640, 1095, 375);
    row("Text3", "Form1", "", 6120, 360, 1215, 285);
}

void TemplateWindowTest::controlsStandWhereDesigned() {
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);

    auto* control = w()->findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->parentWidget()->objectName(), container);
    QCOMPARE(control->geometry(),
             rectFromTwips(twips.x(), twips.y(), twips.width(), twips.height()));
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        QCOMPARE(button->text(), caption);
    } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        QCOMPARE(frame->title(), caption);
    }
}

void TemplateWindowTest::captionsFitTheirControls() {
    // The design font's substitute must not clip a caption or frame title.
    const auto visibleText = [](QString caption) {
        return caption.remove(QLatin1Char('&'));
    };
    for (QPushButton* button : w()->findChildren<QPushButton*>()) {
        const int needed = button->fontMetrics().horizontalAdvance(visibleText(button->text()));
        QVERIFY2(needed + 8 <= button->width(), qPrintable(button->text()));
    }
    for (QGroupBox* frame : w()->findChildren<QGroupBox*>()) {
        const int needed = frame->fontMetrics().horizontalAdvance(frame->title());
        QVERIFY2(needed + 16 <= frame->width(), qPrintable(frame->title()));
    }
}

void TemplateWindowTest::startsEmptyBlackWithFocusInHiddenCodeBox() {
    QVERIFY(w()->Text1->toPlainText().isEmpty());
    QVERIFY(w()->Text2->toPlainText().isEmpty());
    QVERIFY(w()->Text3->text().isEmpty());
    QCOMPARE(w()->Picture49->backColor(), 0);
    QCOMPARE(foreColor(w()->Text1), kSystemHighlight);
    QCOMPARE(w()->Text1->palette().color(QPalette::Text),
             w()->palette().color(QPalette::Highlight));
    QCOMPARE(w()->Text1->font().pointSizeF(), 9.75);
    QCOMPARE(w()->Text2->font().pointSizeF(), 8.25);
    QVERIFY(!w()->Text1->isReadOnly());
    QCOMPARE(w()->Text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(w()->Text2->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    // The code box lies beyond the right edge, yet it is an ordinary enabled control.
    QVERIFY(w()->Text3->geometry().left() >= w()->width());
    QVERIFY(w()->Text3->isEnabled());
    QVERIFY(w()->Text3->isVisible());
    QCOMPARE(QApplication::focusWidget(), w()->Text3);
}

void TemplateWindowTest::tabOrderRunsFromCodeBoxToCustomColor() {
    QStringList expected = {QStringLiteral("Text3"),    QStringLiteral("Command2"),
                            QStringLiteral("Command3"), QStringLiteral("Command4"),
                            QStringLiteral("Text2"),    QStringLiteral("Picture49")};
    for (int n = 48; n >= 1; --n) {
        expected << QStringLiteral("Picture%1").arg(n);
    }
    expected << QStringLiteral("Text1") << QStringLiteral("Command1") << QStringLiteral("Command5")
             << QStringLiteral("Text3");

    QStringList visited;
    visited << QApplication::focusWidget()->objectName();
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

void TemplateWindowTest::composesCodeTextAndClosingMark_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("swatch");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty text, red") << QString() << 10 << QStringLiteral("|cFFFF0000|r");
    QTest::newRow("two lines") << QStringLiteral("first\nsecond") << 1
                               << QStringLiteral("|cFF000000first\nsecond|r");
    QTest::newRow("user's own marks")
        << QStringLiteral("a|b|rc|") << 16 << QStringLiteral("|cFFFF8000a|b|rc||r");
    QTest::newRow("unicode") << QStringLiteral("Zwölf Äpfel ☺ 𝄞") << 40
                             << QStringLiteral("|cFF0000FFZwölf Äpfel ☺ 𝄞|r");
}

void TemplateWindowTest::composesCodeTextAndClosingMark() {
    QFETCH(QString, typed);
    QFETCH(int, swatch);
    QFETCH(QString, expected);
    w()->Text2->setFocus();
    // Typed line by line; what is not plain ASCII arrives as a paste would.
    const QStringList lines = typed.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            QTest::keyClick(w()->Text2, Qt::Key_Return);
        }
        const QString& line = lines.at(i);
        const bool ascii =
            std::all_of(line.begin(), line.end(), [](QChar c) { return c.unicode() < 0x80; });
        if (ascii) {
            QTest::keyClicks(w()->Text2, line);
        } else {
            w()->Text2->insertPlainText(line);
        }
    }
    QCOMPARE(w()->Text2->toPlainText(), typed);
    QTest::mouseClick(w()->Picture(swatch), Qt::LeftButton);
    QCOMPARE(w()->Text1->toPlainText(), expected);
}

void TemplateWindowTest::typingDoesNotRecompose() {
    w()->Text2->setFocus();
    QTest::keyClicks(w()->Text2, QStringLiteral("Hello"));
    QTest::mouseClick(w()->Picture(10), Qt::LeftButton);
    QTest::keyClicks(w()->Text2, QStringLiteral(" world"));
    QCOMPARE(w()->Text1->toPlainText(), QStringLiteral("|cFFFF0000Hello|r"));
    QTest::mouseClick(w()->Picture(28), Qt::LeftButton);
    QCOMPARE(w()->Text1->toPlainText(), QStringLiteral("|cFF00FF00Hello world|r"));
    QCOMPARE(foreColor(w()->Text1), 0x0000FF00);
}

void TemplateWindowTest::secondSwatchReplacesFirst() {
    w()->Text2->setPlainText(QStringLiteral("x"));
    QTest::mouseClick(w()->Picture(13), Qt::LeftButton);
    QCOMPARE(w()->Text3->text(), QStringLiteral("|cFF804040"));
    QCOMPARE(w()->Picture49->backColor(), 0x00404080);
    QTest::mouseClick(w()->Picture(31), Qt::LeftButton);
    QCOMPARE(w()->Text3->text(), QStringLiteral("|cFF004040"));
    QCOMPARE(w()->Picture49->backColor(), 0x00404000);
    QCOMPARE(w()->Text1->toPlainText(), QStringLiteral("|cFF004040x|r"));
    // The same swatch twice is the same as once.
    QTest::mouseClick(w()->Picture(31), Qt::LeftButton);
    QCOMPARE(w()->Text1->toPlainText(), QStringLiteral("|cFF004040x|r"));
}

void TemplateWindowTest::eraseKeepsCodeAndColor() {
    w()->Text2->setPlainText(QStringLiteral("Hello"));
    QTest::mouseClick(w()->Picture(10), Qt::LeftButton);
    QTest::mouseClick(w()->Command2, Qt::LeftButton);
    QVERIFY(w()->Text1->toPlainText().isEmpty());
    QVERIFY(w()->Text2->toPlainText().isEmpty());
    QCOMPARE(w()->Text3->text(), QStringLiteral("|cFFFF0000"));
    QCOMPARE(w()->Picture49->backColor(), 0x000000FF);
    QCOMPARE(foreColor(w()->Text1), 0x000000FF);
    QTest::mouseClick(w()->Picture(1), Qt::LeftButton);
    QCOMPARE(w()->Text1->toPlainText(), QStringLiteral("|cFF000000|r"));
}

void TemplateWindowTest::copyPutsTheResultOnTheClipboard() {
    w()->Text2->setPlainText(QStringLiteral("two\nlines"));
    QTest::mouseClick(w()->Picture(10), Qt::LeftButton);
    QTest::mouseClick(w()->Command3, Qt::LeftButton);
    const auto& clipboard = f_->platform.clipboard;
    QCOMPARE(clipboard.calls,
             QStringList({QStringLiteral("clear"), QStringLiteral("set:|cFFFF0000two\nlines|r")}));
    QCOMPARE(QApplication::focusWidget(), w()->Text1);
    const QTextCursor cursor = w()->Text1->textCursor();
    QCOMPARE(cursor.selectionStart(), 0);
    QCOMPARE(cursor.selectionEnd(), w()->Text1->toPlainText().size());
    QVERIFY(f_->platform.messageBox.shown.empty());
    QCOMPARE(f_->platform.beeper.beeps, 0);
}

void TemplateWindowTest::copyTakesWhatTheUserTypedIntoTheResult() {
    QTest::mouseClick(w()->Picture(10), Qt::LeftButton);
    w()->Text1->setFocus();
    w()->Text1->moveCursor(QTextCursor::End);
    QTest::keyClicks(w()->Text1, QStringLiteral("!"));
    QTest::mouseClick(w()->Command3, Qt::LeftButton);
    QCOMPARE(f_->platform.clipboard.text, QStringLiteral("|cFFFF0000|r!"));
    // The next composition overwrites the edit.
    QTest::mouseClick(w()->Picture(10), Qt::LeftButton);
    QCOMPARE(w()->Text1->toPlainText(), QStringLiteral("|cFFFF0000|r"));
}

void TemplateWindowTest::copyAfterEraseCopiesEmptyText() {
    QTest::mouseClick(w()->Picture(10), Qt::LeftButton);
    QTest::mouseClick(w()->Command2, Qt::LeftButton);
    QTest::mouseClick(w()->Command3, Qt::LeftButton);
    QCOMPARE(f_->platform.clipboard.calls,
             QStringList({QStringLiteral("clear"), QStringLiteral("set:")}));
}

void TemplateWindowTest::awkwardTextReachesResultAndClipboard_data() {
    testing::addAwkwardTextRows();
}

// What the user pastes or types into Text2 reaches Text1 and, by Copy, the clipboard
// character for character; only the line breaks of the boxes become "\n".
void TemplateWindowTest::awkwardTextReachesResultAndClipboard() {
    QFETCH(QString, text);
    QFETCH(QString, lines);
    QFETCH(bool, typeable);
    const QString markup = QStringLiteral("|cFFFF0000") + lines + QStringLiteral("|r");
    for (const bool typing : {false, true}) {
        if (typing && !typeable) {
            continue;
        }
        QTest::mouseClick(w()->Command2, Qt::LeftButton); // Erase
        w()->Text2->setFocus();
        if (typing) {
            testing::typeCharacters(w()->Text2, text);
        } else {
            testing::pasteWithKeyboard(w()->Text2, text);
        }
        QCOMPARE(testing::linesOf(*w()->Text2), lines);
        QTest::mouseClick(w()->Picture(10), Qt::LeftButton);
        QCOMPARE(testing::linesOf(*w()->Text1), markup);
        f_->platform.clipboard.calls.clear();
        QTest::mouseClick(w()->Command3, Qt::LeftButton);
        QCOMPARE(f_->platform.clipboard.calls,
                 QStringList({QStringLiteral("clear"), QStringLiteral("set:") + markup}));
    }
}

void TemplateWindowTest::typedLineBreaksAreLineFeeds_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Shift+Return") << int(Qt::Key_Return) << int(Qt::ShiftModifier);
    QTest::newRow("Shift+Enter") << int(Qt::Key_Enter)
                                 << int(Qt::ShiftModifier | Qt::KeypadModifier);
}

// Every line break typed into Text2 or Text1 is an ordinary one: it reaches the clipboard as
// "\n", never as a line separator.
void TemplateWindowTest::typedLineBreaksAreLineFeeds() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    const auto lineBreak = [&](QWidget* box) {
        QTest::keyClick(box, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    };
    w()->Text2->setFocus();
    QTest::keyClicks(w()->Text2, QStringLiteral("a"));
    lineBreak(w()->Text2);
    QTest::keyClicks(w()->Text2, QStringLiteral("b"));
    QTest::mouseClick(w()->Picture(10), Qt::LeftButton);
    QTest::mouseClick(w()->Command3, Qt::LeftButton);
    QCOMPARE(f_->platform.clipboard.text, QStringLiteral("|cFFFF0000a\nb|r"));

    w()->Text1->setFocus();
    w()->Text1->moveCursor(QTextCursor::End);
    lineBreak(w()->Text1);
    QTest::keyClicks(w()->Text1, QStringLiteral("c"));
    QTest::mouseClick(w()->Command3, Qt::LeftButton);
    QCOMPARE(f_->platform.clipboard.text, QStringLiteral("|cFFFF0000a\nb|r\nc"));
}

void TemplateWindowTest::aboutShowsTheMessageBox() {
    w()->Text2->setPlainText(QStringLiteral("keep"));
    QTest::mouseClick(w()->Command1, Qt::LeftButton);
    const auto& shown = f_->platform.messageBox.shown;
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].title, QStringLiteral("Hueprint For WarCraft 3 Colored Text"));
    QCOMPARE(shown[0].prompt, QStringLiteral("       This Program Was Made By:\r\n"
                                             "               Umber_Moth_Sage"));
    QCOMPARE(shown[0].parent, w());
    QCOMPARE(w()->Text2->toPlainText(), QStringLiteral("keep"));
}

void TemplateWindowTest::accessKeysRunTheCommands_data() {
    QTest::addColumn<char>("key");
    QTest::addColumn<QString>("effect");
    QTest::newRow("Alt+A") << 'A' << QStringLiteral("about");
    QTest::newRow("Alt+E") << 'E' << QStringLiteral("erase");
    QTest::newRow("Alt+C") << 'C' << QStringLiteral("copy");
    QTest::newRow("Alt+X") << 'X' << QStringLiteral("exit");
    QTest::newRow("Alt+U") << 'U' << QStringLiteral("picker");
}

void TemplateWindowTest::accessKeysRunTheCommands() {
    QFETCH(char, key);
    QFETCH(QString, effect);
    w()->Text2->setPlainText(QStringLiteral("Hi"));
    QTest::mouseClick(w()->Picture(10), Qt::LeftButton);
    QTest::keyClick(w(), key, Qt::AltModifier);

    auto& platform = f_->platform;
    if (effect == QLatin1String("about")) {
        QTRY_COMPARE(platform.messageBox.shown.size(), std::size_t{1});
    } else if (effect == QLatin1String("erase")) {
        QTRY_VERIFY(w()->Text2->toPlainText().isEmpty());
        QVERIFY(w()->Text1->toPlainText().isEmpty());
    } else if (effect == QLatin1String("copy")) {
        QTRY_COMPARE(platform.clipboard.text, QStringLiteral("|cFFFF0000Hi|r"));
    } else if (effect == QLatin1String("exit")) {
        QTRY_COMPARE(platform.programExit.ends, 1);
    } else {
        QTRY_VERIFY(f_->host->picker() != nullptr);
        QVERIFY(f_->host->picker()->isVisible());
    }
}

void TemplateWindowTest::exitUnloadsAndEnds() {
    QPointer<Form1> window = w();
    f_->host->show();
    QPointer<frmMain> picker = f_->host->picker();
    QVERIFY(picker);
    QTest::mouseClick(w()->Command4, Qt::LeftButton);
    QCOMPARE(f_->platform.programExit.ends, 1);
    // The picker saved its settings before the program ended.
    QCOMPARE(f_->platform.settings.values.value(QStringLiteral("Settings/Current Color")),
             QStringLiteral("0"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(picker.isNull());
    QVERIFY(window.isNull());
}

void TemplateWindowTest::megabyteOfTextComposesQuickly() {
    QString text;
    text.reserve(1 << 20);
    while (text.size() < (1 << 20)) {
        text += QStringLiteral("Lorem ipsum |cFF dolor |r sit amet ☺\n");
    }
    w()->Text2->setPlainText(text);
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(w()->Picture(10), Qt::LeftButton);
    const qint64 elapsed = timer.elapsed();
    qInfo("composing %lld characters took %lld ms", static_cast<long long>(text.size()),
          static_cast<long long>(elapsed));
    QCOMPARE(w()->Text1->toPlainText(), QStringLiteral("|cFFFF0000") + text + QStringLiteral("|r"));
    QVERIFY2(elapsed < 1000, "composing must take well under a second");
}

QTEST_MAIN(TemplateWindowTest)
#include "tst_template_window.moc"
