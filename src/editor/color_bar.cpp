// SPDX-License-Identifier: MIT
#include "color_bar.h"

#include "accessibility/accessible_labels.h"
#include "platform/color_dialog.h"
#include "platform/color_swatch.h"
#include "recent_colors.h"
#include "template/preset_palette.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace hueprint {

namespace {

constexpr QSize kSwatchSize(18, 14);

} // namespace

const std::array<PlayerColor, 24>& playerColors() {
    // clang-format off
    static const std::array<PlayerColor, 24> colors = {{
        {"Red", rgbColor(0xFF, 0x03, 0x03)},        {"Blue", rgbColor(0x00, 0x42, 0xFF)},
        {"Teal", rgbColor(0x1B, 0xE7, 0xBA)},       {"Purple", rgbColor(0x55, 0x00, 0x81)},
        {"Yellow", rgbColor(0xFE, 0xFC, 0x00)},     {"Orange", rgbColor(0xFE, 0x89, 0x0D)},
        {"Green", rgbColor(0x21, 0xBF, 0x00)},      {"Pink", rgbColor(0xE4, 0x5C, 0xAF)},
        {"Gray", rgbColor(0x93, 0x95, 0x96)},       {"Light Blue", rgbColor(0x7E, 0xBF, 0xF1)},
        {"Dark Green", rgbColor(0x10, 0x62, 0x47)}, {"Brown", rgbColor(0x4F, 0x2B, 0x05)},
        {"Maroon", rgbColor(0x9C, 0x00, 0x00)},     {"Navy", rgbColor(0x00, 0x00, 0xC3)},
        {"Turquoise", rgbColor(0x00, 0xEB, 0xFF)},  {"Violet", rgbColor(0xBD, 0x00, 0xFF)},
        {"Wheat", rgbColor(0xEC, 0xCE, 0x87)},      {"Peach", rgbColor(0xF7, 0xA5, 0x8B)},
        {"Mint", rgbColor(0xBF, 0xFF, 0x81)},       {"Lavender", rgbColor(0xDB, 0xB8, 0xEB)},
        {"Coal", rgbColor(0x4F, 0x50, 0x55)},       {"Snow", rgbColor(0xEC, 0xF0, 0xFF)},
        {"Emerald", rgbColor(0x00, 0x78, 0x1E)},    {"Peanut", rgbColor(0xA5, 0x6F, 0x34)},
    }};
    // clang-format on
    return colors;
}

