// SPDX-License-Identifier: MIT
#include "color_value_format.h"

#include "leading_number.h"

#include <QLineEdit>
#include <QRadioButton>
#include <cmath>

namespace hueprint {

namespace {

QString padded(const QString& digits, const QString& widthText, FormattedValue& result) {
    const double width = LeadingNumber(widthText);
    const auto length = static_cast<double>(digits.size());
    if (width < length) {
        result.raisedWidth = QString::number(digits.size());
        return digits;
    }
    const double zeros = std::nearbyint(std::min(width, double{kMaxValueWidth}) - length);
    return QString(static_cast<qsizetype>(std::max(zeros, 0.0)), QLatin1Char('0')) + digits;
}

// Red, green and blue, red first although it is the color's low byte.
QString hexDigits(ColorValue color) {
    const int rgb = (color & 0xFF) << 16 | (color & 0xFF00) | ((color >> 16) & 0xFF);
    return QStringLiteral("%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
}

QString binaryDigits(ColorValue color) {
    return QString::number(static_cast<std::uint32_t>(color), 2);
}

} // namespace

FormattedValue formatValueText(ColorValue color, ValueMode mode, const QString& prefix,
                               const QString& widthText) {
    FormattedValue result;
    QString digits;
    switch (mode) {
    case ValueMode::Decimal:
        digits = padded(QString::number(color), widthText, result);
        break;
    case ValueMode::Hexadecimal:
        digits = hexDigits(color);
        break;
    case ValueMode::Binary:
        digits = padded(binaryDigits(color), widthText, result);
        break;
    case ValueMode::None:
        break;
    }
    result.text = prefix + digits;
    return result;
}

ValueMode selectedMode(const PickerControls& controls) {
    if (controls.optDecimal->isChecked()) {
        return ValueMode::Decimal;
    }
    if (controls.optHex->isChecked()) {
        return ValueMode::Hexadecimal;
    }
    if (controls.optBinary->isChecked()) {
        return ValueMode::Binary;
    }
    return ValueMode::None;
}

QString FormatColorValue(ColorValue color, const PickerControls& controls) {
    FormattedValue formatted = formatValueText(
        color, selectedMode(controls), controls.txtPrefix->text(), controls.txtNumChars->text());
    if (formatted.raisedWidth) {
        controls.txtNumChars->setText(*formatted.raisedWidth);
    }
    return formatted.text;
}

} // namespace hueprint
