// SPDX-License-Identifier: MIT
// The in-game preview under load (not a test: it prints figures for BENCHMARKS.md). Built
// against this revision and against the preview before it became an editor (bench/preview.sh
// builds both); where the two differ, __has_include tells which one it is built against.
//   1. A megabyte of markup with a color code every ten characters, on one line: shown and
//      drawn by the preview window, then scrolled to its end.
//   2. 600 kB and 1 MB of map text (many short colored stretches, "|n", Chinese): the time from
//      opening the window with it to its first paint, the text laid out where it shows.
//   3. Typing into 100 kB (the one-line markup, then map text): into Text1 while the preview
//      follows it, and (the editor) into the preview's panel while Text1 follows it. The time
//      each keystroke takes where it is typed, and the longest the event loop is held up in the
//      gap after it.
// Each figure is printed as a line "<name>\t<milliseconds>", one per sample. A step that takes
// more than a minute stops the program with a message: a hang is a finding, not a figure.

#include "app/picker_host.h"
#include "app/preview_wiring.h"
#include "app/template_window.h"
#include "platform/beeper.h"
#include "platform/clipboard.h"
#include "platform/color_dialog.h"
#include "platform/message_box.h"
#include "platform/program_exit.h"
#include "platform/random_source.h"
// The rooms as they are now, or as they were at the baseline revision, before the editor.
#if __has_include("editor/preview_window.h")
#include "editor/preview_panel.h"
#include "editor/preview_window.h"
#define HUEPRINT_EDITOR 1
#else
#include "preview/preview_panel.h"
#include "preview/preview_window.h"
#endif

#include "no_settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <unistd.h>

using namespace hueprint;

namespace {

// Colored words: a ten-character code, then ten characters of text, over and over.
QString markupOf(qsizetype characters) {
    QString markup;
    markup.reserve(characters + 20);
    for (int i = 0; markup.size() < characters; ++i) {
        markup +=
            QStringLiteral("|cFF%1").arg((i * 2654435761U) & 0xFFFFFF, 6, 16, QLatin1Char('0'));
        markup += QStringLiteral("word %1 ").arg(i % 1000, 3, 10, QLatin1Char('0'));
    }
    markup.truncate(characters);
    return markup;
}

// Map text as a string table holds it, the same in every run: a text a line, each a title with
// its hotkey in gold and two to six lines joined by "|n" (a blank line now and then), a short
// colored stretch (a number, a name) every few words, now and then one left open, the codes
// spelled as map makers spell them; one text in four in Chinese.
QString mapTextOf(qsizetype characters) {
    static const char* const words[] = {
        "Deals", "damage", "to",     "enemy",    "units",   "within", "range",    "of",
        "the",   "target", "and",    "slows",    "their",   "speed",  "by",       "for",
        "Hero",  "Level",  "Mana",   "Cooldown", "Summons", "a",      "Storm",    "Bolt",
        "Frost", "Armor",  "attack", "heals",    "allies",  "nearby", "Requires", "Gold"};
    static const char16_t* const hanzi[] = {
        u"造成",     u"点伤害", u"对目标", u"范围内的", u"敌方单位", u"减缓",
        u"移动速度", u"持续",   u"秒",     u"英雄",     u"等级",     u"魔法消耗",
        u"冷却时间", u"召唤",   u"攻击",   u"提高",     u"治疗",     u"友军"};
    static const char* const colors[] = {"ffcc00", "00ff00", "ff0000", "ffd700", "3399ff",
                                         "c0c0c0", "99ccff", "ff8c00", "808080", "ffff00"};
    quint32 seed = 21;
    const auto next = [&seed](std::size_t n) {
        seed = seed * 1664525U + 1013904223U;
        return static_cast<std::size_t>(seed >> 8) % n;
    };
    const auto code = [&next](const char* color) {
        const QString digits = QString::fromLatin1(color);
        switch (next(20)) {
        case 0:
            return QStringLiteral("|c00") + digits;
        case 1:
        case 2:
        case 3:
        case 4:
            return QStringLiteral("|cff") + digits.toUpper();
        default:
            return QStringLiteral("|cff") + digits;
        }
    };
    QString markup;
    markup.reserve(characters + 1000);
    while (markup.size() < characters) {
        const bool chinese = next(4) == 0;
        const auto word = [&] {
            return chinese ? QString::fromUtf16(hanzi[next(std::size(hanzi))])
                           : QString::fromLatin1(words[next(std::size(words))]);
        };
        const QString gap = chinese ? QString() : QStringLiteral(" ");
        markup += word() + gap + word() + QStringLiteral(" [") + code("ffcc00") +
                  QChar(u'A' + static_cast<char16_t>(next(26))) + QStringLiteral("|r]|n");
        const std::size_t lines = 2 + next(5);
        for (std::size_t line = 0; line < lines; ++line) {
            const std::size_t count = 4 + next(9);
            for (std::size_t w = 0; w < count; ++w) {
                markup += w > 0 ? gap : QString();
                switch (next(6)) {
                case 0:
                    markup += code(colors[next(std::size(colors))]) + QString::number(next(500)) +
                              (next(10) > 0 ? QStringLiteral("|r") : QString());
                    break;
                case 1:
                    markup += code(colors[next(std::size(colors))]) + word() + QStringLiteral("|r");
                    break;
                default:
                    markup += word();
                }
            }
            markup += line + 1 == lines ? QStringLiteral("\n")
                      : next(4) == 0    ? QStringLiteral("|n|n")
                                        : QStringLiteral("|n");
        }
    }
    markup.truncate(characters);
    return markup;
}

// Stops the program with a message when a step takes longer than a minute.
const char* currentStep = "";
void stopHung(int) {
    const char message[] = "preview_bench: a step took more than a minute; stopped in: ";
    (void)!write(STDERR_FILENO, message, sizeof message - 1);
    (void)!write(STDERR_FILENO, currentStep, std::strlen(currentStep));
    (void)!write(STDERR_FILENO, "\n", 1);
    _exit(3);
}
class HangGuard {
public:
    explicit HangGuard(const char* step) {
        currentStep = step;
        std::signal(SIGALRM, stopHung);
        alarm(60);
    }
    ~HangGuard() { alarm(0); }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
};

// Tells whether a widget has been painted.
class PaintSeen final : public QObject {
public:
    bool seen = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        seen = seen || event->type() == QEvent::Paint;
        return QObject::eventFilter(watched, event);
    }
};

