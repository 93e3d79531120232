// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QString>
#include <memory>
#include <optional>

class QSettings;

namespace hueprint {

// The per-user settings store: text values addressed by section and key under one
// application name.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or nothing when the key has no value.
    virtual std::optional<QString> value(const QString& section, const QString& key) = 0;
    virtual void setValue(const QString& section, const QString& key, const QString& text) = 0;
    // Picks up changes made by others before a load; writes pending values after a save.
    virtual void sync() = 0;
};

// QSettings in its native per-user INI location, named after the application.
class QtSettingsStore final : public SettingsStore {
public:
    explicit QtSettingsStore(const QString& applicationName);
    ~QtSettingsStore() override;
    QtSettingsStore(const QtSettingsStore&) = delete;
    QtSettingsStore& operator=(const QtSettingsStore&) = delete;

    std::optional<QString> value(const QString& section, const QString& key) override;
    void setValue(const QString& section, const QString& key, const QString& text) override;
    void sync() override;

    QString fileName() const;

private:
    std::unique_ptr<QSettings> settings_;
    // The file's whole "key=value" lines by "section/key", read when a key is first missed.
    std::optional<QHash<QString, QString>> wholeLines_;
};

// The application name the store uses: the file name the program was started under (not where
// a symbolic link leads), without its extension.
QString settingsApplicationName();

// The file name without its extension of the program started by the command (argv[0]); empty
// when the command names no file.
QString applicationNameFromCommand(const QString& command);

} // namespace hueprint
