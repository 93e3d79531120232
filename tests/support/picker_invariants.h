// SPDX-License-Identifier: MIT
#pragma once

// What must hold of a loaded picker whatever reached it: by mouse, keyboard, paste or settings
// file.

#include "app/picker_window.h"
#include "picker/color_value_format.h"
#include "picker/leading_number.h"
#include "platform/color_swatch.h"
#include "platform/color_value.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QList>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QStringList>
#include <algorithm>
#include <array>

namespace hueprint::testing {

// Every broken invariant, described; an empty list when the picker is sound: every color in
// range, at most one mode, a width the box can hold (at least 1, at most 4 characters), a value
// text that the controls give, sliders and component boxes showing the color, and a window on
// some screen. Each component box must show its component as plain digits, except the lenient
// boxes (boxes the user typed or pasted into, which the picker does not rewrite until a color
// comes from elsewhere, as "", "2.5" or "1E2"): their number must round to the component.
inline QStringList pickerViolations(const frmMain& picker,
                                    const QList<const QLineEdit*>& lenientBoxes = {}) {
    QStringList broken;
    const PickerControls controls = picker.controls();
    const ColorValue color = controls.picCurColor->backColor();
    if (!isPlainColor(color)) {
        broken << QStringLiteral("current color %1 outside 0..16777215").arg(color);
    }
    for (std::size_t i = 0; i < controls.picFavorite.size(); ++i) {
        const ColorValue favorite = controls.picFavorite[i]->backColor();
        if (!isPlainColor(favorite)) {
            broken << QStringLiteral("favorite %1 holds %2").arg(i).arg(favorite);
        }
    }

    const QString width = controls.txtNumChars->text();
    if (width.isEmpty() || width.size() > 4 || LeadingNumber(width) < 1) {
        broken << QStringLiteral("width box holds \"%1\"").arg(width.left(40));
    }

    const FormattedValue expected =
        formatValueText(color, selectedMode(controls), controls.txtPrefix->text(), width);
    if (controls.txtValue->text() != expected.text) {
        broken << QStringLiteral("value text \"%1\" (%2 characters) is not \"%3\" (%4 characters)")
                      .arg(controls.txtValue->text().left(40))
                      .arg(controls.txtValue->text().size())
                      .arg(expected.text.left(40))
                      .arg(expected.text.size());
    }
    if (expected.raisedWidth) {
        broken << QStringLiteral("width box \"%1\" is narrower than the digits").arg(width);
    }

    const int selectedModes = static_cast<int>(controls.optDecimal->isChecked()) +
                              static_cast<int>(controls.optHex->isChecked()) +
                              static_cast<int>(controls.optBinary->isChecked());
    if (selectedModes > 1) {
        broken << QStringLiteral("%1 modes selected").arg(selectedModes);
    }

    const std::array<std::pair<QLineEdit*, QSlider*>, 3> components = {
        {{controls.txtRed, controls.sldRed},
         {controls.txtGreen, controls.sldGreen},
         {controls.txtBlue, controls.sldBlue}}};
    for (std::size_t i = 0; i < components.size(); ++i) {
        const auto& [box, slider] = components.at(i);
        const int component = (color >> (8 * i)) & 0xFF;
        if (slider->value() != component) {
            broken << QStringLiteral("%1 at %2, component %3")
                          .arg(slider->objectName())
                          .arg(slider->value())
                          .arg(component);
        }
        const bool inStep = lenientBoxes.contains(box)
                                ? roundToInt32(LeadingNumber(box->text())) == component
                                : box->text() == QString::number(component);
        if (!inStep) {
            broken << QStringLiteral("%1 holds \"%2\", component %3")
                          .arg(box->objectName(), box->text().left(40))
                          .arg(component);
        }
    }

    const QList<QScreen*> screens = QGuiApplication::screens();
    const QRect frame = picker.frameGeometry();
    if (std::none_of(screens.begin(), screens.end(), [&frame](const QScreen* screen) {
            return screen->geometry().intersects(frame);
        })) {
        broken << QStringLiteral("window at (%1, %2) on no screen").arg(frame.x()).arg(frame.y());
    }
    return broken;
}

// The component boxes, all lenient: for a picker the user has typed or pasted into.
inline QList<const QLineEdit*> componentBoxes(const frmMain& picker) {
    return {picker.txtRed, picker.txtGreen, picker.txtBlue};
}

} // namespace hueprint::testing

// Fails the test, naming each broken invariant, unless the list of violations is empty.
#define VERIFY_NONE_BROKEN(violations)                                                             \
    do {                                                                                           \
        const QStringList broken_ = (violations);                                                  \
        QVERIFY2(broken_.isEmpty(), qPrintable(broken_.join(QStringLiteral("; "))));               \
    } while (false)
