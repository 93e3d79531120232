// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color_value.h"
#include "platform/platform_services.h"

#include <QObject>
#include <QPointer>

namespace hueprint {

class frmMain;

// Keeps the one picker window: "C&ustom Color" shows it (creating and loading it when it is
// not loaded), its "&Set This Color" hands its color on and unloads it, so that the next show
// builds a fresh one.
class PickerHost : public QObject {
    Q_OBJECT
public:
    explicit PickerHost(PlatformServices& services, QObject* parent = nullptr);
    ~PickerHost() override;
    PickerHost(const PickerHost&) = delete;
    PickerHost& operator=(const PickerHost&) = delete;

    // Shows the picker modelessly and without an owner; the same one while it is loaded.
    void show();
    // Unloads the picker if it is loaded (its settings are saved); otherwise does nothing.
    void unload();
    // The loaded picker, or nothing.
    frmMain* picker() const;

signals:
    void pickerCreated(hueprint::frmMain* picker);
    // The picker's "&Set This Color"; the picker is unloaded right after.
    void colorAccepted(hueprint::ColorValue color, const QString& valueText);

private:
    PlatformServices& services_;
    QPointer<frmMain> picker_;
};

} // namespace hueprint
