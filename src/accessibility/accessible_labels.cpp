// SPDX-License-Identifier: MIT
#include "accessible_labels.h"

#include "announcer.h"
#include "color_names.h"
#include "platform/color_swatch.h"
#include "template/preset_palette.h"

#include <QRegularExpression>
#include <memory>

namespace hueprint {

namespace {

// A swatch still on a system color shows that color as the palette draws it.
ColorValue shownColor(const ColorSwatch& swatch) {
    return colorValueOf(resolveColor(swatch.backColor(), swatch.palette()));
}

void relabel(ColorSwatch* swatch, const QString& role) {
    const ColorValue color = shownColor(*swatch);
    const QString name = colorName(color);
    const QString prefix = role.isEmpty() ? QString() : role + QStringLiteral(": ");
    swatch->setAccessibleName(prefix + name);
    swatch->setAccessibleDescription(colorCode(color));
    swatch->setToolTip(prefix + colorLabel(color));
}

} // namespace

void labelSwatch(ColorSwatch* swatch, const QString& role) {
    relabel(swatch, role);
    QObject::connect(swatch, &ColorSwatch::backColorChanged, swatch,
                     [swatch, role] { relabel(swatch, role); });
}

QString swatchColorName(const ColorSwatch& swatch) {
    return colorName(shownColor(swatch));
}

Announcer* announceColorChanges(ColorSwatch* swatch, const QString& what) {
    auto* announcer = new Announcer(swatch->window());
    // One action can pass the swatch through several colors (the picker's boxes and sliders
    // catch up with each other one by one): the color is told once, when the action has run.
    auto pending = std::make_shared<bool>(false);
    QObject::connect(swatch, &ColorSwatch::backColorChanged, announcer, [=] {
        if (*pending || !swatch->window()->isVisible()) {
            return;
        }
        *pending = true;
        QMetaObject::invokeMethod(
            announcer,
            [=] {
                *pending = false;
                announcer->announce(what + QStringLiteral(": ") + swatchColorName(*swatch));
            },
            Qt::QueuedConnection);
    });
    return announcer;
}

QString unnumberedCaption(const QString& caption) {
    static const QRegularExpression number(QStringLiteral("^\\s*\\d+\\)\\s*"));
    return QString(caption).remove(number);
}

} // namespace hueprint
