// SPDX-License-Identifier: MIT
#pragma once

#include "platform/settings_store.h"
#include "recording_platform.h"

#include <QPoint>
#include <QStringList>

namespace hueprint::testing {

// The recording services with the real INI store, in the folder QSettings was pointed at.
struct IniPlatform {
    explicit IniPlatform(const QString& applicationName = QStringLiteral("hueprint"))
        : store(applicationName) {}
    RecordingPlatform doubles;
    QtSettingsStore store;
    PlatformServices services{
        doubles.clipboard,   doubles.messageBox, doubles.beeper, doubles.programExit,
        doubles.colorDialog, doubles.random,     store};
};

// The settings file a first run leaves, byte for byte, with the picker at `position` (in
// pixels) and each line of `replaced` in place of the line of its key ("Decimal=True" for
// "Decimal=False").
QString settingsFileText(QPoint position, const QStringList& replaced = {});

} // namespace hueprint::testing
