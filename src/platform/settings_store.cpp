#include "settings_store.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace hueprint {

QtSettingsStore::QtSettingsStore(const QString& applicationName)
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            applicationName)) {}

QtSettingsStore::~QtSettingsStore() = default;

std::optional<QString> QtSettingsStore::value(const QString& section, const QString& key) {
    const QVariant stored = settings_->value(section + QLatin1Char('/') + key);
    if (!stored.isValid()) {
        return std::nullopt;
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
}

QString QtSettingsStore::fileName() const {
    return settings_->fileName();
}

QString settingsApplicationName() {
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return name.isEmpty() ? QStringLiteral("hueprint") : name;
}

} // namespace hueprint
