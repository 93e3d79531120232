// SPDX-License-Identifier: MIT
#include "string_filter.h"

#include "string_roles.h"

namespace hueprint {

StringFilter::StringFilter(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(string_list::SortRole);
    setSortLocaleAware(false); // numbers and places sort as numbers; texts by their code points
}

void StringFilter::setSourceModel(QAbstractItemModel* source) {
    if (sourceModel() != nullptr) {
        sourceModel()->disconnect(this);
    }
    QSortFilterProxyModel::setSourceModel(source);
    const auto forget = [this] {
        accepted_.clear();
    };
    connect(source, &QAbstractItemModel::modelReset, this, forget);
    connect(source, &QAbstractItemModel::rowsInserted, this, forget);
    connect(source, &QAbstractItemModel::rowsRemoved, this, forget);
    connect(source, &QAbstractItemModel::rowsMoved, this, forget);
}

void StringFilter::setText(const QString& text) {
    if (text == text_) {
        return;
    }
    const QString folded = text.toCaseFolded();
    narrowing_ = !foldedText_.isEmpty() && folded.contains(foldedText_) &&
                 accepted_.size() == static_cast<std::size_t>(sourceModel()->rowCount());
    text_ = text;
    foldedText_ = folded;
    refilter();
    narrowing_ = false;
}

void StringFilter::setOnlyWithNotes(bool only) {
    if (only != onlyWithNotes_) {
        onlyWithNotes_ = only;
        refilter();
    }
}

void StringFilter::setOnlyColored(bool only) {
    if (only != onlyColored_) {
        onlyColored_ = only;
        refilter();
    }
}

void StringFilter::setColor(std::optional<ColorValue> rgb) {
    if (rgb != color_) {
        color_ = rgb;
        refilter();
    }
}

void StringFilter::refilter() {
    // Qt 6.4 has no beginFilterChange(); invalidateFilter() keeps the sorting and re-runs only
    // filterAcceptsRow.
    invalidateFilter();
}

bool StringFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const auto row = static_cast<std::size_t>(sourceRow);
    if (narrowing_ && accepted_[row] == 0) {
        return false;
    }
    const bool accepted = accepts(sourceModel()->index(sourceRow, 0, sourceParent));
    if (accepted_.size() != static_cast<std::size_t>(sourceModel()->rowCount())) {
        accepted_.assign(static_cast<std::size_t>(sourceModel()->rowCount()), 1);
    }
    accepted_[row] = accepted ? 1 : 0;
    return accepted;
}

bool StringFilter::accepts(const QModelIndex& row) const {
    using namespace string_list;
    if (onlyWithNotes_ && row.data(NoteCountRole).toInt() == 0) {
        return false;
    }
    if (onlyColored_ && !row.data(ColoredRole).toBool()) {
        return false;
    }
    if (color_ && !row.data(ColorsRole).value<QList<ColorValue>>().contains(*color_)) {
        return false;
    }
    // Case-folded once, both sides: a plain search, much quicker than one that ignores case.
    return foldedText_.isEmpty() || row.data(SearchTextRole).toString().contains(foldedText_);
}

} // namespace hueprint
