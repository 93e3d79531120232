// SPDX-License-Identifier: MIT
// The editor as the program wires it, driven offscreen: the user selects in the panel and
// colors, lays a gradient, pastes markup, types, undoes and redoes; Text1 follows each edit,
// and the panel follows Text1.

#include "app/picker_host.h"
#include "app/picker_window.h"
#include "app/preview_wiring.h"
#include "app/template_window.h"
#include "editor/color_bar.h"
#include "editor/gradient_dialog.h"
#include "editor/preview_panel.h"
#include "editor/preview_window.h"
#include "editor/recent_colors.h"
#include "platform/color_swatch.h"
#include "support/template_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

using namespace hueprint;
using hueprint::testing::TemplateFixture;

namespace {

// The colors of the characters that show (a blank's color cannot be seen).
std::vector<TextColor> inkColors(const QString& markup) {
    EditableText text = editableText(markup);
    for (qsizetype i = 0; i < text.text.size(); ++i) {
        if (text.text.at(i).isSpace()) {
            text.colors[static_cast<std::size_t>(i)] = std::nullopt;
        }
    }
    return text.colors;
}

} // namespace

class EditorWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void colorsTheSelection_data();
    void colorsTheSelection();
    void colorsWhatIsTypedNext();
    void gradient();
    void gradientGoesOverTheSelectionAtOk();
    void longLineDeletes_data();
    void longLineDeletes();
    void dragMoveKeepsColors();
    void pastesMarkupNeverHtml_data();
    void pastesMarkupNeverHtml();
    void followsText1KeepingTheCursor();
    void text1TakesThePanelsKeysFirst();
    void offersThePickersColor();
    void escapeCloses();
    void recentColorsAreKept_data();
    void recentColorsAreKept();
    void recentColorsAreShared();

private:
    // Opens the editor on the markup, the panel focused.
    PreviewWindow* open(const QString& markup);
    void select(qsizetype from, qsizetype to);
    QString text1() const { // once the editor's last edit is written into it
        QCoreApplication::processEvents();
        return f_->window->Text1->toPlainText();
    }

    std::unique_ptr<TemplateFixture> f_;
    std::unique_ptr<PreviewWiring> wiring_;
    PreviewWindow* editor_ = nullptr;
};

void EditorWindowTest::init() {
    f_ = std::make_unique<TemplateFixture>();
    wiring_ = std::make_unique<PreviewWiring>(f_->platform.services, f_->window, *f_->host);
    QVERIFY(f_->showActive());
}

void EditorWindowTest::cleanup() {
    wiring_.reset();
    f_.reset();
}

PreviewWindow* EditorWindowTest::open(const QString& markup) {
    f_->window->Text1->setPlainText(markup);
    wiring_->openPreview();
    editor_ = wiring_->preview();
    editor_->panel()->setFocus();
    return editor_;
}

void EditorWindowTest::select(qsizetype from, qsizetype to) {
    editor_->panel()->selectRange(from, to);
}

void EditorWindowTest::colorsTheSelection_data() {
    QTest::addColumn<QString>("markup");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("colored");

    QTest::newRow("hotkey gold") << "Storm Bolt [Q]" << 12 << 13 << "gold"
                                 << "Storm Bolt [|cFFFFCC00Q|r]";
    QTest::newRow("preset red") << "Storm Bolt" << 6 << 10 << "preset 10"
                                << "Storm |cFFFF0000Bolt|r";
    QTest::newRow("player 2 blue") << "ab" << 1 << 2 << "player 2"
                                   << "a|cFF0042FFb|r";
    QTest::newRow("plain") << "|cFFFF0000Storm|r Bolt" << 0 << 5 << "plain"
                           << "Storm Bolt";
    QTest::newRow("dialog") << "ab" << 0 << 1 << "dialog"
                            << "|cFF123456a|rb";
    QTest::newRow("dialog cancelled") << "ab" << 0 << 1 << "cancel"
                                      << "ab";
    QTest::newRow("a new code in the text's own spelling") << "|cffff0000a|r b" << 2 << 3 << "gold"
                                                           << "|cffff0000a |cffffcc00b|r";
    QTest::newRow("|R closes a color") << "Type: |Cffffcc00King|R and" << 11 << 14 << "preset 10"
                                       << "Type: |Cffffcc00King |Cffff0000and|R";
}

