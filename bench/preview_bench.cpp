// SPDX-License-Identifier: MIT
// The in-game preview under load (not a test: it prints figures for BENCHMARKS.md).
//   1. A megabyte of markup with a color code every ten characters: rendered to runs, laid out
//      and drawn by the preview window.
//   2. Typing into Text1 while it holds 100 kB and the preview follows: the time each keystroke
//      takes in Text1 itself, and the longest the event loop is held up by the preview.

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
#include "preview/preview_panel.h"
#include "preview/preview_render.h"
#include "preview/preview_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

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

struct Spread {
    double median;
    double worst;
};

Spread spread(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.back()};
}

void megabyte(SettingsStore& store, int rounds) {
    const QString markup = markupOf(1 << 20);
    std::vector<double> parse, window, draw, end;
    for (int round = 0; round < rounds; ++round) {
        PreviewWindow preview(store, QRect(0, 0, 420, 300));
        preview.show();
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        const PreviewRendering rendering = renderPreview(markup);
        parse.push_back(ms(timer));
        QElapsedTimer step;
        step.start();
        preview.showMarkup(markup);
        window.push_back(ms(step));
        step.restart();
        preview.repaint();
        QCoreApplication::processEvents();
        draw.push_back(ms(step));
        const std::size_t firstView = preview.panel()->laidOutBlockCount();
        step.restart();
        QScrollBar* bar = preview.panel()->verticalScrollBar();
        bar->setValue(bar->maximum()); // the end of the text, then drawn
        preview.repaint();
        QCoreApplication::processEvents();
        bar->setValue(bar->maximum()); // the estimate corrected by what came into view
        preview.repaint();
        end.push_back(ms(step));
        if (round == 0) {
            std::printf("1 MB: %lld markup characters, %lld visible, %zu runs, %zu notes, "
                        "%zu blocks, %zu of them laid out for the first view\n",
                        static_cast<long long>(rendering.markupCharacters),
                        static_cast<long long>(rendering.visibleCharacters), rendering.runs.size(),
                        rendering.notes.size(), preview.panel()->blockCount(), firstView);
        }
    }
    const Spread p = spread(parse);
    const Spread w = spread(window);
    const Spread d = spread(draw);
    const Spread e = spread(end);
    std::printf("1 MB, %d rounds (median / worst):\n", rounds);
    std::printf("  renderPreview alone               %8.1f / %8.1f ms\n", p.median, p.worst);
    std::printf("  showMarkup (render, lay out, notes) %6.1f / %8.1f ms\n", w.median, w.worst);
    std::printf("  first paint of the window         %8.1f / %8.1f ms\n", d.median, d.worst);
    std::printf("  scrolled to the end and drawn     %8.1f / %8.1f ms\n", e.median, e.worst);
}

// The worst shapes of a megabyte: nothing but "|n" (half a million empty lines) and nothing
// but broken codes (a third of a million notes).
void pathological(SettingsStore& store) {
    const struct {
        const char* name;
        QString unit;
    } shapes[] = {{"1 MB of \"|n\"", QStringLiteral("|n")},
                  {"1 MB of \"|c\" cut short", QStringLiteral("|cX")}};
    for (const auto& shape : shapes) {
        QString markup;
        markup.reserve((1 << 20) + 4);
        while (markup.size() < (1 << 20)) {
            markup += shape.unit;
        }
        PreviewWindow preview(store, QRect(0, 0, 420, 300));
        preview.show();
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        preview.showMarkup(markup);
        preview.repaint();
        QCoreApplication::processEvents();
        std::printf("%s: shown and drawn in %.1f ms (%zu notes, %zu blocks)\n", shape.name,
                    ms(timer), preview.rendering().notes.size(), preview.panel()->blockCount());
    }
}

// withPreview false: the template window alone, the floor the preview adds to.
void typing(PlatformServices& services, int keys, bool withPreview) {
    PickerHost host(services);
    auto* form = new Form1(services, host);
    PreviewWiring wiring(services, form, host);
    form->show();
    form->Text1->setPlainText(markupOf(100 * 1024));
    if (withPreview) {
        wiring.openPreview();
    }
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    form->Text1->setFocus();
    form->Text1->moveCursor(QTextCursor::End);

    // 20 keys a second, a fast typist's pace; each gap is spent in the event loop, which is
    // where the preview's gathered update runs.
    std::vector<double> keystroke, stall;
    const QString letters = QStringLiteral("|cffab12cdtyping|r ");
    for (int i = 0; i < keys; ++i) {
        const QChar letter = letters.at(i % letters.size());
        QElapsedTimer timer;
        timer.start();
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(letter));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(letter));
        QCoreApplication::sendEvent(form->Text1, &press);
        QCoreApplication::sendEvent(form->Text1, &release);
        keystroke.push_back(ms(timer));
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
        stall.push_back(longest);
    }
    const Spread k = spread(keystroke);
    const Spread s = spread(stall);
    std::printf("typing %d keys into 100 kB of Text1, preview %s (median / worst):\n", keys,
                withPreview ? "open" : "closed");
    std::printf("  keystroke in Text1                %8.1f / %8.1f ms\n", k.median, k.worst);
    std::printf("  longest event-loop hold per key   %8.1f / %8.1f ms\n", s.median, s.worst);
    if (withPreview) {
        std::printf("  preview shows %lld markup characters at the end\n",
                    static_cast<long long>(wiring.preview()->rendering().markupCharacters));
    }
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
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    megabyte(store, rounds);
    pathological(store);
    typing(services, 100, false);
    typing(services, 100, true);
    return 0;
}
