// SPDX-License-Identifier: MIT
#include "markup_editor.h"

#include "color_bar.h"
#include "gradient_dialog.h"
#include "preview_panel.h"
#include "recent_colors.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QUndoCommand>
#include <QVBoxLayout>

namespace hueprint {

namespace {

// The notes a list shows at most: a megabyte of broken codes would give more than anyone reads.
constexpr std::size_t kMostNotesShown = 1000;

// The text with each line break as a line feed: a multi-line text box holds "\r\n", a lone
// "\r", U+2029 and the marks U+FDD0 and U+FDD1 as line breaks, and the markup must read back from
// the result box as it was written.
QString withLineFeeds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const char16_t brk : {u'\r', char16_t(QChar::ParagraphSeparator), u'\xFDD0', u'\xFDD1'}) {
        text.replace(QChar(brk), u'\n');
    }
    return text;
}

} // namespace

// One step of the markup's history: a splice and the bytes it took out, so that undoing it
// gives back the exact spelling and a step costs what it changed. A run of typing (or of
// deleting) joins the step before it into one, as the toolkit's own editors group them.
class MarkupStep : public QUndoCommand {
public:
    MarkupStep(MarkupEditor* window, MarkupSplice splice, QString removed,
               const QString& description, EditedText text, bool joinsRun)
        : QUndoCommand(description), window_(window), splice_(std::move(splice)),
          removed_(std::move(removed)), text_(text), joinsRun_(joinsRun) {}

    int id() const override { return text_.kind; }
    void undo() override {
        place(window_->apply({splice_.start, splice_.inserted.size(), removed_}, true));
    }
    void redo() override {
        if (std::exchange(made_, false)) {
            return; // made by the user already
        }
        place(window_->apply(splice_, true));
    }
    bool mergeWith(const QUndoCommand* command) override;

private:
    void place(std::optional<qsizetype> lettersEnd) {
        window_->runBroken_ = true;
        if (lettersEnd) {
            window_->panel_->selectRange(*lettersEnd, *lettersEnd);
        }
    }

    MarkupEditor* window_;
    MarkupSplice splice_;
    QString removed_;
    EditedText text_;
    bool joinsRun_ = false;
    bool made_ = true;
};

bool MarkupStep::mergeWith(const QUndoCommand* command) {
    const auto* next = static_cast<const MarkupStep*>(command);
    const EditedText& t = next->text_;
    using Edit = PreviewPanel::Edit;
    const bool continues =
        next->joinsRun_ &&
        ((text_.kind == int(Edit::Typing) && t.removed == 0 &&
          t.position == text_.position + text_.inserted) ||
         (text_.kind == int(Edit::DeleteBackward) && t.position + t.removed == text_.position) ||
         (text_.kind == int(Edit::DeleteForward) && t.position == text_.position));
    if (!continues) {
        return false;
    }
    // The two splices as one: the stretch both cover (in the markup between them), its bytes
    // now, and before the first took its own out.
    const MarkupSplice& first = splice_;
    const MarkupSplice& second = next->splice_;
    const qsizetype from = std::min(first.start, second.start);
    const qsizetype to =
        std::max(first.start + first.inserted.size(), second.start + second.removed);
    const QString& now = window_->markup_;
    QString stretch = now.mid(from, to - from - second.removed + second.inserted.size());
    const QString inserted = stretch;
    stretch.replace(second.start - from, second.inserted.size(), next->removed_);
    stretch.replace(first.start - from, first.inserted.size(), removed_);
    splice_ = {from, stretch.size(), inserted};
    removed_ = stretch;
    if (text_.kind == int(Edit::Typing)) {
        text_.inserted += t.inserted;
    } else {
        text_.removed += t.removed;
        text_.position = t.position;
    }
    return true;
}

