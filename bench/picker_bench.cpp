// SPDX-License-Identifier: MIT
// The picker (not a test: it prints figures for BENCHMARKS.md), each figure against a baseline
// measured in the same run, interleaved with it:
//   1. The picker built, loaded from its settings file and shown, with its first events
//      processed, against a bare QWidget of its size shown the same way.
//   2. The picker built and loaded (not shown) on a damaged 6 MB settings file, against the
//      same on the file a first run leaves and on an empty file.
//   3. One step of a slider by an arrow key, with its whole cascade (sliders, swatch, value
//      text, three boxes, clipboard), against the same key on a QSlider that writes its value
//      into one QLineEdit.

#include "app/picker_window.h"
#include "platform/beeper.h"
#include "platform/clipboard.h"
#include "platform/color_dialog.h"
#include "platform/message_box.h"
#include "platform/option_button.h"
#include "platform/program_exit.h"
#include "platform/random_source.h"
#include "platform/settings_store.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace hueprint;

namespace {

double ms(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

struct Spread {
    double median;
    double worst;
};

Spread spread(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.back()};
}

// The platform's own services, with the settings in the given store.
struct Services {
    explicit Services(SettingsStore& store)
        : services{clipboard, messageBox, beeper, programExit, colorDialog, random, store} {}
    QtClipboard clipboard;
    QtMessageBox messageBox;
    QtBeeper beeper;
    QtProgramExit programExit;
    QtColorDialog colorDialog;
    TimeSeededRandom random;
    PlatformServices services;
};

void report(const char* name, const std::vector<double>& times, const Spread& baseline) {
    const Spread s = spread(times);
    std::printf("  %-44s %8.4f / %8.4f ms   ratio %6.2f\n", name, s.median, s.worst,
                s.median / baseline.median);
}

// 1. The picker against a bare window of its size.
void pickerAgainstBareWindow(int rounds) {
    QtSettingsStore store(QStringLiteral("bench-picker"));
    Services platform(store);
    delete new frmMain(platform.services); // a first run: the settings file now exists
    std::vector<double> picker, bare;
    for (int round = 0; round <= rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        auto* window = new frmMain(platform.services);
        window->show();
        QCoreApplication::processEvents();
        const double pickerMs = ms(timer);
        delete window;

        timer.restart();
        auto* widget = new QWidget;
        widget->setWindowTitle(QStringLiteral("Hueprint For WarCraft 3 Colored Text"));
        widget->setFixedSize(353, 137);
        widget->show();
        QCoreApplication::processEvents();
        const double bareMs = ms(timer);
        delete widget;
        if (round > 0) { // the first round sets up the style and fonts for both
            picker.push_back(pickerMs);
            bare.push_back(bareMs);
        }
    }
    std::printf("Opening, %d rounds (median / worst):\n", rounds);
    const Spread baseline = spread(bare);
    report("bare QWidget 353 x 137, shown (baseline)", bare, baseline);
    report("picker built, loaded and shown", picker, baseline);
}

// Settings as a crash or a bad disk might leave them, 6 MB: random bytes, the real layout
// with favorites intact, missing, replaced by random bytes or by 1 MB runs of digits, a 1 MB
// prefix of random bytes, and random bytes after it.
QByteArray damagedFile() {
    QRandomGenerator rng(4711);
    const auto garbage = [&rng](int length, bool lineBreaks) {
        QByteArray text(length, Qt::Uninitialized);
        for (char& c : text) {
            do {
                c = static_cast<char>(rng.bounded(256));
            } while (!lineBreaks && (c == '\n' || c == '\r'));
        }
        return text;
    };
    QByteArray content = garbage(2048, true) + "\n[Favorites]\n";
    for (int i = 0; i < 15; ++i) {
        const QByteArray key = QByteArray::number(i) + "=";
        switch (i % 3) {
        case 0:
            content += key + QByteArray::number(rng.bounded(0x1000000)) + "\n";
            break;
        case 1:
            content += key + garbage(64, false) + "\n";
            break;
        default:
            content += key + QByteArray(1 << 20, '9') + "\n";
            break;
        }
    }
    content += "[Settings]\nCurrent%20Color=" + garbage(8, false) +
               "\nAutoCopy=0\nPrefix=" + garbage(1 << 20, false) +
               "\nNumber%20of%20Characters=" + garbage(3, false) + "\n";
    return content + garbage(4096, true);
}

// 2. The picker loading a damaged file against loading a valid one and an empty one.
void damagedSettingsFile(const QTemporaryDir& folder, int rounds) {
    // The file a first run leaves.
    const QString firstRun = QStringLiteral("bench-first-run");
    {
        QtSettingsStore store(firstRun);
        Services platform(store);
        delete new frmMain(platform.services);
    }
    QFile written(folder.filePath(firstRun + QStringLiteral(".ini")));
    const QByteArray valid = written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
    const QByteArray damaged = damagedFile();
    // As large, and sound: the first run's file with a prefix of the same size, which the
    // prefix box cuts to what it holds.
    QByteArray large = valid;
    large.replace("Prefix=|cFF", "Prefix=" + QByteArray(damaged.size() - valid.size(), 'p'));

    // Each opening reads a file of a new name: QSettings keeps the files it has read.
    int files = 0;
    const auto open = [&](const QByteArray& content) {
        const QString name = QStringLiteral("bench-%1").arg(++files);
        const QString fileName = folder.filePath(name + QStringLiteral(".ini"));
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(fileName));
            std::exit(1);
        }
        file.close();
        QElapsedTimer timer;
        timer.start();
        auto store = std::make_unique<QtSettingsStore>(name);
        auto platform = std::make_unique<Services>(*store);
        auto picker = std::make_unique<frmMain>(platform->services);
        const double elapsed = ms(timer);
        picker.reset(); // unloads: the settings are saved
        platform.reset();
        store.reset();
        QFile::remove(fileName);
        return elapsed;
    };
    std::vector<double> empty, first, sound, broken;
    for (int round = 0; round <= rounds; ++round) {
        const double e = open(QByteArray());
        const double f = open(valid);
        const double l = open(large);
        const double d = open(damaged);
        if (round > 0) {
            empty.push_back(e);
            first.push_back(f);
            sound.push_back(l);
            broken.push_back(d);
        }
    }
    std::printf("Settings file, %d rounds (median / worst; ratio to the first run's file):\n",
                rounds);
    const Spread baseline = spread(first);
    report("empty file", empty, baseline);
    report("the file a first run leaves (baseline)", first, baseline);
    report(qPrintable(QStringLiteral("the same with a prefix of %1 MB").arg(large.size() >> 20)),
           sound, baseline);
    report(qPrintable(QStringLiteral("damaged file, %1 MB").arg(damaged.size() >> 20)), broken,
           baseline);
    std::printf("  damaged file against the sound one of its size: ratio %.2f\n",
                spread(broken).median / spread(sound).median);
}

