// SPDX-License-Identifier: MIT
#include "settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QUrl>
#include <algorithm>

namespace hueprint {

namespace {

// A value QSettings would read back as the very same text: printable ASCII without quotes,
// escapes, comments or list separators. Every number, "True" and "False" is written so.
bool isPlainValue(QByteArrayView value) {
    if (value.startsWith('@')) {
        return false;
    }
    return std::all_of(value.begin(), value.end(), [](char c) {
        return c >= ' ' && c <= '~' && c != '"' && c != '\\' && c != ';' && c != ',';
    });
}

// The text before the first mark (all of it when there is none); the rest after the mark.
QByteArrayView takeLine(QByteArrayView& rest, char mark) {
    const qsizetype at = rest.indexOf(mark);
    const QByteArrayView line = at < 0 ? rest : rest.first(at);
    rest = at < 0 ? QByteArrayView() : rest.sliced(at + 1);
    return line;
}

// QSettings reads an INI file with quoting, comments and line continuation, so one damaged
// line (a stray '"', ';' or trailing '\\') swallows the lines after it and the keys on them go
// missing, though their own lines are whole. This reads every line on its own: "[Section]"
// headers, and "key=value" lines whose value is plain.
QHash<QString, QString> readWholeLines(const QString& fileName) {
    // No line the store writes is longer; longer ones are skipped unread.
    constexpr qsizetype kLongestLine = 1 << 16;
    QHash<QString, QString> values;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return values;
    }
    // Mapped rather than read: a damaged file can be megabytes, and a copy of it would cost
    // as much again.
    QByteArray copy;
    QByteArrayView content;
    if (const uchar* mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr) {
        content = QByteArrayView(mapped, file.size());
    } else {
        copy = file.readAll();
        content = copy;
    }
    QString section;
    // A line ends at a line feed or a carriage return. Each part between two line feeds is
    // searched for carriage returns on its own, so that a huge file is scanned once.
    for (QByteArrayView rest = content; !rest.isEmpty();) {
        for (QByteArrayView part = takeLine(rest, '\n'); !part.isEmpty();) {
            const QByteArrayView line = takeLine(part, '\r').trimmed();
            if (line.size() > kLongestLine) {
                continue;
            }
            if (line.size() >= 2 && line.startsWith('[') && line.endsWith(']')) {
                section = QUrl::fromPercentEncoding(line.sliced(1, line.size() - 2).toByteArray());
                continue;
            }
            const qsizetype equals = line.indexOf('=');
            if (section.isEmpty() || equals <= 0) {
                continue;
            }
            const QByteArrayView value = line.sliced(equals + 1).trimmed();
            if (isPlainValue(value)) {
                const QString key =
                    QUrl::fromPercentEncoding(line.first(equals).trimmed().toByteArray());
                values.insert(section + QLatin1Char('/') + key, QString::fromLatin1(value));
            }
        }
    }
    return values;
}

} // namespace

QtSettingsStore::QtSettingsStore(const QString& applicationName)
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            applicationName)) {
    // The settings are the user's own: no system-wide file may supply values the user never
    // stored.
    settings_->setFallbacksEnabled(false);
}

QtSettingsStore::~QtSettingsStore() = default;

std::optional<QString> QtSettingsStore::value(const QString& section, const QString& key) {
    const QString name = section + QLatin1Char('/') + key;
    const QVariant stored = settings_->value(name);
    if (!stored.isValid()) {
        // A key on a whole line of its own is not lost to a damaged line before it.
        if (!wholeLines_) {
            wholeLines_ = readWholeLines(settings_->fileName());
        }
        const auto found = wholeLines_->constFind(name);
        return found != wholeLines_->constEnd() ? std::optional(*found) : std::nullopt;
    }
    // A hand-edited value with unquoted commas reads back as a list; keep it as the text it was.
    if (stored.metaType().id() == QMetaType::QStringList) {
        return stored.toStringList().join(QStringLiteral(", "));
    }
    if (!stored.canConvert<QString>()) {
        return std::nullopt; // a stored object of another kind holds no text for us
    }
    return stored.toString();
}

void QtSettingsStore::setValue(const QString& section, const QString& key, const QString& text) {
    settings_->setValue(section + QLatin1Char('/') + key, text);
}

void QtSettingsStore::sync() {
    settings_->sync();
    wholeLines_.reset();
}

QString QtSettingsStore::fileName() const {
    return settings_->fileName();
}

QString applicationNameFromCommand(const QString& command) {
    const QString path = QDir::fromNativeSeparators(command);
    const QString fileName = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    // A name that is all extension (".hue") keeps it.
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? fileName.left(dot) : fileName;
}

QString settingsApplicationName() {
    // The toolkit's application name is the file name the program was started under (argv[0]),
    // a symbolic link's own name among them; the executable's real name only when that tells
    // none.
    QString name = applicationNameFromCommand(QCoreApplication::applicationName());
    if (name.isEmpty()) {
        name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    }
    return name.isEmpty() ? QStringLiteral("hueprint") : name;
}

} // namespace hueprint
