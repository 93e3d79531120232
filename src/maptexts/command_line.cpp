// SPDX-License-Identifier: MIT
#include "command_line.h"

#include "map_colors.h"
#include "string_table_file.h"
#include "text_checks.h"

#include <algorithm>

namespace hueprint {

namespace {

constexpr int kNothingFound = 0;
constexpr int kSomethingFound = 1;
constexpr int kCouldNotRun = 2;

int complain(QTextStream& err, const QString& message) {
    err << "hueprint: " << message << '\n';
    err.flush();
    return kCouldNotRun;
}

} // namespace

std::optional<ColorValue> parseColorArgument(const QString& text) {
    constexpr int kDigits = 6;
    bool ok = false;
    const uint rgb = text.toUInt(&ok, 16);
    if (text.size() != kDigits || !ok || !std::all_of(text.begin(), text.end(), [](QChar c) {
            return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        })) {
        return std::nullopt;
    }
    return rgbColor(int(rgb >> 16), int(rgb >> 8), int(rgb));
}

int checkFiles(const QStringList& files, QTextStream& out, QTextStream& err) {
    int status = kNothingFound;
    for (const QString& argument : files) {
        const QString path = stringTablePath(argument);
        QString error;
        const std::optional<StringTable> table = readStringTableFile(path, &error);
        if (!table) {
            status = complain(err, QStringLiteral("%1: %2").arg(path, error));
            continue;
        }
        for (const StringNote& found : tableNotes(*table)) {
            out << noteLine(path, table->entry(found.index).number, found.note) << '\n';
            if (status == kNothingFound) {
                status = kSomethingFound;
            }
        }
        out.flush();
    }
    return status;
}

int replaceColorInFiles(ColorValue from, ColorValue to, const QStringList& files, QTextStream& out,
                        QTextStream& err) {
    int status = 0;
    for (const QString& argument : files) {
        const QString path = stringTablePath(argument);
        QString error;
        std::optional<StringTable> table = readStringTableFile(path, &error);
        if (!table) {
            status = complain(err, QStringLiteral("%1: %2").arg(path, error));
            continue;
        }
        const ColorReplacement replacement = replaceColor(*table, from, to);
        applyChanges(*table, replacement.changes);
        if (table->isModified() && !writeStringTableFile(*table, path, &error)) {
            status = complain(err, QStringLiteral("%1: %2").arg(path, error));
            continue;
        }
        out << path << ": "
            << (replacement.codes == 1 ? QStringLiteral("1 code changed")
                                       : QStringLiteral("%1 codes changed").arg(replacement.codes))
            << '\n';
        out.flush();
    }
    return status;
}

bool isCommandLineOption(const QString& argument) {
    return argument == QLatin1String("--check") || argument == QLatin1String("--replace-color");
}

int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const QString option = arguments.value(0);
    if (option == QLatin1String("--check")) {
        if (arguments.size() < 2) {
            return complain(err, QStringLiteral("usage: hueprint --check FILE..."));
        }
        return checkFiles(arguments.mid(1), out, err);
    }
    if (option == QLatin1String("--replace-color")) {
        if (arguments.size() < 4) {
            return complain(
                err, QStringLiteral("usage: hueprint --replace-color RRGGBB RRGGBB FILE..."));
        }
        const std::optional<ColorValue> from = parseColorArgument(arguments.at(1));
        const std::optional<ColorValue> to = parseColorArgument(arguments.at(2));
        if (!from || !to) {
            return complain(err, QStringLiteral("--replace-color: a color is six hexadecimal "
                                                "digits, RRGGBB (found \"%1\")")
                                     .arg(from ? arguments.at(2) : arguments.at(1)));
        }
        return replaceColorInFiles(*from, *to, arguments.mid(3), out, err);
    }
    return complain(err, QStringLiteral("usage: hueprint --check FILE... | hueprint "
                                        "--replace-color RRGGBB RRGGBB FILE..."));
}

} // namespace hueprint
