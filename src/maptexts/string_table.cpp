// SPDX-License-Identifier: MIT
#include "string_table.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <utility>

namespace hueprint {

namespace {

constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");
constexpr int kLargestNumberDigits = 9; // fits an int

// One line of the file: its content, and its line break (none on a last line without one).
struct Line {
    qsizetype begin = 0;
    qsizetype contentEnd = 0;
    qsizetype end = 0;
    int number = 0;
};

class LineReader {
public:
    LineReader(const QByteArray& bytes, qsizetype start) : bytes_(bytes), at_(start) {}

    bool next(Line& line) {
        if (at_ >= bytes_.size()) {
            return false;
        }
        line.begin = at_;
        const qsizetype newline = bytes_.indexOf('\n', at_);
        line.end = newline < 0 ? bytes_.size() : newline + 1;
        line.contentEnd = newline < 0 ? bytes_.size() : newline;
        if (newline > line.begin && bytes_.at(newline - 1) == '\r') {
            line.contentEnd = newline - 1;
        }
        line.number = ++number_;
        at_ = line.end;
        return true;
    }
    int lastNumber() const { return number_; }

private:
    const QByteArray& bytes_;
    qsizetype at_;
    int number_ = 0;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

QByteArrayView trimmed(QByteArrayView text) {
    while (!text.isEmpty() && isBlank(text.front())) {
        text = text.sliced(1);
    }
    while (!text.isEmpty() && isBlank(text.back())) {
        text.chop(1);
    }
    return text;
}

// The number of a "STRING <n>" line, or -1 when the line is not one; -2 when n is too large.
int stringNumber(QByteArrayView content) {
    const QByteArrayView keyword("STRING");
    if (!content.startsWith(keyword) || content.size() == keyword.size() ||
        !isBlank(content.at(keyword.size()))) {
        return -1;
    }
    QByteArrayView digits = trimmed(content.sliced(keyword.size()));
    if (digits.isEmpty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return -1;
    }
    while (digits.size() > 1 && digits.front() == '0') {
        digits = digits.sliced(1);
    }
    if (digits.size() > kLargestNumberDigits) {
        return -2;
    }
    return digits.toInt();
}

// UTF-8 as characters, a byte-order mark at the start included (QString::fromUtf8 drops it).
QString fromUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom |
                                                     QStringDecoder::Flag::Stateless);
    return decoder.decode(bytes);
}

// The text of a string's bytes: each line break ("\r\n" or "\n") one "\n". Invalid UTF-8 is
// decoded a run of non-ASCII bytes at a time, so that every ASCII byte, and every run, stands
// for characters of its own (setText rewrites whole runs).
QString decodeText(QByteArrayView bytes, bool* valid) {
    *valid = bytes.isValidUtf8();
    if (*valid) {
        QString text = fromUtf8(bytes);
        if (bytes.contains('\r')) {
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        }
        return text;
    }
    QString text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes.at(i));
        if (byte >= 0x80) {
            qsizetype end = i;
            while (end < bytes.size() && static_cast<unsigned char>(bytes.at(end)) >= 0x80) {
                ++end;
            }
            text += fromUtf8(bytes.sliced(i, end - i));
            i = end;
        } else if (byte == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n') {
            text += u'\n';
            i += 2;
        } else {
            text += QChar(byte);
            ++i;
        }
    }
    return text;
}

// A place in both a text's bytes and its characters where a rewrite may begin or end: before
// an ASCII byte, or at either end of a run of non-ASCII bytes.
struct Boundary {
    qsizetype character = 0;
    qsizetype byte = 0;
};

// The last boundary at or before the character (atOrAfter false), or the first at or after it,
// looked for from a boundary at or before it.
Boundary boundaryNear(QByteArrayView bytes, qsizetype character, bool atOrAfter, Boundary at = {}) {
    while (at.byte < bytes.size()) {
        Boundary next = at;
        if (static_cast<unsigned char>(bytes.at(at.byte)) >= 0x80) {
            while (next.byte < bytes.size() &&
                   static_cast<unsigned char>(bytes.at(next.byte)) >= 0x80) {
                ++next.byte;
            }
            next.character += fromUtf8(bytes.sliced(at.byte, next.byte - at.byte)).size();
        } else {
            const bool crlf = bytes.at(at.byte) == '\r' && at.byte + 1 < bytes.size() &&
                              bytes.at(at.byte + 1) == '\n';
            next.byte += crlf ? 2 : 1;
            ++next.character;
        }
        if (atOrAfter ? at.character >= character : next.character > character) {
            return at;
        }
        at = next;
    }
    return at;
}

