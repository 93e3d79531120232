// SPDX-License-Identifier: MIT
#include "markup/reading_index.h"

#include "markup/edit_stretch.h"
#include "markup/markup_render.h"

#include <algorithm>

namespace hueprint {

namespace {

// The most units a sequence reads from where it starts ("|c" and eight digits).
constexpr qsizetype kLongestSequence = 10;

} // namespace

bool MarkupReader::next() {
    const MarkupSequence sequence = markupSequenceAt(markup_, point_.at);
    bool visible = false;
    switch (sequence.kind) {
    case MarkupSequenceKind::Code:
    case MarkupSequenceKind::Reset:
        point_.color =
            sequence.kind == MarkupSequenceKind::Code ? TextColor(sequence.color) : TextColor();
        point_.markAt = point_.at;
        point_.markLength = sequence.length;
        break;
    case MarkupSequenceKind::NewLine:
        ++point_.units;
        if (text_ != nullptr) {
            text_->text.append(u'\n');
            text_->colors.push_back(point_.color);
        }
        break;
    case MarkupSequenceKind::Text: {
        const QChar c = markup_.at(point_.at);
        const bool lineBreak = isLineBreak(c);
        const qsizetype units = lineBreak ? 1 : sequence.length;
        point_.units += units;
        visible = !lineBreak && !(sequence.length == 1 && isBlankCharacter(c));
        if (text_ != nullptr) {
            text_->text.append(lineBreak ? QStringView(u"\n")
                                         : QStringView(markup_).mid(point_.at, sequence.length));
            text_->colors.insert(text_->colors.end(), size_t(units), point_.color);
        }
        break;
    }
    }
    point_.at += sequence.length;
    return visible;
}

ReadingPoint ReadingIndex::beforeUnit(qsizetype unit) const {
    const auto after = std::upper_bound(
        points_.begin(), points_.end(), unit,
        [](qsizetype wanted, const ReadingPoint& point) { return wanted < point.units; });
    return after == points_.begin() ? ReadingPoint() : *(after - 1);
}

ChangedText ReadingIndex::follow(const QString& before, const QString& after,
                                 const MarkupSplice& splice) {
    // The sequences wholly before the splice read the same in both: from the last point among
    // them, up to where a sequence might reach into it.
    const auto kept = std::partition_point(points_.begin(), points_.end(), [&](const auto& point) {
        return point.at + kLongestSequence <= splice.start;
    });
    MarkupReader old(before, kept == points_.begin() ? ReadingPoint() : *(kept - 1));
    while (!old.atEnd() && old.point().at + kLongestSequence <= splice.start) {
        old.next();
    }
    ChangedText change;
    change.stretch.first = old.point().units;
    MarkupReader fresh(after, old.point(), &change.text);
    std::vector<ReadingPoint> added;
    qsizetype lastUnits = kept == points_.begin() ? 0 : (kept - 1)->units;
    const auto readFresh = [&] {
        if (fresh.next() && fresh.point().units - lastUnits >= spacing_) {
            added.push_back(fresh.point());
            lastUnits = fresh.point().units;
        }
    };
    // Past the splice in both, then on until they line up again in the same color: from there
    // on the two read the same.
    const qsizetype oldSpliceEnd = splice.start + splice.removed;
    const qsizetype newSpliceEnd = splice.start + splice.inserted.size();
    const qsizetype shift = newSpliceEnd - oldSpliceEnd;
    while (!old.atEnd() && old.point().at < oldSpliceEnd) {
        old.next();
    }
    while (!fresh.atEnd() && fresh.point().at < newSpliceEnd) {
        readFresh();
    }
    while (!old.atEnd() || !fresh.atEnd()) {
        const qsizetype aligned = fresh.point().at - shift;
        if (aligned == old.point().at && fresh.point().color == old.point().color) {
            break;
        }
        if (aligned <= old.point().at && !fresh.atEnd()) {
            readFresh();
        }
        if (aligned >= old.point().at && !old.atEnd()) {
            old.next();
        }
    }
    change.stretch.oldEnd = old.point().units;
    change.stretch.newEnd = fresh.point().units;

    // The points past where they line up move with the text; a point whose last mark lies before
    // there takes the last mark read there in the text now.
    const qsizetype lined = old.point().at;
    auto moved =
        std::upper_bound(kept, points_.end(), lined,
                         [](qsizetype at, const ReadingPoint& point) { return at < point.at; });
    const qsizetype unitShift = change.stretch.newEnd - change.stretch.oldEnd;
    for (auto point = moved; point != points_.end(); ++point) {
        point->at += shift;
        point->units += unitShift;
        if (point->markAt >= lined) {
            point->markAt += shift;
        } else {
            point->markAt = fresh.point().markAt;
            point->markLength = fresh.point().markLength;
        }
    }
    // Those between the splice and there go, the ones read afresh take their place.
    moved = points_.erase(kept, moved);
    points_.insert(moved, added.begin(), added.end());
    return change;
}

} // namespace hueprint
