// SPDX-License-Identifier: MIT
#pragma once

#include "markup/markup_edit.h"
#include "markup/markup_render.h"
#include "markup/reading_index.h"
#include "preview_panel.h"

#include <QPointer>
#include <QTimer>
#include <QUndoStack>
#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace hueprint {

class ColorBar;
class ColorDialog;
class GradientDialog;
class RecentColors;
class SettingsStore;

// The editor of a markup: the markup drawn as the game draws it on a tooltip panel, where it can
// be edited and colored; above it the color bar, under it the two lengths and the notes. The
// preview window holds one, and so does the Map Texts window, beside its list.
//
// It holds the markup. Each user action in the panel or the bar is one edit of the markup, a
// splice, kept on its undo stack with the bytes it took out (a run of typing or of deleting is
// one step, as in the toolkit's own editors); the panel then draws the stretch of text the
// splice changed, and markupEdited() gives the splice to whoever keeps the markup elsewhere.
// showMarkup() takes a markup changed elsewhere; once the editor has drawn one, such a change is
// a step of the history too, so that an undo here brings back what was there. resetMarkup()
// takes another text altogether, with a history of its own.
// What a user action did to the text: `removed` characters at `position` replaced by `inserted`
// ones, by a run of typing or deleting (a PreviewPanel::Edit) or by something else (-1).
struct EditedText {
    int kind = -1;
    qsizetype position = 0;
    qsizetype removed = 0;
    qsizetype inserted = 0;
};

class MarkupEditor : public QWidget {
    Q_OBJECT
public:
    MarkupEditor(SettingsStore& store, ColorDialog& colorDialog, QWidget* parent = nullptr);
    ~MarkupEditor() override;
    MarkupEditor(const MarkupEditor&) = delete;
    MarkupEditor& operator=(const MarkupEditor&) = delete;

    // Draws the markup changed elsewhere (nothing is done when it is what is drawn already).
    void showMarkup(const QString& markup);
    // Draws another text with the history given, or with none an empty one of its own. The
    // steps on a history given must have been made here, to that text; the history is kept by
    // whoever gave it (a text's history, kept while another text is edited).
    void resetMarkup(const QString& markup, QUndoStack* history = nullptr);
    const QString& markup() const { return markup_; }

    // Colors the selection, or with none the text typed next at the cursor.
    void applyColor(TextColor color);
    // Opens "Gradient..." for the selection; its OK colors what is selected then.
    void openGradient();

    // How the game draws the markup (read when asked for after an edit).
    const PreviewRendering& rendering() const;
    PreviewPanel* panel() const { return panel_; }
    ColorBar* colorBar() const { return bar_; }
    QLabel* figures() const { return figures_; }
    QPlainTextEdit* notes() const { return notes_; }
    QUndoStack* undoStack() { return history_.isNull() ? &ownHistory_ : history_.data(); }
    GradientDialog* gradientDialog() const;

signals:
    // A user action is about to be read: a markup changed elsewhere must be shown first.
    void aboutToEdit();
    // The markup was changed here, by an edit, an undo or a redo: the one splice it took.
    void markupEdited(const hueprint::MarkupSplice& splice);

private:
    friend class MarkupStep;
    // Makes the splice to the markup and draws it; tells markupEdited() when it was made here.
    // Where the letters it rewrote end in the text, if it rewrote any.
    std::optional<qsizetype> apply(const MarkupSplice& splice, bool madeHere);
    // One user action: its splice as one step of the undo stack; `text` is what it did to the
    // text, for a run of typing or deleting to join the step before.
    void edit(const MarkupSplice& splice, const QString& description, EditedText text = {},
              bool madeHere = true);
    void panelEdited(qsizetype position, qsizetype removed, const QString& inserted,
                     PreviewPanel::Edit kind);
    void showFigures();

    SettingsStore& store_;
    ColorDialog& colorDialog_;
    QString markup_;
    ReadingIndex reading_; // follows markup_ through each splice
    bool drawn_ = false;
    bool applying_ = false; // the editor itself is drawing the panel
    bool runBroken_ = true; // the next step starts a step of its own
    qsizetype runEnd_ = -1; // where the cursor stands when the user goes on with the run
    mutable PreviewRendering rendering_;
    mutable bool renderingStale_ = false;
    QTimer figuresTimer_; // shows the figures and notes of an edit made here
    QUndoStack ownHistory_;
    QPointer<QUndoStack> history_; // the history in use: ownHistory_ or one given
    // The color "the text typed next" takes, and where it is typed.
    std::optional<TextColor> typingColor_;
    int typingAt_ = -1;
    RecentColors* recentColors_ = nullptr; // the bar's and the gradient dialog's
    ColorBar* bar_ = nullptr;
    PreviewPanel* panel_ = nullptr;
    QLabel* figures_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
    QPointer<GradientDialog> gradientDialog_;
};

// The text of the notes list: one note a line, at most maxLines of them and then a line that
// says how many more there are; "No mistakes found." when there are none.
QString notesListText(const std::vector<PreviewNote>& notes, std::size_t maxLines);

} // namespace hueprint
