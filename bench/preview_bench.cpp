// SPDX-License-Identifier: MIT
// The in-game preview under load (not a test: it prints figures for BENCHMARKS.md). Built
// against this revision and against the preview before it became an editor (bench/preview.sh
// builds both); where the two differ, __has_include tells which one it is built against.
//   1. A megabyte of markup with a color code every ten characters: shown and drawn by the
//      preview window, then scrolled to its end.
//   2. Typing into 100 kB: into Text1 while the preview follows it, and (the editor) into the
//      preview's panel while Text1 follows it. The time each keystroke takes where it is typed,
//      and the longest the event loop is held up in the gap after it.
// Each figure is printed as a line "<name>\t<milliseconds>", one per sample.

#include "app/picker_host.h"
#include "app/preview_wiring.h"
#include "app/template_window.h"
#include "platform/beeper.h"
#include "platform/clipboard.h"
#include "platform/color_dialog.h"
#include "platform/message_box.h"
#include "platform/program_exit.h"
#include "platform/random_source.h"
#include "platform/settings_store.h"
// The rooms as they are now, or as they were at the baseline revision.
#if __has_include("markup/markup_render.h")
#include "editor/preview_panel.h"
#include "editor/preview_window.h"
#include "markup/markup_render.h"
#else
#include "preview/preview_panel.h"
#include "preview/preview_render.h"
#include "preview/preview_window.h"
#endif

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QThread>
#include <algorithm>
#include <cstdio>

#if __has_include("markup/markup_edit.h")
#define HUEPRINT_EDITOR 1
#endif

using namespace hueprint;

namespace {

// A store that keeps nothing: the benchmark leaves the user's settings alone.
class NoSettings final : public SettingsStore {
public:
    std::optional<QString> value(const QString&, const QString&) override { return {}; }
    void setValue(const QString&, const QString&, const QString&) override {}
    void sync() override {}
};

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

void typing(PlatformServices& services, int keys) {
    PickerHost host(services);
    auto* form = new Form1(services, host);
    PreviewWiring wiring(services, form, host);
    form->show();
    form->Text1->setPlainText(markupOf(100 * 1024));
    wiring.openPreview();
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    form->Text1->setFocus();
    form->Text1->moveCursor(QTextCursor::End);
    typeInto(form->Text1, QStringLiteral("|cffab12cdtyping|r "), keys,
             "100 kB: keystroke in Text1, preview open", "100 kB: event-loop hold after it");
#ifdef HUEPRINT_EDITOR
    PreviewPanel* panel = wiring.preview()->panel();
    panel->setFocus();
    panel->moveCursor(QTextCursor::End);
    typeInto(panel, QStringLiteral("typing words "), keys, "100 kB: keystroke in the panel",
             "100 kB: event-loop hold after a panel keystroke");
    if (wiring.preview()->markup() != form->Text1->toPlainText()) {
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
    typing(services, keys);
    return 0;
}
