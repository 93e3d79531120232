// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color_value.h"

#include <QSortFilterProxyModel>
#include <optional>
#include <vector>

namespace hueprint {

// The list's filter: a string stays when its visible text, its markup, its number or its comment
// holds the filter text (in any case), and it passes the check boxes ("Only with notes", "Only
// colored") and the color chosen in the Colors view. Sorts by the source's string_list::SortRole.
class StringFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit StringFilter(QObject* parent = nullptr);

    void setText(const QString& text);
    void setSourceModel(QAbstractItemModel* source) override;
    void setOnlyWithNotes(bool only);
    void setOnlyColored(bool only);
    // Only the strings with a code of this RRGGBB (whatever its alpha); nothing: any.
    void setColor(std::optional<ColorValue> rgb);

    const QString& text() const { return text_; }
    bool onlyWithNotes() const { return onlyWithNotes_; }
    bool onlyColored() const { return onlyColored_; }
    std::optional<ColorValue> color() const { return color_; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    void refilter();
    bool accepts(const QModelIndex& row) const;

    QString text_;
    QString foldedText_;
    // Whether each source row passed the last filtering; while the text only narrows (typing on),
    // a row that failed it fails again without being searched.
    mutable std::vector<char> accepted_;
    bool narrowing_ = false;
    bool onlyWithNotes_ = false;
    bool onlyColored_ = false;
    std::optional<ColorValue> color_;
};

} // namespace hueprint
