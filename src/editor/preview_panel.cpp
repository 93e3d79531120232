// SPDX-License-Identifier: MIT
#include "preview_panel.h"

#include "markup/markup_render.h"
#include "platform/text_box_text.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUndoStack>
#include <algorithm>
#include <map>

namespace hueprint {

namespace {

// Pixels between the panel's border and its text.
constexpr int kMargin = 8;
// The text's point size on the panel.
constexpr qreal kTextPoints = 10.0;
// Marks what the panel gives to be dragged (or copied) as its own, whichever drag it travels in.
const QString kOwnDragFormat = QStringLiteral("application/x-hueprint-panel");
// Formats kept for reuse at most; a text of more colors makes them afresh.
constexpr std::size_t kMostFormats = 4096;

// The character the document holds for one of the text: a line break is a new block; the
// characters the document would take for a break or a frame of its own are shown as U+FFFD, so
// that the document keeps one position for each character of the text.
QChar displayed(QChar c) {
    switch (c.unicode()) {
    case u'\r':
    case QChar::ParagraphSeparator:
    case 0xFDD0: // the document's frame marks
    case 0xFDD1:
    case 0xFDEF:
        return QChar::ReplacementCharacter;
    default:
        return c;
    }
}

QString displayedText(QStringView text) {
    QString shown(text.size(), Qt::Uninitialized);
    std::transform(text.begin(), text.end(), shown.begin(), displayed);
    return shown;
}

QColor shownColor(const TextColor& color) {
    const ColorValue shown =
        color.has_value() && isPlainColor(*color) ? *color : kPreviewDefaultColor;
    return QColor(shown & 0xFF, (shown >> 8) & 0xFF, (shown >> 16) & 0xFF);
}

} // namespace

PreviewPanel::PreviewPanel(QWidget* parent) : QPlainTextEdit(parent) {
    setFrameShape(QFrame::NoFrame);
    QFont textFont = font();
    textFont.setPointSizeF(kTextPoints);
    setFont(textFont);
    QPalette colors = palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colors.setColor(group, QPalette::Base, backgroundColor());
        colors.setColor(group, QPalette::Text, shownColor(std::nullopt));
    }
    setPalette(colors);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTabChangesFocus(true);
    setUndoRedoEnabled(false);
    typeOrdinaryLineBreaks(*this);
    document()->setDocumentMargin(kMargin);
    connect(document(), &QTextDocument::contentsChange, this, &PreviewPanel::documentChanged);
}

QColor PreviewPanel::backgroundColor() {
    return QColor(12, 12, 20);
}

QColor PreviewPanel::borderColor() {
    return QColor(150, 132, 90);
}

void PreviewPanel::setUndoStack(QUndoStack* stack) {
    undoStack_ = stack;
}

std::pair<qsizetype, qsizetype> PreviewPanel::selectedRange() const {
    const QTextCursor cursor = textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd()};
}

