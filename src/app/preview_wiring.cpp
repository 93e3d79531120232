// SPDX-License-Identifier: MIT
#include "preview_wiring.h"

#include "editor/color_bar.h"
#include "editor/preview_geometry.h"
#include "editor/preview_panel.h"
#include "editor/preview_window.h"
#include "picker_host.h"
#include "picker_window.h"
#include "platform/color_swatch.h"
#include "platform/text_box_text.h"
#include "template_window.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextCursor>
#include <QTextDocument>
#include <QWindow>

#include <utility>

namespace hueprint {

namespace {

// How long edits of Text1 are gathered before the preview draws them.
constexpr int kUpdateDelayMs = 30;
// Room between the template window and a preview opened beside it.
constexpr int kGap = 8;

} // namespace

PreviewWiring::PreviewWiring(PlatformServices& services, Form1* templateWindow,
                             PickerHost& pickerHost, QObject* parent)
    : QObject(parent), services_(services), form_(templateWindow), pickerHost_(&pickerHost) {
    updateTimer_.setSingleShot(true);
    updateTimer_.setInterval(kUpdateDelayMs);
    connect(&updateTimer_, &QTimer::timeout, this, &PreviewWiring::updatePreview);
    text1Timer_.setSingleShot(true);
    text1Timer_.setInterval(0);
    connect(&text1Timer_, &QTimer::timeout, this, &PreviewWiring::writePendingText1);

    addMenuEntry(form_->Text1);
    addMenuEntry(form_->Text2);
    addShortcut(form_);
    connect(form_->Text1, &QPlainTextEdit::textChanged, this, &PreviewWiring::textChanged);
    // With the template window gone there is nothing left to follow.
    connect(form_, &QObject::destroyed, this, &PreviewWiring::closePreview);

    if (frmMain* picker = pickerHost.picker()) {
        addShortcut(picker);
        followPicker(picker);
    }
    connect(&pickerHost, &PickerHost::pickerCreated, this, [this](frmMain* picker) {
        addShortcut(picker);
        followPicker(picker);
    });
}

void PreviewWiring::followPicker(frmMain* picker) {
    // The editor's bar offers the picker's current color while the picker is open.
    connect(picker->picCurColor, &ColorSwatch::backColorChanged, this,
            &PreviewWiring::showPickerColor);
    connect(picker, &QObject::destroyed, this, &PreviewWiring::showPickerColor,
            Qt::QueuedConnection);
    showPickerColor();
}

void PreviewWiring::showPickerColor() {
    if (preview_.isNull()) {
        return;
    }
    frmMain* picker = pickerHost_.isNull() ? nullptr : pickerHost_->picker();
    preview_->colorBar()->setPickerColor(
        picker != nullptr ? std::optional(picker->picCurColor->backColor()) : std::nullopt);
}

PreviewWiring::~PreviewWiring() {
    closePreview();
}

QString PreviewWiring::menuEntryCaption() {
    return QStringLiteral("In-Game &Preview");
}

void PreviewWiring::addMenuEntry(QPlainTextEdit* box) {
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box, &QWidget::customContextMenuRequested, this, [this, box](const QPoint& position) {
        QMenu* menu = box->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        auto* entry = new QAction(menuEntryCaption(), menu);
        entry->setShortcut(QKeySequence(Qt::Key_F2));
        entry->setShortcutContext(Qt::WidgetShortcut); // shown in the menu; F2 itself is below
        connect(entry, &QAction::triggered, this, &PreviewWiring::openPreview);
        QAction* firstOwn = menu->actions().value(0);
        menu->insertAction(firstOwn, entry);
        if (firstOwn != nullptr) {
            menu->insertSeparator(firstOwn);
        }
        emit contextMenuCreated(menu, entry);
        // The position is the viewport's, as for every scroll area.
        menu->popup(box->viewport()->mapToGlobal(position));
    });
}

void PreviewWiring::addShortcut(QWidget* window) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F2), window);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, &PreviewWiring::openPreview);
}

