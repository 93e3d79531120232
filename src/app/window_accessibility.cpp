// SPDX-License-Identifier: MIT
#include "window_accessibility.h"

#include "accessibility/accessible_labels.h"
#include "picker_window.h"
#include "platform/color_swatch.h"
#include "template/preset_palette.h"
#include "template_window.h"

#include <QLineEdit>
#include <QSlider>

namespace hueprint {

void describeTemplateWindow(Form1& window) {
    for (const PresetSwatch& preset : presetPalette()) {
        labelSwatch(window.Picture(preset.number));
    }
    labelSwatch(window.Picture49, QStringLiteral("Chosen Color"));
    window.Text3->setAccessibleName(QStringLiteral("Chosen Color Code"));
}

void describePickerWindow(frmMain& window) {
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
}

} // namespace hueprint
