// SPDX-License-Identifier: MIT
// Plays a user on the editor as the program wires it: a seeded random run of real keys, clicks and
// drops (typing, at color joints and line starts too; Backspace/Delete by character and by word,
// in a line of over 4,096 characters too; Shift+arrows; cut, copy, paste; drag-moves; coloring;
// gradients; undo, redo; changes of Text1 from outside). After each: Text1 holds the markup and the
// panel draws it, letters and colors; the text is what the action asks for; the markup outside its
// reach kept its bytes; an undo or redo lands on an earlier markup, byte for byte. At the end,
// undoing all gives the start, redoing all the last markup. scripts/fuzz.sh runs more:
//   HUEPRINT_MODEL_SEED=<n> HUEPRINT_MODEL_STEPS=<n> tst_editor_model

#include "app/preview_wiring.h"
#include "app/template_window.h"
#include "editor/color_bar.h"
#include "editor/gradient_dialog.h"
#include "editor/preview_panel.h"
#include "editor/preview_window.h"
#include "markup/markup_render.h"
#include "platform/color_swatch.h"
#include "support/template_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QUndoStack>
#include <QtTest>

using namespace hueprint;
using hueprint::testing::TemplateFixture;

namespace {

// The starting markup: colored words, line breaks, CJK and a line of more than 4,096 characters.
QString startingMarkup() {
    QString longLine;
    for (int i = 0; longLine.size() < 4300; ++i) {
        longLine += i % 3 == 0 ? QStringLiteral("|cff%1word%2|r ")
                                     .arg((i * 40503) & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                                     .arg(i)
                               : QStringLiteral("plain%1 ").arg(i);
    }
    return QStringLiteral("|cffffcc00Storm|r Bolt [|cFFFFCC00Q|r]|n") + longLine +
           QStringLiteral("|n\u82f1\u96c4 |cff00ff00green|r|n|n end");
}

// The character the panel's document holds for one of the text (a line break is a block's end).
QChar documentCharacter(QChar c) {
    if (c == u'\n') {
        return QChar::ParagraphSeparator;
    }
    return QStringView(u"\r\u2029\uFDD0\uFDD1\uFDEF").contains(c) ? QChar::ReplacementCharacter : c;
}

QColor drawnColor(const TextColor& color) {
    const ColorValue shown = color && isPlainColor(*color) ? *color : kPreviewDefaultColor;
    return QColor(shown & 0xFF, (shown >> 8) & 0xFF, (shown >> 16) & 0xFF);
}

// One key, as a keyboard (or an input method's key, for CJK) gives it.
void typeKey(QWidget* box, QChar c) {
    const Qt::Key key = c.unicode() < 0x80 ? QTest::asciiToKey(c.toLatin1()) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Click, box, key, QString(c), Qt::NoModifier);
}

// How many bytes at the start and at the end of the markup lie outside the text from..to and the
// blanks and marks up to the visible characters beside it: an edit of from..to keeps them.
std::pair<qsizetype, qsizetype> keptBytes(const QString& markup, qsizetype from, qsizetype to) {
    std::vector<std::pair<qsizetype, qsizetype>> places; // of each character, its sequence's
    for (qsizetype i = 0; i < markup.size();) {
        const MarkupSequence sequence = markupSequenceAt(markup, i);
        const bool text = sequence.kind == MarkupSequenceKind::Text;
        const bool one =
            sequence.kind == MarkupSequenceKind::NewLine || (text && isLineBreak(markup.at(i)));
        places.insert(places.end(), one ? 1 : text ? sequence.length : 0, {i, i + sequence.length});
        i += sequence.length;
    }
    const QString text = editableText(markup).text;
    while (from > 0 && text.at(from - 1).isSpace()) {
        --from;
    }
    while (to < text.size() && text.at(to).isSpace()) {
        ++to;
    }
    return {from > 0 ? places[std::size_t(from - 1)].second : 0,
            to < text.size() ? markup.size() - places[std::size_t(to)].first : 0};
}

} // namespace