QString notesListText(const std::vector<PreviewNote>& notes, std::size_t maxLines) {
    if (notes.empty()) {
        return QStringLiteral("No mistakes found.");
    }
    QStringList lines;
    const std::size_t shown = std::min(notes.size(), maxLines);
    lines.reserve(static_cast<qsizetype>(shown) + 1);
    for (std::size_t i = 0; i < shown; ++i) {
        lines.append(noteText(notes[i]));
    }
    if (notes.size() > shown) {
        const std::size_t more = notes.size() - shown;
        lines.append(more == 1 ? QStringLiteral("... and 1 more note.")
                               : QStringLiteral("... and %1 more notes.").arg(more));
    }
    return lines.join(u'\n');
}

MarkupEditor::MarkupEditor(SettingsStore& store, ColorDialog& colorDialog, QWidget* parent)
    : QWidget(parent), store_(store), colorDialog_(colorDialog) {
    recentColors_ = new RecentColors(store_, this);
    bar_ = new ColorBar(*recentColors_, colorDialog_, ColorBar::Use::Text, this);
    bar_->setObjectName(QStringLiteral("colorBar"));
    bar_->setGradientEnabled(false);
    panel_ = new PreviewPanel(this);
    panel_->setObjectName(QStringLiteral("previewPanel"));
    panel_->setAccessibleName(QStringLiteral("In-Game Text"));
    history_ = &ownHistory_;
    panel_->setUndoStack(&ownHistory_);
    figures_ = new QLabel(this);
    figures_->setObjectName(QStringLiteral("previewFigures"));
    figures_->setTextFormat(Qt::PlainText); // the figures are never read as markup
    figures_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    notes_ = new QPlainTextEdit(this);
    notes_->setObjectName(QStringLiteral("previewNotes"));
    notes_->setAccessibleName(QStringLiteral("Notes"));
    notes_->setReadOnly(true);
    notes_->setTabChangesFocus(true);
    notes_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    notes_->setMaximumHeight(notes_->fontMetrics().lineSpacing() * 5 + 12);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar_);
    layout->addWidget(panel_, 1);
    layout->addWidget(figures_);
    layout->addWidget(notes_);

    connect(panel_, &PreviewPanel::aboutToEdit, this, &MarkupEditor::aboutToEdit);
    connect(panel_, &PreviewPanel::textEdited, this, &MarkupEditor::panelEdited);
    connect(panel_, &PreviewPanel::markupPasted, this,
            [this](qsizetype position, qsizetype removed, const QString& pasted) {
                edit(
                    replaceWithMarkup(markup_, position, removed, withLineFeeds(pasted), &reading_),
                    QStringLiteral("Paste"));
            });
    connect(panel_, &PreviewPanel::textMoved, this,
            [this](qsizetype from, qsizetype length, qsizetype to) {
                edit(moveText(markup_, from, length, to, &reading_), QStringLiteral("Move"));
            });
    connect(panel_, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (applying_) {
            return;
        }
        const QTextCursor cursor = panel_->textCursor();
        if (cursor.position() != typingAt_) {
            typingColor_.reset(); // the color waited at another place
        }
        if (cursor.hasSelection() || cursor.position() != runEnd_) {
            runBroken_ = true; // typing elsewhere starts a step of its own
        }
    });
    connect(panel_, &QPlainTextEdit::copyAvailable, bar_, &ColorBar::setGradientEnabled);
    connect(bar_, &ColorBar::colorChosen, this, &MarkupEditor::applyColor);
    connect(bar_, &ColorBar::gradientRequested, this, &MarkupEditor::openGradient);
    figuresTimer_.setSingleShot(true);
    figuresTimer_.setInterval(0);
    connect(&figuresTimer_, &QTimer::timeout, this, &MarkupEditor::showFigures);
    apply({}, false); // the figures and notes of no text, until showMarkup() gives one
}

MarkupEditor::~MarkupEditor() {
    panel_->disconnect(this); // the document goes with the panel: its changes are no edits
}

void MarkupEditor::showMarkup(const QString& markup) {
    if (!drawn_) {
        drawn_ = true;
        apply(changedStretch(markup_, markup), false);
        return;
    }
    // Changed elsewhere: a step of the history, so that an undo here brings back what was there.
    edit(changedStretch(markup_, markup), QStringLiteral("Change from Outside"), {}, false);
}