// Characters as bytes, each "\n" (or "\r\n") as the line break given.
QByteArray encodeText(QStringView text, const QByteArray& lineBreak) {
    QByteArray bytes;
    bytes.reserve(text.size() * 3);
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0) {
            bytes += text.sliced(start).toUtf8();
            break;
        }
        const qsizetype contentEnd = end > start && text.at(end - 1) == u'\r' ? end - 1 : end;
        bytes += text.sliced(start, contentEnd - start).toUtf8();
        bytes += lineBreak;
        start = end + 1;
    }
    return bytes;
}

// A stretch of characters that differ between an old text and a new one: [begin, end) of the
// old; the new text's stretch begins there too and ends where the difference in length says.
struct Stretch {
    qsizetype begin = 0;
    qsizetype end = 0;
};

// What differs between two texts: from the first character that differs to the last; or, when
// the texts are as long (a color replaced), each run of differing characters, so that what
// stands between them is not rewritten. Stretches never split a "\r\n", and two stretches are
// one when only non-ASCII characters stand between them (they would be rewritten together).
std::vector<Stretch> differences(const QString& old, const QString& text) {
    const qsizetype shorter = std::min(old.size(), text.size());
    qsizetype prefix = 0;
    while (prefix < shorter && old.at(prefix) == text.at(prefix)) {
        ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           old.at(old.size() - 1 - suffix) == text.at(text.size() - 1 - suffix)) {
        ++suffix;
    }
    const qsizetype last = old.size() - suffix;
    std::vector<Stretch> stretches;
    if (old.size() == text.size()) {
        for (qsizetype i = prefix; i < last;) {
            if (old.at(i) == text.at(i)) {
                ++i;
                continue;
            }
            qsizetype end = i;
            while (end < last && old.at(end) != text.at(end)) {
                ++end;
            }
            const bool asciiBetween =
                !stretches.empty() &&
                std::any_of(old.begin() + stretches.back().end, old.begin() + i,
                            [](QChar c) { return c.unicode() < 0x80; });
            if (stretches.empty() || asciiBetween) {
                stretches.push_back({i, end});
            } else {
                stretches.back().end = end;
            }
            i = end;
        }
    }
    if (stretches.empty()) {
        stretches.assign(1, {prefix, last});
    }
    const qsizetype growth = text.size() - old.size();
    for (Stretch& stretch : stretches) {
        const qsizetype b = stretch.begin;
        if (b > 0 && old.at(b - 1) == u'\r' &&
            ((b < old.size() && old.at(b) == u'\n') || (b < text.size() && text.at(b) == u'\n'))) {
            --stretch.begin;
        }
        const qsizetype e = stretch.end;
        if (e < old.size() && old.at(e) == u'\n' &&
            ((e > 0 && old.at(e - 1) == u'\r') ||
             (e + growth > 0 && text.at(e + growth - 1) == u'\r'))) {
            ++stretch.end;
        }
    }
    return stretches;
}

QString lineAt(int number, const QString& message) {
    return QStringLiteral("line %1: %2").arg(QString::number(number), message);
}

} // namespace

StringTableRead StringTable::read(const QByteArray& bytes) {
    StringTable table;
    table.bytes_ = bytes;
    const qsizetype start = bytes.startsWith(kByteOrderMark) ? kByteOrderMark.size() : 0;
    LineReader lines(table.bytes_, start);
    const auto refuse = [](int line, const QString& message) {
        return StringTableRead{std::nullopt, line, lineAt(line, message)};
    };
    const auto content = [&table](const Line& line) {
        return QByteArrayView(table.bytes_).sliced(line.begin, line.contentEnd - line.begin);
    };

    Line line;
    while (lines.next(line)) {
        const QByteArrayView between = trimmed(content(line));
        if (between.isEmpty() || between.startsWith("//")) {
            continue;
        }
        StringEntry entry;
        entry.line = line.number;
        entry.number = stringNumber(between);
        if (entry.number == -1) {
            return refuse(line.number, QStringLiteral("\"STRING\" and a number expected"));
        }
        if (entry.number == -2) {
            return refuse(line.number, QStringLiteral("the string's number is too large"));
        }

        // Its comments, up to the "{" line.
        QStringList comments;
        Line opening;
        for (;;) {
            if (!lines.next(opening)) {
                return refuse(lines.lastNumber(),
                              QStringLiteral("the file ends before the \"{\" of STRING %1")
                                  .arg(entry.number));
            }
            const QByteArrayView head = trimmed(content(opening));
            if (head == "{") {
                break;
            }
            if (head.startsWith("//")) {
                comments.append(QString::fromUtf8(trimmed(head.sliced(2))));
            } else if (!head.isEmpty()) {
                return refuse(opening.number,
                              QStringLiteral("\"{\" expected for STRING %1").arg(entry.number));
            }
        }
        entry.comment = comments.join(u'\n');

        // Its text, up to the first line "}" alone.
        Place place;
        place.lineBreak = table.bytes_.sliced(opening.contentEnd, opening.end - opening.contentEnd);
        place.range.begin = opening.end;
        Line textLine;
        Line last = opening;
        bool closed = false;
        while (lines.next(textLine)) {
            if (content(textLine) == "}") {
                closed = true;
                break;
            }
            if (last.number == opening.number) {
                place.lineBreak =
                    table.bytes_.sliced(textLine.contentEnd, textLine.end - textLine.contentEnd);
            }
            last = textLine;
        }
        if (!closed || place.lineBreak.isEmpty()) {
            return refuse(lines.lastNumber(),
                          QStringLiteral("the text of STRING %1 (from line %2) has no line \"}\" "
                                         "closing it")
                              .arg(entry.number)
                              .arg(opening.number + 1));
        }
        place.noLines = last.number == opening.number;
        place.range.end = place.noLines ? opening.end : last.contentEnd;
        entry.text = decodeText(QByteArrayView(table.bytes_)
                                    .sliced(place.range.begin, place.range.end - place.range.begin),
                                &entry.textIsUtf8);
        table.entries_.push_back(std::move(entry));
        table.places_.push_back(std::move(place));
    }
    return StringTableRead{std::move(table), 0, QString()};
}