double ms(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void report(const char* name, double value) {
    std::printf("%s\t%.3f\n", name, value);
    std::fflush(stdout);
}

PreviewWindow* newPreview(PlatformServices& services) {
#ifdef HUEPRINT_EDITOR
    return new PreviewWindow(services.settings, services.colorDialog, QRect(0, 0, 420, 300));
#else
    return new PreviewWindow(services.settings, QRect(0, 0, 420, 300));
#endif
}

void megabyte(PlatformServices& services, int rounds) {
    const HangGuard guard("1 MB");
    const QString markup = markupOf(1 << 20);
    for (int round = 0; round < rounds; ++round) {
        std::unique_ptr<PreviewWindow> preview(newPreview(services));
        preview->show();
        QCoreApplication::processEvents();
        QElapsedTimer step;
        step.start();
        preview->showMarkup(markup);
        const double shown = ms(step);
        step.restart();
        preview->repaint();
        QCoreApplication::processEvents();
        const double painted = ms(step);
        step.restart();
        QScrollBar* bar = preview->panel()->verticalScrollBar();
        bar->setValue(bar->maximum()); // the end of the text, then drawn
        preview->repaint();
        QCoreApplication::processEvents();
        bar->setValue(bar->maximum()); // where the height was estimated, corrected
        preview->repaint();
        report("1 MB: showMarkup", shown);
        report("1 MB: first paint after it", painted);
        report("1 MB: parse and draw", shown + painted);
        report("1 MB: scrolled to the end and drawn", ms(step));
    }
}

// The window opened with the text as the user opens it (the text given, then shown): the time
// to the text drawn in the panel once.
void opened(PlatformServices& services, const QString& markup, int rounds, const char* shownName,
            const char* paintedName, const char* totalName) {
    const HangGuard guard(totalName);
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer total;
        total.start();
        std::unique_ptr<PreviewWindow> preview(newPreview(services));
        PaintSeen paint;
        preview->panel()->viewport()->installEventFilter(&paint);
        preview->showMarkup(markup);
        const double shown = ms(total);
        QElapsedTimer step;
        step.start();
        preview->show();
        QCoreApplication::processEvents();
        if (!paint.seen) {
            preview->repaint();
        }
        const double painted = ms(step);
        report(shownName, shown);
        report(paintedName, painted);
        report(totalName, ms(total));
        preview->panel()->viewport()->removeEventFilter(&paint);
    }
}

