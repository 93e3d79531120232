// SPDX-License-Identifier: MIT
#include "preview_window.h"

#include "preview_geometry.h"
#include "preview_panel.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace hueprint {

namespace {

// The notes a list shows at most: a megabyte of broken codes would give more than anyone reads.
constexpr std::size_t kMostNotesShown = 1000;

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

QString notesListText(const std::vector<PreviewNote>& notes, std::size_t maxLines) {
    if (notes.empty()) {
        return QStringLiteral("No mistakes found.");
    }
    QStringList lines;
    const std::size_t shown = std::min(notes.size(), maxLines);
    lines.reserve(static_cast<qsizetype>(shown) + 1);
    for (std::size_t i = 0; i < shown; ++i) {
        lines.append(noteText(notes[i]));
    }
    if (notes.size() > shown) {
        const std::size_t more = notes.size() - shown;
        lines.append(more == 1 ? QStringLiteral("... and 1 more note.")
                               : QStringLiteral("... and %1 more notes.").arg(more));
    }
    return lines.join(u'\n');
}

PreviewWindow::PreviewWindow(SettingsStore& store, const QRect& defaultGeometry, QWidget* parent)
    : QWidget(parent), store_(store) {
    setObjectName(QStringLiteral("PreviewWindow"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(kPreviewCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(kSmallestPreviewSize);

    panel_ = new PreviewPanel(this);
    panel_->setObjectName(QStringLiteral("previewPanel"));
    figures_ = new QLabel(this);
    figures_->setObjectName(QStringLiteral("previewFigures"));
    figures_->setTextFormat(Qt::PlainText); // the figures are never read as markup
    figures_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    notes_ = new QPlainTextEdit(this);
    notes_->setObjectName(QStringLiteral("previewNotes"));
    notes_->setReadOnly(true);
    notes_->setTabChangesFocus(true);
    notes_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    notes_->setMaximumHeight(notes_->fontMetrics().lineSpacing() * 5 + 12);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(panel_, 1);
    layout->addWidget(figures_);
    layout->addWidget(notes_);

    // Stored and restored as the window's place (its frame's corner) and its inside size.
    const QRect restored = restoredPreviewGeometry(store_, defaultGeometry, screenAreas());
    resize(restored.size());
    move(restored.topLeft());
    showMarkup(QString());
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::showMarkup(const QString& markup) {
    if (drawn_ && markup == markup_) {
        return;
    }
    drawn_ = true;
    markup_ = markup;
    rendering_ = renderPreview(markup_);
    panel_->setRendering(rendering_);
    figures_->setText(figuresText(rendering_));
    notes_->setPlainText(notesListText(rendering_.notes, kMostNotesShown));
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    savePreviewGeometry(store_, QRect(pos(), size()));
    QWidget::closeEvent(event);
}

} // namespace hueprint
