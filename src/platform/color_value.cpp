// SPDX-License-Identifier: MIT
#include "color_value.h"

namespace hueprint {

QColor resolveColor(ColorValue color, const QPalette& palette) {
    if (color < 0) {
        switch (color & 0xFF) {
        case 5:
            return palette.color(QPalette::Base);
        case 13:
            return palette.color(QPalette::Highlight);
        case 15:
            return palette.color(QPalette::Button);
        default:
            return palette.color(QPalette::Window);
        }
    }
    return {color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF};
}

ColorValue colorValueOf(const QColor& color) {
    const QColor rgb = color.toRgb();
    return rgbColor(rgb.red(), rgb.green(), rgb.blue());
}

} // namespace hueprint