bool StringTable::canHoldText(const QString& text) {
    if (text.endsWith(u'\r')) {
        return false; // with the line break after it, it would read as "\r\n"
    }
    for (qsizetype start = 0; start <= text.size();) {
        qsizetype end = text.indexOf(u'\n', start);
        end = end < 0 ? text.size() : end;
        const QStringView line = QStringView(text).sliced(start, end - start);
        // Written, a "\r" before a line break goes with it, and a reader takes one more "\r" as
        // part of the break: these lines would all read as "}".
        if (line == u"}" || line == u"}\r" || line == u"}\r\r") {
            return false;
        }
        start = end + 1;
    }
    return true;
}

StringTable::ByteRange StringTable::textRange(int index) const {
    return places_[size_t(index)].range;
}

QByteArray StringTable::currentBytes(int index) const {
    const Place& place = places_[size_t(index)];
    return place.changed ? place.bytes
                         : bytes_.sliced(place.range.begin, place.range.end - place.range.begin);
}

bool StringTable::setText(int index, const QString& text) {
    StringEntry& entry = entries_[size_t(index)];
    Place& place = places_[size_t(index)];
    if (text == entry.text) {
        return true;
    }
    const QByteArrayView original =
        QByteArrayView(bytes_).sliced(place.range.begin, place.range.end - place.range.begin);
    bool originalValid = true;
    if (text == decodeText(original, &originalValid)) {
        place.changed = false;
        place.bytes.clear();
        entry.text = text;
        entry.textIsUtf8 = originalValid;
        return true;
    }
    if (!canHoldText(text)) {
        return false;
    }

    const QString& old = entry.text;
    const qsizetype growth = text.size() - old.size();
    const QByteArray before = currentBytes(index);
    const std::vector<Stretch> stretches = differences(old, text);
    // In one pass: the bytes between the stretches as they were, each stretch written anew. (Only
    // a lone stretch changes the length; several come of texts as long.)
    QByteArray bytes;
    bytes.reserve(before.size() + 3 * std::max<qsizetype>(growth, 0));
    Boundary copied; // what is written up to, in the old bytes and characters
    for (const Stretch& stretch : stretches) {
        const Boundary from = boundaryNear(before, stretch.begin, false, copied);
        const Boundary to = boundaryNear(before, stretch.end, true, from);
        bytes += QByteArrayView(before).sliced(copied.byte, from.byte - copied.byte);
        const qsizetype end = to.character + (&stretch == &stretches.back() ? growth : 0);
        bytes += encodeText(QStringView(text).sliced(from.character, end - from.character),
                            place.lineBreak);
        copied = to;
    }
    bytes += QByteArrayView(before).sliced(copied.byte);

    place.changed = bytes != original;
    place.bytes = place.changed ? bytes : QByteArray();
    entry.text = decodeText(bytes, &entry.textIsUtf8);
    return true;
}

bool StringTable::isModified() const {
    return std::any_of(places_.begin(), places_.end(),
                       [](const Place& place) { return place.changed; });
}

QByteArray StringTable::write() const {
    if (!isModified()) {
        return bytes_;
    }
    QByteArray out;
    out.reserve(bytes_.size() + 1024);
    qsizetype at = 0;
    for (const Place& place : places_) {
        if (!place.changed) {
            continue;
        }
        out += QByteArrayView(bytes_).sliced(at, place.range.begin - at);
        out += place.bytes;
        if (place.noLines && !place.bytes.isEmpty()) {
            out += place.lineBreak;
        }
        at = place.range.end;
    }
    out += QByteArrayView(bytes_).sliced(at);
    return out;
}

} // namespace hueprint
