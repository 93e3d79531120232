// SPDX-License-Identifier: MIT
#pragma once

#include "template_controls.h"

#include <QString>

class QWidget;

namespace hueprint {

class Clipboard;
class MessageBox;

// Both windows' caption, also the About box's title.
inline const QString kWindowCaption = QStringLiteral("Hueprint For WarCraft 3 Colored Text");

// About: the modal About box, two lines with their leading blanks; nothing changes.
void About(MessageBox& messageBox, QWidget* parent);

// Erase: empties the result and the user's text; the current code and color stay.
void Erase(const TemplateControls& controls);

// Copy: focuses and selects the whole result, and puts it on the clipboard.
void Copy(const TemplateControls& controls, Clipboard& clipboard);

} // namespace hueprint
