// SPDX-License-Identifier: MIT
#pragma once

// Helpers shared by the fuzz targets: reading typed values out of the fuzzer's bytes, and
// failing loudly (so that libFuzzer keeps the input) when an invariant breaks.

#include <QString>
#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace hueprint::fuzz {

// Prints what broke and aborts: libFuzzer reports the abort and saves the input.
[[noreturn]] inline void fail(const char* what, const QString& detail = QString()) {
    std::fprintf(stderr, "INVARIANT BROKEN: %s %s\n", what, detail.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

#define HUEPRINT_FUZZ_CHECK(condition, detail)                                                     \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            ::hueprint::fuzz::fail(#condition, (detail));                                          \
        }                                                                                          \
    } while (false)

// Drops Qt's warnings (font fallbacks, invalid stored types and the like): they would flood the
// fuzzer's output and slow it down. A fatal message still aborts.
inline void quietQtMessages() {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

// Takes values off the front of the input; what is missing reads as zero or empty.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t takeByte() {
        if (size_ == 0) {
            return 0;
        }
        const std::uint8_t byte = *data_;
        ++data_;
        --size_;
        return byte;
    }

    std::int32_t takeInt32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value = (value << 8) | takeByte();
        }
        std::int32_t result = 0;
        std::memcpy(&result, &value, sizeof result);
        return result;
    }

    // A text of up to maxBytes bytes: the first byte chooses UTF-8 (even) or raw UTF-16 code
    // units, lone surrogates included (odd); a 0xFF byte ends the text early.
    QString takeText(std::size_t maxBytes) {
        const bool utf16 = (takeByte() & 1) != 0;
        std::size_t length = 0;
        while (length < size_ && length < maxBytes && data_[length] != 0xFF) {
            ++length;
        }
        QString text = decode(data_, length, utf16);
        const std::size_t consumed = length < size_ ? length + 1 : length; // and the 0xFF
        data_ += consumed;
        size_ -= consumed;
        return text;
    }

    // Everything that is left, as text.
    QString takeRemainingText() {
        const bool utf16 = (takeByte() & 1) != 0;
        QString text = decode(data_, size_, utf16);
        data_ += size_;
        size_ = 0;
        return text;
    }

private:
    static QString decode(const std::uint8_t* bytes, std::size_t length, bool utf16) {
        if (!utf16) {
            return QString::fromUtf8(reinterpret_cast<const char*>(bytes),
                                     static_cast<qsizetype>(length));
        }
        QString text;
        text.reserve(static_cast<qsizetype>(length / 2));
        for (std::size_t i = 0; i + 1 < length; i += 2) {
            text.append(QChar(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8))));
        }
        return text;
    }

    const std::uint8_t* data_;
    std::size_t size_;
};

} // namespace hueprint::fuzz
