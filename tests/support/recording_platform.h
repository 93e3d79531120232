// SPDX-License-Identifier: MIT
#pragma once

#include "platform/beeper.h"
#include "platform/clipboard.h"
#include "platform/color_dialog.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/platform_services.h"
#include "platform/program_exit.h"
#include "platform/random_source.h"
#include "platform/settings_store.h"

#include <QMap>
#include <QPair>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace hueprint::testing {

// Records each clipboard call: "clear" or "set:<text>".
class RecordingClipboard final : public Clipboard {
public:
    void clear() override;
    void setText(const QString& text) override;

    QString text;      // what the clipboard holds now
    QStringList calls; // every call in order
};

// The texts a recording clipboard was given, in order, from its calls.
QStringList clipboardTexts(const QStringList& calls);

class RecordingMessageBox final : public MessageBox {
public:
    struct Shown {
        QWidget* parent;
        QString title;
        QString prompt;
    };
    void showInformation(QWidget* parent, const QString& title, const QString& prompt) override;
    // Records the question with the messages and gives the next scripted answer (Cancel when
    // none is left).
    QMessageBox::StandardButton ask(QWidget* parent, const QString& title, const QString& prompt,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton) override;
    std::vector<Shown> shown;
    std::vector<Shown> asked;
    std::deque<QMessageBox::StandardButton> answers;
};

// Answers each file dialog with the next scripted file name (empty for Cancel).
class ScriptedFileDialog final : public FileDialog {
public:
    QString openFileName(QWidget* parent, const QString& title, const QString& directory,
                         const QString& filter) override;
    std::deque<QString> answers;
    QStringList titles;
};

class CountingBeeper final : public Beeper {
public:
    void beep() override { ++beeps; }
    int beeps = 0;
};

class RecordingProgramExit final : public ProgramExit {
public:
    void endProgram() override {
        ++ends;
        if (atEnd) {
            atEnd();
        }
    }
    int ends = 0;
    std::function<void()> atEnd; // looks at what is left when the program would end
};

// Answers each dialog with the next scripted answer (a color, or nothing for Cancel).
class ScriptedColorDialog final : public ColorDialog {
public:
    std::optional<ColorValue> chooseColor(QWidget* parent, const QString& title,
                                          ColorValue initial) override;
    std::deque<std::optional<ColorValue>> answers;
    QStringList titles;
    std::vector<ColorValue> initialColors;
};

// Gives the scripted numbers in order, then 0.
class ScriptedRandom final : public RandomSource {
public:
    void reseedFromTimeOfDay() override { ++reseeds; }
    double nextUnit() override;
    std::deque<double> numbers;
    int reseeds = 0;
};

// A store in memory, keyed by "section/key".
class MemorySettingsStore final : public SettingsStore {
public:
    std::optional<QString> value(const QString& section, const QString& key) override;
    void setValue(const QString& section, const QString& key, const QString& text) override;
    void sync() override { ++syncs; }

    QMap<QString, QString> values;
    int syncs = 0;
};

// Recording doubles for every service, handed to windows under test.
struct RecordingPlatform {
    RecordingClipboard clipboard;
    RecordingMessageBox messageBox;
    CountingBeeper beeper;
    RecordingProgramExit programExit;
    ScriptedColorDialog colorDialog;
    ScriptedRandom random;
    MemorySettingsStore settings;
    ScriptedFileDialog fileDialog; // not among the services: only the map texts use it
    PlatformServices services{clipboard,   messageBox, beeper,  programExit,
                              colorDialog, random,     settings};
};

} // namespace hueprint::testing
