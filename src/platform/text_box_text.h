// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QPlainTextEdit;

namespace hueprint {

// The text of a multi-line text box, character for character. A box keeps its text as lines;
// Qt's plain-text views of it also turn a no-break space into a blank and a line separator
// (U+2028) into a line feed, so these read the characters themselves and give each break
// between two lines as "\n".
QString textBoxText(const QPlainTextEdit& box);
QString selectedTextBoxText(const QPlainTextEdit& box);

// Text set with setPlainText reads back character for character, except the line breaks: a
// "\n", "\r\n", a lone "\r", a paragraph separator (U+2029) and the two marks U+FDD0 and U+FDD1
// each end a line of the box, and so read back as "\n". A line separator (U+2028) is a
// character within a line and reads back as itself.

// Makes a line break typed into the box an ordinary one: Shift+Return (and Shift+Enter) end
// the line as Return does, instead of putting a line separator (U+2028) into it, so that what
// the user types as a line break is read as "\n".
void typeOrdinaryLineBreaks(QPlainTextEdit& box);

} // namespace hueprint
