// SPDX-License-Identifier: MIT
#include "colored_line_delegate.h"

#include "editor/preview_panel.h"
#include "string_roles.h"

#include <QPainter>

namespace hueprint {

void ColoredLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    const auto line = index.data(string_list::FirstLineRole).value<ColoredLine>();
    painter->save();
    painter->fillRect(option.rect, PreviewPanel::backgroundColor());
    if (option.state & QStyle::State_Selected) {
        painter->setPen(QPen(option.palette.color(QPalette::Highlight), 2));
        painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
    }
    painter->setFont(option.font);
    const QFontMetrics metrics(option.font);
    const QRect area = option.rect.adjusted(4, 0, -4, 0);
    const int baseline = area.top() + (area.height() + metrics.ascent() - metrics.descent()) / 2;
    int x = area.left();
    qsizetype start = 0;
    for (const auto& [length, color] : line.runs) {
        if (x >= area.right()) {
            break;
        }
        const QString piece =
            metrics.elidedText(line.text.mid(start, length), Qt::ElideRight, area.right() - x);
        painter->setPen(resolveColor(color, option.palette));
        painter->drawText(x, baseline, piece);
        x += metrics.horizontalAdvance(piece);
        start += length;
    }
    painter->restore();
}

} // namespace hueprint
