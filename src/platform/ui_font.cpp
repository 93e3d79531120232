#include "ui_font.h"

#include <QStringList>

namespace hueprint {

void registerDesignFontSubstitutes() {
    // MS Sans Serif is a compact face: at 8.25 pt the captions were laid out to fit it with
    // little room to spare. Liberation Sans Narrow fits every caption of both windows (Liberation
    // Sans would clip "Green Component:"); the wider faces are fallbacks only.
    QFont::insertSubstitutions(QString::fromLatin1(kDesignFontFamily),
                               {QStringLiteral("Liberation Sans Narrow"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

QFont designFont(double points) {
    static const bool registered = (registerDesignFontSubstitutes(), true);
    (void)registered;
    QFont font(QString::fromLatin1(kDesignFontFamily));
    font.setPointSizeF(points);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace hueprint
