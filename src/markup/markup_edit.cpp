// SPDX-License-Identifier: MIT
#include "markup_edit.h"

#include "markup/edit_stretch.h"
#include "markup/markup_render.h"
#include "markup/reading_index.h"

#include <algorithm>

namespace hueprint {

namespace {

TextColor colorAt(const EditableText& text, qsizetype index) {
    return index < qsizetype(text.colors.size()) ? text.colors[size_t(index)] : TextColor();
}

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
        pieces.push_back({text.mid(i, units), color, units == 1 && isBlankCharacter(c)});
        i += units;
    }
    return pieces;
}

// The pieces of pasted markup: its characters, and its marks as it spells them, but that its
// uncoded parts take the typed color (where that is a color, a "|r" of it becomes a code).
std::vector<Piece> piecesOfMarkup(const QString& pasted, TextColor typed) {
    std::vector<Piece> pieces;
    pieces.reserve(size_t(pasted.size()));
    TextColor state = typed;
    for (qsizetype i = 0; i < pasted.size();) {
        const MarkupSequence sequence = markupSequenceAt(pasted, i);
        const QStringView spelling = QStringView(pasted).mid(i, sequence.length);
        const QChar c = pasted.at(i);
        i += sequence.length;
        switch (sequence.kind) {
        case MarkupSequenceKind::Code:
            state = sequence.color;
            pieces.push_back({spelling, state, false, PieceKind::Mark});
            break;
        case MarkupSequenceKind::Reset:
            state = typed;
            pieces.push_back({typed ? QStringView() : spelling, state, false, PieceKind::Mark});
            break;
        case MarkupSequenceKind::NewLine:
            pieces.push_back({kNewLine, state, true});
            break;
        case MarkupSequenceKind::Text:
            if (isLineBreak(c)) {
                pieces.push_back({kNewLine, state, true});
            } else {
                pieces.push_back({spelling, state, sequence.length == 1 && isBlankCharacter(c)});
            }
            break;
        }
    }
    markJoints(pieces);
    return pieces;
}

// Two splices of one markup, the one wholly before the other, as one.
MarkupSplice joined(const MarkupSplice& before, const MarkupSplice& after, const QString& markup) {
    if (before.isEmpty() || after.isEmpty()) {
        return before.isEmpty() ? after : before;
    }
    const qsizetype between = before.start + before.removed;
    QString inserted = before.inserted;
    inserted.append(QStringView(markup).mid(between, after.start - between)).append(after.inserted);
    return {before.start, after.start + after.removed - before.start, inserted};
}

// The units of the editable text a piece stands for.
qsizetype unitsOf(const Piece& piece) {
    return piece.kind != PieceKind::Character ? 0 : piece.blank ? 1 : piece.spelling.size();
}

// A move across nothing but blanks, as one replacement of the stretch from the one place to the
// other: the moved text with its marks (the last before it and the first after it as joints),
// the blanks it crossed put on its other side.
MarkupSplice moveAcrossBlanks(const QString& markup, qsizetype from, qsizetype end, qsizetype to,
                              const ReadingIndex* index) {
    const qsizetype low = std::min(from, to);
    const EditStretch stretch(markup, low, std::max(end, to) - low, index);
    std::vector<Piece> moved;
    std::vector<Piece> blanks;
    std::optional<Piece> opening;
    bool closed = false;
    qsizetype unit = low;
    for (Piece piece : stretch.movedPieces()) {
        if (piece.kind != PieceKind::Character) {
            piece.kind = PieceKind::Mark;
            if (unit < from) {
                opening = piece;
            } else if (unit < end || !closed) {
                closed = unit >= end;
                moved.push_back(piece);
            }
            continue;
        }
        if (unit >= from && unit < end) {
            if (opening) {
                moved.insert(moved.begin(), *opening);
                opening.reset();
            }
            moved.push_back(piece);
        } else {
            blanks.push_back(piece);
        }
        unit += unitsOf(piece);
    }
    std::vector<Piece>& first = to < from ? moved : blanks;
    const std::vector<Piece>& second = to < from ? blanks : moved;
    first.insert(first.end(), second.begin(), second.end());
    markJoints(first);
    return stretch.apply(first);
}

bool splitsPair(const QString& text, qsizetype at) {
    return at > 0 && at < text.size() && text.at(at - 1).isHighSurrogate() &&
           text.at(at).isLowSurrogate();
}

} // namespace

QString MarkupSplice::appliedTo(const QString& markup) const {
    const qsizetype from = std::clamp<qsizetype>(start, 0, markup.size());
    const qsizetype to = std::clamp<qsizetype>(from + removed, from, markup.size());
    QString result;
    result.reserve(markup.size() - (to - from) + inserted.size());
    result.append(QStringView(markup).left(from))
        .append(inserted)
        .append(QStringView(markup).mid(to));
    return result;
}