void PreviewPanel::selectRange(qsizetype from, qsizetype to) {
    const qsizetype size = shown_.text.size();
    QTextCursor cursor = textCursor();
    cursor.setPosition(static_cast<int>(std::clamp<qsizetype>(from, 0, size)));
    cursor.setPosition(static_cast<int>(std::clamp<qsizetype>(to, 0, size)),
                       QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void PreviewPanel::placeCursor(qsizetype position) {
    selectRange(position, position);
}

void PreviewPanel::showText(EditableText text) {
    showText(0, shown_.text.size(), std::move(text));
}

std::optional<qsizetype> PreviewPanel::showText(qsizetype first, qsizetype oldEnd,
                                                EditableText stretch) {
    const QString text = displayedText(stretch.text);
    std::vector<TextColor>& colors = stretch.colors;
    colors.resize(static_cast<std::size_t>(text.size()));
    first = std::clamp<qsizetype>(first, 0, shown_.text.size());
    oldEnd = std::clamp<qsizetype>(oldEnd, first, shown_.text.size());
    const qsizetype newEnd = first + text.size();
    // Within the stretch, the letters that stay keep their place (and the cursor its own).
    const QStringView before = QStringView(shown_.text).mid(first, oldEnd - first);
    qsizetype from = 0;
    while (from < before.size() && from < text.size() && before.at(from) == text.at(from)) {
        ++from;
    }
    qsizetype oldTo = before.size();
    qsizetype newTo = text.size();
    while (oldTo > from && newTo > from && before.at(oldTo - 1) == text.at(newTo - 1)) {
        --oldTo;
        --newTo;
    }
    // The colors shown before, for the letters that stay, where they stand now.
    const auto shownColors = shown_.colors.begin() + first;
    std::vector<TextColor> colorsBefore(shownColors, shownColors + (oldEnd - first));
    colorsBefore.erase(colorsBefore.begin() + from, colorsBefore.begin() + oldTo);
    colorsBefore.insert(colorsBefore.begin() + from, size_t(newTo - from), TextColor());
    shown_.text.replace(first, oldEnd - first, text);
    if (oldEnd - first == text.size()) {
        std::copy(colors.begin(), colors.end(), shownColors);
    } else {
        shown_.colors.erase(shownColors, shownColors + (oldEnd - first));
        shown_.colors.insert(shown_.colors.begin() + first, colors.begin(), colors.end());
    }

    showing_ = true;
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    colorStretch(cursor, colorsBefore, first, first, first + from);
    if (oldTo > from || newTo > from) {
        cursor.setPosition(static_cast<int>(first + from));
        cursor.setPosition(static_cast<int>(first + oldTo), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        // One insertion a run of one color: the letters arrive with their formats.
        for (qsizetype start = from; start < newTo;) {
            const TextColor& color = colors[static_cast<std::size_t>(start)];
            qsizetype end = start + 1;
            while (end < newTo && colors[static_cast<std::size_t>(end)] == color) {
                ++end;
            }
            cursor.insertText(text.mid(start, end - start), format(color));
            start = end;
        }
    }
    colorStretch(cursor, colorsBefore, first, first + newTo, newEnd);
    cursor.endEditBlock();
    showing_ = false;
    return oldTo > from || newTo > from ? std::optional(first + newTo) : std::nullopt;
}

// Gives a new format to the letters in [from, to) whose color is not the one they had: that of
// before[i - offset].
void PreviewPanel::colorStretch(QTextCursor& cursor, const std::vector<TextColor>& before,
                                qsizetype offset, qsizetype from, qsizetype to) {
    const auto changed = [&](qsizetype i) {
        return shown_.colors[static_cast<std::size_t>(i)] !=
               before[static_cast<std::size_t>(i - offset)];
    };
    for (qsizetype start = from; start < to;) {
        if (!changed(start)) {
            ++start;
            continue;
        }
        const TextColor& color = shown_.colors[static_cast<std::size_t>(start)];
        qsizetype end = start + 1;
        while (end < to && changed(end) && shown_.colors[static_cast<std::size_t>(end)] == color) {
            ++end;
        }
        cursor.setPosition(static_cast<int>(start));
        cursor.setPosition(static_cast<int>(end), QTextCursor::KeepAnchor);
        cursor.setCharFormat(format(color));
        start = end;
    }
}

const QTextCharFormat& PreviewPanel::format(const TextColor& color) {
    if (formats_.size() > kMostFormats) {
        formats_.clear();
    }
    auto found = formats_.find(color);
    if (found == formats_.end()) {
        QTextCharFormat made;
        made.setForeground(shownColor(color));
        found = formats_.emplace(color, made).first;
    }
    return found->second;
}

void PreviewPanel::documentChanged(int /*position*/, int removed, int added) {
    if (showing_ || redrawQueued_ || (removed == 0 && added == 0)) {
        return;
    }
    // Only the panel edits its document; a change made past it (a toolkit path that edits the
    // document itself) is drawn over from the text shown, once the change is done.
    redrawQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            redrawQueued_ = false;
            EditableText text = std::exchange(shown_, {});
            showing_ = true;
            document()->clear();
            showing_ = false;
            showText(std::move(text));
        },
        Qt::QueuedConnection);
}

void PreviewPanel::type(const QString& text) {
    emit aboutToEdit();
    const auto [from, to] = selectedRange();
    emit textEdited(from, to - from, text, Edit::Typing);
    placeCursor(from + text.size());
}

void PreviewPanel::remove(qsizetype from, qsizetype to, Edit kind) {
    if (from < to) {
        emit textEdited(from, to - from, QString(), kind);
        placeCursor(from);
    }
}

void PreviewPanel::removeWith(QTextCursor::MoveOperation move, Edit kind) {
    emit aboutToEdit();
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        cursor.movePosition(move, QTextCursor::KeepAnchor);
    }
    remove(cursor.selectionStart(), cursor.selectionEnd(), kind);
}

void PreviewPanel::cutSelection() {
    if (isReadOnly() || !textCursor().hasSelection()) {
        return;
    }
    emit aboutToEdit();
    copy();
    const auto [from, to] = selectedRange();
    remove(from, to, Edit::Other);
}

