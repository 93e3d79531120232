// SPDX-License-Identifier: MIT
#include "ui_font.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QLatin1String>
#include <QStringList>
#include <algorithm>

namespace hueprint {

namespace {

// The captions of both windows were fitted to Liberation Sans Narrow, which is as compact as
// the design font: in it this text is 25.06 em wide (Nimbus Sans Narrow, metric-compatible,
// 25.08 em; Liberation Sans 30.5 em, DejaVu Sans 32.4 em).
constexpr const char* kReferenceText = "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr double kReferenceEms = 25.06;
constexpr double kNarrowEnough = 1.02; // what hinting may add at small sizes
constexpr int kLeastStretch = 50;

// The horizontal stretch (percent) that brings the face the design font resolves to down to
// the narrow face's width, so that no caption is clipped; 0, the toolkit's default that
// changes nothing, when the face is narrow enough already. Only where no narrow face is
// installed does a wider fallback get drawn, condensed by the toolkit.
int fallbackStretch(const QFont& font) {
    const int pixels = QFontInfo(font).pixelSize();
    if (pixels <= 0) {
        return 0;
    }
    const double ems =
        QFontMetricsF(font).horizontalAdvance(QLatin1String(kReferenceText)) / pixels;
    if (ems <= kReferenceEms * kNarrowEnough) {
        return 0;
    }
    return std::max(kLeastStretch, static_cast<int>(100.0 * kReferenceEms / ems));
}

void registerDesignFontSubstitutes() {
    // MS Sans Serif is a compact face: at 8.25 pt the captions were laid out to fit it with
    // little room to spare. Liberation Sans Narrow fits every caption of both windows (Liberation
    // Sans would clip "Green Component:"), and so does Nimbus Sans Narrow, which has its
    // widths; the wider faces are fallbacks only, drawn condensed (designFont).
    QFont::insertSubstitutions(QString::fromLatin1(kDesignFontFamily),
                               {QStringLiteral("Liberation Sans Narrow"),
                                QStringLiteral("Nimbus Sans Narrow"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

} // namespace

QFont designFont(double points) {
    static const bool registered = (registerDesignFontSubstitutes(), true);
    (void)registered;
    QFont font(QString::fromLatin1(kDesignFontFamily));
    font.setPointSizeF(points);
    font.setStyleHint(QFont::SansSerif);
    // The installed faces do not change while the program runs.
    static const int stretch = fallbackStretch(font);
    if (stretch != 0) {
        font.setStretch(stretch);
    }
    return font;
}

} // namespace hueprint
