// SPDX-License-Identifier: MIT
#include "string_table_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace hueprint {

namespace {

// Far beyond any map's texts (the largest known are a few megabytes); a file this size is not
// one, and reading it whole would only exhaust memory.
constexpr qint64 kLargestTable = qint64(256) * 1024 * 1024;

} // namespace

QString stringTablePath(const QString& fileOrFolder) {
    if (QFileInfo(fileOrFolder).isDir()) {
        return QDir(fileOrFolder).filePath(QStringLiteral("war3map.wts"));
    }
    return fileOrFolder;
}

std::optional<StringTable> readStringTableFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot be read: %1").arg(file.errorString());
        return std::nullopt;
    }
    if (file.size() > kLargestTable) {
        *error = QStringLiteral("not a string table: %1 bytes is too large").arg(file.size());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("cannot be read: %1").arg(file.errorString());
        return std::nullopt;
    }
    StringTableRead read = StringTable::read(bytes);
    if (!read.table) {
        *error = QStringLiteral("not a string table: %1").arg(read.error);
    }
    return std::move(read.table);
}

bool writeStringTableFile(const StringTable& table, const QString& path, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(table.write()) < 0 || !file.commit()) {
        *error = QStringLiteral("cannot be written: %1").arg(file.errorString());
        return false;
    }
    return true;
}

} // namespace hueprint
