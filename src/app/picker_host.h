// SPDX-License-Identifier: MIT
#pragma once

#include "platform/platform_services.h"
#include "template/template_controls.h"

#include <QObject>
#include <QPointer>

namespace hueprint {

class frmMain;

// Keeps the one picker window: "C&ustom Color" shows it (creating and loading it when it is
// not loaded), its "&Set This Color" hands its color to the template window, and unloading
// destroys it so that the next show builds a fresh one.
class PickerHost : public QObject {
    Q_OBJECT
public:
    explicit PickerHost(PlatformServices& services, QObject* parent = nullptr);
    ~PickerHost() override;
    PickerHost(const PickerHost&) = delete;
    PickerHost& operator=(const PickerHost&) = delete;

    // The template window that takes the picker's color, while it exists.
    void attachTemplate(QWidget* templateWindow, const TemplateControls& controls);

    // Shows the picker modelessly and without an owner; the same one while it is loaded.
    void show();
    // Unloads the picker if it is loaded (its settings are saved); otherwise does nothing.
    void unload();
    // The loaded picker, or nothing.
    frmMain* picker() const;

signals:
    void pickerCreated(frmMain* picker);

private:
    void acceptPickerColor();

    PlatformServices& services_;
    QPointer<frmMain> picker_;
    QPointer<QWidget> templateWindow_;
    TemplateControls templateControls_;
};

} // namespace hueprint