// Arrow keys on the slider, 255 to the right and 255 back; the time of one step.
double stepMs(QSlider* slider) {
    constexpr int kSteps = 510;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kSteps; ++i) {
        QKeyEvent press(QEvent::KeyPress, i < kSteps / 2 ? Qt::Key_Right : Qt::Key_Left,
                        Qt::NoModifier);
        QCoreApplication::sendEvent(slider, &press);
    }
    return ms(timer) / kSteps;
}

// 3. A slider step of the picker against the same step of a bare slider.
void sliderStep(int rounds) {
    QtSettingsStore store(QStringLiteral("bench-slider"));
    Services platform(store);
    frmMain picker(platform.services);
    picker.show();
    QWidget bareWindow; // a slider showing its value in one box
    auto* bare = new QSlider(Qt::Horizontal, &bareWindow);
    auto* box = new QLineEdit(&bareWindow);
    bare->setRange(0, 255);
    QObject::connect(bare, &QSlider::valueChanged, box,
                     [box](int value) { box->setText(QString::number(value)); });
    bareWindow.show();
    QCoreApplication::processEvents();
    std::vector<double> hex, decimal, alone;
    for (int round = 0; round <= rounds; ++round) {
        setOptionValue(picker.optHex, true);
        const double h = stepMs(picker.sldGreen);
        setOptionValue(picker.optDecimal, true);
        picker.txtNumChars->setText(QStringLiteral("9999")); // the widest the box holds
        const double d = stepMs(picker.sldGreen);
        const double b = stepMs(bare);
        if (round > 0) {
            hex.push_back(h);
            decimal.push_back(d);
            alone.push_back(b);
        }
    }
    std::printf("Slider step by arrow key, %d rounds of 510 steps (median / worst of a round's "
                "mean step):\n",
                rounds);
    const Spread baseline = spread(alone);
    report("QSlider writing one QLineEdit (baseline)", alone, baseline);
    report("picker, Hexadecimal", hex, baseline);
    report("picker, Decimal, width 9999", decimal, baseline);
}

} // namespace

int main(int argc, char* argv[]) {
    // The offscreen platform's and the font database's warnings would bury the figures.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);
    QTemporaryDir folder; // the user's own settings are left alone
    if (!folder.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;
    pickerAgainstBareWindow(rounds);
    damagedSettingsFile(folder, rounds);
    sliderStep(rounds);
    return 0;
}
