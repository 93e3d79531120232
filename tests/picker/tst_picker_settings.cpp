// SPDX-License-Identifier: MIT
// The picker remembers its settings: what it reads when it opens, what it writes when it
// closes, and how it copes with a store that holds anything at all. Every case runs against a
// temporary store: the recording double in memory, or the real INI file in a temporary folder.

#include "app/picker_host.h"
#include "app/picker_window.h"
#include "app/template_window.h"
#include "picker/color_value_format.h"
#include "picker/favorites.h"
#include "picker/leading_number.h"
#include "picker/picker_settings.h"
#include "platform/color_swatch.h"
#include "platform/twips.h"
#include "support/recording_platform.h"
#include "support/sanitizer_build.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>
#include <limits>
#include <memory>
#include <sys/stat.h>

using namespace hueprint;
using hueprint::testing::clipboardTexts;
using hueprint::testing::RecordingPlatform;

namespace {

using Values = QMap<QString, QString>; // "Section/Key" -> stored text

const QString kApplication = QStringLiteral("hueprint");

QString favoriteKey(int index) {
    return QStringLiteral("Favorites/") + QString::number(index);
}

const QString kCurrentColorKey = QStringLiteral("Settings/Current Color");
const QString kAutoCopyKey = QStringLiteral("Settings/AutoCopy");
const QString kDecimalKey = QStringLiteral("Settings/Decimal");
const QString kHexadecimalKey = QStringLiteral("Settings/Hexadecimal");
const QString kBinaryKey = QStringLiteral("Settings/Binary");
const QString kPrefixKey = QStringLiteral("Settings/Prefix");
const QString kWidthKey = QStringLiteral("Settings/Number of Characters");
const QString kXKey = QStringLiteral("Form Position/X");
const QString kYKey = QStringLiteral("Form Position/Y");

// Where a freshly created picker stands before any stored position moves it: centered on the
// primary screen.
QPoint initialPickerPosition() {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QRect frame(QPoint(), QSize(pixelsFromTwips(5295), pixelsFromTwips(2055)));
    frame.moveCenter(available.center());
    return frame.topLeft();
}

QString twipsText(int pixels) {
    return QString::number(pixels * kTwipsPerPixel);
}

// Every key the picker writes, with the values it writes on a first run.
Values defaultValues() {
    Values values;
    const auto& favorites = defaultFavoriteColors();
    for (int i = 0; i < kFavoriteCount; ++i) {
        values.insert(favoriteKey(i), QString::number(favorites[static_cast<std::size_t>(i)]));
    }
    values.insert(kCurrentColorKey, QStringLiteral("0"));
    values.insert(kAutoCopyKey, QStringLiteral("1"));
    values.insert(kDecimalKey, QStringLiteral("False"));
    values.insert(kHexadecimalKey, QStringLiteral("True"));
    values.insert(kBinaryKey, QStringLiteral("False"));
    values.insert(kPrefixKey, QStringLiteral("|cFF"));
    values.insert(kWidthKey, QStringLiteral("6"));
    const QPoint initial = initialPickerPosition();
    values.insert(kXKey, twipsText(initial.x()));
    values.insert(kYKey, twipsText(initial.y()));
    return values;
}

// A full set of stored values that differ from the defaults in every key.
Values customValues() {
    Values values;
    for (int i = 0; i < kFavoriteCount; ++i) {
        values.insert(favoriteKey(i), QString::number(1000 + 111111 * i));
    }
    values.insert(kCurrentColorKey, QStringLiteral("33023"));
    values.insert(kAutoCopyKey, QStringLiteral("0"));
    values.insert(kDecimalKey, QStringLiteral("True"));
    values.insert(kHexadecimalKey, QStringLiteral("False"));
    values.insert(kBinaryKey, QStringLiteral("False"));
    values.insert(kPrefixKey, QStringLiteral("#"));
    values.insert(kWidthKey, QStringLiteral("9"));
    values.insert(kXKey, QStringLiteral("1500"));
    values.insert(kYKey, QStringLiteral("1200"));
    return values;
}

// The picker window, opened on the given services (which loads it). Closing it as the user
// does unloads it (saving its settings) and destroys it.
class Picker {
public:
    explicit Picker(PlatformServices& services) : window_(new frmMain(services, {})) {}
    ~Picker() { delete window_.data(); }
    Picker(const Picker&) = delete;
    Picker& operator=(const Picker&) = delete;

    frmMain* operator->() const { return window_.data(); }
    frmMain* get() const { return window_.data(); }

    void close() {
        window_->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    bool isGone() const { return window_.isNull(); }

private:
    QPointer<frmMain> window_;
};

// The recording services with the real INI store in the folder QSettings was pointed at.
struct IniPlatform {
    IniPlatform() : store(kApplication) {}
    RecordingPlatform doubles;
    QtSettingsStore store;
    PlatformServices services{
        doubles.clipboard,   doubles.messageBox, doubles.beeper, doubles.programExit,
        doubles.colorDialog, doubles.random,     store};
};

// Everything an INI file holds, read by a fresh QSettings.
Values iniContents(const QString& fileName) {
    QSettings settings(fileName, QSettings::IniFormat);
    Values values;
    const QStringList keys = settings.allKeys();
    for (const QString& key : keys) {
        if (key.isEmpty()) {
            continue; // garbage can make a key of nothing, which QSettings will not look up
        }
        values.insert(key, settings.value(key).toString());
    }
    return values;
}

void writeIni(const QString& fileName, const Values& values) {
    QSettings settings(fileName, QSettings::IniFormat);
    settings.clear();
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        settings.setValue(it.key(), it.value());
    }
    settings.sync();
}

QByteArray readFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

// Shows where two sets of values differ, for failure messages.
QString differences(const Values& actual, const Values& expected) {
    QStringList lines;
    QStringList keys = actual.keys() + expected.keys();
    keys.removeDuplicates();
    keys.sort();
    for (const QString& key : keys) {
        const QString a = actual.value(key, QStringLiteral("<none>"));
        const QString e = expected.value(key, QStringLiteral("<none>"));
        if (a != e) {
            lines << QStringLiteral("%1: written \"%2\", expected \"%3\"")
                         .arg(key, a.left(80), e.left(80));
        }
    }
    return lines.join(QLatin1Char('\n'));
}

#define COMPARE_VALUES(actual, expected)                                                           \
    do {                                                                                           \
        const Values actual_ = (actual);                                                           \
        const Values expected_ = (expected);                                                       \
        QVERIFY2(actual_ == expected_, qPrintable(differences(actual_, expected_)));               \
    } while (false)

QString selectedMode(const frmMain* picker) {
    if (picker->optDecimal->isChecked()) {
        return QStringLiteral("Decimal");
    }
    if (picker->optHex->isChecked()) {
        return QStringLiteral("Hexadecimal");
    }
    if (picker->optBinary->isChecked()) {
        return QStringLiteral("Binary");
    }
    return QStringLiteral("none");
}

bool isOnSomeScreen(const QRect& frame) {
    const auto screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&frame](const QScreen* screen) {
        return screen->geometry().intersects(frame);
    });
}

