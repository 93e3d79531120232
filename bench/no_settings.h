// SPDX-License-Identifier: MIT
#pragma once

#include "platform/settings_store.h"

// A store that keeps nothing: a benchmark leaves the user's settings alone.
class NoSettings final : public hueprint::SettingsStore {
public:
    std::optional<QString> value(const QString&, const QString&) override { return {}; }
    void setValue(const QString&, const QString&, const QString&) override {}
    void sync() override {}
};
