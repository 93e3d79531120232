// SPDX-License-Identifier: MIT
#include "preview_panel.h"

#include "markup/markup_render.h"
#include "platform/text_box_text.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>
#include <QTextBlockUserData>
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
// The longest block: a longer line is held in pieces of at most this many UTF-16 units.
constexpr int kLongestBlock = 2048;
// The user state of a block that continues the line of the block before it.
constexpr int kContinuesLine = 1;
// A color no markup can give: marks characters whose color the markup has yet to tell.
constexpr ColorValue kNotYetColored = -1;
// Changes of more blocks than this are colored block by block as they come into view.
constexpr int kBlocksColoredAtOnce = 8;
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

// Where a piece of a long block may end: after the last blank of its second half, or at its
// full length, never between the two halves of a character.
int pieceLength(const QString& block) {
    for (int i = kLongestBlock; i > kLongestBlock / 2; --i) {
        if (block.at(i - 1) == u' ') {
            return i;
        }
    }
    const bool splitsPair =
        block.at(kLongestBlock - 1).isHighSurrogate() && block.at(kLongestBlock).isLowSurrogate();
    return splitsPair ? kLongestBlock - 1 : kLongestBlock;
}

// Marks a block whose colors are still to be set.
class ColorsToCome : public QTextBlockUserData {};

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
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int, int removed, int added) { forgetContinuations(removed, added); });
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

const std::vector<int>& PreviewPanel::continuations() const {
    if (continuationsBlockCount_ != document()->blockCount()) {
        continuations_.clear();
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
            if (block.userState() == kContinuesLine) {
                continuations_.push_back(block.position());
            }
        }
        continuationsBlockCount_ = document()->blockCount();
    }
    return continuations_;
}

void PreviewPanel::forgetContinuations(int removed, int added) {
    // A change of formats, or letters replaced by as many, moves no block.
    if (removed != added) {
        continuationsBlockCount_ = -1;
    }
}

qsizetype PreviewPanel::textPosition(int documentPosition) const {
    // Each piece that continues a line at or before the position has a break that is not text.
    const std::vector<int>& starts = continuations();
    return documentPosition -
           (std::upper_bound(starts.begin(), starts.end(), documentPosition) - starts.begin());
}

