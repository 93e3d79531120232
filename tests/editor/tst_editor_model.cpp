// SPDX-License-Identifier: MIT
// A test that plays a user: the editor as the program wires it, driven offscreen by a seeded
// random run of real key, mouse and drop events (typing, at color joints and line starts too;
// Backspace and Delete by character and by word, at line joins and in a line of more than 4,096
// characters; Shift+arrow selections; cut, copy, paste; drag-moves; coloring; gradients; undo
// and redo; changes of Text1 from outside). After each action: Text1 holds the editor's markup,
// the panel shows exactly what that markup draws, letters and colors; the text is what the
// action asks for; the markup outside the action's reach kept its bytes; an undo or a redo gives
// back the exact markup of an earlier state. At the end, undoing everything gives back the
// starting markup byte for byte, and redoing everything the last one.
//   HUEPRINT_MODEL_SEED=<n> HUEPRINT_MODEL_STEPS=<n> tst_editor_model   (scripts/fuzz.sh runs more)

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
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QUndoStack>
#include <QtTest>

using namespace hueprint;
using hueprint::testing::TemplateFixture;

namespace {

int fromEnvironment(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

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
    switch (c.unicode()) {
    case u'\n':
        return QChar::ParagraphSeparator;
    case u'\r':
    case QChar::ParagraphSeparator:
    case 0xFDD0:
    case 0xFDD1:
    case 0xFDEF:
        return QChar::ReplacementCharacter;
    default:
        return c;
    }
}

// Types the text into the box key by key, as a keyboard (or an input method's key) gives it.
void typeInto(QWidget* box, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(box, c.toLatin1());
        } else {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box, &press);
            QApplication::sendEvent(box, &release);
        }
    }
}

QColor drawnColor(const TextColor& color) {
    const ColorValue shown =
        color.has_value() && isPlainColor(*color) ? *color : kPreviewDefaultColor;
    return QColor(shown & 0xFF, (shown >> 8) & 0xFF, (shown >> 16) & 0xFF);
}

// Where each unit of the editable text stands in the markup: its start, and the end of its
// sequence.
struct Places {
    std::vector<qsizetype> start;
    std::vector<qsizetype> end;
};

Places placesOf(const QString& markup) {
    Places places;
    for (qsizetype i = 0; i < markup.size();) {
        const MarkupSequence sequence = markupSequenceAt(markup, i);
        qsizetype units = 0;
        if (sequence.kind == MarkupSequenceKind::NewLine) {
            units = 1;
        } else if (sequence.kind == MarkupSequenceKind::Text) {
            units = isLineBreak(markup.at(i)) ? 1 : sequence.length;
        }
        for (qsizetype u = 0; u < units; ++u) {
            places.start.push_back(i);
            places.end.push_back(i + sequence.length);
        }
        i += sequence.length;
    }
    return places;
}

} // namespace

class EditorModelTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void playsAUser();

private:
    PreviewPanel* panel() const { return editor_->panel(); }
    // Text1 as it is once the editor's last edit is written into it.
    QString text1() const {
        QCoreApplication::processEvents();
        return f_->window->Text1->toPlainText();
    }
    qsizetype textSize() const { return panel()->shownText().text.size(); }
    // A place to act at: anywhere, at a joint of two colors, or at a line's start or end.
    qsizetype place();
    void select(qsizetype from, qsizetype to) { panel()->selectRange(from, to); }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(panel(), Qt::Key(key), modifiers);
    }
    // One random action; gives its reach in the text before it (from, to) when it is an edit
    // of the panel, and the text it should leave, when it is an edit the test can foresee.
    void act(QString& description, std::optional<std::pair<qsizetype, qsizetype>>& reach,
             std::optional<QString>& expectedText);
    // Drags the text from..to to where the position is drawn; gives the position the panel
    // takes the drop point for.
    qsizetype drop(qsizetype from, qsizetype to, qsizetype at);
    // What the panel shows is what the markup draws; Text1 holds the markup.
    bool checkDrawing(QString& why) const;

    std::unique_ptr<TemplateFixture> f_;
    std::unique_ptr<PreviewWiring> wiring_;
    PreviewWindow* editor_ = nullptr;
    QRandomGenerator random_;
};

