// SPDX-License-Identifier: MIT
#pragma once

#include <array>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSlider;
class QWidget;

namespace hueprint {

class ColorSwatch;

constexpr int kFavoriteCount = 15;

// The picker window's controls that hold its state.
struct PickerControls {
    QWidget* window = nullptr; // frmMain
    ColorSwatch* picCurColor = nullptr;
    QLineEdit* txtValue = nullptr;
    QCheckBox* chkAutoCopy = nullptr;
    QLineEdit* txtRed = nullptr;
    QLineEdit* txtGreen = nullptr;
    QLineEdit* txtBlue = nullptr;
    QSlider* sldRed = nullptr;
    QSlider* sldGreen = nullptr;
    QSlider* sldBlue = nullptr;
    QRadioButton* optDecimal = nullptr;
    QRadioButton* optHex = nullptr;
    QRadioButton* optBinary = nullptr;
    QLineEdit* txtPrefix = nullptr;
    QLineEdit* txtNumChars = nullptr;
    std::array<ColorSwatch*, kFavoriteCount> picFavorite{};
};

} // namespace hueprint
