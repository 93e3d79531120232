// SPDX-License-Identifier: MIT
// formatValueText over any color, mode, prefix and width text: the value text is always the
// prefix followed by the mode's digits, and the digits always read back as the color.

#include "fuzz_support.h"
#include "picker/color_value_format.h"
#include "picker/leading_number.h"

#include <cmath>

using hueprint::ColorValue;
using hueprint::FormattedValue;
using hueprint::ValueMode;
using hueprint::fuzz::ByteReader;

namespace {

QString describe(ColorValue color, ValueMode mode, const QString& prefix, const QString& width,
                 const FormattedValue& result) {
    return QStringLiteral("color %1 mode %2 prefix \"%3\" width \"%4\" gave \"%5\"")
        .arg(color)
        .arg(static_cast<int>(mode))
        .arg(prefix.left(40), width.left(40), result.text.left(80));
}

bool allZeros(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c == u'0'; });
}

// Padded digits: zeros, then the unpadded digits; as long as the width asks, within bounds.
void checkPadded(const QString& digits, const QString& unpadded, const QString& width,
                 const FormattedValue& result, const QString& context) {
    const double wanted = hueprint::LeadingNumber(width);
    const auto length = static_cast<double>(unpadded.size());
    HUEPRINT_FUZZ_CHECK(digits.endsWith(unpadded), context);
    HUEPRINT_FUZZ_CHECK(allZeros(QStringView(digits).left(digits.size() - unpadded.size())),
                        context);
    if (wanted < length) {
        HUEPRINT_FUZZ_CHECK(digits == unpadded, context);
        HUEPRINT_FUZZ_CHECK(result.raisedWidth == QString::number(unpadded.size()), context);
        return;
    }
    HUEPRINT_FUZZ_CHECK(!result.raisedWidth, context);
    HUEPRINT_FUZZ_CHECK(
        digits.size() <= std::max<qsizetype>(unpadded.size(), hueprint::kMaxValueWidth), context);
    const double expected = std::min(std::nearbyint(wanted), double{hueprint::kMaxValueWidth});
    HUEPRINT_FUZZ_CHECK(std::abs(static_cast<double>(digits.size()) - expected) <= 1, context);
    if (wanted == std::floor(wanted)) {
        HUEPRINT_FUZZ_CHECK(static_cast<double>(digits.size()) == expected, context);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteReader reader(data, size);
    const ColorValue color = reader.takeInt32();
    const auto mode = static_cast<ValueMode>(reader.takeByte() % 4);
    const QString prefix = reader.takeText(512);
    const QString width = reader.takeRemainingText();

    const FormattedValue result = hueprint::formatValueText(color, mode, prefix, width);
    const QString context = describe(color, mode, prefix, width, result);

    HUEPRINT_FUZZ_CHECK(result.text.startsWith(prefix), context);
    const QString digits = result.text.mid(prefix.size());
    bool ok = false;
    switch (mode) {
    case ValueMode::Hexadecimal: {
        // Red first: the bytes of the color in reverse, two upper-case digits each.
        const auto rgb = static_cast<std::uint32_t>(color);
        const QString expected = QStringLiteral("%1%2%3")
                                     .arg(rgb & 0xFF, 2, 16, QLatin1Char('0'))
                                     .arg((rgb >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
                                     .arg((rgb >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
                                     .toUpper();
        HUEPRINT_FUZZ_CHECK(digits == expected, context);
        HUEPRINT_FUZZ_CHECK(!result.raisedWidth, context);
        break;
    }
    case ValueMode::Decimal: {
        const QString unpadded = QString::number(color);
        checkPadded(digits, unpadded, width, result, context);
        if (color >= 0) {
            HUEPRINT_FUZZ_CHECK(digits.toLongLong(&ok) == color && ok, context);
        }
        break;
    }
    case ValueMode::Binary: {
        const QString unpadded = QString::number(static_cast<std::uint32_t>(color), 2);
        checkPadded(digits, unpadded, width, result, context);
        HUEPRINT_FUZZ_CHECK(digits.toULongLong(&ok, 2) == static_cast<std::uint32_t>(color) && ok,
                            context);
        break;
    }
    case ValueMode::None:
        HUEPRINT_FUZZ_CHECK(digits.isEmpty() && !result.raisedWidth, context);
        break;
    }
    return 0;
}
