// SPDX-License-Identifier: MIT
// LeadingNumber over any text, and every way the program turns its result into an integer:
// roundToInt32, a component box feeding its slider (EditComponent) and the zero padding of the
// value text.

#include "fuzz_support.h"
#include "picker/color_value_format.h"
#include "picker/current_color.h"
#include "picker/leading_number.h"
#include "support/recording_platform.h"

#include <QApplication>
#include <QLineEdit>
#include <QSlider>
#include <cmath>
#include <limits>
#include <memory>

using hueprint::LeadingNumber;
using hueprint::roundToInt32;
using hueprint::fuzz::ByteReader;

namespace {

bool isSkipped(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Equal, and zeros of the same sign (LeadingNumber never gives NaN).
bool sameDouble(double a, double b) {
    return a == b && std::signbit(a) == std::signbit(b);
}

QString describe(const QString& text, double value) {
    return QStringLiteral("text \"%1\" gave %2").arg(text.left(80)).arg(value, 0, 'g', 17);
}

QString withoutSkipped(const QString& text) {
    QString result;
    for (QChar c : text) {
        if (!isSkipped(c)) {
            result.append(c);
        }
    }
    return result;
}

int radixDigit(QChar c, int radix) {
    int value = -1;
    if (isAsciiDigit(c)) {
        value = c.unicode() - u'0';
    } else if (c >= u'a' && c <= u'z') {
        value = c.unicode() - u'a' + 10;
    } else if (c >= u'A' && c <= u'Z') {
        value = c.unicode() - u'A' + 10;
    }
    return value < radix ? value : -1;
}

// The exact value of the simple forms a double holds without rounding: up to 15 decimal
// digits with an optional sign and nothing that continues the number, or "&H"/"&O" with up to
// 13/17 digits. Nothing for any other text.
std::optional<double> simpleValue(const QString& stripped) {
    if (stripped.startsWith(u'&')) {
        if (stripped.size() < 2) {
            return 0.0;
        }
        const QChar letter = stripped.at(1).toUpper();
        const int radix = letter == u'H' ? 16 : letter == u'O' ? 8 : 0;
        if (radix == 0) {
            return 0.0;
        }
        double value = 0;
        qsizetype i = 2;
        for (; i < stripped.size() && radixDigit(stripped.at(i), radix) >= 0; ++i) {
            value = value * radix + radixDigit(stripped.at(i), radix);
        }
        return i - 2 <= (radix == 16 ? 13 : 17) ? std::optional<double>(value) : std::nullopt;
    }
    qsizetype i = 0;
    bool negative = false;
    if (i < stripped.size() && (stripped.at(i) == u'+' || stripped.at(i) == u'-')) {
        negative = stripped.at(i) == u'-';
        ++i;
    }
    const qsizetype first = i;
    long long value = 0;
    for (; i < stripped.size() && isAsciiDigit(stripped.at(i)); ++i) {
        value = value * 10 + (stripped.at(i).unicode() - u'0');
        if (i - first >= 15) {
            return std::nullopt;
        }
    }
    if (i == first) {
        // No digits: a number only when a point or exponent could still follow.
        if (i < stripped.size() && stripped.at(i) == u'.') {
            return std::nullopt;
        }
        if (i < stripped.size()) {
            const QChar next = stripped.at(i).toUpper();
            if (next == u'E' || next == u'D') {
                return std::nullopt; // a bare exponent: "e5" is 0 times ten to the 5th
            }
        }
        return negative ? -0.0 : 0.0;
    }
    if (i < stripped.size()) {
        const QChar next = stripped.at(i).toUpper();
        if (next == u'.' || next == u'E' || next == u'D') {
            return std::nullopt;
        }
    }
    const auto magnitude = static_cast<double>(value);
    return negative ? -magnitude : magnitude;
}

void checkRounding(const QString& text, double value) {
    const std::int32_t rounded = roundToInt32(value);
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    if (value >= kHighest + 0.5) {
        HUEPRINT_FUZZ_CHECK(rounded == std::numeric_limits<std::int32_t>::max(),
                            describe(text, value));
    } else if (value <= kLowest - 0.5) {
        HUEPRINT_FUZZ_CHECK(rounded == std::numeric_limits<std::int32_t>::min(),
                            describe(text, value));
    } else {
        const double difference = std::abs(static_cast<double>(rounded) - value);
        HUEPRINT_FUZZ_CHECK(difference <= 0.5, describe(text, value));
        if (difference == 0.5) {
            HUEPRINT_FUZZ_CHECK(rounded % 2 == 0, describe(text, value)); // halves to even
        }
    }
}

// A component box holding the text, its slider at 7: the slider takes the rounded number when
// it lies in 0..255; anything else beeps and puts the box back to the slider's 7.
QLineEdit* box = nullptr;
QSlider* slider = nullptr;

void checkComponentBox(const QString& text) {
    slider->setRange(0, 255);
    slider->setValue(7);
    box->blockSignals(true);
    box->setText(text);
    box->blockSignals(false);
    const QString held = box->text();
    const double value = LeadingNumber(held);

    hueprint::testing::RecordingPlatform platform;
    hueprint::EditComponent(box, slider, platform.services);
    HUEPRINT_FUZZ_CHECK(slider->value() >= 0 && slider->value() <= 255, describe(held, value));
    if (value >= 0 && value <= 255) {
        HUEPRINT_FUZZ_CHECK(slider->value() == roundToInt32(value), describe(held, value));
        HUEPRINT_FUZZ_CHECK(platform.beeper.beeps == 0, describe(held, value));
    } else {
        HUEPRINT_FUZZ_CHECK(slider->value() == 7, describe(held, value));
        HUEPRINT_FUZZ_CHECK(box->text() == QStringLiteral("7"), describe(held, value));
        HUEPRINT_FUZZ_CHECK(platform.beeper.beeps == 1, describe(held, value));
    }
}

// The text as a width: the digits are padded with zeros up to it, at most to the largest
// width, and never cut.
void checkPadding(const QString& text, double width) {
    const QString digits = QStringLiteral("16777215");
    const auto formatted =
        hueprint::formatValueText(16777215, hueprint::ValueMode::Decimal, QString(), text);
    const qsizetype length = formatted.text.size();
    HUEPRINT_FUZZ_CHECK(formatted.text.endsWith(digits), describe(text, width));
    HUEPRINT_FUZZ_CHECK(length >= digits.size() && length <= hueprint::kMaxValueWidth,
                        describe(text, width));
    HUEPRINT_FUZZ_CHECK(formatted.raisedWidth.has_value() == (width < 8), describe(text, width));
    if (width >= 8 && width <= hueprint::kMaxValueWidth && width == std::floor(width)) {
        HUEPRINT_FUZZ_CHECK(length == static_cast<qsizetype>(width), describe(text, width));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    hueprint::fuzz::quietQtMessages();
    static int argc = 1;
    static char name[] = "fuzz_leading_number";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    // Created before fuzzing starts, so that the fonts and caches they load once are not
    // taken for leaks of the first input.
    static QLineEdit componentBox;
    static QSlider componentSlider;
    componentBox.setText(QStringLiteral("0"));
    box = &componentBox;
    slider = &componentSlider;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteReader reader(data, size);
    const QString text = reader.takeRemainingText();
    const double value = LeadingNumber(text);

    HUEPRINT_FUZZ_CHECK(!std::isnan(value), describe(text, value));

    // Blanks, tabs and line feeds count for nothing wherever they stand.
    const QString stripped = withoutSkipped(text);
    HUEPRINT_FUZZ_CHECK(sameDouble(LeadingNumber(stripped), value), describe(text, value));

    // Reading stops at a character that cannot continue the number.
    HUEPRINT_FUZZ_CHECK(sameDouble(LeadingNumber(text + QStringLiteral("x;")), value),
                        describe(text, value));

    // A text that does not start like a number gives 0.
    const QChar first = stripped.isEmpty() ? QChar() : stripped.at(0);
    if (!isAsciiDigit(first) && first != u'+' && first != u'-' && first != u'.' && first != u'&' &&
        first.toUpper() != u'E' && first.toUpper() != u'D') {
        HUEPRINT_FUZZ_CHECK(value == 0, describe(text, value));
    }

    if (const auto exact = simpleValue(stripped)) {
        HUEPRINT_FUZZ_CHECK(sameDouble(*exact, value) || (*exact == 0 && value == 0),
                            describe(text, value));
    }

    checkRounding(text, value);
    checkPadding(text, value);
    checkComponentBox(text);
    return 0;
}