ColorBar::ColorBar(RecentColors& recentColors, ColorDialog& dialog, Use use, QWidget* parent)
    : QWidget(parent), recentColors_(recentColors), colorDialog_(dialog) {
    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    if (use == Use::Text) {
        plain_ = new QPushButton(QStringLiteral("Plain"), this);
        plain_->setObjectName(QStringLiteral("plainButton"));
        plain_->setToolTip(QStringLiteral("The default white: the text loses its color code"));
        connect(plain_, &QPushButton::clicked, this, [this] { emit colorChosen(std::nullopt); });
        top->addWidget(plain_);
    }
    gold_ = addSwatch(kHotkeyGold, QStringLiteral("Hotkey Gold"));
    top->addWidget(gold_);
    picker_ = addSwatch(0, QStringLiteral("Picker Color"));
    picker_->hide();
    top->addWidget(picker_);
    for (int i = 0; i < kRecentColorCount; ++i) {
        ColorSwatch* swatch = addSwatch(0, QStringLiteral("Recent Color %1").arg(i + 1));
        top->addWidget(swatch);
        recent_.push_back(swatch);
    }
    top->addStretch(1);
    dialog_ = new QPushButton(QStringLiteral("Other Color..."), this);
    dialog_->setObjectName(QStringLiteral("colorDialogButton"));
    connect(dialog_, &QPushButton::clicked, this, &ColorBar::chooseInDialog);
    top->addWidget(dialog_);
    if (use == Use::Text) {
        gradient_ = new QPushButton(QStringLiteral("Gradient..."), this);
        gradient_->setObjectName(QStringLiteral("gradientButton"));
        connect(gradient_, &QPushButton::clicked, this, &ColorBar::gradientRequested);
        top->addWidget(gradient_);
    }
    for (QPushButton* button : {plain_, dialog_, gradient_}) {
        if (button != nullptr) {
            button->setFocusPolicy(Qt::TabFocus); // a click leaves the cursor where it is
        }
    }

    // The presets in the template window's grid, six rows a column; the players two rows of 12.
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("colorTabs"));
    tabs->setDocumentMode(true);
    tabs->tabBar()->setAccessibleName(QStringLiteral("Color Choices"));
    auto* presetPage = new QWidget(tabs);
    auto* presetGrid = new QGridLayout(presetPage);
    presetGrid->setSpacing(2);
    for (const PresetSwatch& preset : presetPalette()) {
        ColorSwatch* swatch = addSwatch(preset.color, QString());
        presetGrid->addWidget(swatch, preset.row(), preset.column());
        presets_.push_back(swatch);
    }
    presetGrid->setColumnStretch(kPresetSwatchCount / 6 + 1, 1);
    tabs->addTab(presetPage, QStringLiteral("Presets"));
    auto* playerPage = new QWidget(tabs);
    auto* playerGrid = new QGridLayout(playerPage);
    playerGrid->setSpacing(2);
    for (std::size_t i = 0; i < playerColors().size(); ++i) {
        const PlayerColor& player = playerColors()[i];
        const int number = static_cast<int>(i) + 1;
        ColorSwatch* swatch = addSwatch(
            player.color,
            QStringLiteral("Player %1 %2").arg(number).arg(QString::fromLatin1(player.name)));
        playerGrid->addWidget(swatch, static_cast<int>(i) / 12, static_cast<int>(i) % 12);
        players_.push_back(swatch);
    }
    playerGrid->setColumnStretch(12, 1);
    playerGrid->setRowStretch(2, 1);
    tabs->addTab(playerPage, QStringLiteral("Players"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(tabs);
    connect(&recentColors_, &RecentColors::changed, this, &ColorBar::showRecentColors);
    showRecentColors();
}

ColorSwatch* ColorBar::addSwatch(ColorValue color, const QString& role) {
    auto* swatch = new ColorSwatch(this);
    swatch->setBackColor(color);
    swatch->setFixedSize(kSwatchSize);
    swatch->setFocusPolicy(Qt::TabFocus);
    labelSwatch(swatch, role);
    connect(swatch, &ColorSwatch::clicked, this, [this, swatch] { choose(swatch->backColor()); });
    return swatch;
}

void ColorBar::choose(ColorValue color) {
    lastChosen_ = color;
    recentColors_.use(color);
    emit colorChosen(color);
}

void ColorBar::showRecentColors() {
    const std::vector<ColorValue>& colors = recentColors_.colors();
    for (std::size_t i = 0; i < recent_.size(); ++i) {
        const bool used = i < colors.size();
        if (used) {
            recent_[i]->setBackColor(colors[i]);
        }
        recent_[i]->setVisible(used);
    }
}

void ColorBar::chooseInDialog() {
    if (const auto color =
            colorDialog_.chooseColor(window(), QStringLiteral("Color"), lastChosen_)) {
        choose(*color);
    }
}

void ColorBar::setPickerColor(std::optional<ColorValue> color) {
    pickerColor_ = color;
    if (color) {
        picker_->setBackColor(*color);
    }
    picker_->setVisible(color.has_value());
}

void ColorBar::setGradientEnabled(bool enabled) {
    if (gradient_ != nullptr) {
        gradient_->setEnabled(enabled);
    }
}

ColorSwatch* ColorBar::presetSwatch(int number) const {
    return presets_.at(static_cast<std::size_t>(number - 1));
}

ColorSwatch* ColorBar::playerSwatch(int number) const {
    return players_.at(static_cast<std::size_t>(number - 1));
}

} // namespace hueprint
