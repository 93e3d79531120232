// SPDX-License-Identifier: MIT
#include "string_list_model.h"

#include "markup/markup_render.h"
#include "string_table.h"

namespace hueprint {

namespace {

// The runs of the rendering up to the end of its first line.
ColoredLine firstLineOf(const PreviewRendering& rendering) {
    ColoredLine line;
    for (const PreviewRun& run : rendering.runs) {
        if (run.startsLine) {
            break;
        }
        QString text = runText(rendering, run);
        qsizetype end = 0;
        while (end < text.size() && !isLineBreak(text.at(end))) {
            ++end;
        }
        const bool ends = end < text.size();
        text.truncate(end);
        line.text += text;
        line.runs.append({text.size(), run.color});
        if (ends) {
            break;
        }
    }
    return line;
}

QList<ColorValue> colorsOf(const QString& markup) {
    QList<ColorValue> colors;
    for (qsizetype i = 0; i < markup.size();) {
        const MarkupSequence sequence = markupSequenceAt(markup, i);
        if (sequence.kind == MarkupSequenceKind::Code && !colors.contains(sequence.color)) {
            colors.append(sequence.color);
        }
        i += sequence.length;
    }
    return colors;
}

} // namespace

StringListModel::Row StringListModel::rowFor(qint64 number, const QString& comment,
                                             const QString& markup) {
    const PreviewRendering rendering = renderPreview(markup);
    Row row;
    row.number = number;
    row.comment = comment;
    row.markup = markup;
    row.visibleText = rendering.text;
    row.searchText = QStringList{rendering.text, markup, QString::number(number), comment}
                         .join(u'\n')
                         .toCaseFolded();
    row.firstLine = firstLineOf(rendering);
    row.colors = colorsOf(markup);
    row.noteCount = static_cast<int>(rendering.notes.size());
    row.bytes = static_cast<int>(rendering.markupBytes);
    return row;
}

void StringListModel::setStrings(const StringTable& table) {
    beginResetModel();
    rows_.clear();
    rows_.reserve(static_cast<std::size_t>(table.count()));
    for (int i = 0; i < table.count(); ++i) {
        const StringEntry& entry = table.entry(i);
        // The comment's lines on one line of the list.
        rows_.push_back(
            rowFor(entry.number, QString(entry.comment).replace(u'\n', u' '), entry.text));
    }
    endResetModel();
}

void StringListModel::setMarkup(int row, const QString& markup) {
    Row& changed = rows_.at(static_cast<std::size_t>(row));
    if (changed.markup == markup) {
        return;
    }
    changed = rowFor(changed.number, changed.comment, markup);
    emit dataChanged(index(row, 0), index(row, string_list::ColumnCount - 1));
}

int StringListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int StringListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : string_list::ColumnCount;
}

QVariant StringListModel::data(const QModelIndex& index, int role) const {
    using namespace string_list;
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case MarkupRole:
        return row.markup;
    case VisibleTextRole:
        return row.visibleText;
    case NumberRole:
        return row.number;
    case PlaceRole:
        return index.row();
    case NoteCountRole:
        return row.noteCount;
    case ColoredRole:
        return !row.colors.isEmpty();
    case ColorsRole:
        return QVariant::fromValue(row.colors);
    case FirstLineRole:
        return QVariant::fromValue(row.firstLine);
    case SearchTextRole:
        return row.searchText;
    default:
        break;
    }
    const auto column = static_cast<Column>(index.column());
    if (role == SortRole) {
        switch (column) {
        case NumberColumn:
            return row.number;
        case CommentColumn:
            return row.comment;
        case TextColumn:
            return row.visibleText;
        case BytesColumn:
            return row.bytes;
        case NotesColumn:
            return row.noteCount;
        case ColumnCount:
            break;
        }
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        switch (column) {
        case NumberColumn:
            return row.number;
        case CommentColumn:
            return row.comment;
        case TextColumn:
            return row.firstLine.text;
        case BytesColumn:
            return row.bytes;
        case NotesColumn:
            if (row.noteCount == 0) {
                return QString();
            }
            return role == Qt::AccessibleTextRole
                       ? (row.noteCount == 1 ? QStringLiteral("1 note")
                                             : QStringLiteral("%1 notes").arg(row.noteCount))
                       : QStringLiteral("\u26A0 %1").arg(row.noteCount);
        case ColumnCount:
            break;
        }
    }
    if (role == Qt::TextAlignmentRole && (column == NumberColumn || column == BytesColumn)) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant StringListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (static_cast<string_list::Column>(section)) {
    case string_list::NumberColumn:
        return QStringLiteral("String");
    case string_list::CommentColumn:
        return QStringLiteral("Comment");
    case string_list::TextColumn:
        return QStringLiteral("Text");
    case string_list::BytesColumn:
        return QStringLiteral("Bytes");
    case string_list::NotesColumn:
        return QStringLiteral("Notes");
    case string_list::ColumnCount:
        break;
    }
    return {};
}

} // namespace hueprint
