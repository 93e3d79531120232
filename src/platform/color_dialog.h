// SPDX-License-Identifier: MIT
#pragma once

#include "color_value.h"

#include <QPointer>
#include <QString>
#include <optional>

class QColorDialog;
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

// A closed dialog stays, hidden, until the next one opens (or its parent window goes): the
// desktop's accessibility bridge holds each key for the screen reader's answer, and hands the
// key that closed the dialog (its release) back to the dialog's window afterwards. Were that
// window gone by then, the toolkit would drop the key without freeing it.
class QtColorDialog final : public ColorDialog {
public:
    QtColorDialog() = default;
    QtColorDialog(const QtColorDialog&) = delete;
    QtColorDialog& operator=(const QtColorDialog&) = delete;
    ~QtColorDialog() override;

    std::optional<ColorValue> chooseColor(QWidget* parent, const QString& title,
                                          ColorValue initial) override;

private:
    QPointer<QColorDialog> closedDialog_;
};

} // namespace hueprint
