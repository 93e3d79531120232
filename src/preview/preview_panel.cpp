// SPDX-License-Identifier: MIT
#include "preview_panel.h"

#include <QHash>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextCharFormat>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace hueprint {

namespace {

// Pixels between the panel's border and its text.
constexpr int kMargin = 8;
// A line longer than this many UTF-16 units is laid out in pieces of at most this size, each
// starting a line of its own, so that no single layout grows with the text: a tooltip never
// holds such a line, and a pasted megabyte stays quick to draw.
constexpr qsizetype kLongestBlock = 2048;
// The text's point size on the panel.
constexpr qreal kTextPoints = 10.0;

// Where a piece of a long line may end: after the last blank of the piece, or at its full
// length, never between the two halves of a character.
qsizetype pieceLength(const QString& text, qsizetype start, qsizetype end) {
    if (end - start <= kLongestBlock) {
        return end - start;
    }
    qsizetype cut = start + kLongestBlock;
    for (qsizetype i = cut; i > start + kLongestBlock / 2; --i) {
        if (text.at(i - 1) == u' ') {
            return i - start;
        }
    }
    if (text.at(cut - 1).isHighSurrogate() && text.at(cut).isLowSurrogate()) {
        --cut;
    }
    return cut - start;
}

} // namespace

PreviewPanel::PreviewPanel(QWidget* parent) : QAbstractScrollArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFrameShape(QFrame::NoFrame);
    QFont textFont = font();
    textFont.setPointSizeF(kTextPoints);
    setFont(textFont);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
}

PreviewPanel::~PreviewPanel() = default;

QColor PreviewPanel::backgroundColor() {
    return QColor(12, 12, 20);
}

QColor PreviewPanel::borderColor() {
    return QColor(150, 132, 90);
}

void PreviewPanel::setRendering(const PreviewRendering& rendering) {
    buildBlocks(rendering);
    verticalScrollBar()->setValue(0);
    estimateHeights();
    layOutVisibleBlocks();
    viewport()->update();
}

void PreviewPanel::buildBlocks(const PreviewRendering& rendering) {
    text_ = rendering.text;
    blocks_.clear();

    // The lines: between the "|n" marks (a run that starts a line) and the line breaks.
    std::vector<std::pair<qsizetype, qsizetype>> lines;
    qsizetype lineStart = 0;
    for (const PreviewRun& run : rendering.runs) {
        if (run.startsLine) {
            lines.emplace_back(lineStart, run.start);
            lineStart = run.start;
        }
        const qsizetype end = run.start + run.length;
        for (qsizetype i = run.start; i < end; ++i) {
            if (!isLineBreak(text_.at(i))) {
                continue;
            }
            lines.emplace_back(lineStart, i);
            if (text_.at(i) == u'\r' && i + 1 < end && text_.at(i + 1) == u'\n') {
                ++i;
            }
            lineStart = i + 1; // the break itself belongs to no line
        }
    }
    lines.emplace_back(lineStart, text_.size());

    // The blocks: each line, a very long one in pieces.
    for (auto [start, end] : lines) {
        while (end - start > kLongestBlock) {
            const qsizetype length = pieceLength(text_, start, end);
            Block piece;
            piece.start = start;
            piece.length = length;
            blocks_.push_back(std::move(piece));
            start += length;
        }
        if (start == end && !blocks_.empty() && blocks_.back().length == 0) {
            ++blocks_.back().emptyLines; // a run of empty lines is one block
            continue;
        }
        Block last;
        last.start = start;
        last.length = end - start;
        blocks_.push_back(std::move(last));
    }

    // Each block's colors, from the runs that overlap it (both in the text's order).
    QHash<ColorValue, QTextCharFormat> formats;
    const auto formatOf = [&formats](ColorValue color) {
        auto found = formats.find(color);
        if (found == formats.end()) {
            QTextCharFormat format;
            format.setForeground(resolveColor(color, QPalette()));
            found = formats.insert(color, format);
        }
        return *found;
    };
    const std::vector<PreviewRun>& runs = rendering.runs;
    std::size_t first = 0;
    for (Block& block : blocks_) {
        const qsizetype blockEnd = block.start + block.length;
        while (first < runs.size() && runs[first].start + runs[first].length <= block.start) {
            ++first;
        }
        for (std::size_t r = first; r < runs.size() && runs[r].start < blockEnd; ++r) {
            const qsizetype from = std::max(runs[r].start, block.start);
            const qsizetype to = std::min(runs[r].start + runs[r].length, blockEnd);
            if (to > from) {
                block.formats.append({static_cast<int>(from - block.start),
                                      static_cast<int>(to - from), formatOf(runs[r].color)});
            }
        }
    }
}

int PreviewPanel::textWidth() const {
    return std::max(1, viewport()->width() - 2 * kMargin);
}