bool PreviewPanel::editByKey(QKeyEvent* event) {
    // The keys the toolkit's editor edits with, read in its order.
    const bool backspace = event->key() == Qt::Key_Backspace &&
                           (event->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier;
    if (backspace || event->matches(QKeySequence::Backspace)) {
        emit aboutToEdit();
        // One character back, a pair of surrogates as one, as QTextCursor::deletePreviousChar.
        const auto [from, to] = selectedRange();
        qsizetype start = from;
        if (from == to && from > 0) {
            const QString& text = shown_.text;
            start = from - 1;
            if (start > 0 && text.at(start).isLowSurrogate() &&
                text.at(start - 1).isHighSurrogate()) {
                --start;
            }
        }
        remove(start, to, Edit::DeleteBackward);
        return true;
    }
    if (event->matches(QKeySequence::InsertParagraphSeparator) ||
        event->matches(QKeySequence::InsertLineSeparator)) {
        type(QStringLiteral("\n"));
        return true;
    }
    if (event->matches(QKeySequence::Cut)) {
        cutSelection();
        return true;
    }
    if (event->matches(QKeySequence::Delete)) {
        removeWith(QTextCursor::NextCharacter, Edit::DeleteForward);
        return true;
    }
    if (event->matches(QKeySequence::DeleteEndOfWord)) {
        removeWith(QTextCursor::NextWord, Edit::Other);
        return true;
    }
    if (event->matches(QKeySequence::DeleteStartOfWord)) {
        removeWith(QTextCursor::PreviousWord, Edit::Other);
        return true;
    }
    if (event->matches(QKeySequence::DeleteEndOfLine)) {
        emit aboutToEdit();
        QTextCursor cursor = textCursor();
        const QTextBlock block = cursor.block();
        cursor.movePosition(cursor.position() == block.position() + block.length() - 2
                                ? QTextCursor::Right
                                : QTextCursor::EndOfBlock,
                            QTextCursor::KeepAnchor);
        remove(cursor.selectionStart(), cursor.selectionEnd(), Edit::Other);
        return true;
    }
    // Text, as the toolkit takes it: a formatting character, or a printable one typed without
    // Ctrl (Ctrl+Alt is AltGr); a tab only where Tab does not move the focus.
    const QString text = event->text();
    if (text.isEmpty()) {
        return false;
    }
    const QChar c = text.at(0);
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool control =
        modifiers == Qt::ControlModifier || modifiers == (Qt::ShiftModifier | Qt::ControlModifier);
    const bool acceptable =
        c.category() == QChar::Other_Format ||
        (!control && (c.isPrint() || c.category() == QChar::Other_PrivateUse ||
                      (c.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate()) ||
                      (c == u'\t' && !tabChangesFocus())));
    if (!acceptable) {
        return false;
    }
    type(text);
    return true;
}

void PreviewPanel::keyPressEvent(QKeyEvent* event) {
    const bool undo = event->matches(QKeySequence::Undo);
    const bool redo = event->matches(QKeySequence::Redo) ||
                      event->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
    if ((undo || redo) && !isReadOnly()) {
        if (undoStack_ != nullptr) {
            emit aboutToEdit();
            undo ? undoStack_->undo() : undoStack_->redo();
        }
        event->accept();
        return;
    }
    if (!isReadOnly() && editByKey(event)) {
        event->accept();
        ensureCursorVisible();
        return;
    }
    QPlainTextEdit::keyPressEvent(event); // moving, selecting, copying; pasting comes back here
}

void PreviewPanel::inputMethodEvent(QInputMethodEvent* event) {
    const bool commits = !event->commitString().isEmpty() || event->replacementLength() > 0;
    if (!isReadOnly() &&
        (commits || (!event->preeditString().isEmpty() && textCursor().hasSelection()))) {
        emit aboutToEdit();
        // The toolkit takes out the selection, then replaces the stretch given relative to the
        // cursor with the commit string: here the two are one edit, over the stretch both cover.
        const auto [from, to] = selectedRange();
        const QString& shown = shown_.text;
        const qsizetype left = shown.size() - (to - from); // the size without the selection
        const qsizetype replaceFrom =
            std::clamp<qsizetype>(from + event->replacementStart(), 0, left);
        const qsizetype replaceTo =
            std::clamp<qsizetype>(replaceFrom + event->replacementLength(), replaceFrom, left);
        QString after = shown.left(from) + shown.mid(to);
        after.replace(replaceFrom, replaceTo - replaceFrom, event->commitString());
        const qsizetype start = std::min(from, replaceFrom);
        const qsizetype end = std::max(to, replaceTo > from ? replaceTo + (to - from) : replaceTo);
        const QString inserted = after.mid(start, after.size() - (shown.size() - end) - start);
        emit textEdited(start, end - start, inserted, commits ? Edit::Typing : Edit::Other);
        placeCursor(replaceFrom + event->commitString().size());
    }
    // What is being composed is drawn by the toolkit's layout, never put in the document.
    QInputMethodEvent composing(event->preeditString(), event->attributes());
    QPlainTextEdit::inputMethodEvent(&composing);
    event->accept();
}

void PreviewPanel::insertFromMimeData(const QMimeData* source) {
    // Whatever the clipboard carries, only its text is taken, and as markup: never as HTML.
    if (source == nullptr || !source->hasText() || isReadOnly()) {
        return;
    }
    emit aboutToEdit();
    const auto [from, to] = selectedRange();
    const QString markup = source->text();
    emit markupPasted(from, to - from, markup);
    placeCursor(from + editableText(markup).text.size());
}

void PreviewPanel::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (isReadOnly() || data == nullptr || !data->hasText()) {
        event->ignore();
        return;
    }
    emit aboutToEdit();
    const qsizetype to = cursorForPosition(event->position().toPoint()).position();
    // The toolkit would take the dragged text out and then insert it at a place read before:
    // here a move of the panel's own selection is one edit, and anything else a paste there.
    const bool own = event->source() == viewport() ||
                     data->data(kOwnDragFormat) == QByteArray::number(quintptr(this));
    const auto [from, end] = selectedRange();
    if (own && event->dropAction() == Qt::MoveAction && from < end) {
        if (to < from || to > end) {
            emit textMoved(from, end - from, to);
            const qsizetype landed = to > end ? to - (end - from) : to;
            selectRange(landed, landed + (end - from));
        }
    } else {
        emit markupPasted(to, 0, data->text());
        placeCursor(to + editableText(data->text()).text.size());
    }
    event->acceptProposedAction();
    setFocus();
}

