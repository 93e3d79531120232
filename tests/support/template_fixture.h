// SPDX-License-Identifier: MIT
#pragma once

#include "app/picker_host.h"
#include "app/template_window.h"
#include "recording_platform.h"

#include <QPointer>
#include <memory>

namespace hueprint::testing {

// A template window with its picker host on recording services, shown offscreen. The window
// deletes itself when closed, so it lives on the heap.
struct TemplateFixture {
    TemplateFixture();
    ~TemplateFixture();
    TemplateFixture(const TemplateFixture&) = delete;
    TemplateFixture& operator=(const TemplateFixture&) = delete;

    // Shows the window and waits until it is active.
    bool showActive();
    // Opens the picker as "C&ustom Color" does, and gives it.
    frmMain* openPicker();

    RecordingPlatform platform;
    std::unique_ptr<PickerHost> host;
    QPointer<Form1> window;
};

} // namespace hueprint::testing