int PreviewPanel::visibleHeight() const {
    return std::max(0, viewport()->height() - 2 * kMargin);
}

void PreviewPanel::estimateHeights() {
    const int width = textWidth();
    const int lineHeight = fontMetrics().lineSpacing();
    const qsizetype perLine = std::max(1, width / std::max(1, fontMetrics().averageCharWidth()));
    for (Block& block : blocks_) {
        if (block.length == 0) {
            block.height = emptyHeight(block);
        } else if (block.laidOutWidth != width) {
            const qsizetype lines = (block.length + perLine - 1) / perLine;
            block.height = static_cast<int>(std::min<qsizetype>(lines * lineHeight, 1 << 20));
        }
    }
    placeBlocks();
}

int PreviewPanel::emptyHeight(const Block& block) const {
    return static_cast<int>(
        std::min<qint64>(static_cast<qint64>(block.emptyLines) * fontMetrics().lineSpacing(),
                         std::numeric_limits<int>::max() / 4));
}

void PreviewPanel::placeBlocks() {
    qint64 top = 0;
    for (Block& block : blocks_) {
        block.top = static_cast<int>(std::min<qint64>(top, std::numeric_limits<int>::max() / 2));
        top += block.height;
    }
    contentHeight_ = static_cast<int>(std::min<qint64>(top, std::numeric_limits<int>::max() / 2));
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, contentHeight_ - visibleHeight()));
    bar->setPageStep(std::max(1, visibleHeight()));
    bar->setSingleStep(std::max(1, fontMetrics().lineSpacing()));
}

bool PreviewPanel::layOut(Block& block) {
    const int width = textWidth();
    if (block.laidOutWidth == width) {
        return false;
    }
    const int before = block.height;
    block.laidOutWidth = width;
    const int emptyLineHeight = fontMetrics().lineSpacing();
    if (block.length == 0) {
        block.height = emptyHeight(block);
        return block.height != before;
    }
    if (!block.layout) {
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        block.layout = std::make_unique<QTextLayout>(text_.mid(block.start, block.length), font());
        block.layout->setTextOption(option);
        block.layout->setFormats(block.formats);
        block.layout->setCacheEnabled(true);
    }
    QTextLayout& layout = *block.layout;
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    block.height = std::max(emptyLineHeight, static_cast<int>(std::ceil(y)));
    return block.height != before;
}

std::pair<std::size_t, std::size_t> PreviewPanel::blocksBetween(int firstY, int lastY) const {
    const auto first =
        std::partition_point(blocks_.begin(), blocks_.end(),
                             [firstY](const Block& b) { return b.top + b.height <= firstY; });
    auto last = first;
    while (last != blocks_.end() && last->top <= lastY) {
        ++last;
    }
    return {static_cast<std::size_t>(first - blocks_.begin()),
            static_cast<std::size_t>(last - blocks_.begin())};
}

void PreviewPanel::layOutVisibleBlocks() {
    // Laid out, a block takes its true height and the blocks below it move; repeat until the
    // blocks in view stay where they are. Each round lays out at least one more block.
    for (;;) {
        const int scrolled = verticalScrollBar()->value();
        const auto [first, last] = blocksBetween(scrolled, scrolled + visibleHeight());
        bool moved = false;
        for (std::size_t i = first; i < last; ++i) {
            moved = layOut(blocks_[i]) || moved;
        }
        if (!moved) {
            return;
        }
        placeBlocks();
    }
}

std::size_t PreviewPanel::laidOutBlockCount() const {
    return static_cast<std::size_t>(std::count_if(
        blocks_.begin(), blocks_.end(), [](const Block& b) { return b.laidOutWidth > 0; }));
}

void PreviewPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), backgroundColor());
    const QRect frame = viewport()->rect().adjusted(0, 0, -1, -1);
    painter.setPen(borderColor());
    painter.drawRect(frame);

    const int scrolled = verticalScrollBar()->value();
    const QRect inside = viewport()->rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    painter.setClipRect(inside.intersected(event->rect()));
    const auto [first, last] = blocksBetween(scrolled + std::max(0, event->rect().top() - kMargin),
                                             scrolled + event->rect().bottom() - kMargin);
    for (std::size_t i = first; i < last; ++i) {
        Block& block = blocks_[i];
        layOut(block); // in view since the last placing: drawn now, placed with the next change
        if (block.layout) {
            block.layout->draw(&painter, QPointF(kMargin, kMargin + block.top - scrolled));
        }
    }
}

void PreviewPanel::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    estimateHeights();
    layOutVisibleBlocks();
}

void PreviewPanel::scrollContentsBy(int /*dx*/, int /*dy*/) {
    layOutVisibleBlocks();
    viewport()->update();
}

} // namespace hueprint
