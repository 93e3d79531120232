// SPDX-License-Identifier: MIT
#pragma once

#include "string_roles.h"

#include <QAbstractTableModel>
#include <vector>

namespace hueprint {

class StringTable;

// The strings of a table as a table model: one row per string in the file's order, the columns
// of string_list::Column, and the roles of string_list::Role worked out once per string when it
// is set (the visible text, the first line's runs, the notes, the colors), so that filtering and
// drawing read them as they stand.
class StringListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setStrings(const StringTable& table);
    // Changes one string's text; the row is told changed.
    void setMarkup(int row, const QString& markup);
    const QString& markup(int row) const { return rows_.at(static_cast<std::size_t>(row)).markup; }
    qint64 number(int row) const { return rows_.at(static_cast<std::size_t>(row)).number; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    struct Row {
        qint64 number = 0;
        QString comment;
        QString markup;
        QString visibleText;
        QString searchText;
        ColoredLine firstLine;
        QList<ColorValue> colors;
        int noteCount = 0;
        int bytes = 0;
    };
    static Row rowFor(qint64 number, const QString& comment, const QString& markup);

    std::vector<Row> rows_;
};

} // namespace hueprint
