// SPDX-License-Identifier: MIT
#pragma once

#include "picker/picker_controls.h"
#include "platform/color_value.h"
#include "platform/platform_services.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

namespace hueprint {

class ColorSwatch;

// The color picker window. Creating it loads it (its settings are restored); closing it
// unloads it (its settings are saved) and destroys it.
class frmMain : public QWidget {
    Q_OBJECT
public:
    explicit frmMain(PlatformServices& services, QWidget* parent = nullptr);
    ~frmMain() override;
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    PickerControls controls() const;

    // Controls, in the order they are created.
    QLineEdit* txtValue = nullptr;
    QGroupBox* frameOptions = nullptr;
    QLineEdit* txtNumChars = nullptr;
    QLineEdit* txtPrefix = nullptr;
    QRadioButton* optBinary = nullptr;
    QRadioButton* optHex = nullptr;
    QRadioButton* optDecimal = nullptr;
    QCheckBox* chkAutoCopy = nullptr;
    QLabel* lblNumberSizeLbl = nullptr;
    QLabel* lblPrefixLbl = nullptr;
    QGroupBox* frameCurColor = nullptr;
    QPushButton* Command1 = nullptr; // "&Set This Color"
    QSlider* sldBlue = nullptr;
    QSlider* sldGreen = nullptr;
    QLineEdit* txtBlue = nullptr;
    QLineEdit* txtGreen = nullptr;
    QSlider* sldRed = nullptr;
    QLineEdit* txtRed = nullptr;
    QPushButton* cmdRandom = nullptr;
    QPushButton* cmdPick = nullptr;
    ColorSwatch* picCurColor = nullptr;
    QLabel* lblBlueLbl = nullptr;
    QLabel* lblGreenLbl = nullptr;
    QLabel* lblRedLbl = nullptr;
    QGroupBox* frameFavorites = nullptr;
    std::array<ColorSwatch*, kFavoriteCount> picFavorite{};
    QLabel* lblValueLbl = nullptr;

signals:
    // "&Set This Color": the current color and the value text are handed over.
    void colorAccepted(hueprint::ColorValue color, const QString& valueText);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void setTabOrder();
    void wireEvents();

    void Command1_Click();
    void Form_Load();
    void Form_Unload();

    PlatformServices& services_;
    bool unloaded_ = false;
};

} // namespace hueprint