MarkupSplice changedStretch(const QString& before, const QString& after) {
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype start = 0;
    while (start < shorter && before.at(start) == after.at(start)) {
        ++start;
    }
    qsizetype end = 0; // units both share at their end, after `start`
    while (end < shorter - start &&
           before.at(before.size() - 1 - end) == after.at(after.size() - 1 - end)) {
        ++end;
    }
    return {start, before.size() - end - start, after.mid(start, after.size() - end - start)};
}

EditableText editableText(const QString& markup) {
    EditableText result;
    result.text.reserve(markup.size());
    result.colors.reserve(size_t(markup.size()));
    MarkupReader reader(markup, {}, &result);
    while (!reader.atEnd()) {
        reader.next();
    }
    return result;
}

QString markupFor(const EditableText& text) {
    MarkupWriter writer{TextColor()};
    for (const Piece& piece : piecesOf(text)) {
        writer.write(piece);
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

MarkupSplice replaceColored(const QString& markup, qsizetype position, qsizetype removed,
                            const EditableText& inserted, const ReadingIndex* index) {
    return EditStretch(markup, position, removed, index).apply(piecesOf(inserted));
}

MarkupSplice replaceText(const QString& markup, qsizetype position, qsizetype removed,
                         const QString& inserted, std::optional<TextColor> color,
                         const ReadingIndex* index) {
    const EditStretch stretch(markup, position, removed, index);
    const TextColor typed = color ? *color : stretch.typingColor();
    return stretch.apply(
        piecesOf({inserted, std::vector<TextColor>(size_t(inserted.size()), typed)}));
}

MarkupSplice replaceWithMarkup(const QString& markup, qsizetype position, qsizetype removed,
                               const QString& pasted, const ReadingIndex* index) {
    const EditStretch stretch(markup, position, removed, index);
    return stretch.apply(piecesOfMarkup(pasted, stretch.surroundingColor()));
}

MarkupSplice colorRange(const QString& markup, qsizetype position, qsizetype length,
                        TextColor color, const ReadingIndex* index) {
    const EditStretch stretch(markup, position, length, index);
    std::vector<Piece> pieces = stretch.removedPieces();
    for (Piece& piece : pieces) {
        piece.color = color;
    }
    return stretch.apply(pieces);
}

MarkupSplice moveText(const QString& markup, qsizetype from, qsizetype length, qsizetype to,
                      const ReadingIndex* index) {
    // The places as the edits take them: within the text, pairs whole.
    const QString text = editableText(markup).text;
    from = std::clamp<qsizetype>(from, 0, text.size());
    qsizetype end = std::clamp<qsizetype>(from + std::max<qsizetype>(length, 0), from, text.size());
    to = std::clamp<qsizetype>(to, 0, text.size());
    if (end == from) {
        return {};
    }
    from -= splitsPair(text, from) ? 1 : 0;
    end += splitsPair(text, end) ? 1 : 0;
    to -= splitsPair(text, to) ? 1 : 0;
    if (to >= from && to <= end) {
        return {};
    }
    const qsizetype crossedFrom = to < from ? to : end;
    const QStringView crossed =
        QStringView(text).mid(crossedFrom, (to < from ? from : to) - crossedFrom);
    if (std::all_of(crossed.begin(), crossed.end(), isBlankCharacter)) {
        return moveAcrossBlanks(markup, from, end, to, index);
    }
    // With a visible character between them, the two places are two edits of the markup that
    // touch nothing of each other: each is made on the markup as it stands.
    const EditStretch moved(markup, from, end - from, index);
    const MarkupSplice removal = moved.apply({});
    const MarkupSplice insertion = EditStretch(markup, to, 0, index).apply(moved.movedPieces());
    return to < from ? joined(insertion, removal, markup) : joined(removal, insertion, markup);
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
        if (!secondHalf && !isBlankCharacter(text.at(i))) {
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
        if (!secondHalf && !isBlankCharacter(text.at(i))) {
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
    const auto firstColored = std::find_if(
        colors.begin(), colors.end(), [](const TextColor& color) { return color.has_value(); });
    if (firstColored != colors.end()) {
        std::fill(colors.begin(), firstColored, *firstColored);
    }
    return colors;
}

MarkupSplice gradientRange(const QString& markup, qsizetype position, qsizetype length,
                           const std::vector<ColorValue>& stops, const ReadingIndex* index) {
    const EditStretch stretch(markup, position, length, index);
    std::vector<Piece> pieces = stretch.removedPieces();
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
    return stretch.apply(pieces);
}

} // namespace hueprint
