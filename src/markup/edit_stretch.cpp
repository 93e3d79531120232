// SPDX-License-Identifier: MIT
#include "edit_stretch.h"

#include "markup/markup_render.h"
#include "markup/reading_index.h"

#include <algorithm>

namespace hueprint {

namespace {

qsizetype markLength(TextColor color) {
    return color ? 10 : 2;
}

} // namespace

void MarkupWriter::mark(TextColor color) {
    state_ = color;
    QString spelled;
    if (joint_ && joint_->color == color) {
        spelled = joint_->spelling.toString();
    } else {
        if (!spelling_) {
            spelling_ = source_ ? spellingOf(*source_) : CodeSpelling();
        }
        spelled = color ? spelling_->code(*color) : spelling_->reset();
    }
    if (color) {
        out_.append(spelled);
    } else {
        out_.insert(afterVisible_, spelled); // moves only the blanks after it
    }
}

void MarkupWriter::write(const Piece& piece) {
    switch (piece.kind) {
    case PieceKind::JointMark:
        if (!piece.spelling.isEmpty()) {
            joint_ = piece;
        }
        return;
    case PieceKind::Mark:
        if (!piece.spelling.isEmpty()) {
            out_.append(piece.spelling);
            state_ = piece.color;
            afterVisible_ = out_.size(); // a closing mark goes after it
        }
        return; // unspelled: made by the next visible character, where needed
    case PieceKind::Character:
        break;
    }
    if (!piece.blank && piece.color != state_) {
        mark(piece.color);
    }
    out_.append(piece.spelling);
    if (!piece.blank) {
        afterVisible_ = out_.size();
        joint_.reset();
    }
}

void markJoints(std::vector<Piece>& pieces) {
    const auto visible = [](const Piece& piece) {
        return piece.kind == PieceKind::Character && !piece.blank;
    };
    const auto first = std::find_if(pieces.begin(), pieces.end(), visible) - pieces.begin();
    const auto last = pieces.rend() - std::find_if(pieces.rbegin(), pieces.rend(), visible) - 1;
    for (qsizetype k = 0; k < qsizetype(pieces.size()); ++k) {
        Piece& piece = pieces[size_t(k)];
        if (piece.kind == PieceKind::Mark && (k < first || k > last)) {
            piece.kind = PieceKind::JointMark;
        }
    }
}

EditStretch::Item EditStretch::itemAt(qsizetype index, TextColor state) const {
    const MarkupSequence sequence = markupSequenceAt(markup_, index);
    Item item{index, sequence.length, false, false, false, state};
    switch (sequence.kind) {
    case MarkupSequenceKind::Code:
        item.mark = true;
        item.color = sequence.color;
        break;
    case MarkupSequenceKind::Reset:
        item.mark = true;
        item.color.reset();
        break;
    case MarkupSequenceKind::NewLine:
        item.blank = item.lineBreak = true;
        break;
    case MarkupSequenceKind::Text:
        item.lineBreak = isLineBreak(markup_.at(index));
        item.blank = sequence.length == 1 && isBlankCharacter(markup_.at(index));
        item.blank = item.blank || item.lineBreak;
        break;
    }
    return item;
}

// Adds an item; a blank that follows blanks of one line, from `floor` on, joins them (so that a
// long run of blanks is one item).
void EditStretch::addBeside(const Item& item, qsizetype floor) {
    if (qsizetype(items_.size()) > floor && item.blank && !item.lineBreak) {
        Item& before = items_.back();
        if (before.blank && !before.lineBreak && before.start + before.length == item.start) {
            before.length += item.length;
            return;
        }
    }
    items_.push_back(item);
}

EditStretch::EditStretch(const QString& markup, qsizetype position, qsizetype removed,
                         const ReadingIndex* index)
    : markup_(markup) {
    // No more units of text than of markup: anything beyond is the end.
    position = std::clamp<qsizetype>(position, 0, markup.size());
    removed = std::clamp<qsizetype>(removed, 0, markup.size());
    const auto units = [](const Item& item) {
        return item.mark ? 0 : item.lineBreak ? 1 : item.length;
    };
    // A point of the index stands right after a visible character, as the reading below would.
    const ReadingPoint from = index != nullptr ? index->beforeUnit(position) : ReadingPoint();
    TextColor state = from.color;
    qsizetype unit = from.units;
    qsizetype i = from.at;
    if (i > 0) {
        startState_ = state;
        characterBefore_ = true;
    }
    if (from.markAt >= 0) {
        openingStart_ = from.markAt;
        openingLength_ = from.markLength;
    }
    const qsizetype size = markup.size();
    // Up to the position: the stretch starts after the last visible character before it.
    while (i < size) {
        const Item item = itemAt(i, state);
        if (!item.mark && unit + units(item) > position) {
            break; // at the position, or a pair the position splits: it starts there
        }
        i += item.length;
        unit += units(item);
        if (item.mark) {
            state = item.color;
            openingStart_ = item.start;
            openingLength_ = item.length;
        }
        if (!item.mark && !item.blank) {
            items_.clear();
            startState_ = state;
            characterBefore_ = true;
            continue;
        }
        addBeside(item, 0);
    }
    // A removal ends at the end of a pair it splits; an insertion goes where the pair starts.
    const qsizetype end = removed > 0 ? position + removed : unit;
    removedStart_ = removedEnd_ = qsizetype(items_.size());
    gapStart_ = removedStart_;
    while (gapStart_ > 0 && items_[size_t(gapStart_ - 1)].mark) {
        --gapStart_;
    }
    // The removed characters and the marks among and after them.
    while (i < size) {
        const Item item = itemAt(i, state);
        if (!item.mark && unit >= end) {
            break;
        }
        items_.push_back(item);
        i += item.length;
        unit += units(item);
        if (item.mark) {
            state = item.color;
        } else {
            removedEnd_ = qsizetype(items_.size());
        }
    }
    // Blanks and marks up to the next visible character.
    while (i < size) {
        const Item item = itemAt(i, state);
        if (!item.mark && !item.blank) {
            break;
        }
        addBeside(item, removedEnd_);
        i += item.length;
        if (item.mark) {
            state = item.color;
        }
    }
    endState_ = state;
    endOffset_ = i;
    atEnd_ = i >= size;
    // The color current before each item, up to the removed ones.
    TextColor before = startState_;
    stateBefore_.reserve(size_t(removedStart_ + 1));
    for (qsizetype k = 0; k < removedStart_; ++k) {
        stateBefore_.push_back(before);
        if (items_[size_t(k)].mark) {
            before = items_[size_t(k)].color;
        }
    }
    stateBefore_.push_back(before);
}

std::vector<Piece> EditStretch::removedPieces() const {
    std::vector<Piece> pieces;
    for (qsizetype k = removedStart_; k < removedEnd_; ++k) {
        const Item& item = items_[size_t(k)];
        if (!item.mark) {
            pieces.push_back(
                {QStringView(markup_).mid(item.start, item.length), item.color, item.blank});
        }
    }
    return pieces;
}

std::vector<Piece> EditStretch::movedPieces() const {
    std::vector<Piece> pieces;
    if (openingLength_ > 0) {
        pieces.push_back({QStringView(markup_).mid(openingStart_, openingLength_),
                          stateBefore_[size_t(removedStart_)], false, PieceKind::Mark});
    }
    for (qsizetype k = removedStart_; k < removedEnd_; ++k) {
        const Item& item = items_[size_t(k)];
        pieces.push_back({QStringView(markup_).mid(item.start, item.length), item.color, item.blank,
                          item.mark ? PieceKind::Mark : PieceKind::Character});
    }
    for (qsizetype k = removedEnd_; k < qsizetype(items_.size()); ++k) {
        const Item& item = items_[size_t(k)];
        if (item.mark) {
            pieces.push_back({QStringView(markup_).mid(item.start, item.length), item.color, false,
                              PieceKind::Mark});
            break;
        }
    }
    markJoints(pieces);
    return pieces;
}

TextColor EditStretch::typingColor() const {
    // Over a selection: that of its first character.
    for (qsizetype k = removedStart_; k < removedEnd_; ++k) {
        if (!items_[size_t(k)].mark) {
            return items_[size_t(k)].color;
        }
    }
    return surroundingColor();
}

TextColor EditStretch::surroundingColor() const {
    // The character before the position on its line.
    for (qsizetype k = removedStart_ - 1; k >= 0; --k) {
        const Item& item = items_[size_t(k)];
        if (!item.mark) {
            if (!item.lineBreak) {
                return item.color;
            }
            // At a line's start: the character after the removed ones, else the break's own.
            for (qsizetype after = removedEnd_; after < qsizetype(items_.size()); ++after) {
                if (!items_[size_t(after)].mark) {
                    return items_[size_t(after)].color;
                }
            }
            return atEnd_ ? item.color : endState_;
        }
    }
    if (characterBefore_) {
        return startState_;
    }
    for (qsizetype after = removedEnd_; after < qsizetype(items_.size()); ++after) {
        if (!items_[size_t(after)].mark) {
            return items_[size_t(after)].color;
        }
    }
    return atEnd_ ? TextColor() : endState_;
}

// The mark that must follow the written text so that the kept markup after it draws as before:
// none where a kept mark follows; "|r" at the end of the text for an open color not open before.
qsizetype EditStretch::closingLength(TextColor state, std::optional<TextColor> keptRight) const {
    if (keptRight) {
        return 0;
    }
    if (atEnd_) {
        return state && state != endState_ ? markLength(TextColor()) : 0;
    }
    return state != endState_ ? markLength(endState_) : 0;
}

// What an edit costs, in marks written and dropped, when it starts in `state` and keeps the
// marks before it and `keptRight` (the color of the first kept mark after it): none where a
// kept mark would change nothing or color nothing.
std::optional<qsizetype> EditStretch::evaluate(TextColor state, bool markKeptLeft,
                                               qsizetype dropped,
                                               std::optional<TextColor> keptRight, bool visible,
                                               TextColor first, TextColor last) const {
    const TextColor end = visible ? last : state;
    const qsizetype opening = visible && state != first ? markLength(first) : 0;
    const qsizetype closing = closingLength(end, keptRight);
    if (keptRight && *keptRight == end) {
        return std::nullopt;
    }
    if (markKeptLeft && (opening > 0 || (!visible && (keptRight || closing > 0 || atEnd_)))) {
        return std::nullopt;
    }
    return opening + closing + dropped;
}

MarkupSplice EditStretch::apply(const std::vector<Piece>& inserted) const {
    const bool removes = removedEnd_ > removedStart_;
    if (inserted.empty() && !removes) {
        return {};
    }
    bool visible = false;
    TextColor first;
    TextColor last;
    for (const Piece& piece : inserted) {
        if (piece.kind == PieceKind::Character && !piece.blank) {
            first = visible ? first : piece.color;
            last = piece.color;
            visible = true;
        }
    }
    const auto itemCount = qsizetype(items_.size());
    const auto firstMarkFrom = [this, itemCount](qsizetype from) {
        for (qsizetype k = from; k < itemCount; ++k) {
            if (items_[size_t(k)].mark) {
                return k;
            }
        }
        return itemCount;
    };
    // Marks before each cut on the left, and the length of those after it up to the position.
    std::vector<qsizetype> droppedLeft(size_t(removedStart_ + 1), 0);
    for (qsizetype k = removedStart_ - 1; k >= 0; --k) {
        const Item& item = items_[size_t(k)];
        droppedLeft[size_t(k)] = droppedLeft[size_t(k + 1)] + (item.mark ? item.length : 0);
    }
    const qsizetype firstMark = firstMarkFrom(0);

    std::optional<Cut> best;
    const auto consider = [&](qsizetype left, qsizetype right, qsizetype dropped,
                              std::optional<TextColor> keptRight) {
        const std::optional<qsizetype> cost = evaluate(stateBefore_[size_t(left)], firstMark < left,
                                                       dropped, keptRight, visible, first, last);
        // The cheapest; of those, the one that keeps the most.
        if (cost && (!best || *cost < best->cost ||
                     (*cost == best->cost &&
                      (left > best->left || (left == best->left && right < best->right))))) {
            best = Cut{left, right, *cost};
        }
    };
    const auto colorOf = [this, itemCount](qsizetype mark) {
        return mark < itemCount ? std::optional<TextColor>(items_[size_t(mark)].color)
                                : std::nullopt;
    };
    if (!removes) {
        // Inserted among the marks at the position, keeping all of them.
        const std::optional<TextColor> after = colorOf(firstMarkFrom(removedStart_));
        for (qsizetype split = gapStart_; split <= removedStart_; ++split) {
            consider(split, split, 0, split < removedStart_ ? colorOf(split) : after);
        }
    }
    // Or the marks between the cuts dropped: on the right all kept, only the last, or none.
    const qsizetype lastMark = [&] {
        qsizetype mark = itemCount;
        for (qsizetype k = removedEnd_; k < itemCount; ++k) {
            mark = items_[size_t(k)].mark ? k : mark;
        }
        return mark;
    }();
    for (const qsizetype right : {removedEnd_, lastMark, itemCount}) {
        qsizetype droppedRight = 0;
        for (qsizetype k = removedEnd_; k < right; ++k) {
            droppedRight += items_[size_t(k)].mark ? items_[size_t(k)].length : 0;
        }
        const std::optional<TextColor> keptRight = colorOf(firstMarkFrom(right));
        for (qsizetype left = 0; left <= removedStart_; ++left) {
            consider(left, right, droppedLeft[size_t(left)] + droppedRight, keptRight);
        }
    }

    // Writes the kept blanks between the cuts and the inserted text, a mark where the color
    // changes, and the closing mark after the last visible character.
    const Cut cut = *best;
    MarkupWriter writer(stateBefore_[size_t(cut.left)], &markup_);
    const auto writeBlanks = [&](qsizetype from, qsizetype to) {
        for (qsizetype k = from; k < to; ++k) {
            const Item& item = items_[size_t(k)];
            if (!item.mark) {
                writer.write({QStringView(markup_).mid(item.start, item.length), item.color, true});
            }
        }
    };
    writeBlanks(cut.left, removedStart_);
    for (const Piece& piece : inserted) {
        writer.write(piece);
    }
    writeBlanks(removedEnd_, cut.right);
    const std::optional<TextColor> keptRight =
        cut.right < removedStart_ ? colorOf(cut.right) : colorOf(firstMarkFrom(cut.right));
    if (closingLength(writer.state(), keptRight) > 0) {
        writer.mark(atEnd_ ? TextColor() : endState_);
    }
    const QString& written = writer.text();
    const qsizetype from = offsetOf(cut.left);
    const qsizetype to = offsetOf(std::max(cut.right, cut.left));
    if (QStringView(markup_).mid(from, to - from) == written) {
        return {};
    }
    return {from, to - from, written};
}

} // namespace hueprint
