// SPDX-License-Identifier: MIT
#pragma once

#include <QStyledItemDelegate>

namespace hueprint {

// Draws a string's first line (string_list::FirstLineRole) as the game draws it: each run in
// its color on the tooltip panel's dark ground, elided at the cell's end. The selection shows
// as a frame in the highlight color, so the colors stay what they are.
class ColoredLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace hueprint