void PreviewWiring::openPreview() {
    if (form_.isNull()) {
        return;
    }
    if (!preview_.isNull() && !preview_->isVisible()) {
        preview_.clear(); // closed by the user and about to be deleted
    }
    if (preview_.isNull()) {
        const QRect templateFrame = form_->frameGeometry();
        const QRect beside(templateFrame.right() + 1 + kGap, templateFrame.top(),
                           kDefaultPreviewSize.width(), kDefaultPreviewSize.height());
        preview_ = new PreviewWindow(services_.settings, services_.colorDialog, beside);
        preview_->showMarkup(textBoxText(*form_->Text1));
        connect(preview_, &PreviewWindow::markupEdited, this, &PreviewWiring::writeText1);
        connect(preview_, &PreviewWindow::aboutToEdit, this, &PreviewWiring::showText1Now);
        showPickerColor();
    }
    preview_->show();
    preview_->raise();
    preview_->activateWindow();
    preview_->panel()->setFocus();
}

void PreviewWiring::writeText1(const MarkupSplice& splice) {
    // Text1 takes the editor's edits once the panel has drawn them: laying out a long line of
    // Text1 as well would double what the user waits for at each key. Any input before then
    // elsewhere (a click on a preset, a key in the template window) has them written first.
    pendingSplices_.push_back(splice);
    pendingMarkup_ = preview_->markup();
    if (!text1Timer_.isActive()) {
        text1Timer_.start();
        qApp->installEventFilter(this);
    }
}

void PreviewWiring::writePendingText1() {
    text1Timer_.stop();
    qApp->removeEventFilter(this);
    const std::vector<MarkupSplice> splices = std::exchange(pendingSplices_, {});
    const QString markup = std::exchange(pendingMarkup_, {});
    if (splices.empty() || form_.isNull()) {
        return;
    }
    // Each splice is one edit of Text1's own: its cursor and scrolling stay, and its undo takes
    // the step back as it takes the user's typing. Text1 holds the markup the splices were made
    // to (its changes are shown before each edit); should it not, it is given the whole.
    QTextDocument* document = form_->Text1->document();
    qsizetype length = document->characterCount() - 1;
    for (const MarkupSplice& splice : splices) {
        length += splice.inserted.size() - splice.removed;
    }
    const std::vector<MarkupSplice> edits =
        length == markup.size() ? splices
                                : std::vector{changedStretch(textBoxText(*form_->Text1), markup)};
    writingText1_ = true;
    for (const MarkupSplice& edit : edits) {
        QTextCursor cursor(document);
        cursor.setPosition(static_cast<int>(edit.start));
        cursor.setPosition(static_cast<int>(edit.start + edit.removed), QTextCursor::KeepAnchor);
        cursor.insertText(edit.inserted);
    }
    writingText1_ = false;
}

bool PreviewWiring::eventFilter(QObject* watched, QEvent* event) {
    // Input to the editor's window comes after its own edits anyway; any other may change Text1.
    if (event->isInputEvent() && !preview_.isNull()) {
        const auto* widget = qobject_cast<QWidget*>(watched);
        const bool editors =
            widget != nullptr ? widget->window() == preview_ : watched == preview_->windowHandle();
        if (!editors) {
            writePendingText1();
        }
    }
    return QObject::eventFilter(watched, event);
}

void PreviewWiring::showText1Now() {
    // A change of Text1 still waiting for the timer is shown before the editor reads an edit.
    if (updateTimer_.isActive()) {
        updateTimer_.stop();
        updatePreview();
    }
}

PreviewWindow* PreviewWiring::preview() const {
    return preview_.data();
}

void PreviewWiring::textChanged() {
    if (writingText1_) {
        return; // the editor's own edit: it shows it already
    }
    // Changed by the program before the editor's last edits were written: the change wins, and
    // the editor keeps those edits in its history, a step before it.
    pendingSplices_.clear();
    // Edits that come faster than the delay are drawn together, at most the delay late.
    if (!preview_.isNull() && !updateTimer_.isActive()) {
        updateTimer_.start();
    }
}

void PreviewWiring::updatePreview() {
    if (preview_.isNull() || form_.isNull()) {
        return;
    }
    preview_->showMarkup(textBoxText(*form_->Text1));
}

void PreviewWiring::closePreview() {
    updateTimer_.stop();
    writePendingText1();
    if (preview_.isNull()) {
        return;
    }
    PreviewWindow* preview = preview_;
    preview_.clear();
    preview->close(); // stores its place and size
    delete preview;
}

} // namespace hueprint
