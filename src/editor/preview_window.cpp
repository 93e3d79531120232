// SPDX-License-Identifier: MIT
#include "preview_window.h"

#include "color_bar.h"
#include "gradient_dialog.h"
#include "preview_geometry.h"
#include "preview_panel.h"
#include "recent_colors.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QTextCursor>
#include <QUndoCommand>
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

// The text with each line break as a line feed: a multi-line text box holds "\r\n", a lone
// "\r", U+2029 and the marks U+FDD0 and U+FDD1 as line breaks, and the markup must read back from
// the result box as it was written.
QString withLineFeeds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const char16_t brk : {u'\r', char16_t(QChar::ParagraphSeparator), u'\xFDD0', u'\xFDD1'}) {
        text.replace(QChar(brk), u'\n');
    }
    return text;
}

} // namespace

// One user action on the markup: the stretch it changed, before and after (the two markups less
// what they share at their start and their end), so that a step costs what it changed and
// undoing it brings back the exact spelling.
class MarkupChange : public QUndoCommand {
public:
    MarkupChange(PreviewWindow* window, const QString& before, const QString& after,
                 const QString& description)
        : QUndoCommand(description), window_(window) {
        const qsizetype shorter = std::min(before.size(), after.size());
        while (position_ < shorter && before.at(position_) == after.at(position_)) {
            ++position_;
        }
        qsizetype end = 0;
        while (end < shorter - position_ &&
               before.at(before.size() - 1 - end) == after.at(after.size() - 1 - end)) {
            ++end;
        }
        before_ = before.mid(position_, before.size() - end - position_);
        after_ = after.mid(position_, after.size() - end - position_);
    }
    void undo() override { replace(after_, before_); }
    void redo() override { replace(before_, after_); }

private:
    void replace(const QString& from, const QString& to) {
        QString markup = window_->markup_;
        markup.replace(position_, from.size(), to);
        window_->setMarkup(markup);
        emit window_->markupEdited(markup);
    }

    PreviewWindow* window_;
    qsizetype position_ = 0;
    QString before_;
    QString after_;
};

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

PreviewWindow::PreviewWindow(SettingsStore& store, ColorDialog& colorDialog,
                             const QRect& defaultGeometry, QWidget* parent)
    : QWidget(parent), store_(store), colorDialog_(colorDialog) {
    setObjectName(QStringLiteral("PreviewWindow"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(kPreviewCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(kSmallestPreviewSize);

    recentColors_ = new RecentColors(store_, this);
    bar_ = new ColorBar(*recentColors_, colorDialog_, ColorBar::Use::Text, this);
    bar_->setObjectName(QStringLiteral("colorBar"));
    bar_->setGradientEnabled(false);
    panel_ = new PreviewPanel(this);
    panel_->setObjectName(QStringLiteral("previewPanel"));
    panel_->setAccessibleName(QStringLiteral("In-Game Text"));
    panel_->setUndoStack(&undoStack_);
    figures_ = new QLabel(this);
    figures_->setObjectName(QStringLiteral("previewFigures"));
    figures_->setTextFormat(Qt::PlainText); // the figures are never read as markup
    figures_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    notes_ = new QPlainTextEdit(this);
    notes_->setObjectName(QStringLiteral("previewNotes"));
    notes_->setAccessibleName(QStringLiteral("Notes"));
    notes_->setReadOnly(true);
    notes_->setTabChangesFocus(true);
    notes_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    notes_->setMaximumHeight(notes_->fontMetrics().lineSpacing() * 5 + 12);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(bar_);
    layout->addWidget(panel_, 1);
    layout->addWidget(figures_);
    layout->addWidget(notes_);

    connect(panel_, &PreviewPanel::edited, this, &PreviewWindow::panelEdited);
    connect(panel_, &PreviewPanel::pasted, this,
            [this](qsizetype position, qsizetype removed, const QString& pasted) {
                edit(replaceWithMarkup(markup_, position, removed, withLineFeeds(pasted))
                         .appliedTo(markup_),
                     QStringLiteral("Paste"));
            });
    connect(panel_, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (panel_->textCursor().position() != typingAt_) {
            typingColor_.reset(); // the color waited at another place
        }
    });
    connect(panel_, &QPlainTextEdit::copyAvailable, bar_, &ColorBar::setGradientEnabled);
    connect(bar_, &ColorBar::colorChosen, this, &PreviewWindow::applyColor);
    connect(bar_, &ColorBar::gradientRequested, this, &PreviewWindow::openGradient);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    // Stored and restored as the window's place (its frame's corner) and its inside size.
    const QRect restored = restoredPreviewGeometry(store_, defaultGeometry, screenAreas());
    resize(restored.size());
    move(restored.topLeft());
    showMarkup(QString());
}

PreviewWindow::~PreviewWindow() {
    panel_->disconnect(this); // the document goes with the panel: its changes are no edits
}

void PreviewWindow::showMarkup(const QString& markup) {
    if (drawn_ && markup == markup_) {
        return;
    }
    drawn_ = true;
    undoStack_.clear();
    setMarkup(markup);
}

void PreviewWindow::setMarkup(const QString& markup) {
    markup_ = markup;
    rendering_ = renderPreview(markup_);
    panel_->showText(editableText(markup_));
    figures_->setText(figuresText(rendering_));
    notes_->setPlainText(notesListText(rendering_.notes, kMostNotesShown));
}

void PreviewWindow::edit(const QString& markup, const QString& description) {
    if (markup == markup_) {
        panel_->showText(editableText(markup_)); // a change the markup does not take
        return;
    }
    undoStack_.push(new MarkupChange(this, markup_, markup, description));
}

void PreviewWindow::panelEdited(qsizetype position, qsizetype removed, const QString& inserted) {
    const std::optional<TextColor> color =
        inserted.isEmpty() ? std::nullopt : std::exchange(typingColor_, std::nullopt);
    edit(replaceText(markup_, position, removed, inserted, color).appliedTo(markup_),
         inserted.isEmpty() ? QStringLiteral("Delete") : QStringLiteral("Typing"));
}

void PreviewWindow::applyColor(TextColor color) {
    const auto [from, to] = panel_->selectedRange();
    if (from == to) {
        typingColor_ = color;
        typingAt_ = panel_->textCursor().position();
        return;
    }
    edit(colorRange(markup_, from, to - from, color).appliedTo(markup_), QStringLiteral("Color"));
}

void PreviewWindow::openGradient() {
    const auto [start, end] = panel_->selectedRange();
    if (start == end || !gradientDialog_.isNull()) {
        return;
    }
    gradientDialog_ = new GradientDialog(*recentColors_, colorDialog_,
                                         panel_->shownText().text.mid(start, end - start),
                                         bar_->pickerColor(), this);
    gradientDialog_->setAttribute(Qt::WA_DeleteOnClose);
    connect(gradientDialog_, &QDialog::accepted, this, [this] {
        // The fade goes over what is selected at OK: Text1 may have changed while the dialog was
        // open, and the selection moved with the text around it. With nothing selected any more
        // there is nothing to fade, and nothing changes.
        const auto [from, to] = panel_->selectedRange();
        if (from != to) {
            edit(gradientRange(markup_, from, to - from, gradientDialog_->stops())
                     .appliedTo(markup_),
                 QStringLiteral("Gradient"));
        }
    });
    gradientDialog_->open();
}

GradientDialog* PreviewWindow::gradientDialog() const {
    return gradientDialog_.data();
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    savePreviewGeometry(store_, QRect(pos(), size()));
    QWidget::closeEvent(event);
}

} // namespace hueprint
