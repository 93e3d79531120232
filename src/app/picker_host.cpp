// SPDX-License-Identifier: MIT
#include "picker_host.h"

#include "picker_window.h"

namespace hueprint {

PickerHost::PickerHost(PlatformServices& services, QObject* parent)
    : QObject(parent), services_(services) {}

PickerHost::~PickerHost() {
    unload();
}

void PickerHost::show() {
    if (picker_.isNull()) {
        picker_ = new frmMain(services_);
        // The template window takes the color first; then the picker goes.
        connect(picker_, &frmMain::colorAccepted, this, &PickerHost::colorAccepted);
        connect(picker_, &frmMain::colorAccepted, this, &PickerHost::unload);
        emit pickerCreated(picker_);
    }
    picker_->show();
    picker_->raise();
    picker_->activateWindow();
}

void PickerHost::unload() {
    if (picker_.isNull()) {
        return;
    }
    frmMain* picker = picker_;
    picker_.clear();
    picker->close(); // saves its settings and deletes itself
}

frmMain* PickerHost::picker() const {
    return picker_.data();
}

} // namespace hueprint
