// SPDX-License-Identifier: MIT
#pragma once

#include "markup/code_spelling.h"
#include "markup/markup_edit.h"

#include <QStringView>

namespace hueprint {

class ReadingIndex;

// Blanks (and line breaks) show no color: they may stand in whichever color keeps markup short.
inline bool isBlankCharacter(QChar c) {
    return c.isSpace();
}

// What a piece of inserted text is: a character; a mark of inserted markup between its visible
// characters, written as it stands; or one at either end of them (a joint), whose spelling is
// kept where a mark making its color current is needed there and which is dropped otherwise.
enum class PieceKind { Character, Mark, JointMark };

// One character or mark of the text an edit writes: its markup, its color (for a mark, the one it
// makes current), and whether it is blank (blanks and line breaks show no color, so they take
// whichever keeps the markup short). A mark without spelling is written as the markup spells.
struct Piece {
    QStringView spelling;
    TextColor color;
    bool blank = false;
    PieceKind kind = PieceKind::Character;
};

// Makes the marks before the first visible character and after the last joints.
void markJoints(std::vector<Piece>& pieces);

constexpr QStringView kNewLine = u"|n";

// Writes characters with a mark wherever the color changes at a visible one: a code right
// before it, "|r" right after the last visible character (blanks between go either way). Marks
// are spelled as the source markup spells its own (read when the first is written).
class MarkupWriter {
public:
    explicit MarkupWriter(TextColor state, const QString* source = nullptr)
        : state_(state), source_(source) {}

    void write(const Piece& piece);
    void mark(TextColor color);
    TextColor state() const { return state_; }
    const QString& text() const { return out_; }

private:
    QString out_;
    TextColor state_;
    qsizetype afterVisible_ = 0;
    const QString* source_;
    std::optional<CodeSpelling> spelling_;
    std::optional<Piece> joint_; // the spelling offered for the next mark of its color
};

// The markup around one edit, read in one pass: the removed characters, and on either side the
// blanks and marks up to the nearest visible character, which an edit may rewrite so that no
// mark is left that colors nothing. The rest of the markup is never rewritten. With an index of
// the markup, it is read from the index's last point before the position.
class EditStretch {
public:
    EditStretch(const QString& markup, qsizetype position, qsizetype removed,
                const ReadingIndex* index = nullptr);

    // The removed characters in their markup spelling and their present color.
    std::vector<Piece> removedPieces() const;
    // The removed text as it moves: its characters, the marks among them as they stand, and the
    // marks that open and close it as joints.
    std::vector<Piece> movedPieces() const;
    // The color typed text takes at the edit's position.
    TextColor typingColor() const;
    // The color of the text around the edit, the removed characters left out: what pasted text
    // continues (a paste over everything continues nothing, and is plain where it has no code).
    TextColor surroundingColor() const;
    // The removed characters replaced by the pieces: the stretch of the markup rewritten, and
    // nothing else (empty where the rewritten stretch reads as it did).
    MarkupSplice apply(const std::vector<Piece>& inserted) const;

private:
    // A sequence of the markup: a mark ("|c" code or "|r": color is what it makes current) or a
    // character of the editable text (color is the one it is drawn in).
    struct Item {
        qsizetype start = 0;
        qsizetype length = 0;
        bool mark = false;
        bool blank = false;
        bool lineBreak = false;
        TextColor color;
    };
    // Where the kept markup ends on the left (items before `left`) and starts again on the
    // right (items from `right` on).
    struct Cut {
        qsizetype left = 0;
        qsizetype right = 0;
        qsizetype cost = 0;
    };

    Item itemAt(qsizetype index, TextColor state) const;
    void addBeside(const Item& item, qsizetype floor);
    qsizetype offsetOf(qsizetype item) const {
        return item < qsizetype(items_.size()) ? items_[size_t(item)].start : endOffset_;
    }
    std::optional<qsizetype> evaluate(TextColor state, bool markKeptLeft, qsizetype dropped,
                                      std::optional<TextColor> keptRight, bool visible,
                                      TextColor first, TextColor last) const;
    qsizetype closingLength(TextColor state, std::optional<TextColor> keptRight) const;

    const QString& markup_;
    std::vector<Item> items_;
    std::vector<TextColor> stateBefore_; // the color current before each item up to the removed
    TextColor startState_;               // the color current where the stretch starts
    TextColor endState_;                 // and where it ends
    qsizetype gapStart_ = 0; // the marks right at the position: [gapStart_, removedStart_)
    qsizetype removedStart_ = 0;
    qsizetype removedEnd_ = 0; // items after the last removed character
    qsizetype endOffset_ = 0;
    qsizetype openingStart_ = 0; // the last mark before the removed: [start, start + length)
    qsizetype openingLength_ = 0;
    bool atEnd_ = false;           // nothing visible follows the stretch
    bool characterBefore_ = false; // a visible character stands before the stretch
};

} // namespace hueprint
