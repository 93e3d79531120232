// SPDX-License-Identifier: MIT
#pragma once

#include "color_value.h"

#include <QString>
#include <optional>

class QWidget;

namespace hueprint {

// The system's color-choice dialog, shown modally and opened in full. When it closes, the focus
// is back on the control that had it, in the window that was active.
class ColorDialog {
public:
    virtual ~ColorDialog() = default;
    // The chosen color, or nothing when the user cancelled.
    virtual std::optional<ColorValue> chooseColor(QWidget* parent, const QString& title,
                                                  ColorValue initial) = 0;
};

class QtColorDialog final : public ColorDialog {
public:
    std::optional<ColorValue> chooseColor(QWidget* parent, const QString& title,
                                          ColorValue initial) override;
};

} // namespace hueprint
