// SPDX-License-Identifier: MIT
#include "markup_edit.h"

#include "preview/preview_render.h"

namespace hueprint {

namespace {

bool isBlank(QChar c) {
    return c.isSpace();
}

TextColor colorAt(const EditableText& text, qsizetype index) {
    return index < qsizetype(text.colors.size()) ? text.colors[size_t(index)] : TextColor();
}

// The mark that makes a color current: "|cFF" and RRGGBB, or "|r" for plain.
QString markFor(TextColor color) {
    if (!color) {
        return QStringLiteral("|r");
    }
    const int rgb = ((*color & 0xFF) << 16) | (*color & 0xFF00) | ((*color >> 16) & 0xFF);
    return QStringLiteral("|cFF") +
           QStringLiteral("%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
}

// One character of the text an edit writes: its markup, its color, and whether it is blank
// (blanks and line breaks show no color, so they take whichever keeps the markup short).
struct Piece {
    QStringView spelling;
    TextColor color;
    bool blank = false;
};

constexpr QStringView kNewLine = u"|n";

qsizetype markLength(TextColor color) {
    return color ? 10 : 2;
}

// Writes characters with a mark wherever the color changes at a visible one: a code right
// before it, "|r" right after the last visible character (blanks between go either way).
class MarkupWriter {
public:
    explicit MarkupWriter(TextColor state) : state_(state) {}

    void write(const Piece& piece) {
        if (!piece.blank && piece.color != state_) {
            mark(piece.color);
        }
        out_.append(piece.spelling);
        if (!piece.blank) {
            afterVisible_ = out_.size();
        }
    }
    void mark(TextColor color) {
        state_ = color;
        if (color) {
            out_.append(markFor(color));
        } else {
            out_.insert(afterVisible_, markFor(color)); // moves only the blanks after it
        }
    }
    TextColor state() const { return state_; }
    const QString& text() const { return out_; }

private:
    QString out_;
    TextColor state_;
    qsizetype afterVisible_ = 0;
};

// The markup around one edit, read in one pass: the removed characters, and on either side the
// blanks and marks up to the nearest visible character, which an edit may rewrite so that no
// mark is left that colors nothing. The rest of the markup is never rewritten.
class EditWindow {
public:
    EditWindow(const QString& markup, qsizetype position, qsizetype removed);

    // The removed characters in their markup spelling and their present color.
    std::vector<Piece> removedPieces() const;
    // The color typed text takes at the edit's position.
    TextColor typingColor() const;
    // The markup with the removed characters replaced by the pieces.
    QString apply(const std::vector<Piece>& inserted) const;

private:
    // A sequence of the markup: a mark ("|c" code or "|r": color is what it makes current) or a
    // character of the editable text (color is the one it is drawn in).
    struct Item {
        qsizetype start = 0;
        qsizetype length = 0;
        bool mark = false;
        bool blank = false;
        bool lineBreak = false;
        TextColor color;
    };
    // Where the kept markup ends on the left (items before `left`) and starts again on the
    // right (items from `right` on).
    struct Cut {
        qsizetype left = 0;
        qsizetype right = 0;
        qsizetype cost = 0;
    };

    Item itemAt(qsizetype index, TextColor state) const;
    qsizetype offsetOf(qsizetype item) const {
        return item < qsizetype(items_.size()) ? items_[size_t(item)].start : endOffset_;
    }
    std::optional<qsizetype> evaluate(TextColor state, bool markKeptLeft, qsizetype dropped,
                                      std::optional<TextColor> keptRight, bool visible,
                                      TextColor first, TextColor last) const;
    qsizetype closingLength(TextColor state, std::optional<TextColor> keptRight) const;

    const QString& markup_;
    std::vector<Item> items_;
    std::vector<TextColor> stateBefore_; // the color current before each item up to the removed
    TextColor startState_;               // the color current where the window starts
    TextColor endState_;                 // and where it ends
    qsizetype gapStart_ = 0; // the marks right at the position: [gapStart_, removedStart_)
    qsizetype removedStart_ = 0;
    qsizetype removedEnd_ = 0; // items after the last removed character
    qsizetype endOffset_ = 0;
    bool atEnd_ = false;           // nothing visible follows the window
    bool characterBefore_ = false; // a visible character stands before the window
};

EditWindow::Item EditWindow::itemAt(qsizetype index, TextColor state) const {
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
        item.blank = sequence.length == 1 && isBlank(markup_.at(index));
        item.blank = item.blank || item.lineBreak;
        break;
    }
    return item;
}

EditWindow::EditWindow(const QString& markup, qsizetype position, qsizetype removed)
    : markup_(markup) {
    position = std::max<qsizetype>(position, 0);
    removed = std::clamp<qsizetype>(removed, 0, markup.size());
    const auto units = [](const Item& item) {
        return item.mark ? 0 : item.lineBreak ? 1 : item.length;
    };
    TextColor state;
    qsizetype unit = 0;
    qsizetype i = 0;
    const qsizetype size = markup.size();
    // Up to the position: the window starts after the last visible character before it.
    while (i < size) {
        const Item item = itemAt(i, state);
        if (!item.mark && unit + units(item) > position) {
            break; // at the position, or a pair the position splits: it starts there
        }
        i += item.length;
        unit += units(item);
        if (item.mark) {
            state = item.color;
        }
        if (!item.mark && !item.blank) {
            items_.clear();
            startState_ = state;
            characterBefore_ = true;
            continue;
        }
        items_.push_back(item);
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
        items_.push_back(item);
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

std::vector<Piece> EditWindow::removedPieces() const {
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

TextColor EditWindow::typingColor() const {
    // Over a selection: that of its first character.
    for (qsizetype k = removedStart_; k < removedEnd_; ++k) {
        if (!items_[size_t(k)].mark) {
            return items_[size_t(k)].color;
        }
    }
    // The character before it on its line.
    for (qsizetype k = removedStart_ - 1; k >= 0; --k) {
        const Item& item = items_[size_t(k)];
        if (!item.mark) {
            if (!item.lineBreak) {
                return item.color;
            }
            // At a line's start: the character after it, else the break's own.
            for (qsizetype after = removedStart_; after < qsizetype(items_.size()); ++after) {
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
    for (qsizetype after = removedStart_; after < qsizetype(items_.size()); ++after) {
        if (!items_[size_t(after)].mark) {
            return items_[size_t(after)].color;
        }
    }
    return atEnd_ ? TextColor() : endState_;
}

// The mark that must follow the written text so that the kept markup after it draws as before:
// none where a kept mark follows; "|r" at the end of the text for an open color not open before.
qsizetype EditWindow::closingLength(TextColor state, std::optional<TextColor> keptRight) const {
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
std::optional<qsizetype> EditWindow::evaluate(TextColor state, bool markKeptLeft, qsizetype dropped,
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

QString EditWindow::apply(const std::vector<Piece>& inserted) const {
    const bool removes = removedEnd_ > removedStart_;
    if (inserted.empty() && !removes) {
        return markup_;
    }
    bool visible = false;
    TextColor first;
    TextColor last;
    for (const Piece& piece : inserted) {
        if (!piece.blank) {
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
    MarkupWriter writer(stateBefore_[size_t(cut.left)]);
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
    QString result;
    result.reserve(markup_.size() - (to - from) + written.size());
    result.append(QStringView(markup_).left(from))
        .append(written)
        .append(QStringView(markup_).mid(to));
    return result;
}

} // namespace

EditableText editableText(const QString& markup) {
    EditableText result;
    result.text.reserve(markup.size());
    result.colors.reserve(size_t(markup.size()));
    TextColor state;
    for (qsizetype i = 0; i < markup.size();) {
        const MarkupSequence sequence = markupSequenceAt(markup, i);
        switch (sequence.kind) {
        case MarkupSequenceKind::Code:
            state = sequence.color;
            break;
        case MarkupSequenceKind::Reset:
            state.reset();
            break;
        case MarkupSequenceKind::NewLine:
            result.text.append(u'\n');
            result.colors.push_back(state);
            break;
        case MarkupSequenceKind::Text:
            if (isLineBreak(markup.at(i))) {
                result.text.append(u'\n');
                result.colors.push_back(state);
            } else {
                result.text.append(QStringView(markup).mid(i, sequence.length));
                result.colors.insert(result.colors.end(), size_t(sequence.length), state);
            }
            break;
        }
        i += sequence.length;
    }
    return result;
}

QString markupFor(const EditableText& text) {
    MarkupWriter writer{TextColor()};
    const QStringView units(text.text);
    for (qsizetype i = 0; i < units.size(); ++i) {
        const QChar c = units.at(i);
        if (c == u'\n') {
            writer.write({kNewLine, TextColor(), true});
        } else if (c.isHighSurrogate() && i + 1 < units.size() &&
                   units.at(i + 1).isLowSurrogate()) {
            writer.write({units.mid(i, 2), colorAt(text, i), false});
            ++i;
        } else {
            writer.write({units.mid(i, 1), colorAt(text, i), isBlank(c)});
        }
    }
    if (writer.state()) {
        writer.mark(TextColor());
    }
    return writer.text();
}

TextColor typingColor(const EditableText& text, qsizetype position) {
    position = std::clamp<qsizetype>(position, 0, text.text.size());
    if (position > 0 && text.text.at(position - 1) != u'\n') {
        return colorAt(text, position - 1);
    }
    if (position < text.text.size()) {
        return colorAt(text, position);
    }
    return position > 0 ? colorAt(text, position - 1) : TextColor();
}

namespace {

// The pieces of an inserted text: a pair of surrogates is one, in the color of its first half;
// each line break ("\r\n" one) is written "|n".
std::vector<Piece> piecesOf(const EditableText& inserted) {
    std::vector<Piece> pieces;
    pieces.reserve(size_t(inserted.text.size()));
    const QStringView text(inserted.text);
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        const TextColor color = colorAt(inserted, i);
        if (isLineBreak(c)) {
            pieces.push_back({kNewLine, color, true});
            i += c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n' ? 2 : 1;
            continue;
        }
        const qsizetype units =
            c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        pieces.push_back({text.mid(i, units), color, units == 1 && isBlank(c)});
        i += units;
    }
    return pieces;
}

} // namespace

QString replaceColored(const QString& markup, qsizetype position, qsizetype removed,
                       const EditableText& inserted) {
    return EditWindow(markup, position, removed).apply(piecesOf(inserted));
}

QString replaceText(const QString& markup, qsizetype position, qsizetype removed,
                    const QString& inserted, std::optional<TextColor> color) {
    const EditWindow window(markup, position, removed);
    const TextColor typed = color ? *color : window.typingColor();
    return window.apply(
        piecesOf({inserted, std::vector<TextColor>(size_t(inserted.size()), typed)}));
}

QString replaceWithMarkup(const QString& markup, qsizetype position, qsizetype removed,
                          const QString& pasted) {
    const EditWindow window(markup, position, removed);
    const TextColor typed = window.typingColor();
    EditableText text = editableText(pasted);
    for (TextColor& color : text.colors) {
        color = color ? color : typed;
    }
    return window.apply(piecesOf(text));
}

QString colorRange(const QString& markup, qsizetype position, qsizetype length, TextColor color) {
    const EditWindow window(markup, position, length);
    std::vector<Piece> pieces = window.removedPieces();
    for (Piece& piece : pieces) {
        piece.color = color;
    }
    return window.apply(pieces);
}

std::vector<TextColor> gradientColors(const QString& text, const std::vector<ColorValue>& stops) {
    std::vector<TextColor> colors(size_t(text.size()));
    if (stops.empty()) {
        return colors;
    }
    qsizetype characters = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool secondHalf =
            text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate();
        if (!secondHalf && !isBlank(text.at(i))) {
            ++characters;
        }
    }
    const auto component = [](ColorValue color, int shift) {
        return qint64((color >> shift) & 0xFF);
    };
    const qint64 segments = qint64(stops.size()) - 1;
    const qint64 span = std::max<qint64>(characters - 1, 1);
    qint64 index = -1;
    TextColor last;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool secondHalf =
            text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate();
        if (!secondHalf && !isBlank(text.at(i))) {
            ++index;
            // The place index * segments / span, as a whole segment and a fraction over span.
            const qint64 segment =
                std::min(index * segments / span, std::max<qint64>(segments - 1, 0));
            const qint64 within = index * segments - segment * span;
            const ColorValue from = stops[size_t(segment)];
            const ColorValue to = stops[size_t(std::min<qint64>(segment + 1, segments))];
            int channels[3];
            for (int c = 0; c < 3; ++c) {
                const qint64 a = component(from, 8 * c);
                const qint64 b = component(to, 8 * c);
                const qint64 scaled = a * span + (b - a) * within; // value times span, >= 0
                channels[c] = int((2 * scaled + span) / (2 * span));
            }
            last = rgbColor(channels[0], channels[1], channels[2]);
        }
        colors[size_t(i)] = last;
    }
    // Blanks before the first character take its color.
    for (qsizetype i = 0; i < text.size() && !colors[size_t(i)]; ++i) {
        colors[size_t(i)] = last;
    }
    return colors;
}

QString gradientRange(const QString& markup, qsizetype position, qsizetype length,
                      const std::vector<ColorValue>& stops) {
    const EditWindow window(markup, position, length);
    std::vector<Piece> pieces = window.removedPieces();
    QString text;
    for (const Piece& piece : pieces) {
        text.append(piece.spelling.size() == 2 && piece.spelling.at(0).isHighSurrogate()
                        ? piece.spelling
                    : piece.blank ? QStringView(u" ")
                                  : piece.spelling.left(1));
    }
    const std::vector<TextColor> colors = gradientColors(text, stops);
    qsizetype unit = 0;
    for (Piece& piece : pieces) {
        piece.color = colors[size_t(unit)];
        unit += piece.spelling.size() == 2 && piece.spelling.at(0).isHighSurrogate() ? 2 : 1;
    }
    return window.apply(pieces);
}

} // namespace hueprint