// The picker's state is sound: every color in range, at most one mode, a width the box can
// hold (the text as stored, at least 1 wide), a value text that matches the controls, and a
// reachable window.
void verifySound(const frmMain* picker) {
    for (const ColorSwatch* favorite : picker->picFavorite) {
        QVERIFY(isPlainColor(favorite->backColor()));
    }
    const ColorValue current = picker->picCurColor->backColor();
    QVERIFY(isPlainColor(current));
    QCOMPARE(picker->sldRed->value(), current & 0xFF);
    QCOMPARE(picker->sldGreen->value(), (current >> 8) & 0xFF);
    QCOMPARE(picker->sldBlue->value(), (current >> 16) & 0xFF);
    const int modes = int(picker->optDecimal->isChecked()) + int(picker->optHex->isChecked()) +
                      int(picker->optBinary->isChecked());
    QVERIFY(modes <= 1);
    const QString width = picker->txtNumChars->text();
    QVERIFY2(!width.isEmpty() && width.size() <= 4, qPrintable(width.left(40)));
    QVERIFY2(LeadingNumber(width) >= 1, qPrintable(width));
    QCOMPARE(picker->txtValue->text(),
             formatValueText(current, hueprint::selectedMode(picker->controls()),
                             picker->txtPrefix->text(), width)
                 .text);
    QVERIFY(isOnSomeScreen(picker->frameGeometry()));
}

// A program exit that looks at the settings file at the moment the program would end.
class SnapshotProgramExit final : public ProgramExit {
public:
    explicit SnapshotProgramExit(QString fileName) : fileName_(std::move(fileName)) {}
    void endProgram() override {
        ++ends;
        fileAtEnd = iniContents(fileName_);
    }
    int ends = 0;
    Values fileAtEnd;

private:
    QString fileName_;
};

} // namespace

class PickerSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanupTestCase();
    void init();
    void cleanup();

    // A first run and the file it leaves.
    void emptyStoreGivesDefaults_data();
    void emptyStoreGivesDefaults();
    void firstRunWritesTheDefaultFile();

    // Everything stored comes back.
    void storedValuesRoundTrip_data();
    void storedValuesRoundTrip();
    void userChangesRoundTrip();

    // The edge cases of loading.
    void autoCopyDecidesTheClipboardOnOpening_data();
    void autoCopyDecidesTheClipboardOnOpening();
    void hexadecimalReplacesStoredWidth();
    void decimalRaisesStoredWidth();
    void storedModes_data();
    void storedModes();
    void storedWidthIsReadAsStored_data();
    void storedWidthIsReadAsStored();
    void emptyPrefixIsKept_data();
    void emptyPrefixIsKept();
    void clearedPrefixIsWrittenEmpty();

    // Hardened reading.
    void corruptValueFallsBackAlone_data();
    void corruptValueFallsBackAlone();
    void missingKeysTakeTheirDefaults();
    void garbageFile_data();
    void garbageFile();

    // Window position.
    void storedPosition_data();
    void storedPosition();
    void shownPositionRoundTrips();

    // The file on disk.
    void saveReplacesTheFileWhole();
    void unwritableLocation_data();
    void unwritableLocation();
    void exitWithPickerOpenSaves();

private:
    QString iniPath() const { return dir_->filePath(kApplication + QStringLiteral(".ini")); }

    std::unique_ptr<QTemporaryDir> dir_;
    qint64 slowestGarbageOpeningMs_ = -1;
    qint64 slowestFirstOpeningMs_ = -1;
};

void PickerSettingsTest::cleanupTestCase() {
    if (slowestGarbageOpeningMs_ >= 0) {
        qInfo("opening on a damaged settings file: %lld ms at the slowest (limit 100 ms); "
              "slowest first try %lld ms",
              slowestGarbageOpeningMs_, slowestFirstOpeningMs_);
    }
}

void PickerSettingsTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_->path());
}

void PickerSettingsTest::cleanup() {
    dir_.reset();
}

// ---------------------------------------------------------------------------------------------
// A first run

void PickerSettingsTest::emptyStoreGivesDefaults_data() {
    QTest::addColumn<bool>("iniFile");
    QTest::newRow("memory store") << false;
    QTest::newRow("INI file") << true;
}

void PickerSettingsTest::emptyStoreGivesDefaults() {
    QFETCH(bool, iniFile);
    RecordingPlatform memory;
    IniPlatform ini;
    PlatformServices& services = iniFile ? ini.services : memory.services;
    testing::RecordingClipboard& clipboard = iniFile ? ini.doubles.clipboard : memory.clipboard;

    Picker picker(services);
    const auto& defaults = defaultFavoriteColors();
    const std::array<ColorValue, kFavoriteCount> expectedFavorites = {
        8388608,  32768, 8421376,  128, 8388736,  32896, 12632256, 8421504,
        16711680, 65280, 16776960, 255, 16711935, 65535, 16777215};
    QCOMPARE(defaults, expectedFavorites);
    for (int i = 0; i < kFavoriteCount; ++i) {
        QCOMPARE(picker->picFavorite[static_cast<std::size_t>(i)]->backColor(),
                 expectedFavorites[static_cast<std::size_t>(i)]);
    }
    QCOMPARE(picker->picCurColor->backColor(), 0);
    QCOMPARE(picker->txtValue->text(), QStringLiteral("|cFF000000"));
    QCOMPARE(picker->txtRed->text(), QStringLiteral("0"));
    QCOMPARE(picker->txtGreen->text(), QStringLiteral("0"));
    QCOMPARE(picker->txtBlue->text(), QStringLiteral("0"));
    QVERIFY(picker->optHex->isChecked());
    QVERIFY(!picker->txtNumChars->isEnabled());
    QCOMPARE(picker->txtNumChars->text(), QStringLiteral("6"));
    QCOMPARE(picker->txtPrefix->text(), QStringLiteral("|cFF"));
    QVERIFY(picker->chkAutoCopy->isChecked());
    QCOMPARE(clipboard.text, QStringLiteral("|cFF000000"));
    QVERIFY(!clipboard.calls.isEmpty());
    for (const QString& text : clipboardTexts(clipboard.calls)) {
        QCOMPARE(text, QStringLiteral("|cFF000000"));
    }
    QCOMPARE(picker->pos(), initialPickerPosition());

    picker.close();
    QVERIFY(picker.isGone());
    if (iniFile) {
        COMPARE_VALUES(iniContents(iniPath()), defaultValues());
    } else {
        COMPARE_VALUES(memory.settings.values, defaultValues());
    }
}

void PickerSettingsTest::firstRunWritesTheDefaultFile() {
    {
        IniPlatform ini;
        Picker picker(ini.services);
        picker.close();
    }
    const QPoint initial = initialPickerPosition();
    const QString expected = QStringLiteral("[Favorites]\n"
                                            "0=8388608\n"
                                            "1=32768\n"
                                            "10=16776960\n"
                                            "11=255\n"
                                            "12=16711935\n"
                                            "13=65535\n"
                                            "14=16777215\n"
                                            "2=8421376\n"
                                            "3=128\n"
                                            "4=8388736\n"
                                            "5=32896\n"
                                            "6=12632256\n"
                                            "7=8421504\n"
                                            "8=16711680\n"
                                            "9=65280\n"
                                            "\n"
                                            "[Form%20Position]\n"
                                            "X=%1\n"
                                            "Y=%2\n"
                                            "\n"
                                            "[Settings]\n"
                                            "AutoCopy=1\n"
                                            "Binary=False\n"
                                            "Current%20Color=0\n"
                                            "Decimal=False\n"
                                            "Hexadecimal=True\n"
                                            "Number%20of%20Characters=6\n"
                                            "Prefix=|cFF\n")
                                 .arg(twipsText(initial.x()), twipsText(initial.y()));
    QCOMPARE(QString::fromUtf8(readFile(iniPath())), expected);
}

// ---------------------------------------------------------------------------------------------
// Round trips