void EditorModelTest::init() {
    f_ = std::make_unique<TemplateFixture>();
    wiring_ = std::make_unique<PreviewWiring>(f_->platform.services, f_->window, *f_->host);
    QVERIFY(f_->showActive());
    f_->window->Text2->setPlainText(QStringLiteral("Hi"));
    f_->window->Text1->setPlainText(startingMarkup());
    wiring_->openPreview();
    editor_ = wiring_->preview();
    QVERIFY(QTest::qWaitForWindowExposed(editor_));
}

void EditorModelTest::cleanup() {
    wiring_.reset();
    f_.reset();
}

qsizetype EditorModelTest::place() {
    const EditableText& text = panel()->shownText();
    const qsizetype size = text.text.size();
    const qsizetype any = random_.bounded(static_cast<int>(size) + 1);
    switch (random_.bounded(4)) {
    case 0: // a joint of two colors
        for (qsizetype i = std::max<qsizetype>(any, 1); i < size; ++i) {
            if (text.colors[std::size_t(i)] != text.colors[std::size_t(i - 1)]) {
                return i;
            }
        }
        return any;
    case 1: { // a line's start or end
        const qsizetype brk = text.text.indexOf(u'\n', any);
        return brk < 0 ? size : brk + random_.bounded(2);
    }
    default:
        return any;
    }
}

qsizetype EditorModelTest::drop(qsizetype from, qsizetype to, qsizetype at) {
    // The panel's own drag data (what it copies), dropped where the position is drawn.
    select(from, to);
    key(Qt::Key_C, Qt::ControlModifier);
    QMimeData dragged;
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    for (const QString& format : copied->formats()) {
        dragged.setData(format, copied->data(format));
    }
    QTextCursor target(panel()->document());
    target.setPosition(static_cast<int>(at));
    const QPoint point = panel()->cursorRect(target).center();
    const qsizetype dropped = panel()->cursorForPosition(point).position();
    QDragEnterEvent enter(point, Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel()->viewport(), &enter);
    QDropEvent drop(point, Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel()->viewport(), &drop);
    return dropped;
}

