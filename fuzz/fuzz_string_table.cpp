// SPDX-License-Identifier: MIT
// The string table over any bytes: reading never crashes or hangs; a table read is written back
// to the same bytes; setting one string's text rewrites only that text's bytes, and the file then
// reads back with every other string as it was; replacing a color changes only the digits of that
// color's codes, and undoing it gives back the bytes read.

#include "fuzz_support.h"
#include "maptexts/map_colors.h"
#include "maptexts/string_table.h"

#include <QRegularExpression>

using namespace hueprint;

namespace {

// A new text for a string, chosen by a byte of the input; the fifth would close the block.
QString editedText(const QString& text, std::uint8_t choice) {
    const qsizetype middle = text.size() / 2;
    const QString edits[] = {
        text + u'x',
        QStringLiteral("|cffff0000") + text,
        text.isEmpty() ? QStringLiteral("\n") : QString(text).replace(middle, 1, u'\n'),
        QString(),
        text + QStringLiteral("\n}"),
        text.left(middle) + QString::fromUtf8("\xE4\xB8\x96\r\n") + text.mid(middle)};
    return edits[choice % 6];
}

// Whether the byte at p is one of the red, green or blue digits of a code.
bool isColorDigit(const QByteArray& bytes, qsizetype p) {
    static const QRegularExpression code(QStringLiteral("\\A\\|[cC][0-9A-Fa-f]{8}\\z"));
    for (qsizetype q = std::max<qsizetype>(p - 9, 0); q <= p - 4; ++q) {
        if (code.match(QString::fromLatin1(bytes.mid(q, 10))).hasMatch()) {
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
    // Refused, every byte stays; accepted, every byte outside the text's range.
    const QByteArray out = table.write();
    const StringTable::ByteRange range = table.textRange(index);
    const qsizetype after = input.size() - range.end;
    HUEPRINT_FUZZ_CHECK(accepted || out == input, text);
    HUEPRINT_FUZZ_CHECK(out.startsWith(input.left(range.begin)) &&
                            out.endsWith(input.right(after)) && out.size() >= range.begin + after,
                        text);
    const StringTableRead reread = StringTable::read(out);
    HUEPRINT_FUZZ_CHECK(reread.table && reread.table->count() == table.count(), reread.error);
    for (int i = 0; i < table.count(); ++i) {
        const StringEntry &a = reread.table->entry(i), &b = table.entry(i);
        HUEPRINT_FUZZ_CHECK(a.number == b.number && a.comment == b.comment && a.text == b.text,
                            a.text);
    }
    table.setText(index, read.entry(index).text); // the text read gives back the bytes read
    HUEPRINT_FUZZ_CHECK(table.write() == input && !table.isModified(), text);
}

void checkReplaceColor(const QByteArray& input, const StringTable& read, std::uint8_t choice) {
    const std::vector<ColorUse> colors = colorsUsed(read); // none: nothing to replace
    const ColorValue from = colors.empty() ? 0 : colors[choice % colors.size()].color;
    StringTable table = read;
    const ColorReplacement replacement = replaceColor(table, from, rgbColor(choice, 0xAB, 0x0F));
    applyChanges(table, replacement.changes);
    const QByteArray out = table.write();
    HUEPRINT_FUZZ_CHECK(out.size() == input.size(), QString());
    for (qsizetype p = 0; p < out.size(); ++p) {
        HUEPRINT_FUZZ_CHECK(out.at(p) == input.at(p) || isColorDigit(input, p),
                            QStringLiteral("byte %1").arg(p));
    }
    applyChanges(table, replacement.changes, true);
    HUEPRINT_FUZZ_CHECK(table.write() == input && !table.isModified(), QString());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::quietQtMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const StringTableRead read = StringTable::read(input);
    if (!read.table) {
        HUEPRINT_FUZZ_CHECK(read.line > 0 && read.error.startsWith(QStringLiteral("line ")),
                            read.error);
        return 0;
    }
    HUEPRINT_FUZZ_CHECK(read.table->write() == input, QString());
    if (read.table->count() > 0) {
        checkSetText(input, *read.table, data[size - 1]);
        checkReplaceColor(input, *read.table, data[size - 1]);
    }
    return 0;
}
