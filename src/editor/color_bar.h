// SPDX-License-Identifier: MIT
#pragma once

#include "markup/markup_edit.h"

#include <QWidget>
#include <array>
#include <vector>

class QPushButton;

namespace hueprint {

class ColorDialog;
class ColorSwatch;
class RecentColors;

// A player's color as map makers publish the game's 24-player palette.
struct PlayerColor {
    const char* name;
    ColorValue color;
};
const std::array<PlayerColor, 24>& playerColors();

// The gold the game draws hotkey letters in: FFCC00.
constexpr ColorValue kHotkeyGold = rgbColor(0xFF, 0xCC, 0x00);

// The editor's colors, each a click or two away: "Plain", the hotkey gold, the picker's current
// color while a picker is open, the colors used last, the 48 presets and the 24 player colors
// (one tab each), and the color dialog. The colors used last are the shared RecentColors, which
// a choice here adds to. The swatches are the program's own, named as every
// other swatch is; they take the focus from the keyboard only, so that a click leaves the
// selection in the text where it is.
class ColorBar : public QWidget {
    Q_OBJECT
public:
    enum class Use {
        Text,     // with "Plain" and "Gradient..."
        Gradient, // colors only
    };
    ColorBar(RecentColors& recentColors, ColorDialog& dialog, Use use, QWidget* parent = nullptr);

    // The picker's current color, or nothing while no picker is open.
    void setPickerColor(std::optional<ColorValue> color);
    std::optional<ColorValue> pickerColor() const { return pickerColor_; }
    void setGradientEnabled(bool enabled);

    // The controls, for the window's tab order and for tests.
    ColorSwatch* presetSwatch(int number) const; // 1 to 48
    ColorSwatch* playerSwatch(int number) const; // 1 to 24
    ColorSwatch* goldSwatch() const { return gold_; }
    ColorSwatch* pickerSwatch() const { return picker_; }
    const std::vector<ColorSwatch*>& recentSwatches() const { return recent_; }
    QPushButton* plainButton() const { return plain_; }
    QPushButton* dialogButton() const { return dialog_; }
    QPushButton* gradientButton() const { return gradient_; }

signals:
    // A color was chosen; nothing for "Plain".
    void colorChosen(hueprint::TextColor color);
    void gradientRequested();

private:
    ColorSwatch* addSwatch(ColorValue color, const QString& role);
    void choose(ColorValue color);
    void showRecentColors();
    void chooseInDialog();

    RecentColors& recentColors_;
    ColorDialog& colorDialog_;
    std::optional<ColorValue> pickerColor_;
    std::vector<ColorSwatch*> presets_;
    std::vector<ColorSwatch*> players_;
    std::vector<ColorSwatch*> recent_;
    ColorSwatch* gold_ = nullptr;
    ColorSwatch* picker_ = nullptr;
    QPushButton* plain_ = nullptr;
    QPushButton* dialog_ = nullptr;
    QPushButton* gradient_ = nullptr;
    ColorValue lastChosen_ = rgbColor(0xFF, 0xFF, 0xFF);
};

} // namespace hueprint
