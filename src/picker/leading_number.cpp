// SPDX-License-Identifier: MIT
#include "leading_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace hueprint {

namespace {

// Beyond this many significant digits a double cannot tell numbers apart; further digits only
// shift the decimal exponent.
constexpr std::size_t kMaxSignificantDigits = 800;
// Exponents are bounded far beyond the length of any text, so that the shift the digits make
// and the written exponent add up exactly ("0.000...01E..." with many zeros).
constexpr long long kExponentBound = 1'000'000'000'000'000;
// A decimal magnitude beyond this overflows every double, below its negative underflows it.
constexpr long long kMagnitudeBound = 400;

bool isSkipped(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

int digitValue(QChar c, int radix) {
    int value = -1;
    if (c >= u'0' && c <= u'9') {
        value = c.unicode() - u'0';
    } else if (c >= u'a' && c <= u'z') {
        value = c.unicode() - u'a' + 10;
    } else if (c >= u'A' && c <= u'Z') {
        value = c.unicode() - u'A' + 10;
    }
    return value < radix ? value : -1;
}

// Reads characters past the skipped ones.
class Reader {
public:
    explicit Reader(QStringView text) : text_(text) {}

    QChar peek() {
        while (pos_ < text_.size() && isSkipped(text_[pos_])) {
            ++pos_;
        }
        return pos_ < text_.size() ? text_[pos_] : QChar();
    }
    void next() { ++pos_; }

private:
    QStringView text_;
    qsizetype pos_ = 0;
};

double readRadixDigits(Reader& reader, int radix) {
    double value = 0;
    for (int digit = digitValue(reader.peek(), radix); digit >= 0;
         digit = digitValue(reader.peek(), radix)) {
        value = value * radix + digit;
        reader.next();
    }
    return value;
}

double composeDecimal(bool negative, const std::string& digits, long long exponent) {
    if (digits.empty()) {
        return negative ? -0.0 : 0.0;
    }
    // The value is 0.<digits> times ten to this magnitude. It, not the exponent alone, tells
    // overflow from underflow: 400 digits with exponent 0 overflow.
    const long long magnitude = static_cast<long long>(digits.size()) + exponent;
    double value = 0;
    if (magnitude > kMagnitudeBound) {
        value = std::numeric_limits<double>::infinity();
    } else if (magnitude >= -kMagnitudeBound) {
        const std::string text = digits + 'e' + std::to_string(exponent);
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        if (result.ec == std::errc::result_out_of_range) {
            // Too large: an infinity; too small: zero. The digits are never all zeros here.
            value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        }
    }
    return negative ? -value : value;
}

} // namespace

double LeadingNumber(QStringView text) {
    Reader reader(text);
    QChar c = reader.peek();

    if (c == u'&') {
        reader.next();
        const QChar radixLetter = reader.peek().toUpper();
        if (radixLetter == u'H' || radixLetter == u'O') {
            reader.next();
            return readRadixDigits(reader, radixLetter == u'H' ? 16 : 8);
        }
        return 0;
    }

    bool negative = false;
    if (c == u'+' || c == u'-') {
        negative = c == u'-';
        reader.next();
        c = reader.peek();
    }

    std::string digits; // significant digits, leading zeros dropped
    long long exponent = 0;
    bool seenPoint = false;
    for (;; c = reader.peek()) {
        if (c >= u'0' && c <= u'9') {
            if (digits.empty() && c == u'0') {
                if (seenPoint) {
                    --exponent;
                }
            } else if (digits.size() < kMaxSignificantDigits) {
                digits.push_back(static_cast<char>(c.unicode()));
                if (seenPoint) {
                    --exponent;
                }
            } else if (!seenPoint) {
                ++exponent;
            }
            exponent = std::clamp(exponent, -kExponentBound, kExponentBound);
            reader.next();
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
            reader.next();
        } else {
            break;
        }
    }

    const QChar exponentLetter = c.toUpper();
    if (exponentLetter == u'E' || exponentLetter == u'D') {
        reader.next();
        c = reader.peek();
        bool negativeExponent = false;
        if (c == u'+' || c == u'-') {
            negativeExponent = c == u'-';
            reader.next();
            c = reader.peek();
        }
        long long written = 0;
        for (; c >= u'0' && c <= u'9'; c = reader.peek()) {
            written = std::min(written * 10 + (c.unicode() - u'0'), kExponentBound);
            reader.next();
        }
        exponent += negativeExponent ? -written : written;
    }
    return composeDecimal(negative, digits, exponent);
}

std::int32_t roundToInt32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    // nearbyint rounds halves to even in the default rounding mode.
    return static_cast<std::int32_t>(std::clamp(std::nearbyint(value), kLowest, kHighest));
}

} // namespace hueprint