// One click colors the selection; the selection stays; Ctrl+Z brings back the exact markup,
// Ctrl+Shift+Z and Ctrl+Y bring the color back; Text1 follows each step.
void EditorWindowTest::colorsTheSelection() {
    QFETCH(QString, markup);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, choice);
    QFETCH(QString, colored);
    open(markup);
    select(from, to);
    ColorBar* bar = editor_->colorBar();
    f_->platform.colorDialog.answers = {rgbColor(0x12, 0x34, 0x56), std::nullopt};
    if (choice == QLatin1String("cancel")) {
        f_->platform.colorDialog.answers.pop_front();
    }
    const QMap<QString, QAbstractButton*> buttons = {
        {QStringLiteral("gold"), bar->goldSwatch()},
        {QStringLiteral("preset 10"), bar->presetSwatch(10)},
        {QStringLiteral("player 2"), bar->playerSwatch(2)},
        {QStringLiteral("plain"), bar->plainButton()},
        {QStringLiteral("dialog"), bar->dialogButton()},
        {QStringLiteral("cancel"), bar->dialogButton()}};
    QAbstractButton* button = buttons.value(choice);
    button->click();
    QCOMPARE(text1(), colored);
    QCOMPARE(editor_->markup(), colored);
    QCOMPARE(editor_->panel()->selectedRange(), std::make_pair(qsizetype(from), qsizetype(to)));
    if (colored == markup) {
        QVERIFY(!editor_->undoStack()->canUndo());
        return;
    }
    QTest::keyClick(editor_->panel(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(text1(), markup);
    QTest::keyClick(editor_->panel(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(text1(), colored);
    QTest::keyClick(editor_->panel(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(editor_->panel(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(text1(), colored);
}

// With nothing selected, the color waits for the next typed text; typing goes to Text1 key by
// key, each key an undo step.
void EditorWindowTest::colorsWhatIsTypedNext() {
    open(QStringLiteral("Storm Bolt "));
    editor_->panel()->moveCursor(QTextCursor::End);
    editor_->colorBar()->goldSwatch()->click();
    QCOMPARE(text1(), QStringLiteral("Storm Bolt "));
    QTest::keyClicks(editor_->panel(), QStringLiteral("Q"));
    editor_->colorBar()->plainButton()->click();
    QTest::keyClicks(editor_->panel(), QStringLiteral("!"));
    QCOMPARE(text1(), QStringLiteral("Storm Bolt |cFFFFCC00Q|r!"));
    QTest::keyClick(editor_->panel(), Qt::Key_Backspace);
    QTest::keyClick(editor_->panel(), Qt::Key_Backspace);
    QCOMPARE(text1(), QStringLiteral("Storm Bolt "));
    for (int step = 0; step < 4; ++step) {
        QTest::keyClick(editor_->panel(), Qt::Key_Z, Qt::ControlModifier);
    }
    QCOMPARE(text1(), QStringLiteral("Storm Bolt "));
    QVERIFY(!editor_->undoStack()->canUndo());
}

// Red to blue over "Hi yo": looked at before it is applied, applied as one step.
void EditorWindowTest::gradient() {
    open(QStringLiteral("Hi yo"));
    QVERIFY(!editor_->colorBar()->gradientButton()->isEnabled());
    editor_->panel()->selectAll();
    QVERIFY(editor_->colorBar()->gradientButton()->isEnabled());
    editor_->colorBar()->gradientButton()->click();
    GradientDialog* dialog = editor_->gradientDialog();
    QVERIFY(dialog != nullptr);
    dialog->stopSwatch(1)->click();
    dialog->colorBar()->presetSwatch(10)->click(); // red: the second color, then back to blue
    QCOMPARE(dialog->stops(), (std::vector<ColorValue>{0x0000FF, 0x0000FF}));
    dialog->stopSwatch(1)->click();
    dialog->colorBar()->presetSwatch(40)->click();
    QCOMPARE(dialog->stops(), (std::vector<ColorValue>{0x0000FF, 0xFF0000}));
    const EditableText& look = dialog->look()->shownText();
    QCOMPARE(look.text, QStringLiteral("Hi yo"));
    QCOMPARE(look.colors.front(), TextColor(0x0000FF));
    QCOMPARE(look.colors.back(), TextColor(0xFF0000));
    QCOMPARE(text1(), QStringLiteral("Hi yo")); // nothing applied yet
    dialog->accept();
    QCOMPARE(text1(), QStringLiteral("|cFFFF0000H|cFFAA0055i |cFF5500AAy|cFF0000FFo|r"));
    QTest::keyClick(editor_->panel(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(text1(), QStringLiteral("Hi yo"));
}

// Text1 changes from outside while the dialog is open: OK fades what is selected then, if any.
void EditorWindowTest::gradientGoesOverTheSelectionAtOk() {
    open(QStringLiteral("Hi yo"));
    for (const qsizetype to : {8, 3}) { // 3..to selected at OK
        editor_->panel()->selectAll();
        editor_->colorBar()->gradientButton()->click();
        QVERIFY(editor_->gradientDialog() != nullptr);
        f_->window->Text1->setPlainText(QStringLiteral("Oh Hi yo"));
        QTRY_COMPARE(editor_->markup(), QStringLiteral("Oh Hi yo"));
        select(3, to);
        editor_->gradientDialog()->accept();
        QCOMPARE(text1(), QString(to == 3 ? "Oh Hi yo"
                                          : "Oh |cFFFF0000H|cFFAA0055i |cFF5500AAy|cFF0000FFo|r"));
    }
}

void EditorWindowTest::longLineDeletes_data() {
    QTest::addColumn<int>("at"); // in two lines of 3,000 characters, once held in pieces of 2,048
    QTest::addColumn<Qt::Key>("key");
    for (const int at : {2047, 2048, 3001 + 2047, 3001 + 2048}) {
        QTest::addRow("Backspace at %d", at) << at << Qt::Key_Backspace;
        QTest::addRow("Delete at %d", at) << at << Qt::Key_Delete;
    }
}

// Backspace and Delete in a long line take the one character beside the cursor.
void EditorWindowTest::longLineDeletes() {
    QFETCH(int, at);
    QFETCH(Qt::Key, key);
    const QString line = QStringLiteral("0123456789").repeated(300); // no blank to break a piece at
    open(line + QStringLiteral("|n") + line);
    QCOMPARE(editor_->panel()->document()->blockCount(), 2);
    select(at - 1, at - 1); // then there by the keyboard, as a user gets there
    QTest::keyClick(editor_->panel(), Qt::Key_Right);
    QTest::keyClick(editor_->panel(), key);
    const int removed = at - (key == Qt::Key_Backspace ? 1 : 0) + (at > 3000 ? 1 : 0); // "|n": 2
    QCOMPARE(text1(), QString(line + QStringLiteral("|n") + line).remove(removed, 1));
}

// Dragging "RED" into "plain" moves it there in its color, the rest keeping theirs; one
// undo gives back the exact markup.
void EditorWindowTest::dragMoveKeepsColors() {
    open(QStringLiteral("|cffff0000RED|r plain |cff0000ffBLUE|r end"));
    PreviewPanel* panel = editor_->panel();
    select(0, 3);
    QTest::keyClick(panel, Qt::Key_C, Qt::ControlModifier); // the panel's own drag data
    const QMimeData* dragged = QApplication::clipboard()->mimeData();
    QTextCursor target(panel->document());
    target.setPosition(6); // between "pl" and "ain"
    const QPoint at = panel->cursorRect(target).center();
    QDragEnterEvent enter(at, Qt::MoveAction, dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel->viewport(), &enter); // makes the panel the drop's target
    QDropEvent drop(at, Qt::MoveAction, dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel->viewport(), &drop);
    QCOMPARE(text1(), QStringLiteral(" pl|cffff0000RED|rain |cff0000ffBLUE|r end"));
    QTest::keyClick(panel, Qt::Key_Z, Qt::ControlModifier); // one undo: the markup as it was
    QCOMPARE(text1(), QStringLiteral("|cffff0000RED|r plain |cff0000ffBLUE|r end"));
}

void EditorWindowTest::pastesMarkupNeverHtml_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("markup");
    QTest::newRow("html stays text") << "<b>&amp;</b>"
                                     << "a<b>&amp;</b>b";
    QTest::newRow("a map's tooltip, as it is spelled") << "Storm Bolt [|cffffcc00Q|r]"
                                                       << "aStorm Bolt [|cffffcc00Q|r]b";
    // The breaks a text box holds as line breaks are pasted as line breaks.
    QString huge;
    while (huge.size() < (1 << 18)) {
        huge += QStringLiteral("|cFF12345x|c|n\t|r|CFFABCDEFw|r ");
    }
    QTest::newRow("quarter megabyte") << huge << QStringLiteral("a") + huge + QStringLiteral("b");
    QTest::newRow("binary") << QString(QChar(0)) + QChar(0xFDD0) + QChar(0xD800) + "\r\n|"
                            << QStringLiteral("a") + QChar(0) + u'\n' + QChar(0xD800) +
                                   QStringLiteral("\n|b");
}

// Pasted text is read as markup (its HTML twin on the clipboard is never looked at), one undo
// step that brings back what was there.
void EditorWindowTest::pastesMarkupNeverHtml() {
    QFETCH(QString, pasted);
    QFETCH(QString, markup);
    open(QStringLiteral("ab"));
    select(1, 1);
    auto* data = new QMimeData;
    data->setText(pasted);
    data->setHtml(QStringLiteral("<i>not this</i>"));
    QApplication::clipboard()->setMimeData(data);
    QTest::keyClick(editor_->panel(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(editableText(text1()).text, editableText(markup).text);
    QCOMPARE(inkColors(text1()), inkColors(markup));
    QCOMPARE(editor_->panel()->shownText().text, editableText(markup).text);
    QTest::keyClick(editor_->panel(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(text1(), QStringLiteral("ab"));
}

// A swatch click in the template window recolors the panel, whose cursor stays where it was.
void EditorWindowTest::followsText1KeepingTheCursor() {
    QTest::keyClicks(f_->window->Text2, QStringLiteral("Hello"));
    QTest::mouseClick(f_->window->Picture(10), Qt::LeftButton);
    open(text1());
    select(1, 3);
    QTest::mouseClick(f_->window->Picture(40), Qt::LeftButton); // blue
    QTRY_COMPARE(editor_->markup(), QStringLiteral("|cFF0000FFHello|r"));
    QCOMPARE(editor_->panel()->shownText().colors.front(), TextColor(0xFF0000));
    QCOMPARE(editor_->panel()->selectedRange(), std::make_pair(qsizetype(1), qsizetype(3)));
    // The change is a step of the editor's history: work is never lost to a preset click.
    QTest::keyClick(editor_->panel(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(text1(), QStringLiteral("|cFFFF0000Hello|r"));
}

// Text1 takes the panel's keys after the panel has drawn them, but before any input can change
// it; a change the program makes in between wins, the keys a step before it in the editor.
void EditorWindowTest::text1TakesThePanelsKeysFirst() {
    open(QStringLiteral("Hi"));
    editor_->panel()->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor_->panel(), QStringLiteral(" there"));
    f_->window->Text1->setFocus();
    f_->window->Text1->moveCursor(QTextCursor::End);
    QTest::keyClick(f_->window->Text1, Qt::Key_Exclam);
    QCOMPARE(text1(), QStringLiteral("Hi there!"));
    QTRY_COMPARE(editor_->markup(), text1());
    editor_->panel()->setFocus();
    QTest::keyClick(editor_->panel(), Qt::Key_Question);
    f_->window->Text1->setPlainText(QStringLiteral("Other"));
    QTRY_COMPARE(editor_->markup(), QStringLiteral("Other"));
    QCOMPARE(text1(), QStringLiteral("Other"));
    QTest::keyClick(editor_->panel(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor_->markup(), QStringLiteral("Hi there!?"));
    QTRY_COMPARE(editor_->figures()->text(), // drawn after the panel, too
                 QStringLiteral("Markup: 10 characters, 10 bytes    Player sees: 10 characters"));
}

// While a picker is open, the bar offers its current color.
void EditorWindowTest::offersThePickersColor() {
    open(QStringLiteral("ab"));
    ColorSwatch* swatch = editor_->colorBar()->pickerSwatch();
    QVERIFY(swatch->isHidden());
    QTest::mouseClick(f_->window->Command5, Qt::LeftButton);
    frmMain* picker = f_->host->picker();
    QVERIFY(picker != nullptr);
    picker->picCurColor->setBackColor(rgbColor(1, 2, 3));
    QVERIFY(!swatch->isHidden());
    select(0, 2);
    swatch->click();
    QCOMPARE(text1(), QStringLiteral("|cFF010203ab|r"));
    f_->host->unload();
    QTRY_VERIFY(swatch->isHidden());
}

void EditorWindowTest::escapeCloses() {
    QPointer<PreviewWindow> editor = open(QString());
    QVERIFY(QTest::qWaitForWindowExposed(editor));
    QTest::keyClick(editor->panel(), Qt::Key_Escape);
    QTRY_VERIFY(editor.isNull());
}

void EditorWindowTest::recentColorsAreKept_data() {
    QTest::addColumn<QStringList>("stored"); // "Recent Color 1" onwards
    QTest::addColumn<QList<int>>("loaded");
    QTest::newRow("none") << QStringList() << QList<int>();
    QTest::newRow("two") << QStringList{"255", "16711680"} << QList<int>{255, 16711680};
    QTest::newRow("each damaged alone")
        << QStringList{"red", "", "16777216", "-1", QString(1 << 16, u'9'), " 12 ", "12", "0x10"}
        << QList<int>{12};
}

// What the store holds, however damaged, gives the colors that can be read; a use puts its
// color first and writes every key.
void EditorWindowTest::recentColorsAreKept() {
    QFETCH(QStringList, stored);
    QFETCH(QList<int>, loaded);
    auto& values = f_->platform.settings.values;
    for (int i = 0; i < stored.size(); ++i) {
        values.insert(QStringLiteral("Editor/Recent Color %1").arg(i + 1), stored.at(i));
    }
    open(QStringLiteral("ab"));
    const std::vector<ColorSwatch*>& recent = editor_->colorBar()->recentSwatches();
    for (std::size_t i = 0; i < recent.size(); ++i) {
        QCOMPARE(!recent[i]->isHidden(), static_cast<qsizetype>(i) < loaded.size());
        if (static_cast<qsizetype>(i) < loaded.size()) {
            QCOMPARE(recent[i]->backColor(), loaded.at(static_cast<qsizetype>(i)));
        }
    }
    editor_->colorBar()->goldSwatch()->click();
    QCOMPARE(values.value(QStringLiteral("Editor/Recent Color 1")), QString::number(kHotkeyGold));
    QCOMPARE(recent.front()->backColor(), kHotkeyGold);
    QCOMPARE(RecentColors(f_->platform.settings).colors().size(),
             std::min<std::size_t>(static_cast<std::size_t>(loaded.size()) + 1, 8));
}

// The window's bar and the gradient dialog's share recent colors: a use in either is first in both.
void EditorWindowTest::recentColorsAreShared() {
    open(QStringLiteral("Hi yo"));
    editor_->panel()->selectAll();
    editor_->colorBar()->gradientButton()->click();
    QVERIFY(editor_->gradientDialog() != nullptr);
    ColorBar* dialogBar = editor_->gradientDialog()->colorBar();
    const ColorValue red = dialogBar->presetSwatch(10)->backColor();
    dialogBar->presetSwatch(10)->click();
    QCOMPARE(editor_->colorBar()->recentSwatches()[0]->backColor(), red);
    editor_->colorBar()->goldSwatch()->click();
    QCOMPARE(dialogBar->recentSwatches()[0]->backColor(), kHotkeyGold);
    QCOMPARE(RecentColors(f_->platform.settings).colors(),
             (std::vector<ColorValue>{kHotkeyGold, red}));
}

QTEST_MAIN(EditorWindowTest)
#include "tst_editor_window.moc"
