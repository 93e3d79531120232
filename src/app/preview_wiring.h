// SPDX-License-Identifier: MIT
#pragma once

#include "markup/markup_edit.h"
#include "platform/platform_services.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <vector>

class QAction;
class QMenu;
class QPlainTextEdit;
class QWidget;

namespace hueprint {

class Form1;
class frmMain;
class PickerHost;
class PreviewWindow;

// Adds the in-game preview and editor to the two windows from outside: "In-Game &Preview" first
// in the context menus of Text1 and Text2, and F2 in the template window and in every picker,
// open the one preview window (or raise it) with the focus in its panel; it then follows the
// text of Text1 (each change from outside a step of its history), and writes each of its own
// edits into Text1 as one edit there, once the panel has drawn it, so that Text1 stays the one
// truth.
// Updates from Text1 are gathered on a short timer so that typing into a long text stays quick;
// the template window itself is untouched.
class PreviewWiring : public QObject {
    Q_OBJECT
public:
    PreviewWiring(PlatformServices& services, Form1* templateWindow, PickerHost& pickerHost,
                  QObject* parent = nullptr);
    // Closes the preview (which stores its place and size).
    ~PreviewWiring() override;
    PreviewWiring(const PreviewWiring&) = delete;
    PreviewWiring& operator=(const PreviewWiring&) = delete;

    // Shows the preview, creating it when there is none; the same one while it is open.
    void openPreview();
    // The open preview, or nothing.
    PreviewWindow* preview() const;

    // The caption of the context menus' entry.
    static QString menuEntryCaption();

signals:
    // A context menu of Text1 or Text2 with its entry, about to be shown: room for more entries.
    void contextMenuCreated(QMenu* menu, QAction* previewEntry);

private:
    void addMenuEntry(QPlainTextEdit* box);
    void addShortcut(QWidget* window);
    void followPicker(frmMain* picker);
    void showPickerColor();
    void writeText1(const MarkupSplice& splice);
    void writePendingText1();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showText1Now();
    void textChanged();
    void updatePreview();
    void closePreview();

    PlatformServices& services_;
    QPointer<Form1> form_;
    QPointer<PickerHost> pickerHost_;
    QPointer<PreviewWindow> preview_;
    QTimer updateTimer_;
    // The editor's edits not yet written into Text1, and the markup they make.
    std::vector<MarkupSplice> pendingSplices_;
    QString pendingMarkup_;
    QTimer text1Timer_;
    bool writingText1_ = false;
};

} // namespace hueprint
