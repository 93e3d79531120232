// SPDX-License-Identifier: MIT
#include "preview_wiring.h"

#include "picker_host.h"
#include "picker_window.h"
#include "preview/preview_geometry.h"
#include "preview/preview_window.h"
#include "template_window.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QShortcut>

namespace hueprint {

namespace {

// How long edits of Text1 are gathered before the preview draws them.
constexpr int kUpdateDelayMs = 30;
// Room between the template window and a preview opened beside it.
constexpr int kGap = 8;

} // namespace

PreviewWiring::PreviewWiring(PlatformServices& services, Form1* templateWindow,
                             PickerHost& pickerHost, QObject* parent)
    : QObject(parent), services_(services), form_(templateWindow) {
    updateTimer_.setSingleShot(true);
    updateTimer_.setInterval(kUpdateDelayMs);
    connect(&updateTimer_, &QTimer::timeout, this, &PreviewWiring::updatePreview);

    addMenuEntry(form_->Text1);
    addMenuEntry(form_->Text2);
    addShortcut(form_);
    connect(form_->Text1, &QPlainTextEdit::textChanged, this, &PreviewWiring::textChanged);
    // With the template window gone there is nothing left to follow.
    connect(form_, &QObject::destroyed, this, &PreviewWiring::closePreview);

    if (frmMain* picker = pickerHost.picker()) {
        addShortcut(picker);
    }
    connect(&pickerHost, &PickerHost::pickerCreated, this,
            [this](frmMain* picker) { addShortcut(picker); });
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
        preview_ = new PreviewWindow(services_.settings, beside);
        // It follows the text being typed: opening it leaves the focus where it is.
        preview_->setAttribute(Qt::WA_ShowWithoutActivating);
        preview_->showMarkup(form_->Text1->toPlainText());
    }
    preview_->show();
    preview_->raise();
}

PreviewWindow* PreviewWiring::preview() const {
    return preview_.data();
}

void PreviewWiring::textChanged() {
    // Edits that come faster than the delay are drawn together, at most the delay late.
    if (!preview_.isNull() && !updateTimer_.isActive()) {
        updateTimer_.start();
    }
}

void PreviewWiring::updatePreview() {
    if (preview_.isNull() || form_.isNull()) {
        return;
    }
    preview_->showMarkup(form_->Text1->toPlainText());
}

void PreviewWiring::closePreview() {
    updateTimer_.stop();
    if (preview_.isNull()) {
        return;
    }
    PreviewWindow* preview = preview_;
    preview_.clear();
    preview->close(); // stores its place and size
    delete preview;
}

} // namespace hueprint
