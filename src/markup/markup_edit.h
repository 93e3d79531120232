// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color_value.h"

#include <QString>
#include <optional>
#include <vector>

namespace hueprint {

// Editing map text as the game draws it: each function takes the markup and returns the one
// splice of it that an edit makes, rewriting only what the edit touches. Marks it writes take the
// spelling the markup uses most (spellingOf); marks it does not touch keep theirs.
//
// The markup has no escape: a "|" of the text that an edit brings right before "r", "R", "n", or
// "c" or "C" and eight hexadecimal digits (typed there, or with what stood between deleted) reads
// as a mark from then on, as it would in the game; and a lone "\r" brought right before a "\n"
// makes one line break of the two.

class ReadingIndex;

// The color a character is drawn in: a code's color, or none (the default white, "Plain").
using TextColor = std::optional<ColorValue>;

// Markup as the editor shows it: the visible text with one '\n' for each line break of the
// markup ("|n", "\r\n", "\r" or "\n"), and the color of each UTF-16 unit of that text.
struct EditableText {
    QString text;
    std::vector<TextColor> colors;
};

EditableText editableText(const QString& markup);

// One edit of the markup: `removed` UTF-16 units at `start` replaced by `inserted`. Undone by
// the reverse splice: inserted.size() units at `start` replaced by what was removed.
struct MarkupSplice {
    qsizetype start = 0;
    qsizetype removed = 0;
    QString inserted;

    QString appliedTo(const QString& markup) const;
    // The splice that undoes this one on what it gave: `markup` is what it was applied to.
    MarkupSplice reversed(const QString& markup) const {
        return {start, inserted.size(), markup.mid(start, removed)};
    }
    bool isEmpty() const { return removed == 0 && inserted.isEmpty(); }
};

// The splice that turns one whole text into another, changed from outside: what lies between
// their common start and their common end.
MarkupSplice changedStretch(const QString& before, const QString& after);

// The shortest markup that draws the text in its colors (codes "|cFF"+RRGGBB upper case,
// "|r" only where plain text follows or the text ends, "|n" for each '\n').
QString markupFor(const EditableText& text);

// Edits, each giving the splice of the markup it makes (empty where it changes nothing). Positions
// and lengths count UTF-16 units of editableText(markup).text; out-of-range values are clamped,
// never a crash, and a position inside a surrogate pair moves to the pair's start (a removal's end
// to its end). Given an index that follows the markup, they read it from near the edit.

// Replaces `removed` units at `position` with the given colored text (the general edit).
MarkupSplice replaceColored(const QString& markup, qsizetype position, qsizetype removed,
                            const EditableText& inserted, const ReadingIndex* index = nullptr);

// Plain text typed or pasted as text: its line breaks written as "|n". Without a color it takes
// the color of the text it continues (the character before it on its line; at a line's start
// the character after it), so typing at the end of a colored word extends it; typed over a
// selection, the color of the selection's first character.
MarkupSplice replaceText(const QString& markup, qsizetype position, qsizetype removed,
                         const QString& inserted, std::optional<TextColor> color = std::nullopt,
                         const ReadingIndex* index = nullptr);

// Pasted text read as markup: its codes color what they cover up to its "|r" or its end; its
// uncoded parts continue the text around it (the color typed text would take there, the replaced
// characters left out: pasted over everything, they stay plain). It goes in as it stands, its marks
// spelled as they are, but at its two ends: a mark there that would change nothing is dropped,
// one that resumes the color around it may follow; a "|r" among its characters where the text
// around is colored becomes a code of that color. Its line breaks are written "|n".
MarkupSplice replaceWithMarkup(const QString& markup, qsizetype position, qsizetype removed,
                               const QString& pasted, const ReadingIndex* index = nullptr);

MarkupSplice colorRange(const QString& markup, qsizetype position, qsizetype length,
                        TextColor color, const ReadingIndex* index = nullptr);

// A drag-move as one edit: the `length` units at `from` taken out and put in at `to`, a position
// in the text before they were taken out (where the user dropped them; a drop within them
// changes nothing). The moved text keeps its colors and its marks' spelling. The splice covers
// both places.
MarkupSplice moveText(const QString& markup, qsizetype from, qsizetype length, qsizetype to,
                      const ReadingIndex* index = nullptr);

// The fade through 2 to 4 stops over a text: the stops stand evenly spaced along its non-blank
// characters, each of which gets the color interpolated linearly in red, green and blue at its
// place (components rounded to nearest, halves up; a lone character takes the first stop).
// Blanks and line breaks get the color of the character before them (or after, at the start).
std::vector<TextColor> gradientColors(const QString& text, const std::vector<ColorValue>& stops);

MarkupSplice gradientRange(const QString& markup, qsizetype position, qsizetype length,
                           const std::vector<ColorValue>& stops,
                           const ReadingIndex* index = nullptr);

// The color text typed at the position takes: that of the character before it on its line, at a
// line's start that of the character after it (on an empty line, the color in force there).
TextColor typingColor(const EditableText& text, qsizetype position);

} // namespace hueprint