void EditorModelTest::act(QString& description,
                          std::optional<std::pair<qsizetype, qsizetype>>& reach,
                          std::optional<QString>& expectedText) {
    const QString before = panel()->shownText().text;
    const qsizetype size = before.size();
    const auto replaced = [&](qsizetype from, qsizetype to, const QString& with) {
        reach = {from, to};
        expectedText = QString(before).replace(from, to - from, with);
    };
    // One key an action (each key is an edit of its own, which a run of typing joins into one
    // step), so that every markup the history can stand at is seen.
    static const QStringList typed = {QStringLiteral("a"),      QStringLiteral("Z"),
                                      QStringLiteral(" "),      QStringLiteral("|"),
                                      QStringLiteral("\u82f1"), QStringLiteral("r")};
    const int choice = random_.bounded(100);
    if (choice < 22) {                 // typing over the selection, or at a place
        if (random_.bounded(2) != 0) { // else on at the cursor, as a run of typing
            const qsizetype at = place();
            select(at, at);
        }
        const auto [from, to] = panel()->selectedRange();
        const bool lineBreak = random_.bounded(6) == 0;
        const QString text = lineBreak ? QStringLiteral("\n") : typed.at(random_.bounded(6));
        description = QStringLiteral("type %1 over %2-%3").arg(text).arg(from).arg(to);
        if (lineBreak) {
            key(Qt::Key_Return);
        } else {
            typeInto(panel(), text);
        }
        replaced(from, to, text);
    } else if (choice < 42) { // Backspace or Delete, by character or by word
        if (random_.bounded(4) != 0) {
            const qsizetype at = place();
            select(at, at);
        }
        const bool back = random_.bounded(2) == 0;
        const bool word = random_.bounded(4) == 0;
        QTextCursor cursor = panel()->textCursor();
        const qsizetype at = cursor.position();
        if (!cursor.hasSelection()) {
            cursor.movePosition(
                back ? (word ? QTextCursor::PreviousWord : QTextCursor::PreviousCharacter)
                     : (word ? QTextCursor::NextWord : QTextCursor::NextCharacter),
                QTextCursor::KeepAnchor);
        }
        const qsizetype from = cursor.selectionStart();
        const qsizetype to = cursor.selectionEnd();
        description = QStringLiteral("%1%2 at %3")
                          .arg(word ? QStringLiteral("Ctrl+") : QString(),
                               back ? QStringLiteral("Backspace") : QStringLiteral("Delete"))
                          .arg(at);
        key(back ? Qt::Key_Backspace : Qt::Key_Delete, word ? Qt::ControlModifier : Qt::NoModifier);
        // Backspace takes a pair of surrogates, Delete a whole character, as the toolkit does.
        replaced(from, to, QString());
    } else if (choice < 52) { // a selection with Shift and the arrow keys
        const qsizetype at = place();
        select(at, at);
        const int count = 1 + random_.bounded(12);
        const bool right = random_.bounded(2) == 0;
        for (int i = 0; i < count; ++i) {
            key(right ? Qt::Key_Right : Qt::Key_Left, Qt::ShiftModifier);
        }
        description = QStringLiteral("select from %1, %2 keys").arg(at).arg(count);
        expectedText = before;
    } else if (choice < 60) { // cut, or copy
        const bool cut = random_.bounded(2) == 0;
        const auto [from, to] = panel()->selectedRange();
        description = QStringLiteral("%1 %2-%3").arg(cut ? "cut" : "copy").arg(from).arg(to);
        key(cut ? Qt::Key_X : Qt::Key_C, Qt::ControlModifier);
        if (cut) {
            replaced(from, to, QString());
        } else {
            expectedText = before;
        }
    } else if (choice < 68) { // paste of what was copied, or of markup from a map
        if (random_.bounded(3) == 0) {
            static const QStringList pasted = {
                QStringLiteral("Storm Bolt [|cffffcc00Q|r]"), QStringLiteral("|CFF00FF00G|Rx"),
                QStringLiteral("a|nb"), QStringLiteral("|cff1234"), QStringLiteral("x\r\ny")};
            QApplication::clipboard()->setText(pasted.at(random_.bounded(5)));
        }
        const auto [from, to] = panel()->selectedRange();
        const QString markup = QApplication::clipboard()->text();
        description = QStringLiteral("paste %1 over %2-%3").arg(markup).arg(from).arg(to);
        key(Qt::Key_V, Qt::ControlModifier);
        if (markup.isEmpty()) {
            expectedText = before; // nothing to paste
        } else {
            replaced(from, to, editableText(markup).text);
        }
    } else if (choice < 74 && size > 0) { // a drag-move of some text
        const qsizetype from = random_.bounded(static_cast<int>(size));
        const qsizetype to = std::min(size, from + 1 + random_.bounded(10));
        const qsizetype at = drop(from, to, place());
        description = QStringLiteral("drag %1-%2 to %3").arg(from).arg(to).arg(at);
        if (from < to && (at < from || at > to)) {
            const QString moved = before.mid(from, to - from);
            QString expected = QString(before).remove(from, to - from);
            expected.insert(at > to ? at - (to - from) : at, moved);
            reach = {std::min(from, at), std::max(to, at)};
            expectedText = expected;
        } else {
            expectedText = before;
        }
    } else if (choice < 80) { // coloring the selection
        const qsizetype from = random_.bounded(static_cast<int>(size) + 1);
        const qsizetype to = std::min(size, from + random_.bounded(30));
        select(from, to);
        ColorBar* bar = editor_->colorBar();
        QAbstractButton* buttons[] = {bar->goldSwatch(), bar->plainButton(),
                                      bar->presetSwatch(1 + random_.bounded(48)),
                                      bar->playerSwatch(1 + random_.bounded(12))};
        description = QStringLiteral("color %1-%2").arg(from).arg(to);
        buttons[random_.bounded(4)]->click();
        if (from < to) {
            reach = {from, to};
        }
        expectedText = before;
    } else if (choice < 83) { // a gradient over the selection
        const qsizetype from = random_.bounded(static_cast<int>(size) + 1);
        const qsizetype to = std::min(size, from + 1 + random_.bounded(30));
        select(from, to);
        description = QStringLiteral("gradient %1-%2").arg(from).arg(to);
        if (from < to) {
            editor_->colorBar()->gradientButton()->click();
            GradientDialog* dialog = editor_->gradientDialog();
            QVERIFY(dialog != nullptr);
            dialog->accept();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // it closes
            reach = {from, to};
        }
        expectedText = before;
    } else if (choice < 93) { // undo, redo
        const bool undo = random_.bounded(3) != 0;
        description = undo ? QStringLiteral("undo") : QStringLiteral("redo");
        key(Qt::Key_Z, undo ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
    } else { // Text1 changed from outside: typed into, or composed by a preset, or erased
        QPlainTextEdit* box = f_->window->Text1;
        const int how = random_.bounded(10);
        if (how < 7) {
            QTextCursor cursor = box->textCursor();
            cursor.setPosition(random_.bounded(box->document()->characterCount()));
            box->setTextCursor(cursor);
            typeInto(box, typed.at(random_.bounded(6)));
            description = QStringLiteral("type into Text1 at %1").arg(cursor.position());
        } else if (how < 9) {
            QTest::mouseClick(f_->window->Picture(1 + random_.bounded(48)), Qt::LeftButton);
            description = QStringLiteral("preset in the template window");
        } else {
            QTest::mouseClick(f_->window->Command2, Qt::LeftButton);
            description = QStringLiteral("Erase in the template window");
        }
        QTRY_COMPARE_WITH_TIMEOUT(editor_->markup(), text1(), 2000);
    }
}

bool EditorModelTest::checkDrawing(QString& why) const {
    const QString& markup = editor_->markup();
    if (text1() != markup) {
        why = QStringLiteral("Text1 %1 is not the editor's %2").arg(text1(), markup);
        return false;
    }
    const EditableText drawn = editableText(markup);
    const QTextDocument* document = panel()->document();
    const QString raw = document->toRawText().left(document->characterCount() - 1);
    QString expected(drawn.text.size(), Qt::Uninitialized);
    std::transform(drawn.text.begin(), drawn.text.end(), expected.begin(), documentCharacter);
    if (raw != expected) {
        why = QStringLiteral("the panel shows %1 where the markup %2 draws %3")
                  .arg(raw.left(200), markup.left(200), expected.left(200));
        return false;
    }
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QColor color = fragment.charFormat().foreground().color();
            for (int i = fragment.position(); i < fragment.position() + fragment.length(); ++i) {
                if (color != drawnColor(drawn.colors[std::size_t(i)])) {
                    why = QStringLiteral("character %1 is drawn %2, the markup %3 says %4")
                              .arg(i)
                              .arg(color.name(), markup.left(200),
                                   drawnColor(drawn.colors[std::size_t(i)]).name());
                    return false;
                }
            }
        }
    }
    return true;
}

