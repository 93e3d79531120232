// SPDX-License-Identifier: MIT
#include "preview_panel.h"

#include "preview_render.h"

#include <QAction>
#include <QContextMenuEvent>
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
// A color no markup can give: marks characters whose color the markup has yet to tell.
constexpr ColorValue kNotYetColored = -1;

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
    return resolveColor(color.value_or(kPreviewDefaultColor), QPalette());
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

QString PreviewPanel::documentText() const {
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

void PreviewPanel::showText(EditableText text) {
    text.text = displayedText(text.text);
    text.colors.resize(static_cast<std::size_t>(text.text.size()));
    // The stretch that differs: [first, oldEnd) of what is shown becomes [first, newEnd).
    const qsizetype oldSize = shown_.text.size();
    const qsizetype newSize = text.text.size();
    const auto same = [&](qsizetype oldAt, qsizetype newAt) {
        return shown_.text.at(oldAt) == text.text.at(newAt) &&
               shown_.colors[static_cast<std::size_t>(oldAt)] ==
                   text.colors[static_cast<std::size_t>(newAt)];
    };
    qsizetype first = 0;
    while (first < oldSize && first < newSize && same(first, first)) {
        ++first;
    }
    qsizetype oldEnd = oldSize;
    qsizetype newEnd = newSize;
    while (oldEnd > first && newEnd > first && same(oldEnd - 1, newEnd - 1)) {
        --oldEnd;
        --newEnd;
    }
    if (oldEnd == first && newEnd == first) {
        return;
    }

    showing_ = true;
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    const bool sameLetters = QStringView(shown_.text).mid(first, oldEnd - first) ==
                             QStringView(text.text).mid(first, newEnd - first);
    if (!sameLetters) {
        cursor.setPosition(static_cast<int>(first));
        cursor.setPosition(static_cast<int>(oldEnd), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    // Run by run of one color: inserted in it, or recolored where only the colors changed.
    std::map<TextColor, QTextCharFormat> formats;
    for (qsizetype start = first; start < newEnd;) {
        const TextColor color = text.colors[static_cast<std::size_t>(start)];
        qsizetype end = start + 1;
        while (end < newEnd && text.colors[static_cast<std::size_t>(end)] == color) {
            ++end;
        }
        auto format = formats.find(color);
        if (format == formats.end()) {
            QTextCharFormat made;
            made.setForeground(shownColor(color));
            format = formats.emplace(color, made).first;
        }
        if (sameLetters) {
            cursor.setPosition(static_cast<int>(start));
            cursor.setPosition(static_cast<int>(end), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format->second);
        } else {
            cursor.insertText(text.text.mid(start, end - start), format->second);
        }
        start = end;
    }
    cursor.endEditBlock();
    showing_ = false;
    shown_ = std::move(text);
}

void PreviewPanel::documentChanged(int position, int /*removed*/, int /*added*/) {
    if (showing_) {
        return;
    }
    // The document's own figures can cover more than the user changed (a whole block after a
    // change of format); the change is what differs between the text shown and the document's,
    // starting no earlier than where the document says it starts.
    const QString now = documentText();
    const QString& before = shown_.text;
    qsizetype first = 0;
    const qsizetype limit = std::min({before.size(), now.size(), qsizetype(position)});
    while (first < limit && before.at(first) == now.at(first)) {
        ++first;
    }
    qsizetype beforeEnd = before.size();
    qsizetype nowEnd = now.size();
    while (beforeEnd > first && nowEnd > first && before.at(beforeEnd - 1) == now.at(nowEnd - 1)) {
        --beforeEnd;
        --nowEnd;
    }
    if (beforeEnd == first && nowEnd == first) {
        return;
    }
    const QString inserted = now.mid(first, nowEnd - first);
    auto& colors = shown_.colors;
    const auto at = colors.begin() + first;
    colors.insert(colors.erase(at, at + (beforeEnd - first)),
                  static_cast<std::size_t>(inserted.size()), TextColor(kNotYetColored));
    shown_.text = now;
    emit edited(first, beforeEnd - first, inserted);
}

void PreviewPanel::insertFromMimeData(const QMimeData* source) {
    // Whatever the clipboard carries, only its text is taken, and as markup: never as HTML.
    if (source == nullptr || !source->hasText() || isReadOnly()) {
        return;
    }
    QTextCursor cursor = textCursor();
    const qsizetype position = cursor.selectionStart();
    const QString markup = source->text();
    emit pasted(position, cursor.selectionEnd() - position, markup);
    cursor.setPosition(static_cast<int>(
        std::min(position + editableText(markup).text.size(), shown_.text.size())));
    setTextCursor(cursor);
}

QMimeData* PreviewPanel::createMimeDataFromSelection() const {
    // What is copied is the markup of the selection, so that it pastes back in its colors.
    const QTextCursor cursor = textCursor();
    const qsizetype start = std::min<qsizetype>(cursor.selectionStart(), shown_.text.size());
    const qsizetype end = std::min<qsizetype>(cursor.selectionEnd(), shown_.text.size());
    EditableText selected{shown_.text.mid(start, end - start),
                          {shown_.colors.begin() + start, shown_.colors.begin() + end}};
    auto* data = new QMimeData;
    data->setText(markupFor(selected));
    return data;
}

void PreviewPanel::keyPressEvent(QKeyEvent* event) {
    const bool undo = event->matches(QKeySequence::Undo);
    const bool redo = event->matches(QKeySequence::Redo) ||
                      event->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
    if ((undo || redo) && !isReadOnly()) {
        if (undoStack_ != nullptr) {
            undo ? undoStack_->undo() : undoStack_->redo();
        }
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void PreviewPanel::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu(event->pos());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The toolkit's own entries undo the document, which keeps no history: the markup's do.
    if (undoStack_ != nullptr) {
        for (QAction* action : menu->actions()) {
            const bool undo = action->objectName() == QLatin1String("edit-undo");
            if (!undo && action->objectName() != QLatin1String("edit-redo")) {
                continue;
            }
            QAction* own = undo ? undoStack_->createUndoAction(menu, action->text())
                                : undoStack_->createRedoAction(menu, action->text());
            own->setText(action->text());
            own->setShortcut(action->shortcut());
            own->setEnabled(!isReadOnly() &&
                            (undo ? undoStack_->canUndo() : undoStack_->canRedo()));
            menu->insertAction(action, own);
            menu->removeAction(action);
        }
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