QMimeData* PreviewPanel::createMimeDataFromSelection() const {
    // What is copied is the markup of the selection, so that it pastes back in its colors.
    const auto [from, to] = selectedRange();
    const qsizetype start = std::min(from, shown_.text.size());
    const qsizetype end = std::min(to, shown_.text.size());
    EditableText selected{shown_.text.mid(start, end - start),
                          {shown_.colors.begin() + start, shown_.colors.begin() + end}};
    auto* data = new QMimeData;
    data->setText(markupFor(selected));
    data->setData(kOwnDragFormat, QByteArray::number(quintptr(this)));
    return data;
}

void PreviewPanel::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu(event->pos());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The toolkit's own entries undo the document, which keeps no history, and cut or delete in
    // the document itself: the panel's own do each as an edit of the markup.
    for (QAction* toolkits : menu->actions()) {
        const QString name = toolkits->objectName();
        QAction* own = nullptr;
        if (name == QLatin1String("edit-undo") || name == QLatin1String("edit-redo")) {
            if (undoStack_ == nullptr) {
                continue;
            }
            const bool undo = name == QLatin1String("edit-undo");
            own = new QAction(menu);
            own->setEnabled(!isReadOnly() &&
                            (undo ? undoStack_->canUndo() : undoStack_->canRedo()));
            connect(own, &QAction::triggered, this, [this, undo] {
                emit aboutToEdit();
                if (undoStack_ != nullptr) {
                    undo ? undoStack_->undo() : undoStack_->redo();
                }
            });
        } else if (name == QLatin1String("edit-cut") || name == QLatin1String("edit-delete")) {
            own = new QAction(menu);
            own->setEnabled(toolkits->isEnabled());
            if (name == QLatin1String("edit-cut")) {
                connect(own, &QAction::triggered, this, &PreviewPanel::cutSelection);
            } else {
                connect(own, &QAction::triggered, this, [this] {
                    emit aboutToEdit();
                    const auto [from, to] = selectedRange();
                    remove(from, to, Edit::Other);
                });
            }
        } else {
            continue;
        }
        own->setObjectName(name);
        own->setText(toolkits->text());
        own->setShortcut(toolkits->shortcut());
        menu->insertAction(toolkits, own);
        menu->removeAction(toolkits);
    }
    menu->popup(event->globalPos());
}

void PreviewPanel::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    QPainter painter(viewport());
    painter.setPen(borderColor());
    painter.drawRect(viewport()->rect().adjusted(0, 0, -1, -1));
}

} // namespace hueprint
