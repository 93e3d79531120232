// SPDX-License-Identifier: MIT
#pragma once

#include "preview_render.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace hueprint {

class PreviewPanel;
class SettingsStore;

// The in-game preview: the markup drawn as the game draws it on a tooltip panel, under it the
// two lengths and the notes. A resizable tool window that remembers its place and size; closing
// it stores them and deletes it.
class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    // defaultGeometry: where it opens when nothing usable is stored.
    PreviewWindow(SettingsStore& store, const QRect& defaultGeometry, QWidget* parent = nullptr);
    ~PreviewWindow() override;
    PreviewWindow(const PreviewWindow&) = delete;
    PreviewWindow& operator=(const PreviewWindow&) = delete;

    // Draws the markup (nothing is done when it is what is drawn already).
    void showMarkup(const QString& markup);

    const PreviewRendering& rendering() const { return rendering_; }
    PreviewPanel* panel() const { return panel_; }
    QLabel* figures() const { return figures_; }
    QPlainTextEdit* notes() const { return notes_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    SettingsStore& store_;
    QString markup_;
    bool drawn_ = false;
    PreviewRendering rendering_;
    PreviewPanel* panel_ = nullptr;
    QLabel* figures_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
};

// The preview window's caption.
inline const QString kPreviewCaption =
    QStringLiteral("In-Game Preview - Hueprint For WarCraft 3 Colored Text");

// The text of the notes list: one note a line, at most maxLines of them and then a line that
// says how many more there are; "No mistakes found." when there are none.
QString notesListText(const std::vector<PreviewNote>& notes, std::size_t maxLines);

} // namespace hueprint
