// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color_value.h"

#include <QString>
#include <vector>

namespace hueprint {

// How the game draws a piece of map text: colored runs of the text the player sees, the
// mistakes worth telling, and the two lengths.
//
// The markup's own sequences: "|c" or "|C" and eight hexadecimal digits (either case, alpha,
// red, green, blue; the alpha pair is ignored) draws what follows in that color; "|r" or "|R"
// goes back to the default white; "|n" starts a new line, as a line break does. Anything else,
// "|N", a "|c" with fewer than eight hexadecimal digits or a lone "|" among them, is drawn as it
// stands.
//
// Characters are counted as a user counts them: one per code point, so a character outside
// the basic plane (two UTF-16 units) is one character, and so is a lone surrogate. Positions
// are 1-based: the first character of the markup is character 1.

// The color text is drawn in when no code is open: white.
constexpr ColorValue kPreviewDefaultColor = 0x00FFFFFF;

// A stretch of the visible text in one color. Runs cover the visible text end to end, in order;
// a run is empty only when it stands for a "|n" with nothing after it on its line.
struct PreviewRun {
    qsizetype start = 0;  // into PreviewRendering::text, in UTF-16 units
    qsizetype length = 0; // UTF-16 units
    ColorValue color = kPreviewDefaultColor;
    bool startsLine = false; // a "|n" stands before it
    bool operator==(const PreviewRun& other) const {
        return start == other.start && length == other.length && color == other.color &&
               startsLine == other.startsLine;
    }
};

enum class PreviewNoteKind {
    CodeCutShort,     // "|c" without eight hexadecimal digits after it: drawn as it stands
    ColorLeftOpen,    // a color still open at the end: it colors whatever text is joined after
    ResetNothingOpen, // "|r" (or "|R") with no color open
};

struct PreviewNote {
    PreviewNoteKind kind = PreviewNoteKind::CodeCutShort;
    qsizetype position = 1; // 1-based character (code point) of the "|" the note is about
    bool operator==(const PreviewNote& other) const {
        return kind == other.kind && position == other.position;
    }
};

struct PreviewRendering {
    // The visible text: the markup without its "|c" codes, "|r" and "|n" marks. Line breaks
    // typed into the markup stay in it (they start a new line where they stand).
    QString text;
    std::vector<PreviewRun> runs;
    std::vector<PreviewNote> notes;  // in the order of the markup; an open color comes last
    qsizetype markupCharacters = 0;  // characters of markup, what the map stores
    qsizetype visibleCharacters = 0; // characters the player sees: the text, less line breaks
    qsizetype markupBytes = 0;       // the markup in UTF-8, as the game counts its limits
};

PreviewRendering renderPreview(const QString& markup);

// What stands in the markup at an index: a color code, "|r" or "|R", "|n", or one character of text
// (a surrogate pair and "\r\n" are one character each, a lone surrogate too).
enum class MarkupSequenceKind { Text, Code, Reset, NewLine };
struct MarkupSequence {
    MarkupSequenceKind kind = MarkupSequenceKind::Text;
    qsizetype length = 1;                    // UTF-16 units
    ColorValue color = kPreviewDefaultColor; // a code's color
};
MarkupSequence markupSequenceAt(const QString& markup, qsizetype index);

// Whether a "|" at the index begins a code that is cut short (drawn as it stands).
bool isCutShortCode(const QString& markup, qsizetype index);

// The text of one run.
QString runText(const PreviewRendering& rendering, const PreviewRun& run);

// A note as a user reads it: "Character 12: ...".
QString noteText(const PreviewNote& note);

// "Markup: 25 characters, 25 bytes    Player sees: 11 characters" (bytes in UTF-8).
QString figuresText(const PreviewRendering& rendering);

// Whether the character starts a new line where it stands in the visible text ("\r\n" is one
// break: its "\n" is counted with the "\r").
bool isLineBreak(QChar c);

} // namespace hueprint
