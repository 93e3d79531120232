// SPDX-License-Identifier: MIT
#pragma once

class QLineEdit;
class QPlainTextEdit;

namespace hueprint {

class ColorSwatch;

// The template window's state: the controls that hold it.
struct TemplateControls {
    QPlainTextEdit* Text1 = nullptr;  // the finished markup
    QPlainTextEdit* Text2 = nullptr;  // the user's text
    QLineEdit* Text3 = nullptr;       // the current color code
    ColorSwatch* Picture49 = nullptr; // the current color
};

} // namespace hueprint
