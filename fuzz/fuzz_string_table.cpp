// SPDX-License-Identifier: MIT
// The string table's reader and writer over any bytes: reading never crashes or hangs; a table
// read is written back to the same bytes; setting one string's text rewrites only that text's
// bytes, and the file then reads back with every other string as it was; replacing a color
// changes only the digits of that color's codes, and undoing it gives back the bytes read.

#include "fuzz_support.h"
#include "maptexts/map_colors.h"
#include "maptexts/string_table.h"

#include <QByteArray>

using hueprint::StringTable;

namespace {

// A new text for a string, chosen by a byte of the input.
QString editedText(const QString& text, std::uint8_t choice) {
    const qsizetype middle = text.size() / 2;
    switch (choice % 6) {
    case 0:
        return text + u'x';
    case 1:
        return QStringLiteral("|cffff0000") + text;
    case 2:
        return text.isEmpty() ? QStringLiteral("\n") : QString(text).replace(middle, 1, u'\n');
    case 3:
        return QString();
    case 4:
        return text + QStringLiteral("\n}"); // refused: it would close the block
    default:
        return text.left(middle) + QString::fromUtf8("\xE4\xB8\x96\r\n") + text.mid(middle);
    }
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Whether the byte at p is one of the red, green or blue digits of a code.
bool isColorDigit(const QByteArray& bytes, qsizetype p) {
    for (qsizetype q = p - 9; q <= p - 4; ++q) {
        if (q < 0 || q + 10 > bytes.size() || bytes.at(q) != '|' ||
            (bytes.at(q + 1) != 'c' && bytes.at(q + 1) != 'C')) {
            continue;
        }
        bool code = true;
        for (qsizetype d = q + 2; d < q + 10; ++d) {
            code = code && isHexDigit(bytes.at(d));
        }
        if (code) {
            return true;
        }
    }
    return false;
}

void checkSetText(const QByteArray& input, const StringTable& read, std::uint8_t choice) {
    StringTable table = read;
    const int index = int(choice) % table.count();
    const QString text = editedText(table.entry(index).text, choice / 6);
    const bool accepted = table.setText(index, text);
    HUEPRINT_FUZZ_CHECK(
        accepted == StringTable::canHoldText(text) || text == read.entry(index).text, text);
    const QByteArray out = table.write();
    if (!accepted) {
        HUEPRINT_FUZZ_CHECK(out == input, text);
        return;
    }
    const StringTable::ByteRange range = table.textRange(index);
    const qsizetype after = input.size() - range.end;
    HUEPRINT_FUZZ_CHECK(out.startsWith(input.left(range.begin)) &&
                            out.size() >= range.begin + after && out.endsWith(input.right(after)),
                        text);
    const hueprint::StringTableRead reread = StringTable::read(out);
    HUEPRINT_FUZZ_CHECK(reread.table && reread.table->count() == table.count(), reread.error);
    for (int i = 0; i < table.count(); ++i) {
        const hueprint::StringEntry& entry = reread.table->entry(i);
        HUEPRINT_FUZZ_CHECK(entry.number == table.entry(i).number &&
                                entry.comment == table.entry(i).comment &&
                                entry.text == table.entry(i).text,
                            QStringLiteral("string %1: %2").arg(i).arg(entry.text));
    }
    // Setting the text read back gives back the bytes read.
    table.setText(index, read.entry(index).text);
    HUEPRINT_FUZZ_CHECK(table.write() == input && !table.isModified(), text);
}

void checkReplaceColor(const QByteArray& input, const StringTable& read, std::uint8_t choice) {
    const std::vector<hueprint::ColorUse> colors = hueprint::colorsUsed(read);
    if (colors.empty()) {
        return;
    }
    StringTable table = read;
    const hueprint::ColorValue from = colors[choice % colors.size()].color;
    const hueprint::ColorValue to = hueprint::rgbColor(choice, 0xAB, 0x0F);
    const hueprint::ColorReplacement replacement = hueprint::replaceColor(table, from, to);
    hueprint::applyChanges(table, replacement.changes);
    const QByteArray out = table.write();
    HUEPRINT_FUZZ_CHECK(out.size() == input.size(), QString());
    for (qsizetype p = 0; p < out.size(); ++p) {
        HUEPRINT_FUZZ_CHECK(out.at(p) == input.at(p) || isColorDigit(input, p),
                            QStringLiteral("byte %1").arg(p));
    }
    hueprint::applyChanges(table, replacement.changes, true);
    HUEPRINT_FUZZ_CHECK(table.write() == input && !table.isModified(), QString());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    hueprint::fuzz::quietQtMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const hueprint::StringTableRead read = StringTable::read(input);
    if (!read.table) {
        HUEPRINT_FUZZ_CHECK(read.line > 0 && read.error.startsWith(QStringLiteral("line ")),
                            read.error);
        return 0;
    }
    HUEPRINT_FUZZ_CHECK(read.table->write() == input, QString());
    if (read.table->count() == 0) {
        return 0;
    }
    const std::uint8_t choice = size > 0 ? data[size - 1] : 0;
    checkSetText(input, *read.table, choice);
    checkReplaceColor(input, *read.table, choice);
    return 0;
}
