// SPDX-License-Identifier: MIT
#pragma once

#include "markup/markup_edit.h"
#include "markup/markup_render.h"

#include <QPointer>
#include <QUndoStack>
#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace hueprint {

class ColorBar;
class ColorDialog;
class GradientDialog;
class PreviewPanel;
class RecentColors;
class SettingsStore;

// The in-game preview and editor: the markup drawn as the game draws it on a tooltip panel,
// where it can be edited and colored; above it the color bar, under it the two lengths and the
// notes. A resizable tool window that remembers its place and size; closing it (Escape) stores
// them and deletes it.
//
// It holds the markup. Each edit in the panel or the bar becomes one command on its undo stack
// that keeps only the stretch of markup it changed; the panel then shows the new markup and
// markupEdited() tells whoever keeps the markup elsewhere. showMarkup() takes a markup changed
// elsewhere: the edits on the stack were made to another text, so the stack is emptied.
class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    // defaultGeometry: where it opens when nothing usable is stored.
    PreviewWindow(SettingsStore& store, ColorDialog& colorDialog, const QRect& defaultGeometry,
                  QWidget* parent = nullptr);
    ~PreviewWindow() override;
    PreviewWindow(const PreviewWindow&) = delete;
    PreviewWindow& operator=(const PreviewWindow&) = delete;

    // Draws the markup changed elsewhere (nothing is done when it is what is drawn already).
    void showMarkup(const QString& markup);
    const QString& markup() const { return markup_; }

    // Colors the selection, or with none the text typed next at the cursor.
    void applyColor(TextColor color);
    // Opens "Gradient..." for the selection; its OK colors what is selected then.
    void openGradient();

    const PreviewRendering& rendering() const { return rendering_; }
    PreviewPanel* panel() const { return panel_; }
    ColorBar* colorBar() const { return bar_; }
    QLabel* figures() const { return figures_; }
    QPlainTextEdit* notes() const { return notes_; }
    QUndoStack* undoStack() { return &undoStack_; }
    GradientDialog* gradientDialog() const;

signals:
    // The markup was changed here, by an edit, an undo or a redo.
    void markupEdited(const QString& markup);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    friend class MarkupChange;
    // Makes the markup the one drawn and edited (the undo stack's commands come here).
    void setMarkup(const QString& markup);
    // One user action: the markup it gives, as one step of the undo stack.
    void edit(const QString& markup, const QString& description);
    void panelEdited(qsizetype position, qsizetype removed, const QString& inserted);

    SettingsStore& store_;
    ColorDialog& colorDialog_;
    QString markup_;
    bool drawn_ = false;
    PreviewRendering rendering_;
    QUndoStack undoStack_;
    // The color "the text typed next" takes, and where it is typed.
    std::optional<TextColor> typingColor_;
    int typingAt_ = -1;
    RecentColors* recentColors_ = nullptr; // the bar's and the gradient dialog's
    ColorBar* bar_ = nullptr;
    PreviewPanel* panel_ = nullptr;
    QLabel* figures_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
    QPointer<GradientDialog> gradientDialog_;
};

// The preview window's caption.
inline const QString kPreviewCaption =
    QStringLiteral("In-Game Preview - Hueprint For WarCraft 3 Colored Text");

// The text of the notes list: one note a line, at most maxLines of them and then a line that
// says how many more there are; "No mistakes found." when there are none.
QString notesListText(const std::vector<PreviewNote>& notes, std::size_t maxLines);

} // namespace hueprint
