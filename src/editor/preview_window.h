// SPDX-License-Identifier: MIT
#pragma once

#include "markup_editor.h"

#include <QWidget>

namespace hueprint {

// The in-game preview and editor as a window of its own: a markup editor in a resizable tool
// window that remembers its place and size; closing it (Escape) stores them and deletes it. What
// the editor holds and does is the editor's (MarkupEditor); the window passes it on.
class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    // defaultGeometry: where it opens when nothing usable is stored.
    PreviewWindow(SettingsStore& store, ColorDialog& colorDialog, const QRect& defaultGeometry,
                  QWidget* parent = nullptr);

    MarkupEditor* editor() const { return editor_; }

    void showMarkup(const QString& markup) { editor_->showMarkup(markup); }
    const QString& markup() const { return editor_->markup(); }
    void applyColor(TextColor color) { editor_->applyColor(color); }
    void openGradient() { editor_->openGradient(); }

    const PreviewRendering& rendering() const { return editor_->rendering(); }
    PreviewPanel* panel() const { return editor_->panel(); }
    ColorBar* colorBar() const { return editor_->colorBar(); }
    QLabel* figures() const { return editor_->figures(); }
    QPlainTextEdit* notes() const { return editor_->notes(); }
    QUndoStack* undoStack() { return editor_->undoStack(); }
    GradientDialog* gradientDialog() const { return editor_->gradientDialog(); }

signals:
    // The editor's: a user action is about to be read; the markup was changed there.
    void aboutToEdit();
    void markupEdited(const hueprint::MarkupSplice& splice);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    SettingsStore& store_;
    MarkupEditor* editor_ = nullptr;
};

// The preview window's caption.
inline const QString kPreviewCaption =
    QStringLiteral("In-Game Preview - Hueprint For WarCraft 3 Colored Text");

} // namespace hueprint