// Sends the keys to the box at 20 keys a second; each gap is spent in the event loop, where
// the gathered updates run.
void typeInto(QWidget* box, const QString& letters, int keys, const char* keyName,
              const char* holdName) {
    for (int i = 0; i < keys; ++i) {
        const QChar letter = letters.at(i % letters.size());
        QElapsedTimer timer;
        timer.start();
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(letter));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(letter));
        QCoreApplication::sendEvent(box, &press);
        QCoreApplication::sendEvent(box, &release);
        report(keyName, ms(timer));
        double longest = 0;
        QElapsedTimer gap;
        gap.start();
        while (gap.elapsed() < 50) {
            QElapsedTimer slice;
            slice.start();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            longest = std::max(longest, ms(slice));
            QThread::usleep(500);
        }
        report(holdName, longest);
    }
}

struct TypingNames {
    const char* text1Key;
    const char* text1Hold;
    const char* panelKey;
    const char* panelHold;
};

void typing(PlatformServices& services, const QString& markup, int keys, const TypingNames& names) {
    const HangGuard guard(names.text1Key);
    PickerHost host(services);
    auto* form = new Form1(services, host);
    PreviewWiring wiring(services, form, host);
    form->show();
    form->Text1->setPlainText(markup);
    wiring.openPreview();
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    form->Text1->setFocus();
    form->Text1->moveCursor(QTextCursor::End);
    typeInto(form->Text1, QStringLiteral("|cffab12cdtyping|r "), keys, names.text1Key,
             names.text1Hold);
#ifdef HUEPRINT_EDITOR
    auto* panel = wiring.preview()->panel();
    panel->setFocus();
    panel->moveCursor(QTextCursor::End);
    const QString typed = QStringLiteral("typing words ");
    typeInto(panel, typed, keys, names.panelKey, names.panelHold);
    if (!form->Text1->toPlainText().contains(typed.repeated(keys / typed.size()))) {
        std::fprintf(stderr, "Text1 did not follow the panel\n");
    }
#endif
    delete form;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    NoSettings store;
    QtClipboard clipboard;
    QtMessageBox messageBox;
    QtBeeper beeper;
    QtProgramExit programExit;
    QtColorDialog colorDialog;
    TimeSeededRandom random;
    PlatformServices services{clipboard,   messageBox, beeper, programExit,
                              colorDialog, random,     store};
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const int keys = argc > 2 ? std::max(1, std::atoi(argv[2])) : 40;
    megabyte(services, rounds);
    const QString mapText = mapTextOf(1 << 20);
    opened(services, mapText.left(600 * 1024), rounds, "600 kB map text: showMarkup",
           "600 kB map text: shown and painted after it", "600 kB map text: opened to first paint");
    opened(services, mapText, rounds, "1 MB map text: showMarkup",
           "1 MB map text: shown and painted after it", "1 MB map text: opened to first paint");
    typing(services, markupOf(100 * 1024), keys,
           {"100 kB: keystroke in Text1, preview open", "100 kB: event-loop hold after it",
            "100 kB: keystroke in the panel", "100 kB: event-loop hold after a panel keystroke"});
    typing(services, mapText.left(100 * 1024), keys,
           {"100 kB map text: keystroke in Text1, preview open",
            "100 kB map text: event-loop hold after it", "100 kB map text: keystroke in the panel",
            "100 kB map text: event-loop hold after a panel keystroke"});
    return 0;
}
