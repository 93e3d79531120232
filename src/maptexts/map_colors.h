// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color_value.h"

#include <QString>
#include <vector>

namespace hueprint {

class StringTable;

// The colors of a whole string table: its codes grouped by their red, green and blue, whatever
// their alpha pair or the case of their digits.
struct ColorUse {
    ColorValue color = 0;
    int codes = 0;   // how many codes draw it
    int strings = 0; // in how many strings
};

// Every color the table's codes draw, the most used first (then by value).
std::vector<ColorUse> colorsUsed(const StringTable& table);

// One string's text before and after a change, so that the change can be undone.
struct TextChange {
    int index = 0; // the entry's index in the table
    QString before;
    QString after;
};

struct ColorReplacement {
    std::vector<TextChange> changes;
    int codes = 0; // codes rewritten, across the strings
};

// Every code of one color rewritten to another, each keeping its spelling: "|c" or "|C", the
// alpha pair, and the case of each digit that is a letter; a digit that becomes a letter where
// a figure stood takes the case of the nearest letter of its code (before it, else after it),
// upper case in a code of figures alone. Nothing else of a text changes.
ColorReplacement replaceColor(const StringTable& table, ColorValue from, ColorValue to);

// The same, for one text: the text after it, and how many codes it rewrote.
QString replaceColorInText(const QString& text, ColorValue from, ColorValue to, int* codes);

// Sets each changed text (after), or with undo each text as it was (before).
void applyChanges(StringTable& table, const std::vector<TextChange>& changes, bool undo = false);

} // namespace hueprint
