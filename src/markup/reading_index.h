// SPDX-License-Identifier: MIT
#pragma once

#include "markup/markup_edit.h"

#include <algorithm>
#include <vector>

namespace hueprint {

// Where a reading of the markup from its start stands at the boundary of two sequences.
struct ReadingPoint {
    qsizetype at = 0;      // index into the markup
    qsizetype units = 0;   // units of the editable text read before it
    TextColor color;       // the color current there
    qsizetype markAt = -1; // the last mark read ("|c" code or "|r"), -1 for none
    qsizetype markLength = 0;
};

// Reads a markup sequence by sequence from a point, keeping the point up to date and, when
// given one, adding the editable text it reads to a text.
class MarkupReader {
public:
    explicit MarkupReader(const QString& markup, ReadingPoint from = {},
                          EditableText* text = nullptr)
        : markup_(markup), point_(from), text_(text) {}

    const ReadingPoint& point() const { return point_; }
    bool atEnd() const { return point_.at >= markup_.size(); }
    // Reads one sequence: true when it was a visible character (not a mark, blank or line break).
    bool next();

private:
    const QString& markup_;
    ReadingPoint point_;
    EditableText* text_;
};

// The stretch of the editable text a splice changed: [first, oldEnd) of the text before it
// became [first, newEnd).
struct TextStretch {
    qsizetype first = 0;
    qsizetype oldEnd = 0;
    qsizetype newEnd = 0;
};

// The stretch of editable text a splice changed, and that stretch's text now.
struct ChangedText {
    TextStretch stretch;
    EditableText text; // [stretch.first, stretch.newEnd) of the text now
};

// Points along a markup, right after a visible character, one every so many units of text: an
// edit reads the markup from the last one before it rather than from the start. It follows its
// markup through each splice: the points before the splice stay, the stretch the splice changed
// is read afresh (and given points), and the points after it move with the text.
class ReadingIndex {
public:
    explicit ReadingIndex(qsizetype spacing = 256) : spacing_(std::max<qsizetype>(spacing, 1)) {}

    // The last point at or before the unit of text.
    ReadingPoint beforeUnit(qsizetype unit) const;
    // The splice turned `before`, the markup followed until now, into `after`: what it changed
    // in the text, read near the splice only. The sequences wholly before it read the same, and
    // after it the two markups read the same once their sequences line up again in one color.
    ChangedText follow(const QString& before, const QString& after, const MarkupSplice& splice);

private:
    qsizetype spacing_;
    std::vector<ReadingPoint> points_; // in order, after the start (the point of nothing read)
};

} // namespace hueprint