void MarkupEditor::resetMarkup(const QString& markup, QUndoStack* history) {
    drawn_ = false;
    ownHistory_.clear();
    history_ = history != nullptr ? history : &ownHistory_;
    panel_->setUndoStack(history_);
    runBroken_ = true;
    typingColor_.reset();
    showMarkup(markup);
}

std::optional<qsizetype> MarkupEditor::apply(const MarkupSplice& splice, bool madeHere) {
    QString before = std::exchange(markup_, splice.appliedTo(markup_));
    ChangedText change = reading_.follow(before, markup_, splice);
    before.clear();
    renderingStale_ = true;
    applying_ = true;
    const std::optional<qsizetype> lettersEnd =
        panel_->showText(change.stretch.first, change.stretch.oldEnd, std::move(change.text));
    applying_ = false;
    if (madeHere) {
        // Read over the whole markup: once the panel has drawn the edit, in the event loop's
        // next pass, as the preview followed Text1 before it was an editor.
        figuresTimer_.start();
        emit markupEdited(splice);
    } else {
        showFigures();
    }
    return lettersEnd;
}

const PreviewRendering& MarkupEditor::rendering() const {
    if (std::exchange(renderingStale_, false)) {
        rendering_ = renderPreview(markup_);
    }
    return rendering_;
}

void MarkupEditor::showFigures() {
    figuresTimer_.stop();
    figures_->setText(figuresText(rendering()));
    notes_->setPlainText(notesListText(rendering().notes, kMostNotesShown));
}

void MarkupEditor::edit(const MarkupSplice& splice, const QString& description, EditedText text,
                        bool madeHere) {
    if (splice.isEmpty()) {
        return;
    }
    QString removed = markup_.mid(splice.start, splice.removed);
    apply(splice, madeHere);
    undoStack()->push(new MarkupStep(this, splice, std::move(removed), description, text,
                                     madeHere && !runBroken_));
    runBroken_ = !madeHere || text.kind < 0;
    runEnd_ = text.kind == int(PreviewPanel::Edit::Typing) ? text.position + text.inserted
                                                           : text.position;
}

void MarkupEditor::panelEdited(qsizetype position, qsizetype removed, const QString& inserted,
                               PreviewPanel::Edit kind) {
    const std::optional<TextColor> color =
        inserted.isEmpty() ? std::nullopt : std::exchange(typingColor_, std::nullopt);
    const int run = kind == PreviewPanel::Edit::Other ? -1 : int(kind);
    edit(replaceText(markup_, position, removed, inserted, color, &reading_),
         inserted.isEmpty() ? QStringLiteral("Delete") : QStringLiteral("Typing"),
         {run, position, removed, inserted.size()});
}

void MarkupEditor::applyColor(TextColor color) {
    emit aboutToEdit();
    const auto [from, to] = panel_->selectedRange();
    if (from == to) {
        typingColor_ = color;
        typingAt_ = panel_->textCursor().position();
        return;
    }
    edit(colorRange(markup_, from, to - from, color, &reading_), QStringLiteral("Color"));
}

void MarkupEditor::openGradient() {
    const auto [start, end] = panel_->selectedRange();
    if (start == end || !gradientDialog_.isNull()) {
        return;
    }
    gradientDialog_ = new GradientDialog(*recentColors_, colorDialog_,
                                         panel_->shownText().text.mid(start, end - start),
                                         bar_->pickerColor(), this);
    gradientDialog_->setAttribute(Qt::WA_DeleteOnClose);
    connect(gradientDialog_, &QDialog::accepted, this, [this] {
        emit aboutToEdit();
        // The fade goes over what is selected at OK: Text1 may have changed while the dialog was
        // open, and the selection moved with the text around it. With nothing selected any more
        // there is nothing to fade, and nothing changes.
        const auto [from, to] = panel_->selectedRange();
        if (from != to) {
            edit(gradientRange(markup_, from, to - from, gradientDialog_->stops(), &reading_),
                 QStringLiteral("Gradient"));
        }
    });
    gradientDialog_->open();
}

GradientDialog* MarkupEditor::gradientDialog() const {
    return gradientDialog_.data();
}

} // namespace hueprint
