// SPDX-License-Identifier: MIT
#include "window_accessibility.h"

#include "accessibility/accessible_labels.h"
#include "accessibility/swatch_grid.h"
#include "picker_window.h"
#include "platform/color_swatch.h"
#include "template/preset_palette.h"
#include "template_window.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>

namespace hueprint {

void describeTemplateWindow(Form1& window) {
    window.setAccessibleDescription(
        QStringLiteral("Type your text, choose its color and copy the colored text"));
    for (const PresetSwatch& preset : presetPalette()) {
        labelSwatch(window.Picture(preset.number));
    }
    labelSwatch(window.Picture49, QStringLiteral("Chosen Color"));
    window.Text3->setAccessibleName(QStringLiteral("Chosen Color Code"));
    for (QGroupBox* frame : {window.Frame1, window.Frame2, window.Frame3}) {
        frame->setAccessibleName(unnumberedCaption(frame->title()));
    }
    window.Text2->setAccessibleName(window.Frame1->accessibleName());
    window.Text1->setAccessibleName(window.Frame3->accessibleName());

    navigateAsGrid({window.presetSwatches.begin(), window.presetSwatches.end()});
    announceColorChanges(window.Picture49, QStringLiteral("Chosen color"));
}

void describePickerWindow(frmMain& window) {
    window.setAccessibleDescription(
        QStringLiteral("Color picker: build a color from red, green and blue"));
    for (int i = 0; i < kFavoriteCount; ++i) {
        labelSwatch(window.picFavorite[static_cast<std::size_t>(i)],
                    QStringLiteral("Favorite %1").arg(i + 1));
    }
    labelSwatch(window.picCurColor, QStringLiteral("Current Color"));
    window.sldRed->setAccessibleName(QStringLiteral("Red Component"));
    window.sldGreen->setAccessibleName(QStringLiteral("Green Component"));
    window.sldBlue->setAccessibleName(QStringLiteral("Blue Component"));
    window.txtRed->setAccessibleName(QStringLiteral("Red Component Number"));
    window.txtGreen->setAccessibleName(QStringLiteral("Green Component Number"));
    window.txtBlue->setAccessibleName(QStringLiteral("Blue Component Number"));
    window.txtValue->setAccessibleName(QStringLiteral("Current Color Value"));

    navigateAsGrid({window.picFavorite.begin(), window.picFavorite.end()});
    announceColorChanges(window.picCurColor, QStringLiteral("Current color"));
}

} // namespace hueprint
