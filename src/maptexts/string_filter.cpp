// SPDX-License-Identifier: MIT
#include "string_filter.h"

#include "string_roles.h"

namespace hueprint {

StringFilter::StringFilter(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(string_list::SortRole);
    setSortLocaleAware(false); // numbers and places sort as numbers; texts by their code points
}

void StringFilter::setText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    refilter();
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
    using namespace string_list;
    const QAbstractItemModel* source = sourceModel();
    const QModelIndex row = source->index(sourceRow, NumberColumn, sourceParent);
    if (onlyWithNotes_ && row.data(NoteCountRole).toInt() == 0) {
        return false;
    }
    if (onlyColored_ && !row.data(ColoredRole).toBool()) {
        return false;
    }
    if (color_ && !row.data(ColorsRole).value<QList<ColorValue>>().contains(*color_)) {
        return false;
    }
    if (text_.isEmpty()) {
        return true;
    }
    const auto holds = [this](const QString& field) {
        return field.contains(text_, Qt::CaseInsensitive);
    };
    return holds(row.data(VisibleTextRole).toString()) || holds(row.data(MarkupRole).toString()) ||
           holds(QString::number(row.data(NumberRole).toLongLong())) ||
           holds(source->index(sourceRow, CommentColumn, sourceParent).data().toString());
}

} // namespace hueprint
