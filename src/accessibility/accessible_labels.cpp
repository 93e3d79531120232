// SPDX-License-Identifier: MIT
#include "accessible_labels.h"

#include "announcement.h"
#include "color_names.h"
#include "platform/color_swatch.h"

#include <QAccessible>

namespace hueprint {

namespace {

QString swatchText(const ColorSwatch& swatch, const QString& role) {
    // A swatch still on a system color shows that color as the palette draws it.
    const ColorValue shown = colorValueOf(resolveColor(swatch.backColor(), swatch.palette()));
    const QString label = colorLabel(shown);
    return role.isEmpty() ? label : role + QStringLiteral(": ") + label;
}

void relabel(ColorSwatch* swatch, const QString& role) {
    const QString text = swatchText(*swatch, role);
    if (text == swatch->accessibleName()) {
        return;
    }
    swatch->setToolTip(text);
    swatch->setAccessibleName(text);
    // The toolkit announces no change of a name the program sets.
    QAccessibleEvent changed(swatch, QAccessible::NameChanged);
    announce(&changed);
}

} // namespace

void labelSwatch(ColorSwatch* swatch, const QString& role) {
    relabel(swatch, role);
    QObject::connect(swatch, &ColorSwatch::backColorChanged, swatch,
                     [swatch, role] { relabel(swatch, role); });
}

} // namespace hueprint
