// SPDX-License-Identifier: MIT
#pragma once

#include "app/picker_window.h"

#include <QPointer>

namespace hueprint::testing {

// Shows the window, asks for it to be the active one and waits until it is.
bool showActive(QWidget* window);

// The picker window, opened on the given services (which loads it), and shown if asked.
// Closing it as the user does unloads it (saving its settings) and destroys it.
class Picker {
public:
    enum Showing { Hidden, Shown };
    explicit Picker(PlatformServices& services, Showing showing = Hidden);
    ~Picker() { delete window_.data(); }
    Picker(const Picker&) = delete;
    Picker& operator=(const Picker&) = delete;

    frmMain* operator->() const { return window_.data(); }
    frmMain* get() const { return window_.data(); }

    void close();
    bool isGone() const { return window_.isNull(); }

private:
    QPointer<frmMain> window_;
};

} // namespace hueprint::testing
