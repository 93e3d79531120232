// SPDX-License-Identifier: MIT
#pragma once

#include "markup/markup_render.h"

#include <QString>
#include <vector>

namespace hueprint {

class StringTable;

// What the notes of the in-game preview find in the strings of a table.
struct StringNote {
    int index = 0; // the entry's index in the table
    PreviewNote note;
};

// Every note of every string, in the order of the file.
std::vector<StringNote> tableNotes(const StringTable& table);

// A note as a line for the command line and for tools that read it:
// "FILE:STRING N: character C: TEXT", C counting the string's characters from 1.
QString noteLine(const QString& fileName, int stringNumber, const PreviewNote& note);

} // namespace hueprint
