// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace hueprint {

// A map's string table (war3map.wts), kept as the bytes it was read from: writing it back gives
// those bytes, except where a string's text was changed.
//
// The file: UTF-8, an optional byte-order mark, then blocks of
//     STRING <n>          n decimal, zero-padded or not; blocks in any order
//     // <comment>        none or several; any bytes, valid UTF-8 or not
//     {
//     <the text's lines>  none or several, blank ones and blanks at either end included
//     }
// Lines end in LF or CRLF, mixed or not; the last line may have no line break. Blank lines and
// "//" lines may stand between blocks. The text is the lines between the "{" line and the first
// line that is exactly "}" (no blanks around it); the line break before that "}" is not part of
// the text. A text cannot hold a line "}" alone: it would end the block there.
//
// Texts are shown with "\n" for each line break of the file. Bytes that are not valid UTF-8
// show as U+FFFD and are written back as they stood unless the user edits them.

struct StringEntry {
    int number = 0;
    QString comment;        // its "//" lines without the "//", one a line; empty without
    QString text;           // line breaks as "\n"
    bool textIsUtf8 = true; // false: the text's bytes hold invalid UTF-8 (shown as U+FFFD)
    int line = 0;           // the line of its "STRING" in the file as read, from 1
};

struct StringTableRead;

class StringTable {
public:
    // The table, or why the bytes are not one: the line where reading stopped and a message
    // that says it ("line 12: ...").
    static StringTableRead read(const QByteArray& bytes);

    int count() const { return int(entries_.size()); }
    const StringEntry& entry(int index) const { return entries_[size_t(index)]; }

    // Changes one string's text, rewriting only the bytes of what changed (from the first
    // character that differs to the last, widened to whole non-ASCII runs); new line breaks are
    // written as that string writes them. A text equal to the one read gives back the bytes
    // read. Returns false, changing nothing, for any other text that cannot be held
    // (canHoldText). The entry's text is then what its bytes read as (a lone surrogate reads as
    // U+FFFD).
    bool setText(int index, const QString& text);

    // Whether a new text can stand in a block: none of its lines reads as "}" alone once written
    // ("}" with up to two "\r" after it), and it does not end in a lone "\r" (which would join
    // the line break after it).
    static bool canHoldText(const QString& text);

    QByteArray write() const;
    bool isModified() const;

    // Where a string's text stood in the bytes read: [begin, end), its last line break outside.
    struct ByteRange {
        qsizetype begin = 0;
        qsizetype end = 0;
    };
    ByteRange textRange(int index) const;

private:
    struct Place {
        ByteRange range;      // in bytes_
        QByteArray lineBreak; // how this string breaks its lines
        bool noLines = false; // "{" and "}" stand on adjacent lines: a new text needs a break
        bool changed = false; // bytes below replace the range
        QByteArray bytes;     // the text's bytes, once changed
    };
    QByteArray currentBytes(int index) const;

    QByteArray bytes_;
    std::vector<StringEntry> entries_;
    std::vector<Place> places_;
};

struct StringTableRead {
    std::optional<StringTable> table;
    int line = 0;  // where reading stopped, when it is not a table
    QString error; // "line 12: ..."
};

} // namespace hueprint