void PickerSettingsTest::storedValuesRoundTrip_data() {
    QTest::addColumn<bool>("iniFile");
    QTest::addColumn<Values>("stored");
    QTest::addColumn<QString>("valueText");

    Values decimal = customValues();
    Values binary = customValues();
    binary[kDecimalKey] = QStringLiteral("False");
    binary[kBinaryKey] = QStringLiteral("True");
    binary[kWidthKey] = QStringLiteral("30");
    Values hex = customValues();
    hex[kDecimalKey] = QStringLiteral("False");
    hex[kHexadecimalKey] = QStringLiteral("True");
    hex[kWidthKey] = QStringLiteral("6");
    hex[kPrefixKey] = QStringLiteral("0x");
    hex[kAutoCopyKey] = QStringLiteral("1");
    Values noMode = customValues();
    noMode[kDecimalKey] = QStringLiteral("False");
    noMode[kWidthKey] = QStringLiteral("6");
    Values awkwardPrefix = customValues();
    awkwardPrefix[kPrefixKey] = QStringLiteral(" [x=\"a,b\"; \\n] \u00e9 ");
    awkwardPrefix[kXKey] = QStringLiteral("0");
    awkwardPrefix[kYKey] = QStringLiteral("15");

    for (const bool iniFile : {false, true}) {
        const char* store = iniFile ? "INI file" : "memory";
        QTest::addRow("%s, Decimal", store) << iniFile << decimal << QStringLiteral("#000033023");
        QTest::addRow("%s, Binary", store)
            << iniFile << binary << QStringLiteral("#000000000000001000000011111111");
        QTest::addRow("%s, Hexadecimal", store) << iniFile << hex << QStringLiteral("0xFF8000");
        QTest::addRow("%s, no mode", store) << iniFile << noMode << QStringLiteral("#");
        QTest::addRow("%s, awkward prefix", store)
            << iniFile << awkwardPrefix << QStringLiteral(" [x=\"a,b\"; \\n] \u00e9 000033023");
    }
}

void PickerSettingsTest::storedValuesRoundTrip() {
    QFETCH(bool, iniFile);
    QFETCH(Values, stored);
    QFETCH(QString, valueText);

    RecordingPlatform memory;
    IniPlatform ini;
    PlatformServices& services = iniFile ? ini.services : memory.services;
    const auto contents = [&] {
        return iniFile ? iniContents(iniPath()) : memory.settings.values;
    };
    if (iniFile) {
        writeIni(iniPath(), stored);
    } else {
        memory.settings.values = stored;
    }
    COMPARE_VALUES(contents(), stored);

    for (int session = 0; session < 2; ++session) {
        Picker picker(services);
        for (int i = 0; i < kFavoriteCount; ++i) {
            QCOMPARE(QString::number(picker->picFavorite[static_cast<std::size_t>(i)]->backColor()),
                     stored.value(favoriteKey(i)));
        }
        QCOMPARE(QString::number(picker->picCurColor->backColor()), stored.value(kCurrentColorKey));
        QCOMPARE(picker->chkAutoCopy->isChecked(),
                 stored.value(kAutoCopyKey) == QLatin1String("1"));
        QCOMPARE(picker->optDecimal->isChecked(),
                 stored.value(kDecimalKey) == QLatin1String("True"));
        QCOMPARE(picker->optHex->isChecked(),
                 stored.value(kHexadecimalKey) == QLatin1String("True"));
        QCOMPARE(picker->optBinary->isChecked(), stored.value(kBinaryKey) == QLatin1String("True"));
        QCOMPARE(picker->txtPrefix->text(), stored.value(kPrefixKey));
        QCOMPARE(picker->txtNumChars->text(), stored.value(kWidthKey));
        QCOMPARE(picker->txtValue->text(), valueText);
        QCOMPARE(twipsText(picker->pos().x()), stored.value(kXKey));
        QCOMPARE(twipsText(picker->pos().y()), stored.value(kYKey));
        picker.close();
        COMPARE_VALUES(contents(), stored);
    }
}

