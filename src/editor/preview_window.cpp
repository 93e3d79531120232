// SPDX-License-Identifier: MIT
#include "preview_window.h"

#include "preview_geometry.h"

#include "accessibility/accessible_role.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace hueprint {

namespace {

QList<QRect> screenAreas() {
    QList<QRect> areas;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        areas.append(primary->availableGeometry());
    }
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen()) {
            areas.append(screen->availableGeometry());
        }
    }
    return areas;
}

} // namespace

PreviewWindow::PreviewWindow(SettingsStore& store, ColorDialog& colorDialog,
                             const QRect& defaultGeometry, QWidget* parent)
    : QWidget(parent), store_(store) {
    setObjectName(QStringLiteral("PreviewWindow"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(kPreviewCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(kSmallestPreviewSize);
    // To assistive technology a window of its own, as the template window, with what it is for.
    setAccessibleRole(this, QAccessible::Window);
    setAccessibleDescription(
        QStringLiteral("Color any part of the text and see it as the game draws it"));

    editor_ = new MarkupEditor(store, colorDialog, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(editor_);
    connect(editor_, &MarkupEditor::aboutToEdit, this, &PreviewWindow::aboutToEdit);
    connect(editor_, &MarkupEditor::markupEdited, this, &PreviewWindow::markupEdited);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    // Stored and restored as the window's place (its frame's corner) and its inside size.
    const QRect restored = restoredPreviewGeometry(store_, defaultGeometry, screenAreas());
    resize(restored.size());
    move(restored.topLeft());
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    savePreviewGeometry(store_, QRect(pos(), size()));
    QWidget::closeEvent(event);
}

} // namespace hueprint
