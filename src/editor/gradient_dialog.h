// SPDX-License-Identifier: MIT
#pragma once

#include "markup/markup_edit.h"

#include <QDialog>
#include <array>
#include <vector>

class QSpinBox;

namespace hueprint {

class ColorBar;
class ColorDialog;
class ColorSwatch;
class PreviewPanel;
class RecentColors;

// "Gradient...": two to four colors chosen from the color bar's choices, and a live look at
// the selected text faded through them. A click on one of the colors makes it the one the bar
// sets; each color set moves on to the next.
class GradientDialog : public QDialog {
    Q_OBJECT
public:
    GradientDialog(RecentColors& recentColors, ColorDialog& dialog, QString text,
                   std::optional<ColorValue> pickerColor, QWidget* parent = nullptr);

    std::vector<ColorValue> stops() const;

    ColorBar* colorBar() const { return bar_; }
    QSpinBox* countBox() const { return count_; }
    ColorSwatch* stopSwatch(int index) const {
        return swatches_.at(static_cast<std::size_t>(index));
    }
    PreviewPanel* look() const { return look_; }
    int selectedStop() const { return selected_; }

private:
    void select(int index);
    void setSelectedColor(TextColor color);
    void showLook();

    QString text_;
    ColorBar* bar_ = nullptr;
    QSpinBox* count_ = nullptr;
    std::array<ColorSwatch*, 4> swatches_{};
    PreviewPanel* look_ = nullptr;
    int selected_ = 0;
};

} // namespace hueprint
