// SPDX-License-Identifier: MIT
// The picker loading any settings file: the bytes become the store's INI file in a temporary
// folder, the picker loads it offscreen through the real QSettings store, and then:
//  - every favorite and the current color lie within 0..16777215;
//  - the value text is the formatter's output for the current color and options;
//  - the width box is neither empty nor zero;
//  - a favorite stored as plain decimal digits within range is loaded as stored (an intact
//    favorite is never lost), and one with no stored value keeps its default;
//  - what the picker saves on unload loads back to the same state.

#include "app/picker_window.h"
#include "fuzz_support.h"
#include "hostile/picker_invariants.h"
#include "picker/favorites.h"
#include "picker/picker_settings.h"
#include "platform/settings_store.h"
#include "support/recording_platform.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

using hueprint::ColorValue;
using hueprint::frmMain;
using hueprint::PlatformServices;
using hueprint::QtSettingsStore;
using hueprint::testing::RecordingPlatform;

namespace {

QTemporaryDir* storeFolder = nullptr;

// Plain decimal digits naming a color: what the program itself writes for a favorite.
std::optional<ColorValue> intactColor(const std::optional<QString>& text) {
    if (!text || text->isEmpty() || text->size() > 8) {
        return std::nullopt;
    }
    ColorValue value = 0;
    for (QChar c : *text) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c.unicode() - u'0');
    }
    return hueprint::isPlainColor(value) ? std::optional<ColorValue>(value) : std::nullopt;
}

bool hasNoDigit(const QString& text) {
    return std::none_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// What a picker holds that its unload stores.
struct StoredState {
    std::array<ColorValue, hueprint::kFavoriteCount> favorites{};
    ColorValue color = 0;
    bool autoCopy = false;
    bool decimal = false;
    bool hex = false;
    bool binary = false;
    QString prefix;
    QString width;

    bool operator==(const StoredState& other) const {
        return favorites == other.favorites && color == other.color && autoCopy == other.autoCopy &&
               decimal == other.decimal && hex == other.hex && binary == other.binary &&
               prefix == other.prefix && width == other.width;
    }
};

StoredState stateOf(const frmMain& picker) {
    StoredState state;
    for (std::size_t i = 0; i < state.favorites.size(); ++i) {
        state.favorites.at(i) = picker.picFavorite.at(i)->backColor();
    }
    state.color = picker.picCurColor->backColor();
    state.autoCopy = picker.chkAutoCopy->isChecked();
    state.decimal = picker.optDecimal->isChecked();
    state.hex = picker.optHex->isChecked();
    state.binary = picker.optBinary->isChecked();
    state.prefix = picker.txtPrefix->text();
    state.width = picker.txtNumChars->text();
    return state;
}

QString describe(const StoredState& state) {
    QStringList favorites;
    for (ColorValue favorite : state.favorites) {
        favorites << QString::number(favorite);
    }
    return QStringLiteral("favorites %1 color %2 autocopy %3 modes %4%5%6 prefix \"%7\" width "
                          "\"%8\"")
        .arg(favorites.join(u','))
        .arg(state.color)
        .arg(static_cast<int>(state.autoCopy))
        .arg(static_cast<int>(state.decimal))
        .arg(static_cast<int>(state.hex))
        .arg(static_cast<int>(state.binary))
        .arg(state.prefix.left(40), state.width);
}

// Opens a picker on the store, checks it and closes it (which saves); gives what it held.
StoredState loadAndCheck(const QString& applicationName, bool checkFavorites) {
    QtSettingsStore store(applicationName);
    RecordingPlatform platform;
    PlatformServices services{platform.clipboard,
                              platform.messageBox,
                              platform.beeper,
                              platform.programExit,
                              platform.colorDialog,
                              platform.random,
                              store};
    auto picker = std::make_unique<frmMain>(services);

    const QStringList broken = hueprint::testing::pickerViolations(*picker);
    HUEPRINT_FUZZ_CHECK(broken.isEmpty(), broken.join(QStringLiteral("; ")));

    if (checkFavorites) {
        const auto& defaults = hueprint::defaultFavoriteColors();
        for (int i = 0; i < hueprint::kFavoriteCount; ++i) {
            const auto index = static_cast<std::size_t>(i);
            const auto stored =
                store.value(hueprint::settings_keys::kFavorites, QString::number(i));
            const ColorValue loaded = picker->picFavorite.at(index)->backColor();
            const QString context = QStringLiteral("favorite %1 stored \"%2\" loaded %3")
                                        .arg(i)
                                        .arg(stored.value_or(QStringLiteral("<none>")).left(40))
                                        .arg(loaded);
            if (const auto intact = intactColor(stored)) {
                HUEPRINT_FUZZ_CHECK(loaded == *intact, context);
            } else if (!stored || hasNoDigit(*stored)) {
                HUEPRINT_FUZZ_CHECK(loaded == defaults.at(index), context);
            }
        }
    }

    StoredState state = stateOf(*picker);
    picker.reset(); // unloads: the settings are saved
    return state;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    hueprint::fuzz::quietQtMessages();
    static int argc = 1;
    static char name[] = "fuzz_settings_load";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    static QTemporaryDir folder;
    if (!folder.isValid()) {
        hueprint::fuzz::fail("no temporary folder");
    }
    storeFolder = &folder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString applicationName = QStringLiteral("hueprint-fuzz");
    const QString fileName = storeFolder->filePath(applicationName + QStringLiteral(".ini"));
    {
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            hueprint::fuzz::fail("cannot write the store", fileName);
        }
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
        // QSettings keeps the files it has read in a cache that it trusts while their time
        // stamp and size stay the same: give every input a time stamp of its own.
        static qint64 inputNumber = 0;
        const QDateTime stamp = QDateTime::fromSecsSinceEpoch(1000000000 + ++inputNumber, Qt::UTC);
        if (!file.setFileTime(stamp, QFileDevice::FileModificationTime)) {
            hueprint::fuzz::fail("cannot date the store", fileName);
        }
    }
    static const bool nameChecked = [&applicationName, &fileName] {
        HUEPRINT_FUZZ_CHECK(QtSettingsStore(applicationName).fileName() == fileName,
                            QtSettingsStore(applicationName).fileName());
        return true;
    }();
    (void)nameChecked;

    const StoredState first = loadAndCheck(applicationName, true);
    // The file the unload wrote is valid: it loads back to what was saved.
    const StoredState second = loadAndCheck(applicationName, false);
    HUEPRINT_FUZZ_CHECK(first == second,
                        describe(first) + QStringLiteral(" then ") + describe(second));
    return 0;
}
