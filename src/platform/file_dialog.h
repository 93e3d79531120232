// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;

namespace hueprint {

// The system's dialog for choosing a file to open, shown modally.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    // The chosen file, or an empty text when the user cancelled. filter: "Name (*.ext);;...".
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& directory,
                                 const QString& filter) = 0;
};

class QtFileDialog final : public FileDialog {
public:
    QString openFileName(QWidget* parent, const QString& title, const QString& directory,
                         const QString& filter) override;
};

} // namespace hueprint
