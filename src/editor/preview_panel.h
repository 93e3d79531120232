// SPDX-License-Identifier: MIT
#pragma once

#include "markup/markup_edit.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCharFormat>
#include <map>

class QUndoStack;

namespace hueprint {

// The dark tooltip panel the text is drawn and edited on, each character in its color. The
// toolkit's plain-text editor does the selecting, layout and drawing; the panel never reads text
// as HTML.
//
// The markup is the one truth. The panel shows an EditableText (showText) and reports each user
// action as what it asks for (typed, deleted, cut, pasted, dropped, moved), taken from the action
// itself; whoever holds the markup makes the edit and shows the stretch it changed, so the
// document is always drawn from the markup and the panel never edits its document on its own.
// Each character's color is its character format, which assistive technology reads as a text
// attribute. The document keeps no undo history of its own: Ctrl+Z and Ctrl+Shift+Z / Ctrl+Y,
// and the context menu's entries, go to the markup's undo stack.
class PreviewPanel : public QPlainTextEdit {
    Q_OBJECT
public:
    // What a user action did to the text, for the undo stack to group runs of one kind.
    enum class Edit { Typing, DeleteBackward, DeleteForward, Other };
    Q_ENUM(Edit)

    explicit PreviewPanel(QWidget* parent = nullptr);

    // Shows the text, changing only the letters that differ and the colors that changed.
    void showText(EditableText text);
    // Shows the stretch [first, oldEnd) of what is shown as the text given; the rest is as
    // shown. Gives where the letters it rewrote end in the text, none when only colors changed.
    std::optional<qsizetype> showText(qsizetype first, qsizetype oldEnd, EditableText stretch);
    const EditableText& shownText() const { return shown_; }

    // The selection (or the cursor) as positions in the text; selects in the text.
    std::pair<qsizetype, qsizetype> selectedRange() const;
    void selectRange(qsizetype from, qsizetype to);

    // The stack Ctrl+Z, Ctrl+Shift+Z, Ctrl+Y and the context menu's entries work on.
    void setUndoStack(QUndoStack* stack);

    // The panel's own colors.
    static QColor backgroundColor();
    static QColor borderColor();

signals:
    // A user action is about to be read from the panel: the text shown must be up to date.
    void aboutToEdit();
    // The user replaced `removed` characters at `position` with `inserted` (typed, deleted, cut).
    void textEdited(qsizetype position, qsizetype removed, const QString& inserted,
                    hueprint::PreviewPanel::Edit kind);
    // The user pasted (or dropped) this text over `removed` characters at `position`: markup.
    void markupPasted(qsizetype position, qsizetype removed, const QString& markup);
    // The user dragged `length` characters at `from` to `to`, a position before they left.
    void textMoved(qsizetype from, qsizetype length, qsizetype to);

protected:
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The editing keys, as the toolkit's editor reads them; false for any other key.
    bool editByKey(QKeyEvent* event);
    // Replaces the selection with typed text.
    void type(const QString& text);
    // Removes the selection, or with none the stretch the cursor move spans.
    void removeWith(QTextCursor::MoveOperation move, Edit kind);
    void remove(qsizetype from, qsizetype to, Edit kind);
    void cutSelection();
    void placeCursor(qsizetype position);
    void colorStretch(QTextCursor& cursor, const std::vector<TextColor>& before, qsizetype offset,
                      qsizetype from, qsizetype to);
    const QTextCharFormat& format(const TextColor& color);
    void documentChanged(int position, int removed, int added);

    EditableText shown_; // what the document shows, in its own characters (see displayed())
    QPointer<QUndoStack> undoStack_;
    std::map<TextColor, QTextCharFormat> formats_; // reused, a few thousand at most
    bool showing_ = false;                         // the panel itself is changing the document
    bool redrawQueued_ = false;
};

} // namespace hueprint
