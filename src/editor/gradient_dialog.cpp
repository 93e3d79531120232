// SPDX-License-Identifier: MIT
#include "gradient_dialog.h"

#include "accessibility/accessible_labels.h"
#include "color_bar.h"
#include "platform/color_swatch.h"
#include "preview_panel.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>
#include <utility>

namespace hueprint {

namespace {

// The look shows at most the start of a long selection: the fade is worked out over all of it.
constexpr qsizetype kLongestLook = 4096;

constexpr std::array<ColorValue, 4> kFirstStops = {rgbColor(0xFF, 0, 0), rgbColor(0, 0, 0xFF),
                                                   kHotkeyGold, rgbColor(0, 0xFF, 0)};

} // namespace

GradientDialog::GradientDialog(RecentColors& recentColors, ColorDialog& dialog, QString text,
                               std::optional<ColorValue> pickerColor, QWidget* parent)
    : QDialog(parent), text_(std::move(text)) {
    setObjectName(QStringLiteral("GradientDialog"));
    setWindowTitle(QStringLiteral("Gradient"));

    count_ = new QSpinBox(this);
    count_->setObjectName(QStringLiteral("gradientColorCount"));
    count_->setRange(2, static_cast<int>(swatches_.size()));
    count_->setAccessibleName(QStringLiteral("Number of Colors"));
    auto* stopsRow = new QHBoxLayout;
    for (std::size_t i = 0; i < swatches_.size(); ++i) {
        auto* swatch = new ColorSwatch(this);
        swatch->setObjectName(QStringLiteral("gradientColor%1").arg(i + 1));
        swatch->setBackColor(kFirstStops[i]);
        swatch->setCheckable(true); // the one the bar sets is checked, and drawn larger
        labelSwatch(swatch, QStringLiteral("Gradient Color %1").arg(i + 1));
        connect(swatch, &ColorSwatch::clicked, this, [this, i] { select(static_cast<int>(i)); });
        connect(swatch, &ColorSwatch::backColorChanged, this, &GradientDialog::showLook);
        stopsRow->addWidget(swatch);
        swatches_[i] = swatch;
    }
    stopsRow->addStretch(1);
    connect(count_, &QSpinBox::valueChanged, this, [this] {
        select(std::min(selected_, count_->value() - 1));
        showLook();
    });

    bar_ = new ColorBar(recentColors, dialog, ColorBar::Use::Gradient, this);
    bar_->setPickerColor(pickerColor);
    connect(bar_, &ColorBar::colorChosen, this, &GradientDialog::setSelectedColor);

    look_ = new PreviewPanel(this);
    look_->setObjectName(QStringLiteral("gradientLook"));
    look_->setAccessibleName(QStringLiteral("Gradient Look"));
    look_->setReadOnly(true);
    look_->setMinimumHeight(60);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    auto* countLabel = new QLabel(QStringLiteral("&Number of colors:"), this);
    countLabel->setBuddy(count_);
    form->addRow(countLabel, count_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(stopsRow);
    layout->addWidget(bar_);
    layout->addWidget(look_, 1);
    layout->addWidget(buttons);
    resize(420, 340);
    select(0);
    showLook();
}

std::vector<ColorValue> GradientDialog::stops() const {
    std::vector<ColorValue> colors;
    colors.reserve(static_cast<std::size_t>(count_->value()));
    for (int i = 0; i < count_->value(); ++i) {
        colors.push_back(swatches_.at(static_cast<std::size_t>(i))->backColor());
    }
    return colors;
}

void GradientDialog::select(int index) {
    selected_ = index;
    for (std::size_t i = 0; i < swatches_.size(); ++i) {
        const bool shown = static_cast<int>(i) < count_->value();
        swatches_[i]->setVisible(shown);
        const bool selected = static_cast<int>(i) == index;
        swatches_[i]->setChecked(selected);
        swatches_[i]->setFixedSize(selected ? QSize(44, 30) : QSize(32, 22));
    }
}

void GradientDialog::setSelectedColor(TextColor color) {
    if (!color) {
        return;
    }
    swatches_.at(static_cast<std::size_t>(selected_))->setBackColor(*color);
    select((selected_ + 1) % count_->value());
}

void GradientDialog::showLook() {
    if (count_ == nullptr || look_ == nullptr) {
        return;
    }
    std::vector<TextColor> colors = gradientColors(text_, stops());
    const qsizetype shown = std::min(text_.size(), kLongestLook);
    colors.resize(static_cast<std::size_t>(shown));
    look_->showText({text_.left(shown), std::move(colors)});
}

} // namespace hueprint
