// SPDX-License-Identifier: MIT
#include "recording_platform.h"

namespace hueprint::testing {

void RecordingClipboard::clear() {
    text.clear();
    calls << QStringLiteral("clear");
}

void RecordingClipboard::setText(const QString& newText) {
    text = newText;
    calls << QStringLiteral("set:") + newText;
}

void RecordingMessageBox::showInformation(QWidget* parent, const QString& title,
                                          const QString& prompt) {
    shown.push_back({parent, title, prompt});
}

QMessageBox::StandardButton
RecordingMessageBox::ask(QWidget* parent, const QString& title, const QString& prompt,
                         QMessageBox::StandardButtons /*buttons*/,
                         QMessageBox::StandardButton /*defaultButton*/) {
    asked.push_back({parent, title, prompt});
    if (answers.empty()) {
        return QMessageBox::Cancel;
    }
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedFileDialog::openFileName(QWidget* /*parent*/, const QString& title,
                                         const QString& /*directory*/, const QString& /*filter*/) {
    titles << title;
    if (answers.empty()) {
        return {};
    }
    QString answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<ColorValue>
ScriptedColorDialog::chooseColor(QWidget* /*parent*/, const QString& title, ColorValue initial) {
    titles << title;
    initialColors.push_back(initial);
    if (answers.empty()) {
        return std::nullopt;
    }
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

double ScriptedRandom::nextUnit() {
    if (numbers.empty()) {
        return 0.0;
    }
    const double next = numbers.front();
    numbers.pop_front();
    return next;
}

std::optional<QString> MemorySettingsStore::value(const QString& section, const QString& key) {
    const auto found = values.constFind(section + QLatin1Char('/') + key);
    if (found == values.constEnd()) {
        return std::nullopt;
    }
    return *found;
}

void MemorySettingsStore::setValue(const QString& section, const QString& key,
                                   const QString& text) {
    values.insert(section + QLatin1Char('/') + key, text);
}

QStringList clipboardTexts(const QStringList& calls) {
    QStringList texts;
    for (const QString& call : calls) {
        if (call.startsWith(QLatin1String("set:"))) {
            texts << call.mid(4);
        }
    }
    return texts;
}

} // namespace hueprint::testing