void PickerSettingsTest::userChangesRoundTrip() {
    IniPlatform ini;
    const QPoint movedTo(40, 30);
    {
        Picker picker(ini.services);
        picker->show();
        QVERIFY(QTest::qWaitForWindowActive(picker.get()));

        // Color: red 200 typed into its box, green 100 with the keyboard on its slider.
        QTest::mouseClick(picker->txtRed, Qt::LeftButton);
        QTest::keyClick(picker->txtRed, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(picker->txtRed, QStringLiteral("200"));
        picker->sldGreen->setFocus();
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(picker->sldGreen, Qt::Key_PageUp);
        }
        QCOMPARE(picker->picCurColor->backColor(), rgbColor(200, 100, 0));

        // Options: Decimal, a new prefix, a width of 10, auto-copy off.
        QTest::mouseClick(picker->optDecimal, Qt::LeftButton);
        QVERIFY(picker->optDecimal->isChecked());
        QTest::mouseClick(picker->txtPrefix, Qt::LeftButton);
        QTest::keyClick(picker->txtPrefix, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(picker->txtPrefix, QStringLiteral("0x"));
        QTest::mouseClick(picker->txtNumChars, Qt::LeftButton);
        QTest::keyClick(picker->txtNumChars, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(picker->txtNumChars, QStringLiteral("10"));
        QTest::mouseClick(picker->chkAutoCopy, Qt::LeftButton); // the width box loses the focus
        QVERIFY(!picker->chkAutoCopy->isChecked());
        QCOMPARE(picker->txtValue->text(), QStringLiteral("0x0000025800"));

        picker->move(movedTo);
        picker.close();
    }
    Values expected = defaultValues();
    expected[kCurrentColorKey] = QString::number(rgbColor(200, 100, 0));
    expected[kAutoCopyKey] = QStringLiteral("0");
    expected[kDecimalKey] = QStringLiteral("True");
    expected[kHexadecimalKey] = QStringLiteral("False");
    expected[kPrefixKey] = QStringLiteral("0x");
    expected[kWidthKey] = QStringLiteral("10");
    expected[kXKey] = twipsText(movedTo.x());
    expected[kYKey] = twipsText(movedTo.y());
    COMPARE_VALUES(iniContents(iniPath()), expected);

    // The next session opens as this one was left, and leaves the same file.
    ini.doubles.clipboard.calls.clear();
    {
        Picker picker(ini.services);
        QCOMPARE(picker->picCurColor->backColor(), rgbColor(200, 100, 0));
        QCOMPARE(picker->txtRed->text(), QStringLiteral("200"));
        QCOMPARE(picker->txtGreen->text(), QStringLiteral("100"));
        QCOMPARE(picker->txtBlue->text(), QStringLiteral("0"));
        QCOMPARE(picker->sldRed->value(), 200);
        QCOMPARE(picker->sldGreen->value(), 100);
        QVERIFY(picker->optDecimal->isChecked());
        QCOMPARE(picker->txtPrefix->text(), QStringLiteral("0x"));
        QCOMPARE(picker->txtNumChars->text(), QStringLiteral("10"));
        QVERIFY(picker->txtNumChars->isEnabled());
        QVERIFY(!picker->chkAutoCopy->isChecked());
        QCOMPARE(picker->txtValue->text(), QStringLiteral("0x0000025800"));
        QCOMPARE(picker->pos(), movedTo);
        QCOMPARE(ini.doubles.clipboard.calls, QStringList());
        picker.close();
    }
    COMPARE_VALUES(iniContents(iniPath()), expected);
}

// ---------------------------------------------------------------------------------------------
// Edge cases of loading

void PickerSettingsTest::autoCopyDecidesTheClipboardOnOpening_data() {
    QTest::addColumn<Values>("stored");
    QTest::addColumn<QStringList>("copied"); // every text put on the clipboard, in order

    QTest::newRow("empty store") << Values() << QStringList{QStringLiteral("|cFF000000")};

    Values off{{kAutoCopyKey, QStringLiteral("0")}, {kCurrentColorKey, QStringLiteral("33023")}};
    QTest::newRow("off, Hexadecimal") << off << QStringList();
    off.insert(kDecimalKey, QStringLiteral("True"));
    off.insert(kHexadecimalKey, QStringLiteral("False"));
    off.insert(kPrefixKey, QStringLiteral("#"));
    QTest::newRow("off, Decimal") << off << QStringList();

    Values on{{kAutoCopyKey, QStringLiteral("1")}, {kCurrentColorKey, QStringLiteral("33023")}};
    QTest::newRow("on, Hexadecimal") << on << QStringList{QStringLiteral("|cFFFF8000")};
    on.insert(kDecimalKey, QStringLiteral("True"));
    on.insert(kHexadecimalKey, QStringLiteral("False"));
    on.insert(kPrefixKey, QStringLiteral("#"));
    // Formatted with the restored options alone, not first with the window's initial ones.
    QTest::newRow("on, Decimal") << on << QStringList{QStringLiteral("#033023")};
    Values missing{{kCurrentColorKey, QStringLiteral("255")}};
    QTest::newRow("auto-copy missing") << missing << QStringList{QStringLiteral("|cFFFF0000")};
}

void PickerSettingsTest::autoCopyDecidesTheClipboardOnOpening() {
    QFETCH(Values, stored);
    QFETCH(QStringList, copied);
    RecordingPlatform p;
    p.settings.values = stored;
    Picker picker(p.services);

    if (copied.isEmpty()) {
        // Not even cleared: the user's clipboard is left alone.
        QCOMPARE(p.clipboard.calls, QStringList());
        QVERIFY(!picker->chkAutoCopy->isChecked());
        return;
    }
    QVERIFY(picker->chkAutoCopy->isChecked());
    // One text replaces what was there: the value text the restored settings make.
    QCOMPARE(p.clipboard.calls, (QStringList{"clear", "set:" + copied.first()}));
    QCOMPARE(p.clipboard.text, picker->txtValue->text());
}

void PickerSettingsTest::hexadecimalReplacesStoredWidth() {
    RecordingPlatform p;
    p.settings.values = {{kHexadecimalKey, QStringLiteral("True")},
                         {kDecimalKey, QStringLiteral("False")},
                         {kWidthKey, QStringLiteral("12")},
                         {kCurrentColorKey, QStringLiteral("33023")}};
    Picker picker(p.services);
    QCOMPARE(picker->txtNumChars->text(), QStringLiteral("6"));
    QVERIFY(!picker->txtNumChars->isEnabled());
    QCOMPARE(picker->txtValue->text(), QStringLiteral("|cFFFF8000"));
    picker.close();
    QCOMPARE(p.settings.values.value(kWidthKey), QStringLiteral("6"));
}

void PickerSettingsTest::decimalRaisesStoredWidth() {
    RecordingPlatform p;
    p.settings.values = {{kDecimalKey, QStringLiteral("True")},
                         {kHexadecimalKey, QStringLiteral("False")},
                         {kWidthKey, QStringLiteral("6")},
                         {kCurrentColorKey, QStringLiteral("16777215")}};
    Picker picker(p.services);
    QCOMPARE(picker->txtNumChars->text(), QStringLiteral("8"));
    QVERIFY(picker->txtNumChars->isEnabled());
    QCOMPARE(picker->txtValue->text(), QStringLiteral("|cFF16777215"));
    picker.close();
    QCOMPARE(p.settings.values.value(kWidthKey), QStringLiteral("8"));
}

void PickerSettingsTest::storedModes_data() {
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("hexadecimal");
    QTest::addColumn<QString>("binary");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("widthEnabled");
    QTest::addColumn<QString>("valueText"); // for 255, prefix "|cFF", width "10"

    const QString none; // a null text: the key is not stored
    const QString t = QStringLiteral("True");
    const QString f = QStringLiteral("False");
    const QString hexText = QStringLiteral("|cFFFF0000");
    const QString decText = QStringLiteral("|cFF0000000255");
    const QString binText = QStringLiteral("|cFF0011111111");
    // The later key wins: Binary over Hexadecimal over Decimal.
    QTest::newRow("none stored") << none << none << none << "Hexadecimal" << false << hexText;
    QTest::newRow("Decimal") << t << f << f << "Decimal" << true << decText;
    QTest::newRow("Hexadecimal") << f << t << f << "Hexadecimal" << false << hexText;
    QTest::newRow("Decimal and Hexadecimal") << t << t << f << "Hexadecimal" << false << hexText;
    QTest::newRow("Decimal, Hexadecimal missing")
        << t << none << f << "Hexadecimal" << false << hexText;
    QTest::newRow("Decimal and Binary") << t << f << t << "Binary" << true << binText;
    QTest::newRow("Hexadecimal and Binary") << f << t << t << "Binary" << true << binText;
    QTest::newRow("all three") << t << t << t << "Binary" << true << binText;
    QTest::newRow("Binary alone") << f << f << t << "Binary" << true << binText;
    // None selected: the value text is the prefix alone and the width box follows Hexadecimal.
    QTest::newRow("all False") << f << f << f << "none" << false << QStringLiteral("|cFF");
    QTest::newRow("letter case") << QStringLiteral("TRUE") << QStringLiteral("false") << f
                                 << "Decimal" << true << decText;

    // A number converts as the store converts it: 0 is False, any other number True. A number
    // is decimal, as the program writes numbers: sign, decimal point and exponent allowed,
    // blanks around it ignored.
    const QString zero = QStringLiteral("0");
    for (const char* number : {"1", "-1", "2", "1.5", " 1 ", "+1", "1e3", ".5"}) {
        QTest::addRow("Decimal [%s], Hexadecimal [0]", number)
            << QString::fromLatin1(number) << zero << f << "Decimal" << true << decText;
    }
    for (const char* number : {"0", "-0", "0.0", " 0 ", "0e5"}) {
        QTest::addRow("Decimal True, Hexadecimal [%s]", number)
            << t << QString::fromLatin1(number) << f << "Decimal" << true << decText;
    }
    QTest::newRow("Decimal [1], Hexadecimal [-1]")
        << QStringLiteral("1") << QStringLiteral("-1") << zero << "Hexadecimal" << false << hexText;
    QTest::newRow("Binary [1]") << zero << zero << QStringLiteral("1") << "Binary" << true
                                << binText;
    // Anything else is letters: the key takes its default. Decimal's False leaves no mode;
    // Hexadecimal's True, set after Decimal, wins.
    for (const char* letters : {"1abc", "&H1", "0x1", "1,000", "1 0", "inf", "nan", "yes"}) {
        QTest::addRow("Decimal [%s], Hexadecimal [0]", letters)
            << QString::fromLatin1(letters) << zero << f << "none" << false
            << QStringLiteral("|cFF");
        QTest::addRow("Decimal True, Hexadecimal [%s]", letters)
            << t << QString::fromLatin1(letters) << f << "Hexadecimal" << false << hexText;
    }
}

void PickerSettingsTest::storedModes() {
    QFETCH(QString, decimal);
    QFETCH(QString, hexadecimal);
    QFETCH(QString, binary);
    QFETCH(QString, selected);
    QFETCH(bool, widthEnabled);
    QFETCH(QString, valueText);

    RecordingPlatform p;
    p.settings.values = {{kCurrentColorKey, QStringLiteral("255")},
                         {kWidthKey, QStringLiteral("10")}};
    if (!decimal.isNull()) {
        p.settings.values.insert(kDecimalKey, decimal);
    }
    if (!hexadecimal.isNull()) {
        p.settings.values.insert(kHexadecimalKey, hexadecimal);
    }
    if (!binary.isNull()) {
        p.settings.values.insert(kBinaryKey, binary);
    }
    Picker picker(p.services);
    QCOMPARE(selectedMode(picker.get()), selected);
    QVERIFY(!picker->optBinary->isEnabled()); // selected or not, the user cannot pick it
    QCOMPARE(picker->txtNumChars->isEnabled(), widthEnabled);
    QCOMPARE(picker->txtNumChars->text(),
             widthEnabled ? QStringLiteral("10") : QStringLiteral("6"));
    QCOMPARE(picker->txtValue->text(), valueText);

    picker.close();
    const auto written = [&selected](const char* mode) {
        return selected == QLatin1String(mode) ? QStringLiteral("True") : QStringLiteral("False");
    };
    QCOMPARE(p.settings.values.value(kDecimalKey), written("Decimal"));
    QCOMPARE(p.settings.values.value(kHexadecimalKey), written("Hexadecimal"));
    QCOMPARE(p.settings.values.value(kBinaryKey), written("Binary"));
}

void PickerSettingsTest::storedWidthIsReadAsStored_data() {
    QTest::addColumn<bool>("iniFile");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown"); // in the width box after loading, and saved at unload
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QString>("valueText"); // for the color 5 with the prefix "|cFF"

    const auto zeros = [](int count) {
        return QString(count, QLatin1Char('0'));
    };
    const QString widest = QStringLiteral("|cFF") + zeros(kMaxValueWidth - 1) + QStringLiteral("5");
    struct Row {
        const char* name;
        const char* mode;
        QString stored;
        QString shown;
        int beeps;
        QString valueText;
    };
    // The box takes the stored text (as much of it as its 4 characters hold) and its Change
    // handler acts: a width of 0 beeps and becomes "1". Decimal formatting then raises a width
    // below the digits' length to that length, and pads by at most the formatter's widest.
    // An empty text is no width at all: the width box is never left empty.
    const std::vector<Row> rows = {
        {"zero", "Decimal", "0", "1", 1, "|cFF5"},
        {"zeros", "Decimal", "0000", "1", 1, "|cFF5"},
        {"five zeros", "Decimal", "00000", "1", 1, "|cFF5"},
        {"letters", "Decimal", "abc", "1", 1, "|cFF5"},
        {"a blank", "Decimal", " ", "1", 1, "|cFF5"},
        {"digits and letters", "Decimal", "12abc", "12ab", 0, "|cFF" + zeros(11) + "5"},
        {"a blank first", "Decimal", " 9", " 9", 0, "|cFF" + zeros(8) + "5"},
        {"a tab first", "Decimal", "\t3", "\t3", 0, "|cFF005"},
        {"a half", "Decimal", "7.5", "7.5", 0, "|cFF" + zeros(6) + "5"},
        {"hexadecimal number", "Decimal", "&HA", "&HA", 0, "|cFF" + zeros(9) + "5"},
        {"negative", "Decimal", "-5", "1", 0, "|cFF5"},
        {"below 1", "Decimal", "0.4", "1", 0, "|cFF5"},
        {"exponent", "Decimal", "1E9", "1E9", 0, widest},
        {"five nines", "Decimal", "99999", "9999", 0, widest},
        {"empty", "Decimal", "", "6", 0, "|cFF000005"},
        {"zero", "Hexadecimal", "0", "6", 1, "|cFF050000"},
        {"digits and letters", "Hexadecimal", "12abc", "6", 0, "|cFF050000"},
        {"zero", "Binary", "0", "3", 1, "|cFF101"},
        {"a blank first", "Binary", " 9", " 9", 0, "|cFF000000101"},
    };
    for (const bool iniFile : {false, true}) {
        for (const Row& row : rows) {
            QTest::addRow("%s, %s, %s", iniFile ? "INI file" : "memory", row.mode, row.name)
                << iniFile << QString::fromLatin1(row.mode) << row.stored << row.shown << row.beeps
                << row.valueText;
        }
    }
}

// "Number of Characters" is read as stored, set into the width box, and the box's own handlers
// act on it; the unload writes back what the box then holds.
void PickerSettingsTest::storedWidthIsReadAsStored() {
    QFETCH(bool, iniFile);
    QFETCH(QString, mode);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QFETCH(int, beeps);
    QFETCH(QString, valueText);

    const auto isMode = [&mode](const char* name) {
        return mode == QLatin1String(name) ? QStringLiteral("True") : QStringLiteral("False");
    };
    const Values values{{kCurrentColorKey, QStringLiteral("5")},
                        {kDecimalKey, isMode("Decimal")},
                        {kHexadecimalKey, isMode("Hexadecimal")},
                        {kBinaryKey, isMode("Binary")},
                        {kWidthKey, stored}};
    RecordingPlatform memory;
    IniPlatform ini;
    PlatformServices& services = iniFile ? ini.services : memory.services;
    const int& beeped = iniFile ? ini.doubles.beeper.beeps : memory.beeper.beeps;
    if (iniFile) {
        writeIni(iniPath(), values);
    } else {
        memory.settings.values = values;
    }

    Picker picker(services);
    QCOMPARE(selectedMode(picker.get()), mode);
    QCOMPARE(picker->txtNumChars->text(), shown);
    QCOMPARE(beeped, beeps);
    QCOMPARE(picker->txtValue->text(), valueText);
    verifySound(picker.get());
    picker.close();
    const Values written = iniFile ? iniContents(iniPath()) : memory.settings.values;
    QCOMPARE(written.value(kWidthKey), shown);
}

void PickerSettingsTest::emptyPrefixIsKept_data() {
    QTest::addColumn<bool>("iniFile");
    QTest::newRow("memory store") << false;
    QTest::newRow("INI file") << true;
}

void PickerSettingsTest::emptyPrefixIsKept() {
    QFETCH(bool, iniFile);
    RecordingPlatform memory;
    IniPlatform ini;
    PlatformServices& services = iniFile ? ini.services : memory.services;
    const Values stored{{kPrefixKey, QString()}, {kCurrentColorKey, QStringLiteral("33023")}};
    if (iniFile) {
        writeIni(iniPath(), stored);
        QVERIFY(readFile(iniPath()).contains("\nPrefix=\n"));
    } else {
        memory.settings.values = stored;
    }
    Picker picker(services);
    QCOMPARE(picker->txtPrefix->text(), QString());
    QCOMPARE(picker->txtValue->text(), QStringLiteral("FF8000"));
    picker.close();
    const Values written = iniFile ? iniContents(iniPath()) : memory.settings.values;
    QVERIFY(written.contains(kPrefixKey));
    QCOMPARE(written.value(kPrefixKey), QString());
}

void PickerSettingsTest::clearedPrefixIsWrittenEmpty() {
    IniPlatform ini;
    {
        Picker picker(ini.services);
        picker->show();
        QVERIFY(QTest::qWaitForWindowActive(picker.get()));
        QTest::mouseClick(picker->txtPrefix, Qt::LeftButton);
        QTest::keyClick(picker->txtPrefix, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(picker->txtPrefix, Qt::Key_Delete);
        QCOMPARE(picker->txtValue->text(), QStringLiteral("000000"));
        picker.close();
    }
    QVERIFY(readFile(iniPath()).contains("\nPrefix=\n"));
    Picker reopened(ini.services);
    QCOMPARE(reopened->txtPrefix->text(), QString());
    QCOMPARE(reopened->txtValue->text(), QStringLiteral("000000"));
}

// ---------------------------------------------------------------------------------------------
// Hardened reading

void PickerSettingsTest::corruptValueFallsBackAlone_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    // What the next unload writes where it differs from what was stored: the corrupt key's
    // default, and what follows from it.
    QTest::addColumn<Values>("changed");

    const QString centeredX = twipsText(initialPickerPosition().x());
    const QString centeredY = twipsText(initialPickerPosition().y());
    const Values favorite5Default{{favoriteKey(5), QStringLiteral("32896")}};
    const Values favorite14Default{{favoriteKey(14), QStringLiteral("16777215")}};
    const Values favorite0Default{{favoriteKey(0), QStringLiteral("8388608")}};
    const Values black{{kCurrentColorKey, QStringLiteral("0")}};
    const Values autoCopyOn{{kAutoCopyKey, QStringLiteral("1")}};
    const Values width6{{kWidthKey, QStringLiteral("6")}};

    QTest::newRow("favorite: letters") << favoriteKey(5) << "red" << favorite5Default;
    QTest::newRow("favorite: trailing letters") << favoriteKey(5) << "255px" << favorite5Default;
    QTest::newRow("favorite: hexadecimal") << favoriteKey(5) << "0xFF" << favorite5Default;
    QTest::newRow("favorite: fraction") << favoriteKey(5) << "12.5" << favorite5Default;
    QTest::newRow("favorite: empty") << favoriteKey(5) << "" << favorite5Default;
    QTest::newRow("favorite: negative") << favoriteKey(14) << "-1" << favorite14Default;
    QTest::newRow("favorite: system color")
        << favoriteKey(14) << "-2147483633" << favorite14Default;
    QTest::newRow("favorite: above white") << favoriteKey(0) << "16777216" << favorite0Default;
    QTest::newRow("favorite: beyond 32 bits")
        << favoriteKey(0) << "99999999999" << favorite0Default;

    QTest::newRow("current color: letters") << kCurrentColorKey << "blue" << black;
    QTest::newRow("current color: above white") << kCurrentColorKey << "16777216" << black;
    QTest::newRow("current color: negative") << kCurrentColorKey << "-5" << black;
    QTest::newRow("current color: beyond 32 bits") << kCurrentColorKey << "2147483648" << black;
    QTest::newRow("current color: empty") << kCurrentColorKey << "" << black;

    QTest::newRow("auto-copy: 2") << kAutoCopyKey << "2" << autoCopyOn;
    QTest::newRow("auto-copy: -1") << kAutoCopyKey << "-1" << autoCopyOn;
    QTest::newRow("auto-copy: yes") << kAutoCopyKey << "yes" << autoCopyOn;
    QTest::newRow("auto-copy: False") << kAutoCopyKey << "False" << autoCopyOn;
    QTest::newRow("auto-copy: empty") << kAutoCopyKey << "" << autoCopyOn;

    // Decimal falls back to False: no mode is left, and the width box follows Hexadecimal.
    QTest::newRow("Decimal: maybe")
        << kDecimalKey << "maybe"
        << Values{{kDecimalKey, QStringLiteral("False")}, {kWidthKey, QStringLiteral("6")}};
    // A number is a Boolean: "1" is True, as stored.
    QTest::newRow("Decimal: 1") << kDecimalKey << "1" << Values();
    // Hexadecimal falls back to True, and being set after Decimal, it wins.
    QTest::newRow("Hexadecimal: maybe") << kHexadecimalKey << "maybe"
                                        << Values{{kDecimalKey, QStringLiteral("False")},
                                                  {kHexadecimalKey, QStringLiteral("True")},
                                                  {kWidthKey, QStringLiteral("6")}};
    // Binary falls back to False, which it already was.
    QTest::newRow("Binary: maybe") << kBinaryKey << "maybe" << Values();
    QTest::newRow("Binary: empty") << kBinaryKey << "" << Values();

    // The width is read as stored and the box's handlers act: no width becomes "1" (with a
    // beep), which Decimal raises to the five digits of 33023, as it raises -5.
    const Values width5{{kWidthKey, QStringLiteral("5")}};
    QTest::newRow("width: letters") << kWidthKey << "abc" << width5;
    QTest::newRow("width: zero") << kWidthKey << "0" << width5;
    QTest::newRow("width: zeros") << kWidthKey << "0000" << width5;
    QTest::newRow("width: exponent") << kWidthKey << "1E9" << Values{{kWidthKey, "1E9"}};
    QTest::newRow("width: negative") << kWidthKey << "-5" << width5;
    QTest::newRow("width: fraction") << kWidthKey << "7.5" << Values{{kWidthKey, "7.5"}};
    QTest::newRow("width: empty") << kWidthKey << "" << width6;
    // Wider than the formatter pads: bounded as the formatter bounds it.
    QTest::newRow("width: 99999") << kWidthKey << "99999"
                                  << Values{{kWidthKey, QString::number(kMaxValueWidth)}};
    QTest::newRow("width: 40 digits") << kWidthKey << QString(40, QLatin1Char('9'))
                                      << Values{{kWidthKey, QString::number(kMaxValueWidth)}};

    // Any text is a prefix; the box keeps as much as it holds.
    QTest::newRow("prefix: a megabyte") << kPrefixKey << QString(1 << 20, QLatin1Char('p'))
                                        << Values{{kPrefixKey, QString(32767, QLatin1Char('p'))}};

    QTest::newRow("X: letters") << kXKey << "left" << Values{{kXKey, centeredX}};
    QTest::newRow("X: a megabyte of digits")
        << kXKey << QString(1 << 20, QLatin1Char('7')) << Values{{kXKey, centeredX}};
    QTest::newRow("X: trailing letters") << kXKey << "1500twips" << Values{{kXKey, centeredX}};
    QTest::newRow("X: infinite") << kXKey << "inf" << Values{{kXKey, centeredX}};
    QTest::newRow("X: not a number") << kXKey << "nan" << Values{{kXKey, centeredX}};
    QTest::newRow("X: beyond single precision") << kXKey << "1e39" << Values{{kXKey, centeredX}};
    QTest::newRow("X: empty") << kXKey << "" << Values{{kXKey, centeredX}};
    QTest::newRow("Y: letters") << kYKey << "top" << Values{{kYKey, centeredY}};
    QTest::newRow("Y: far beyond every screen") << kYKey << "1e30" << Values{{kYKey, centeredY}};
}

void PickerSettingsTest::corruptValueFallsBackAlone() {
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(Values, changed);

    RecordingPlatform p;
    p.settings.values = customValues();
    p.settings.values[key] = text;
    Picker picker(p.services);
    verifySound(picker.get());
    picker.close();

    Values expected = customValues();
    for (auto it = changed.cbegin(); it != changed.cend(); ++it) {
        expected[it.key()] = it.value();
    }
    COMPARE_VALUES(p.settings.values, expected);
}

void PickerSettingsTest::missingKeysTakeTheirDefaults() {
    // Each key left out on its own: the unload writes that key's default, the rest as stored.
    const Values custom = customValues();
    const Values defaults = defaultValues();
    for (const QString& key : custom.keys()) {
        RecordingPlatform p;
        p.settings.values = custom;
        p.settings.values.remove(key);
        {
            Picker picker(p.services);
            picker.close();
        }
        Values expected = custom;
        expected[key] = defaults.value(key);
        if (key == kDecimalKey) {
            expected[kWidthKey] = QStringLiteral("6"); // no mode is left: the width follows Hex
        }
        if (key == kHexadecimalKey) {
            // Hexadecimal's default is True and, set after Decimal, it wins.
            expected[kDecimalKey] = QStringLiteral("False");
            expected[kWidthKey] = QStringLiteral("6");
        }
        COMPARE_VALUES(p.settings.values, expected);
    }
}

void PickerSettingsTest::garbageFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QList<int>>(
        "intactFavorites"); // favorites stored whole, on lines of their own

    const QByteArray header = "[Favorites]\n";
    QTest::newRow("empty file") << QByteArray() << QList<int>();
    QTest::newRow("only blanks") << QByteArray(4096, ' ') << QList<int>();
    QTest::newRow("NUL bytes") << QByteArray(65536, '\0') << QList<int>();

    QRandomGenerator bytes(4711);
    QByteArray noise(1 << 20, Qt::Uninitialized);
    for (char& c : noise) {
        c = static_cast<char>(bytes.bounded(256));
    }
    QTest::newRow("1 MB of random bytes") << noise << QList<int>();
    QTest::newRow("random bytes after intact favorites")
        << header + "3=255\n7=65280\n" + noise << QList<int>{3, 7};
    QTest::newRow("random bytes before intact favorites")
        << noise.left(4096) + "\n\n" + header + "3=255\n7=65280\n"
        << QList<int>{3, 7};

    // One damaged line makes QSettings take the lines after it into itself.
    QTest::newRow("stray quote before intact favorites") << header + "1=ab\"cd\n3=255\n7=65280\n"
                                                         << QList<int>{3, 7};
    QTest::newRow("comment mark before intact favorites") << header + "1=ab;cd\n3=255\n7=65280\n"
                                                          << QList<int>{3, 7};
    QTest::newRow("trailing backslash before intact favorites")
        << header + "1=abcd\\\n3=255\n7=65280\n"
        << QList<int>{3, 7};

    const QByteArray huge(1 << 20, '7');
    QTest::newRow("1 MB values") << header + "0=" + huge +
                                        "\n1=32768\n[Settings]\nCurrent%20Color=" + huge +
                                        "\nPrefix=" + huge + "\nNumber%20of%20Characters=" + huge +
                                        "\n[Form%20Position]\nX=" + huge + "\nY=" + huge + "\n"
                                 << QList<int>{1};
    QTest::newRow("1 MB binary value")
        << header + "2=8421376\n4=" + noise.left(1 << 20).replace('\n', ' ').replace('\r', ' ') +
               "\n"
        << QList<int>{2};

    QTest::newRow("values of other kinds")
        << header + "0=@Rect(1 2 3 4)\n1=@ByteArray(32768)\n2=@Variant(\\0\\0\\0\\x7f\\0\\0)\n"
                    "3=@Point(1 2)\n4=@Size(1 2)\n5=a, b, c\n6=12632256\n"
                    "[Settings]\nCurrent%20Color=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"
                    "AutoCopy=@Rect(0 0 1 1)\nDecimal=@ByteArray(True)\nPrefix=@Rect(1 2 3 4)\n"
                    "Number%20of%20Characters=@Variant(garbage\n"
        << QList<int>{6};

    // Files as a crash or a bad disk might leave them: the real layout with keys missing at
    // random, values replaced by random bytes or by 1 MB runs, and random bytes in between.
    for (quint32 seed = 1; seed <= 12; ++seed) {
        QRandomGenerator rng(seed);
        const auto garbage = [&rng](int length, bool lineBreaks) {
            QByteArray text(length, Qt::Uninitialized);
            for (char& c : text) {
                do {
                    c = static_cast<char>(rng.bounded(256));
                } while (!lineBreaks && (c == '\n' || c == '\r'));
            }
            return text;
        };
        QByteArray content = garbage(static_cast<int>(rng.bounded(2048)), true) + "\n";
        QList<int> intact;
        content += header;
        for (int i = 0; i < kFavoriteCount; ++i) {
            const QByteArray key = QByteArray::number(i) + "=";
            switch (rng.bounded(4)) {
            case 0: // missing
                break;
            case 1:
                content += key + QByteArray::number(rng.bounded(0x1000000)) + "\n";
                intact << i;
                break;
            case 2:
                content += key + garbage(static_cast<int>(rng.bounded(64)), false) + "\n";
                break;
            default:
                content += key + QByteArray(static_cast<int>(rng.bounded(1 << 20)), '9') + "\n";
                break;
            }
        }
        content += "[Settings]\nCurrent%20Color=" + garbage(8, false) + "\nAutoCopy=0\n" +
                   "Prefix=" + garbage(static_cast<int>(rng.bounded(1 << 20)), false) + "\n" +
                   "Number%20of%20Characters=" + garbage(3, false) + "\n";
        content += garbage(static_cast<int>(rng.bounded(4096)), true);
        QTest::addRow("damaged file, seed %u", seed) << content << intact;
    }
}

void PickerSettingsTest::garbageFile() {
    QFETCH(QByteArray, content);
    QFETCH(QList<int>, intactFavorites);
    // The intact favorites' values, as written on their own lines after "[Favorites]".
    QMap<int, QString> intact;
    const qsizetype section = content.indexOf("[Favorites]\n");
    for (int i : intactFavorites) {
        const QByteArray line = "\n" + QByteArray::number(i) + "=";
        const qsizetype at = content.indexOf(line, section);
        QVERIFY(section >= 0 && at >= 0);
        const qsizetype end = content.indexOf('\n', at + 1);
        intact.insert(i,
                      QString::fromLatin1(content.mid(at + line.size(), end - at - line.size())));
    }

    // Opening: the store reads the file, the picker loads from it. A busy machine can stall
    // any one opening, so the file is opened up to three times and the quickest counts.
    std::unique_ptr<IniPlatform> ini;
    std::unique_ptr<Picker> picker;
    qint64 firstMs = -1;
    qint64 quickestMs = std::numeric_limits<qint64>::max();
    for (int attempt = 0; attempt < 3 && quickestMs >= 100 * hueprint::testing::kTimeLimitFactor;
         ++attempt) {
        picker.reset(); // the attempt before wrote its file: start again from the damaged one
        ini.reset();
        QFile file(iniPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(content), content.size());
        file.close();

        QElapsedTimer timer;
        timer.start();
        ini = std::make_unique<IniPlatform>();
        picker = std::make_unique<Picker>(ini->services);
        const qint64 openingMs = timer.elapsed();
        firstMs = firstMs < 0 ? openingMs : firstMs;
        quickestMs = std::min(quickestMs, openingMs);
    }
    QVERIFY2(quickestMs < 100 * hueprint::testing::kTimeLimitFactor,
             qPrintable(QStringLiteral("opened in %1 ms at best").arg(quickestMs)));
    slowestGarbageOpeningMs_ = std::max(slowestGarbageOpeningMs_, quickestMs);
    slowestFirstOpeningMs_ = std::max(slowestFirstOpeningMs_, firstMs);

    verifySound(picker->get());
    QVERIFY(ini->doubles.messageBox.shown.empty());
    for (auto it = intact.cbegin(); it != intact.cend(); ++it) {
        QCOMPARE(QString::number(
                     (*picker)->picFavorite[static_cast<std::size_t>(it.key())]->backColor()),
                 it.value());
    }

    // Closing writes a valid file, which the next session reads back as it was left.
    picker->close();
    picker.reset();
    ini.reset();
    QSettings check(iniPath(), QSettings::IniFormat);
    QCOMPARE(check.status(), QSettings::NoError);
    // Every key of the picker is there (the keys QSettings made of the garbage stay too).
    const Values saved = iniContents(iniPath());
    for (const QString& key : defaultValues().keys()) {
        QVERIFY2(saved.contains(key), qPrintable(key));
    }
    for (auto it = intact.cbegin(); it != intact.cend(); ++it) {
        QCOMPARE(saved.value(favoriteKey(it.key())), it.value());
    }
    // ... each in the form it is read back in.
    for (int i = 0; i < kFavoriteCount; ++i) {
        QVERIFY(readStoredColor(saved.value(favoriteKey(i))).has_value());
    }
    QVERIFY(readStoredColor(saved.value(kCurrentColorKey)).has_value());
    QVERIFY(readStoredAutoCopy(saved.value(kAutoCopyKey)).has_value());
    for (const QString& mode : {kDecimalKey, kHexadecimalKey, kBinaryKey}) {
        QVERIFY(readStoredBoolean(saved.value(mode)).has_value());
    }
    QCOMPARE(readStoredWidth(saved.value(kWidthKey)), saved.value(kWidthKey));
    QVERIFY(readStoredPosition(saved.value(kXKey)).has_value());
    QVERIFY(readStoredPosition(saved.value(kYKey)).has_value());

    IniPlatform again;
    Picker reopened(again.services);
    verifySound(reopened.get());
    reopened.close();
    COMPARE_VALUES(iniContents(iniPath()), saved);
}

// ---------------------------------------------------------------------------------------------
// Window position

void PickerSettingsTest::storedPosition_data() {
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::addColumn<QPoint>("expected"); // in pixels; (-1, -1) for the centered place

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QSize size(pixelsFromTwips(5295), pixelsFromTwips(2055));
    const QPoint centered(-1, -1);
    QTest::newRow("on screen") << "1500"
                               << "1200" << QPoint(100, 80);
    QTest::newRow("top left corner") << "0"
                                     << "0" << QPoint(0, 0);
    QTest::newRow("fraction of a pixel") << "1507.5"
                                         << "1192.5" << QPoint(101, 80);
    QTest::newRow("partly off the right edge")
        << twipsText(screen.right() - 10) << "1500" << QPoint(screen.right() - 10, 100);
    QTest::newRow("partly off the top")
        << "1500" << twipsText(-size.height() + 5) << QPoint(100, -size.height() + 5);
    QTest::newRow("wholly off the right") << twipsText(screen.right() + 50) << "1500" << centered;
    QTest::newRow("wholly off the left") << twipsText(-size.width() - 1) << "1500" << centered;
    QTest::newRow("wholly below") << "1500" << twipsText(screen.bottom() + 1) << centered;
    QTest::newRow("monitor removed, far away") << "-153600"
                                               << "86400" << centered;
    QTest::newRow("only X stored, on screen")
        << "1500" << QString() << QPoint(100, initialPickerPosition().y());
    QTest::newRow("only Y stored, off screen") << QString() << "-30000" << centered;
}

void PickerSettingsTest::storedPosition() {
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(QPoint, expected);
    if (expected == QPoint(-1, -1)) {
        expected = initialPickerPosition();
    }
    RecordingPlatform p;
    if (!x.isNull()) {
        p.settings.values.insert(kXKey, x);
    }
    if (!y.isNull()) {
        p.settings.values.insert(kYKey, y);
    }
    Picker picker(p.services);
    QCOMPARE(picker->pos(), expected);
    picker.close();
    QCOMPARE(p.settings.values.value(kXKey), twipsText(expected.x()));
    QCOMPARE(p.settings.values.value(kYKey), twipsText(expected.y()));
}

void PickerSettingsTest::shownPositionRoundTrips() {
    // Showing the window does not shift it: what was restored is what the next unload writes.
    RecordingPlatform p;
    p.settings.values = {{kXKey, QStringLiteral("1500")}, {kYKey, QStringLiteral("1200")}};
    for (int session = 0; session < 3; ++session) {
        Picker picker(p.services);
        picker->show();
        QVERIFY(QTest::qWaitForWindowExposed(picker.get()));
        QCOMPARE(picker->pos(), QPoint(100, 80));
        picker.close();
        QCOMPARE(p.settings.values.value(kXKey), QStringLiteral("1500"));
        QCOMPARE(p.settings.values.value(kYKey), QStringLiteral("1200"));
    }
}

// ---------------------------------------------------------------------------------------------
// The file on disk

void PickerSettingsTest::saveReplacesTheFileWhole() {
    IniPlatform ini;
    {
        Picker picker(ini.services);
        picker.close();
    }
    struct stat before {};
    QCOMPARE(::stat(QFile::encodeName(iniPath()).constData(), &before), 0);
    const QByteArray oldContent = readFile(iniPath());
    // A reader that opened the file before the save keeps the whole old file.
    QFile reader(iniPath());
    QVERIFY(reader.open(QIODevice::ReadOnly));

    {
        Picker picker(ini.services);
        picker->sldRed->setValue(255);
        picker.close();
    }
    struct stat after {};
    QCOMPARE(::stat(QFile::encodeName(iniPath()).constData(), &after), 0);
    // A new file took the old one's name in one step: its inode differs.
    QVERIFY(after.st_ino != before.st_ino);
    QCOMPARE(reader.readAll(), oldContent);
    QCOMPARE(iniContents(iniPath()).value(kCurrentColorKey), QStringLiteral("255"));
    // Nothing is left behind: no temporary file, no lock file.
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList{kApplication + QStringLiteral(".ini")});
}

