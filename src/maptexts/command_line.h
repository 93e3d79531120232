// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color_value.h"

#include <QStringList>
#include <QTextStream>
#include <optional>

namespace hueprint {

// The command-line options that work on string tables without a window:
//   --check FILE...                       one line per note; exit 0 none, 1 some
//   --replace-color RRGGBB RRGGBB FILE... rewrites the codes of one color, writing each file
//                                         that changed; one line per file
// A FILE is a string table or a map folder holding war3map.wts. A file that cannot be read
// is told on err and never written; the status is then 2, the other files still done.

// Whether the program's first argument asks for one of these.
bool isCommandLineOption(const QString& argument);

// Runs the option the arguments (those after the program's name) ask for, and returns its
// exit status (2 with a usage message when they ask for none).
int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);

int checkFiles(const QStringList& files, QTextStream& out, QTextStream& err);

int replaceColorInFiles(ColorValue from, ColorValue to, const QStringList& files, QTextStream& out,
                        QTextStream& err);

// "RRGGBB" (six hexadecimal digits, either case) as a color, or nullopt.
std::optional<ColorValue> parseColorArgument(const QString& text);

} // namespace hueprint