int PreviewPanel::documentPosition(qsizetype textPosition) const {
    // The text position of the k-th continuing piece's start is its document position less
    // k + 1; a position at a piece's start is placed at the end of the piece before it.
    const std::vector<int>& starts = continuations();
    std::size_t k = 0;
    std::size_t count = starts.size();
    while (count > 0) { // the pieces whose start lies before the position
        const std::size_t half = count / 2;
        if (starts[k + half] - static_cast<qsizetype>(k + half + 1) < textPosition) {
            k += half + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    return static_cast<int>(std::clamp<qsizetype>(textPosition + static_cast<qsizetype>(k), 0,
                                                  document()->characterCount() - 1));
}

std::pair<qsizetype, qsizetype> PreviewPanel::selectedRange() const {
    const QTextCursor cursor = textCursor();
    return {textPosition(cursor.selectionStart()), textPosition(cursor.selectionEnd())};
}

void PreviewPanel::selectRange(qsizetype from, qsizetype to) {
    QTextCursor cursor = textCursor();
    cursor.setPosition(documentPosition(from));
    cursor.setPosition(documentPosition(to), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

QString PreviewPanel::documentText() const {
    // The document's characters, less the breaks before continuing pieces.
    const QString raw = document()->toRawText();
    const qsizetype size = std::min<qsizetype>(raw.size(), document()->characterCount() - 1);
    QString text;
    text.reserve(size);
    qsizetype from = 0;
    for (const int start : continuations()) {
        text.append(QStringView(raw).mid(from, start - 1 - from));
        from = start;
    }
    text.append(QStringView(raw).mid(from, size - from));
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
    const bool sameLetters = QStringView(shown_.text).mid(first, oldEnd - first) ==
                             QStringView(text.text).mid(first, newEnd - first);
    const int documentFirst = documentPosition(first);
    const int documentOldEnd = documentPosition(oldEnd);
    shown_ = std::move(text); // what the colors are drawn from from now on

    showing_ = true;
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    int documentEnd = documentPosition(newEnd);
    if (!sameLetters) {
        cursor.setPosition(documentFirst);
        cursor.setPosition(documentOldEnd, QTextCursor::KeepAnchor);
        cursor.insertText(shown_.text.mid(first, newEnd - first));
        forgetContinuations(0, 1); // told by the document only when the edit block ends
        documentEnd = cutLongBlocks(document()->findBlock(documentFirst), cursor.position());
        forgetContinuations(0, 1);
    }
    colorBlocks(document()->findBlock(documentFirst), documentEnd);
    cursor.endEditBlock(); // laid out and drawn anew
    showing_ = false;
}

int PreviewPanel::cutLongBlocks(QTextBlock block, int lastPosition) {
    for (; block.isValid() && block.position() <= lastPosition; block = block.next()) {
        while (block.length() - 1 > kLongestBlock) {
            const int state = block.userState();
            QTextCursor cut(block);
            cut.setPosition(block.position() + pieceLength(block.text()));
            cut.insertBlock();
            cut.block().previous().setUserState(state);
            cut.block().setUserState(kContinuesLine);
            lastPosition += 1;
            block = cut.block();
        }
    }
    return lastPosition;
}

void PreviewPanel::colorBlocks(const QTextBlock& first, int lastPosition) {
    // A few blocks are colored at once; more (a long paste, a whole new text) when they come
    // into view, each being laid out anew when its colors are set.
    int count = 0;
    for (QTextBlock block = first; block.isValid() && block.position() <= lastPosition;
         block = block.next()) {
        ++count;
    }
    for (QTextBlock block = first; block.isValid() && block.position() <= lastPosition;
         block = block.next()) {
        if (count <= kBlocksColoredAtOnce) {
            colorBlock(block);
        } else if (block.length() > 1) { // an empty block draws no colors
            block.setUserData(new ColorsToCome);
        }
    }
}

void PreviewPanel::colorBlock(QTextBlock block) {
    const std::vector<TextColor>& colors = shown_.colors;
    const qsizetype start = textPosition(block.position());
    const qsizetype end =
        std::min<qsizetype>(start + block.length() - 1, static_cast<qsizetype>(colors.size()));
    QList<QTextLayout::FormatRange> runs;
    for (qsizetype from = start; from < end;) {
        const TextColor color = colors[static_cast<std::size_t>(from)];
        qsizetype to = from + 1;
        while (to < end && colors[static_cast<std::size_t>(to)] == color) {
            ++to;
        }
        runs.append({static_cast<int>(from - start), static_cast<int>(to - from), format(color)});
        from = to;
    }
    block.setUserData(nullptr);
    block.layout()->setFormats(runs);
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

void PreviewPanel::documentChanged(int position, int /*removed*/, int /*added*/) {
    if (showing_) {
        return;
    }
    // The document's own figures can cover more than the user changed (a whole block after a
    // change of its colors); the change is what differs between the text shown and the
    // document's, starting no earlier than where the document says it starts.
    const QString now = documentText();
    const QString& before = shown_.text;
    qsizetype first = 0;
    const qsizetype limit = std::min({before.size(), now.size(), textPosition(position)});
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
    const auto [from, to] = selectedRange();
    const QString markup = source->text();
    emit pasted(from, to - from, markup);
    const qsizetype after = from + editableText(markup).text.size();
    selectRange(after, after);
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
        for (QAction* toolkits : menu->actions()) {
            const bool undo = toolkits->objectName() == QLatin1String("edit-undo");
            if (!undo && toolkits->objectName() != QLatin1String("edit-redo")) {
                continue;
            }
            QAction* own = undo ? undoStack_->createUndoAction(menu, toolkits->text())
                                : undoStack_->createRedoAction(menu, toolkits->text());
            own->setText(toolkits->text());
            own->setShortcut(toolkits->shortcut());
            own->setEnabled(!isReadOnly() &&
                            (undo ? undoStack_->canUndo() : undoStack_->canRedo()));
            menu->insertAction(toolkits, own);
            menu->removeAction(toolkits);
        }
    }
    menu->popup(event->globalPos());
}

void PreviewPanel::paintEvent(QPaintEvent* event) {
    const bool wasShowing = std::exchange(showing_, true);
    const QPointF offset = contentOffset();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        if (blockBoundingGeometry(block).translated(offset).top() > event->rect().bottom()) {
            break;
        }
        if (dynamic_cast<ColorsToCome*>(block.userData()) != nullptr) {
            colorBlock(block);
        }
    }
    showing_ = wasShowing;
    QPlainTextEdit::paintEvent(event);
    QPainter painter(viewport());
    painter.setPen(borderColor());
    painter.drawRect(viewport()->rect().adjusted(0, 0, -1, -1));
}

} // namespace hueprint