class EditorModelTest : public QObject {
    Q_OBJECT
private slots:
    void playsAUser();

private:
    PreviewPanel* panel() const { return editor_->panel(); }
    // Text1 as it is once the editor's last edit is written into it.
    QString text1() const {
        QCoreApplication::processEvents();
        return f_->window->Text1->toPlainText();
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(panel(), key, modifiers);
    }
    // A place to act at: anywhere, at a joint of two colors, or at a line's start or end.
    qsizetype place() {
        const EditableText& text = panel()->shownText();
        const qsizetype any = random_.bounded(static_cast<int>(text.text.size()) + 1);
        const int kind = random_.bounded(4);
        if (kind == 0) { // a joint of two colors
            const auto from = text.colors.begin() + std::max<qsizetype>(any - 1, 0);
            const auto joint = std::adjacent_find(from, text.colors.end(), std::not_equal_to<>());
            return joint == text.colors.end() ? any : joint - text.colors.begin() + 1;
        }
        const qsizetype brk = text.text.indexOf(u'\n', any); // a line's start or end
        return kind > 1 ? any : brk < 0 ? text.text.size() : brk + random_.bounded(2);
    }
    // Drags the selection to where the position is drawn, with the panel's own drag data (what
    // it copies); gives the position the panel takes the drop point for.
    qsizetype drag(qsizetype at) {
        key(Qt::Key_C, Qt::ControlModifier);
        const QMimeData* dragged = QApplication::clipboard()->mimeData();
        QTextCursor target(panel()->document());
        target.setPosition(static_cast<int>(at));
        const QPoint point = panel()->cursorRect(target).center();
        const qsizetype dropped = panel()->cursorForPosition(point).position();
        QDragEnterEvent enter(point, Qt::MoveAction, dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(panel()->viewport(), &enter);
        QDropEvent drop(point, Qt::MoveAction, dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(panel()->viewport(), &drop);
        return dropped;
    }

    std::unique_ptr<TemplateFixture> f_;
    std::unique_ptr<PreviewWiring> wiring_; // destroyed before f_
    PreviewWindow* editor_ = nullptr;
    QRandomGenerator random_;
};

void EditorModelTest::playsAUser() {
    const int seed = qEnvironmentVariable("HUEPRINT_MODEL_SEED", QStringLiteral("21")).toInt();
    const int steps = qEnvironmentVariable("HUEPRINT_MODEL_STEPS", QStringLiteral("300")).toInt();
    random_.seed(static_cast<quint32>(seed));
    f_ = std::make_unique<TemplateFixture>();
    wiring_ = std::make_unique<PreviewWiring>(f_->platform.services, f_->window, *f_->host);
    QVERIFY(f_->showActive());
    f_->window->Text2->setPlainText(QStringLiteral("Hi"));
    f_->window->Text1->setPlainText(startingMarkup());
    wiring_->openPreview();
    editor_ = wiring_->preview();
    QVERIFY(QTest::qWaitForWindowExposed(editor_));
    QCOMPARE(editor_->markup(), startingMarkup());
    // The markups the history has stood at and where it stands: an undo or redo lands on one.
    std::vector<QString> history{startingMarkup()};
    std::size_t current = 0;
    QStringList log; // the actions
    const auto replay = qScopeGuard([&] {
        if (QTest::currentTestFailed()) {
            qInfo("seed %d, step %d, after: %s", seed, int(log.size()) - 1,
                  qPrintable(log.mid(log.size() - 8).join(u"; ")));
        }
    });
    // One key an action (a run of typing joins keys into one undo step), so that every markup the
    // history can stand at is seen. Text1 is typed into without the line break (last).
    static const QString typed = QStringLiteral("aZ |\u82f1r\r");
    static const QStringList pasted = {QStringLiteral("Storm Bolt [|cffffcc00Q|r]"),
                                       QStringLiteral("|CFF00FF00G|Rx"), QStringLiteral("a|nb"),
                                       QStringLiteral("|cff1234"), QStringLiteral("x\r\ny")};
    while (log.size() < steps) { // each action logs itself
        const QString before = editor_->markup();
        const QString beforeText = panel()->shownText().text;
        std::optional<std::pair<qsizetype, qsizetype>> reach; // in the text before the action
        std::optional<QString> expected; // the text the action leaves, when the test can foresee it
        const auto replaced = [&](qsizetype from, qsizetype to, const QString& with) {
            reach = {from, to};
            expected = QString(beforeText).replace(from, to - from, with);
        };
        int travel = 0; // -1 an undo, 1 a redo
        const int choice = random_.bounded(100);
        if (choice < 52 && random_.bounded(3) != 0) { // typing, deleting, selecting at a place
            const qsizetype at = place(); // (else on from the cursor, as a run of typing)
            panel()->selectRange(at, at);
        } else if (choice >= 68 && choice < 83) { // dragging, coloring some text
            const qsizetype from = random_.bounded(static_cast<int>(beforeText.size()) + 1);
            panel()->selectRange(from, std::min(beforeText.size(), from + random_.bounded(30)));
        }
        const auto [from, to] = panel()->selectedRange();
        if (choice < 22) { // typing over the selection
            const QChar c = typed.at(random_.bounded(typed.size()));
            typeKey(panel(), c);
            log.append(QStringLiteral("type"));
            replaced(from, to, c == u'\r' ? QStringLiteral("\n") : QString(c));
        } else if (choice < 42) { // Backspace or Delete, by character or by word
            const bool back = random_.bounded(2) == 0;
            const bool word = random_.bounded(4) == 0;
            // The key takes what the toolkit's cursor moves over (a surrogate pair, a word).
            QTextCursor cursor = panel()->textCursor();
            if (!cursor.hasSelection()) {
                cursor.movePosition(
                    back ? (word ? QTextCursor::PreviousWord : QTextCursor::PreviousCharacter)
                         : (word ? QTextCursor::NextWord : QTextCursor::NextCharacter),
                    QTextCursor::KeepAnchor);
            }
            replaced(cursor.selectionStart(), cursor.selectionEnd(), QString()); // ere the key
            key(back ? Qt::Key_Backspace : Qt::Key_Delete,
                word ? Qt::ControlModifier : Qt::NoModifier);
            log.append(QString(word ? "Ctrl+" : "") + (back ? "Backspace" : "Delete"));
        } else if (choice < 52) { // a selection with Shift and the arrow keys
            const Qt::Key arrow = random_.bounded(2) == 0 ? Qt::Key_Right : Qt::Key_Left;
            for (int i = random_.bounded(12); i >= 0; --i) {
                key(arrow, Qt::ShiftModifier);
            }
            log.append(QStringLiteral("Shift+arrows"));
            expected = beforeText;
        } else if (choice < 60) { // cut, or copy (which changes nothing)
            const bool cut = random_.bounded(2) == 0;
            key(cut ? Qt::Key_X : Qt::Key_C, Qt::ControlModifier);
            log.append(cut ? QStringLiteral("cut") : QStringLiteral("copy"));
            replaced(from, cut ? to : from, QString());
        } else if (choice < 68) { // paste of what was copied (if anything), or of markup from a map
            if (random_.bounded(3) == 0) {
                QApplication::clipboard()->setText(pasted.at(random_.bounded(5)));
            }
            const QString markup = QApplication::clipboard()->text();
            key(Qt::Key_V, Qt::ControlModifier);
            log.append(QStringLiteral("paste ") + markup.left(30));
            replaced(from, markup.isEmpty() ? from : to, editableText(markup).text);
        } else if (choice < 74 && from < to) { // a drag-move of the selection
            const qsizetype at = drag(place());
            log.append(QStringLiteral("drag"));
            expected = beforeText;
            if (at < from || at > to) {
                expected->remove(from, to - from)
                    .insert(at > to ? at - (to - from) : at, beforeText.mid(from, to - from));
                reach = {std::min(from, at), std::max(to, at)};
            }
        } else if (choice < 83) { // coloring the selection with a button of the bar, or a gradient
            ColorBar* bar = editor_->colorBar();
            QAbstractButton* buttons[] = {bar->goldSwatch(), bar->plainButton(),
                                          bar->presetSwatch(1 + random_.bounded(48)),
                                          bar->playerSwatch(1 + random_.bounded(12))};
            log.append(choice < 80 ? QStringLiteral("color") : QStringLiteral("gradient"));
            replaced(from, to, beforeText.mid(from, to - from)); // the text stays
            if (choice < 80) {
                buttons[random_.bounded(4)]->click();
            } else if (from < to) {
                bar->gradientButton()->click();
                QVERIFY(editor_->gradientDialog() != nullptr);
                editor_->gradientDialog()->accept();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // it closes
            }
        } else if (choice < 93) { // undo, redo
            travel = random_.bounded(3) != 0 ? -1 : 1;
            key(Qt::Key_Z,
                travel < 0 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
            log.append(travel < 0 ? QStringLiteral("undo") : QStringLiteral("redo"));
        } else { // Text1 changed from outside: typed into, or composed by a preset, or erased
            QPlainTextEdit* box = f_->window->Text1;
            const int how = random_.bounded(10);
            if (how < 7) {
                QTextCursor cursor = box->textCursor();
                cursor.setPosition(random_.bounded(box->document()->characterCount()));
                box->setTextCursor(cursor);
                typeKey(box, typed.at(random_.bounded(typed.size() - 1)));
            } else {
                QTest::mouseClick(
                    how < 9 ? static_cast<QWidget*>(f_->window->Picture(1 + random_.bounded(48)))
                            : f_->window->Command2,
                    Qt::LeftButton);
            }
            log.append(QStringLiteral("Text1 changed"));
            QTRY_COMPARE_WITH_TIMEOUT(editor_->markup(), text1(), 2000);
        }
        // Text1 holds the markup; the panel shows what it draws, letters and colors.
        const QString after = editor_->markup();
        QVERIFY(text1() == after);
        QCOMPARE(editor_->figures()->text(), figuresText(renderPreview(after))); // as Text1 follows
        const EditableText drawn = editableText(after);
        const QTextDocument* document = panel()->document();
        QCOMPARE(qsizetype(document->characterCount() - 1), drawn.text.size());
        QTextCursor cursor(panel()->document());
        qsizetype wrong = -1; // the first character shown other than the markup draws it
        for (qsizetype i = 0; i < drawn.text.size() && wrong < 0; ++i) {
            const QChar c = drawn.text.at(i);
            cursor.setPosition(static_cast<int>(i) + 1); // the format of the character before
            if (document->characterAt(static_cast<int>(i)) != documentCharacter(c) ||
                (c != u'\n' && cursor.charFormat().foreground().color() !=
                                   drawnColor(drawn.colors[std::size_t(i)]))) {
                wrong = i;
            }
        }
        QCOMPARE(wrong, qsizetype(-1));
        // A "|" of the text typed or joined before "r", "n" or "c" and eight digits reads as a
        // mark: near one, the text is what the markup draws, which is checked above.
        const auto barNear = [](const QString& text, qsizetype from, qsizetype to) {
            const qsizetype start = std::max<qsizetype>(from - 10, 0); // "|c" and eight digits
            return text.mid(start, to + 1 - start).contains(u'|');
        };
        if (reach &&
            (barNear(beforeText, reach->first, reach->second) ||
             (expected && barNear(*expected, reach->first,
                                  reach->second + expected->size() - beforeText.size())))) {
            reach.reset();
            expected.reset();
        }
        QVERIFY2(!expected || drawn.text == *expected,
                 qPrintable(QStringLiteral("the text is not what the action asks for: %1 became %2")
                                .arg(before.left(300), after.left(300))));
        if (reach && after != before) {
            const auto [prefix, suffix] = keptBytes(before, reach->first, reach->second);
            QVERIFY2(prefix + suffix <= after.size() &&
                         after.startsWith(QStringView(before).left(prefix)) &&
                         after.endsWith(QStringView(before).right(suffix)),
                     "the markup outside the action's reach changed");
        }
        if (after != before && travel != 0) {
            std::size_t i = current;
            while ((travel < 0 ? i-- > 0 : ++i < history.size()) && history[i] != after) {
            }
            QVERIFY2(i < history.size(), "an undo or redo left the history");
            current = i;
        } else if (after != before) {
            history.resize(++current); // the new markup is the last the history has stood at
            history.push_back(after);
        }
    }
    for (const bool undo : {true, false}) { // undoing all gives the start, redoing all the last
        while (undo ? editor_->undoStack()->canUndo() : editor_->undoStack()->canRedo()) {
            key(Qt::Key_Z, undo ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
        }
        QCOMPARE(editor_->markup(), undo ? history.front() : history.back());
        QCOMPARE(text1(), editor_->markup());
    }
}

QTEST_MAIN(EditorModelTest)
#include "tst_editor_model.moc"
