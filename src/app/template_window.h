// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color_value.h"
#include "platform/platform_services.h"
#include "template/template_controls.h"

#include <QWidget>
#include <array>

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace hueprint {

class ColorSwatch;
class PickerHost;

// The template window: the user's text, the 48 preset swatches, the current color, the
// finished markup and the commands.
class Form1 : public QWidget {
    Q_OBJECT
public:
    Form1(PlatformServices& services, PickerHost& pickerHost, QWidget* parent = nullptr);
    ~Form1() override;

    TemplateControls controls() const;
    // Preset swatch n, 1 to 48 (the control Picture<n>).
    ColorSwatch* Picture(int n) const;

    // Controls, in the order they are created.
    QPushButton* Command1 = nullptr; // "&About"
    QGroupBox* Frame3 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QPushButton* Command5 = nullptr; // "C&ustom Color"
    std::array<ColorSwatch*, 48> presetSwatches{};
    ColorSwatch* Picture49 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPlainTextEdit* Text2 = nullptr;
    QPushButton* Command4 = nullptr; // "E&xit"
    QPushButton* Command3 = nullptr; // "&Copy"
    QPushButton* Command2 = nullptr; // "&Erase"
    QLineEdit* Text3 = nullptr;

private:
    void createControls();
    void setTabOrder();
    void wireEvents();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Picture_Click(int n);
    // "&Set This Color" of the picker: its color and value text become the current ones.
    void AcceptPickerColor(ColorValue color, const QString& valueText);

    PlatformServices& services_;
    PickerHost& pickerHost_;
};

} // namespace hueprint
