// SPDX-License-Identifier: MIT
#include "picker_host.h"

#include "picker_window.h"
#include "template/picker_handoff.h"

namespace hueprint {

PickerHost::PickerHost(PlatformServices& services, QObject* parent)
    : QObject(parent), services_(services) {}

PickerHost::~PickerHost() {
    unload();
}

void PickerHost::attachTemplate(QWidget* templateWindow, const TemplateControls& controls) {
    templateWindow_ = templateWindow;
    templateControls_ = controls;
}

void PickerHost::show() {
    if (picker_.isNull()) {
        picker_ = new frmMain(services_, [this] { acceptPickerColor(); });
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

void PickerHost::acceptPickerColor() {
    if (picker_.isNull()) {
        return;
    }
    AcceptPickerColor(templateWindow_.isNull() ? nullptr : &templateControls_,
                      *picker_->picCurColor, *picker_->txtValue, [this] { unload(); });
}

} // namespace hueprint
