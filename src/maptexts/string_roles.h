// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color_value.h"

#include <QList>
#include <QMetaType>
#include <QString>

namespace hueprint {

// The columns and roles of the list of a string table's strings, shared by the table model, the
// filter and the delegate that draws a string's first line.
namespace string_list {

enum Column { NumberColumn, CommentColumn, TextColumn, BytesColumn, NotesColumn, ColumnCount };

enum Role {
    MarkupRole = Qt::UserRole + 1, // QString: the string's text as the file holds it
    VisibleTextRole,               // QString: what the player sees
    NumberRole,                    // qint64: the number after STRING
    PlaceRole,                     // int: the string's place in the file, from 0
    NoteCountRole,                 // int: how many notes the string has
    ColoredRole,                   // bool: the string holds at least one color code
    ColorsRole,                    // QList<ColorValue>: the RRGGBB its codes use (no alpha)
    FirstLineRole,                 // ColoredLine: the first line as the game draws it
    SortRole,                      // the key the column sorts by
    SearchTextRole, // QString: visible text, markup, number and comment, case-folded, one a line
};

} // namespace string_list

// A line of text in its colors: each run a length (UTF-16 units) and its color.
struct ColoredLine {
    QString text;
    QList<QPair<qsizetype, ColorValue>> runs;
};

} // namespace hueprint

Q_DECLARE_METATYPE(hueprint::ColoredLine)
