#include "ui_font.h"

#include <QStringList>

namespace hueprint {

void registerDesignFontSubstitutes() {
    // Liberation Sans has the metrics of Arial, the nearest match to MS Sans Serif among the
    // free faces; DejaVu Sans is the fallback that every desktop has.
    QFont::insertSubstitutions(QString::fromLatin1(kDesignFontFamily),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("DejaVu Sans")});
}

QFont designFont(double points) {
    QFont font(QString::fromLatin1(kDesignFontFamily));
    font.setPointSizeF(points);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace hueprint
