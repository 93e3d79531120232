// SPDX-License-Identifier: MIT
#pragma once

#include "string_table.h"

#include <QString>
#include <optional>

namespace hueprint {

// The string table a path names: the file itself, or a map folder's "war3map.wts".
QString stringTablePath(const QString& fileOrFolder);

// Reads a string table file whole, or says why not ("cannot be read: ...", "not a string
// table: line 12: ...").
std::optional<StringTable> readStringTableFile(const QString& path, QString* error);

// Writes the table atomically: the file holds either what it held or the whole new table.
bool writeStringTableFile(const StringTable& table, const QString& path, QString* error);

} // namespace hueprint
