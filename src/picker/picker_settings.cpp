// SPDX-License-Identifier: MIT
#include "picker_settings.h"

#include "color_value_format.h"
#include "current_color.h"
#include "favorites.h"
#include "format_options.h"
#include "platform/color_swatch.h"
#include "platform/option_button.h"
#include "platform/settings_store.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace hueprint {

using namespace settings_keys;

namespace {

// Positions beyond this many twips lie on no screen there is.
constexpr double kFarthestPosition = 1.0e8;
// The longest text a position is read from ("-1.2345678e+07" and the like fit well inside).
constexpr qsizetype kLongestPositionText = 32;
// The longest text any other number or Boolean is read from: the store writes none longer than
// a dozen characters, and converting a huge damaged value would only cost time.
constexpr qsizetype kLongestNumberText = 256;

// The stored text without the blanks around it, when it is short enough to hold a value.
std::optional<QStringView> valueText(const std::optional<QString>& text, qsizetype longest) {
    if (!text) {
        return std::nullopt;
    }
    const QStringView trimmed = QStringView(*text).trimmed();
    if (trimmed.size() > longest) {
        return std::nullopt;
    }
    return trimmed;
}

// The stored text as a decimal integer, when it is one.
std::optional<int> storedInteger(const std::optional<QString>& text) {
    const auto trimmed = valueText(text, kLongestNumberText);
    bool ok = false;
    const int value = trimmed ? trimmed->toInt(&ok, 10) : 0;
    return ok ? std::optional<int>(value) : std::nullopt;
}

QString booleanText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// A window whose frame meets no screen at all could not be reached by the user.
bool isOnSomeScreen(const QRect& frame) {
    const auto screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&frame](const QScreen* screen) {
        return screen->geometry().intersects(frame);
    });
}

void restorePosition(QWidget* window, SettingsStore& store) {
    const auto left = readStoredPosition(store.value(kFormPosition, kX));
    const auto top = readStoredPosition(store.value(kFormPosition, kY));
    if (!left && !top) {
        return;
    }
    const QPoint current = window->pos();
    const QPoint stored(left ? static_cast<int>(std::lround(*left / kTwipsPerPixel)) : current.x(),
                        top ? static_cast<int>(std::lround(*top / kTwipsPerPixel)) : current.y());
    if (isOnSomeScreen(QRect(stored, window->frameGeometry().size()))) {
        window->move(stored);
    }
}

} // namespace

std::optional<ColorValue> readStoredColor(const std::optional<QString>& text) {
    const auto value = storedInteger(text);
    return value && isPlainColor(*value) ? value : std::nullopt;
}

std::optional<bool> readStoredAutoCopy(const std::optional<QString>& text) {
    const auto value = storedInteger(text);
    return value == 0 || value == 1 ? std::optional<bool>(value == 1) : std::nullopt;
}

std::optional<bool> readStoredBoolean(const std::optional<QString>& text) {
    const auto stored = valueText(text, kLongestNumberText);
    if (!stored) {
        return std::nullopt;
    }
    const QStringView trimmed = *stored;
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        return false;
    }
    // A number converts as the store converts numbers to Booleans: 0 is False, any other
    // number True. A number is written in decimal (sign, decimal point and exponent allowed,
    // no group separators); "inf" and "nan" are letters.
    bool ok = false;
    const double number = trimmed.toDouble(&ok);
    if (ok && std::isfinite(number)) {
        return number != 0;
    }
    return std::nullopt;
}

std::optional<double> readStoredPosition(const std::optional<QString>& text) {
    // No position is written this long; converting a huge text would only cost time.
    const auto trimmed = valueText(text, kLongestPositionText);
    if (!trimmed) {
        return std::nullopt;
    }
    bool ok = false;
    const float value = QLocale::c().toFloat(*trimmed, &ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > kFarthestPosition) {
        return std::nullopt;
    }
    return value;
}

QString readStoredWidth(const std::optional<QString>& text) {
    // The program never leaves the width box empty, so an empty text is no width at all.
    if (!text || text->isEmpty()) {
        return kDefaultWidth;
    }
    return *text;
}

void LoadSettings(const PickerControls& controls, PlatformServices& services) {
    SettingsStore& store = services.settings;
    store.sync();

    const auto& defaults = defaultFavoriteColors();
    for (std::size_t i = 0; i < controls.picFavorite.size(); ++i) {
        controls.picFavorite[i]->setBackColor(
            readStoredColor(store.value(kFavorites, QString::number(i))).value_or(defaults[i]));
    }

    // Nothing is copied while the settings are restored: the value text they make is, once at
    // the end, when auto-copy is on.
    const bool autoCopy = readStoredAutoCopy(store.value(kSettings, kAutoCopy)).value_or(true);
    controls.chkAutoCopy->setChecked(false);
    ApplyColor(controls, services,
               readStoredColor(store.value(kSettings, kCurrentColor)).value_or(0));

    setOptionValue(controls.optDecimal,
                   readStoredBoolean(store.value(kSettings, kDecimal)).value_or(false));
    setOptionValue(controls.optHex,
                   readStoredBoolean(store.value(kSettings, kHexadecimal)).value_or(true));
    setOptionValue(controls.optBinary,
                   readStoredBoolean(store.value(kSettings, kBinary)).value_or(false));
    controls.txtPrefix->setText(store.value(kSettings, kPrefix).value_or(kDefaultPrefix));
    // The box keeps as much of the text as it holds, and its own Change handler refuses a zero
    // width as it does for the user's.
    controls.txtNumChars->setText(readStoredWidth(store.value(kSettings, kNumberOfCharacters)));

    if (controls.optBinary->isChecked() || controls.optDecimal->isChecked()) {
        optDecimal_Click(controls, services);
    } else {
        optHex_Click(controls, services);
    }
    controls.chkAutoCopy->setChecked(autoCopy);
    if (autoCopy) {
        CopyValueText(controls, services);
    }

    restorePosition(controls.window, store);
}

void SaveSettings(const PickerControls& controls, PlatformServices& services) {
    SettingsStore& store = services.settings;
    for (std::size_t i = 0; i < controls.picFavorite.size(); ++i) {
        store.setValue(kFavorites, QString::number(i),
                       QString::number(controls.picFavorite[i]->backColor()));
    }
    store.setValue(kSettings, kCurrentColor, QString::number(controls.picCurColor->backColor()));
    store.setValue(kSettings, kAutoCopy,
                   controls.chkAutoCopy->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    store.setValue(kSettings, kDecimal, booleanText(controls.optDecimal->isChecked()));
    store.setValue(kSettings, kHexadecimal, booleanText(controls.optHex->isChecked()));
    store.setValue(kSettings, kBinary, booleanText(controls.optBinary->isChecked()));
    store.setValue(kSettings, kPrefix, controls.txtPrefix->text());
    store.setValue(kSettings, kNumberOfCharacters, controls.txtNumChars->text());
    const QPoint position = controls.window->pos();
    store.setValue(kFormPosition, kX, QString::number(position.x() * kTwipsPerPixel));
    store.setValue(kFormPosition, kY, QString::number(position.y() * kTwipsPerPixel));
    store.sync();
}

} // namespace hueprint
