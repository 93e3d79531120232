// SPDX-License-Identifier: MIT
#include "map_texts_wiring.h"

#include "maptexts/map_texts_window.h"
#include "preview_wiring.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

namespace hueprint {

MapTextsWiring::MapTextsWiring(PlatformServices& services, FileDialog& fileDialog, QObject* parent)
    : QObject(parent), services_(services), fileDialog_(fileDialog) {}

MapTextsWiring::~MapTextsWiring() {
    delete window_.data();
}

QString MapTextsWiring::menuEntryCaption() {
    return QStringLiteral("&Map Texts...");
}

void MapTextsWiring::addMenuEntries(PreviewWiring& preview) {
    connect(&preview, &PreviewWiring::contextMenuCreated, this, &MapTextsWiring::addMenuEntry);
}

void MapTextsWiring::addMenuEntry(QMenu* menu, QAction* previewEntry) {
    auto* entry = new QAction(menuEntryCaption(), menu);
    connect(entry, &QAction::triggered, this, [this] { openWindow(); });
    const QList<QAction*> actions = menu->actions();
    menu->insertAction(actions.value(actions.indexOf(previewEntry) + 1), entry);
}

MapTextsWindow* MapTextsWiring::openWindow(const QString& path) {
    if (!window_.isNull() && !window_->isVisible()) {
        window_.clear(); // closed by the user and about to be deleted
    }
    if (window_.isNull()) {
        window_ = new MapTextsWindow(services_.settings, services_.colorDialog,
                                     services_.messageBox, fileDialog_);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    if (!path.isEmpty()) {
        window_->openFile(path);
    } else if (window_->filePath().isEmpty()) {
        window_->chooseFile();
    }
    return window_.data();
}

MapTextsWindow* MapTextsWiring::window() const {
    return window_.data();
}

bool MapTextsWiring::closeWindow() {
    return window_.isNull() || !window_->isVisible() || window_->close();
}

int MapTextsWiring::runUntilClosed() {
    int status = QApplication::exec();
    while (!closeWindow()) {
        status = QApplication::exec();
    }
    return status;
}

} // namespace hueprint
