// SPDX-License-Identifier: MIT
#pragma once

#include "preview_render.h"

#include <QAbstractScrollArea>
#include <QTextLayout>
#include <memory>
#include <utility>
#include <vector>

namespace hueprint {

// The dark tooltip panel the rendering is drawn on, each run in its color. Text is laid out
// with QTextLayout and drawn with a painter: nothing of it is ever read as markup of the
// toolkit's own. Long lines wrap at the panel's width; a tall text scrolls. Only the pieces in
// view are laid out; the others count with an estimated height until they come into view, so a
// megabyte costs no more to show than a tooltip.
class PreviewPanel : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PreviewPanel(QWidget* parent = nullptr);
    ~PreviewPanel() override;
    PreviewPanel(const PreviewPanel&) = delete;
    PreviewPanel& operator=(const PreviewPanel&) = delete;

    void setRendering(const PreviewRendering& rendering);

    // The height of the text in pixels, how many pieces it is laid out in, and how many of them
    // have been laid out so far.
    int contentHeight() const { return contentHeight_; }
    std::size_t blockCount() const { return blocks_.size(); }
    std::size_t laidOutBlockCount() const;

    // The panel's own colors.
    static QColor backgroundColor();
    static QColor borderColor();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // One piece of a line: a line between breaks, or a part of a very long one.
    struct Block {
        qsizetype start = 0;
        qsizetype length = 0;
        QList<QTextLayout::FormatRange> formats;
        std::unique_ptr<QTextLayout> layout;
        int top = 0;
        int height = 0;       // true once laid out at the present width, estimated before
        int laidOutWidth = 0; // the width it was laid out at, 0 when it never was
        int emptyLines = 1;   // of an empty block: how many empty lines it stands for
    };

    void buildBlocks(const PreviewRendering& rendering);
    void estimateHeights();
    void placeBlocks();
    int emptyHeight(const Block& block) const;
    // Lays the block out at the present width; whether its height changed.
    bool layOut(Block& block);
    void layOutVisibleBlocks();
    // The blocks [first, last) that reach into the heights firstY to lastY of the text.
    std::pair<std::size_t, std::size_t> blocksBetween(int firstY, int lastY) const;
    int textWidth() const;
    int visibleHeight() const;

    QString text_;
    std::vector<Block> blocks_;
    int contentHeight_ = 0;
};

} // namespace hueprint
