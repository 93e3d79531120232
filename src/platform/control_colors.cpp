// SPDX-License-Identifier: MIT
#include "control_colors.h"

#include <QVariant>
#include <QWidget>

namespace hueprint {

namespace {
const char* const kForeColorProperty = "hueprintForeColor";
const char* const kBackColorProperty = "hueprintBackColor";

ColorValue storedColor(const QWidget* control, const char* property, ColorValue fallback) {
    const QVariant stored = control->property(property);
    return stored.isValid() ? stored.value<ColorValue>() : fallback;
}
} // namespace

void setForeColor(QWidget* control, ColorValue color) {
    control->setProperty(kForeColorProperty, color);
    QPalette palette = control->palette();
    const QColor drawn = resolveColor(color, palette);
    palette.setColor(QPalette::Text, drawn);
    palette.setColor(QPalette::WindowText, drawn);
    control->setPalette(palette);
}

ColorValue foreColor(const QWidget* control) {
    return storedColor(control, kForeColorProperty,
                       colorValueOf(control->palette().color(QPalette::Text)));
}

void setBackColor(QWidget* control, ColorValue color) {
    control->setProperty(kBackColorProperty, color);
    QPalette palette = control->palette();
    const QColor drawn = resolveColor(color, QPalette());
    // A disabled box draws its base from the disabled group; keep the chosen color there too.
    palette.setColor(QPalette::All, QPalette::Base, drawn);
    control->setPalette(palette);
}

ColorValue backColor(const QWidget* control) {
    return storedColor(control, kBackColorProperty,
                       colorValueOf(control->palette().color(QPalette::Base)));
}

} // namespace hueprint
