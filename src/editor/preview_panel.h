// SPDX-License-Identifier: MIT
#pragma once

#include "markup/markup_edit.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCharFormat>
#include <map>

class QTextBlock;
class QUndoStack;

namespace hueprint {

// The dark tooltip panel the text is drawn and edited on, each character in its color. The
// toolkit's plain-text editor does the typing, selecting, layout and drawing; the panel turns
// each change of its document into an edit of the markup and never reads text as HTML.
//
// The markup is the one truth. The panel shows an EditableText (showText) and reports what the
// user changed (edited, pasted); whoever holds the markup applies the edit and shows the result,
// so the document always ends up drawn from the markup. showText rewrites only the stretch that
// differs from what is shown (only its colors when the letters are the same), so the cursor
// and the selection stay where the text around them did not change. The document keeps no
// undo history of its own: Ctrl+Z and Ctrl+Shift+Z / Ctrl+Y go to the markup's undo stack.
//
// The document holds the letters; the colors are given to each block's layout as formats of its
// runs, as the toolkit's syntax highlighting does (character formats kept in the document
// itself cost a megabyte of one-word runs a second to insert). A line longer than 2,048 characters
// is held in blocks of at most that size (each further piece marked as continuing its line, its
// break no character of the text), so that an edit or a first view lays out a piece, never a
// megabyte. Positions of the text and of the document differ by those breaks (textPosition,
// documentPosition).
class PreviewPanel : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit PreviewPanel(QWidget* parent = nullptr);

    // Shows the text, changing only what differs from what is shown.
    void showText(EditableText text);
    const EditableText& shownText() const { return shown_; }

    // The selection (or the cursor) as positions in the text; selects in the text.
    std::pair<qsizetype, qsizetype> selectedRange() const;
    void selectRange(qsizetype from, qsizetype to);
    qsizetype textPosition(int documentPosition) const;
    int documentPosition(qsizetype textPosition) const;

    // The stack Ctrl+Z, Ctrl+Shift+Z, Ctrl+Y and the context menu's entries work on.
    void setUndoStack(QUndoStack* stack);

    // The panel's own colors.
    static QColor backgroundColor();
    static QColor borderColor();

signals:
    // The user replaced `removed` characters at `position` with `inserted` (typed, deleted, cut).
    void edited(qsizetype position, qsizetype removed, const QString& inserted);
    // The user pasted (or dropped) this text over `removed` characters at `position`: markup.
    void pasted(qsizetype position, qsizetype removed, const QString& markup);

protected:
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void documentChanged(int position, int removed, int added);
    QString documentText() const;
    // Cuts the blocks from first to the one at lastPosition that are too long into pieces;
    // where lastPosition then is.
    int cutLongBlocks(QTextBlock block, int lastPosition);
    // Gives the blocks from first to the one at lastPosition the colors of the text they show,
    // now or when they come into view.
    void colorBlocks(const QTextBlock& first, int lastPosition);
    void colorBlock(QTextBlock block);
    const QTextCharFormat& format(const TextColor& color);
    // Where the pieces that continue a line start in the document, in order; worked out again
    // after a change that may have moved them.
    const std::vector<int>& continuations() const;
    void forgetContinuations(int removed, int added);

    EditableText shown_; // what the document shows, in its own characters (see displayed())
    QPointer<QUndoStack> undoStack_;
    std::map<TextColor, QTextCharFormat> formats_; // reused, a few thousand at most
    mutable std::vector<int> continuations_;
    mutable int continuationsBlockCount_ = -1; // the block count they were found at; -1: unknown
    bool showing_ = false;                     // the panel itself is changing the document
};

} // namespace hueprint