void PickerSettingsTest::unwritableLocation_data() {
    QTest::addColumn<QString>("blocker"); // what stands where the settings would go
    QTest::newRow("folder path runs through a file") << QStringLiteral("file");
    QTest::newRow("the file's name is taken by a folder") << QStringLiteral("folder");
}

void PickerSettingsTest::unwritableLocation() {
    QFETCH(QString, blocker);
    if (blocker == QLatin1String("file")) {
        QFile file(dir_->filePath(QStringLiteral("not-a-folder")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           dir_->filePath(QStringLiteral("not-a-folder/config")));
    } else {
        QVERIFY(QDir(dir_->path()).mkdir(kApplication + QStringLiteral(".ini")));
    }

    for (int session = 0; session < 2; ++session) {
        IniPlatform ini;
        Picker picker(ini.services);
        verifySound(picker.get());
        QCOMPARE(picker->picCurColor->backColor(), 0); // nothing was ever saved
        picker->sldRed->setValue(200);
        QCOMPARE(picker->txtValue->text(), QStringLiteral("|cFFC80000"));
        picker.close();
        QVERIFY(picker.isGone());
        QVERIFY(ini.doubles.messageBox.shown.empty());
        QCOMPARE(ini.doubles.beeper.beeps, 0);
        QCOMPARE(ini.doubles.programExit.ends, 0);
    }
}

void PickerSettingsTest::exitWithPickerOpenSaves() {
    RecordingPlatform doubles;
    QtSettingsStore store(kApplication);
    SnapshotProgramExit programExit(iniPath());
    PlatformServices services{doubles.clipboard,   doubles.messageBox, doubles.beeper, programExit,
                              doubles.colorDialog, doubles.random,     store};
    PickerHost host(services);
    QPointer<Form1> form = new Form1(services, host);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.data()));

    QTest::mouseClick(form->Command5, Qt::LeftButton); // "C&ustom Color"
    frmMain* picker = host.picker();
    QVERIFY(picker != nullptr);
    picker->sldRed->setValue(255);
    picker->sldGreen->setValue(128);
    QVERIFY(!QFile::exists(iniPath())); // nothing written while the picker is open

    QTest::mouseClick(form->Command4, Qt::LeftButton); // "E&xit"
    QCOMPARE(programExit.ends, 1);
    // When the program was told to end, the picker's settings were already on disk.
    QCOMPARE(programExit.fileAtEnd.value(kCurrentColorKey), QStringLiteral("33023"));
    QCOMPARE(programExit.fileAtEnd.size(), defaultValues().size());
    QVERIFY(host.picker() == nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form.isNull());
}

QTEST_MAIN(PickerSettingsTest)
#include "tst_picker_settings.moc"