void EditorModelTest::playsAUser() {
    const int seed = fromEnvironment("HUEPRINT_MODEL_SEED", 21);
    const int steps = fromEnvironment("HUEPRINT_MODEL_STEPS", 300);
    random_.seed(static_cast<quint32>(seed));
    const QString start = editor_->markup();
    QCOMPARE(start, startingMarkup());
    // The markups the history has stood at, and where it stands: an undo or a redo must land
    // on one of them, byte for byte.
    std::vector<QString> history{start};
    std::size_t current = 0;
    QStringList log;
    for (int step = 0; step < steps; ++step) {
        const QString before = editor_->markup();
        const QString beforeText = editableText(before).text;
        QString description;
        std::optional<std::pair<qsizetype, qsizetype>> reach;
        std::optional<QString> expectedText;
        act(description, reach, expectedText);
        if (QTest::currentTestFailed()) {
            return;
        }
        log.append(description);
        const QString context =
            QStringLiteral("seed %1, step %2: %3\n  after: %4")
                .arg(seed)
                .arg(step)
                .arg(description,
                     log.mid(std::max(0, int(log.size()) - 8)).join(QStringLiteral("; ")));
        const QString& after = editor_->markup();
        QString why;
        QVERIFY2(checkDrawing(why), qPrintable(context + QStringLiteral("\n  ") + why));
        // A "|" of the text typed or joined before "r", "n" or "c" reads as a mark: the text is
        // then what the markup draws, which the drawing's check holds it to.
        const bool marksMayForm =
            beforeText.contains(u'|') || (expectedText && expectedText->contains(u'|'));
        if (expectedText && !marksMayForm) {
            QVERIFY2(editableText(after).text == *expectedText,
                     qPrintable(context + QStringLiteral("\n  text %1\n  expected %2")
                                              .arg(editableText(after).text.left(300),
                                                   expectedText->left(300))));
        }
        if (reach && after != before && !marksMayForm) {
            // Outside the reach (and the blanks and marks up to the visible characters beside
            // it) the markup keeps its bytes.
            const EditableText text = editableText(before);
            const Places places = placesOf(before);
            qsizetype keptStart = 0;
            for (qsizetype i = reach->first - 1; i >= 0; --i) {
                if (!text.text.at(i).isSpace()) {
                    keptStart = places.end[std::size_t(i)];
                    break;
                }
            }
            qsizetype keptEnd = before.size();
            for (qsizetype i = reach->second; i < text.text.size(); ++i) {
                if (!text.text.at(i).isSpace()) {
                    keptEnd = places.start[std::size_t(i)];
                    break;
                }
            }
            const qsizetype suffix = before.size() - keptEnd;
            QVERIFY2(keptStart + suffix <= after.size() &&
                         QStringView(after).left(keptStart) ==
                             QStringView(before).left(keptStart) &&
                         QStringView(after).right(suffix) == QStringView(before).right(suffix),
                     qPrintable(context +
                                QStringLiteral("\n  kept [0, %1) and [%2, end) of %3\n  "
                                               "became %4")
                                    .arg(keptStart)
                                    .arg(keptEnd)
                                    .arg(before.mid(keptStart - 40, keptEnd - keptStart + 80),
                                         after.mid(keptStart - 40, keptEnd - keptStart + 80))));
        }
        if (description == QLatin1String("undo") || description == QLatin1String("redo")) {
            if (after != before) {
                bool found = false;
                const bool undo = description == QLatin1String("undo");
                for (std::size_t i = current; undo ? i-- > 0 : ++i < history.size();) {
                    if (history[i] == after) {
                        current = i;
                        found = true;
                        break;
                    }
                }
                QVERIFY2(found, qPrintable(context + QStringLiteral("\n  landed on %1, never "
                                                                    "the markup")
                                                         .arg(after.left(300))));
            }
        } else if (after != before) {
            history.resize(current + 1);
            history.push_back(after);
            current = history.size() - 1;
        }
    }
    const QString last = history.back();
    while (editor_->undoStack()->canUndo()) {
        key(Qt::Key_Z, Qt::ControlModifier);
    }
    QCOMPARE(editor_->markup(), start);
    QCOMPARE(text1(), start);
    while (editor_->undoStack()->canRedo()) {
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    }
    QCOMPARE(editor_->markup(), last);
    QCOMPARE(text1(), last);
}

QTEST_MAIN(EditorModelTest)
#include "tst_editor_model.moc"
