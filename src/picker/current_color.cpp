// SPDX-License-Identifier: MIT
#include "current_color.h"

#include "color_value_format.h"
#include "leading_number.h"
#include "platform/beeper.h"
#include "platform/clipboard.h"
#include "platform/color_dialog.h"
#include "platform/color_swatch.h"
#include "platform/random_source.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSlider>
#include <cmath>
#include <utility>

namespace hueprint {

namespace {

constexpr int kHighestComponent = 255;

int randomComponent(RandomSource& random) {
    // The factor is 255, so Random never gives 255.
    const double scaled = std::floor(random.nextUnit() * 255.0);
    if (!(scaled >= 0.0)) {
        return 0;
    }
    return static_cast<int>(std::min(scaled, 254.0));
}

} // namespace

void ApplyColor(const PickerControls& controls, PlatformServices& services, ColorValue color) {
    // Writing a box raises its Change event, which may apply a color on the way to this one
    // (new red with old green and blue...) in a nested call. Only the outermost call copies,
    // once, the value text the nested calls end on.
    static int nesting = 0;
    ++nesting;
    controls.picCurColor->setBackColor(color);
    controls.txtValue->setText(FormatColorValue(color, controls));
    // The box being typed in (the one with the window's focus) keeps its text. The focus is
    // asked for again before each box: the nested events may have moved it.
    const std::pair<QLineEdit*, int> components[] = {
        {controls.txtRed, color & 0xFF},
        {controls.txtGreen, (color >> 8) & 0xFF},
        {controls.txtBlue, (color >> 16) & 0xFF},
    };
    for (const auto& [box, component] : components) {
        if (controls.window->focusWidget() != box) {
            box->setText(QString::number(component));
        }
    }
    --nesting;
    if (nesting == 0 && controls.chkAutoCopy->isChecked()) {
        CopyValueText(controls, services);
    }
}

void CopyValueText(const PickerControls& controls, PlatformServices& services) {
    services.clipboard.clear();
    services.clipboard.setText(controls.txtValue->text());
}

void ApplySliders(const PickerControls& controls, PlatformServices& services) {
    ApplyColor(
        controls, services,
        rgbColor(controls.sldRed->value(), controls.sldGreen->value(), controls.sldBlue->value()));
}

void EditComponent(QLineEdit* box, QSlider* partner, PlatformServices& services) {
    const double component = LeadingNumber(box->text());
    if (!(component >= 0.0 && component <= kHighestComponent)) {
        services.beeper.beep();
        box->setText(QString::number(partner->value()));
        return;
    }
    partner->setValue(roundToInt32(LeadingNumber(box->text())));
}

void FilterComponentKey(int& keyCode, PlatformServices& services) {
    const bool digit = keyCode >= '0' && keyCode <= '9';
    if (!digit && keyCode != '\b') {
        services.beeper.beep();
        keyCode = 0;
    }
}

void SelectAllOnFocus(QLineEdit* box) {
    box->setSelection(0, static_cast<int>(box->text().size()));
}

void RandomColor(const PickerControls& controls, PlatformServices& services) {
    services.random.reseedFromTimeOfDay();
    const int red = randomComponent(services.random);
    const int green = randomComponent(services.random);
    const int blue = randomComponent(services.random);
    ApplyColor(controls, services, rgbColor(red, green, blue));
}

void PickFromColorDialog(const PickerControls& controls, PlatformServices& services) {
    const auto chosen = services.colorDialog.chooseColor(controls.window, kColorDialogTitle,
                                                         controls.picCurColor->backColor());
    if (chosen) {
        ApplyColor(controls, services, *chosen);
    }
}

} // namespace hueprint
