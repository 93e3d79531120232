#pragma once

#include "preview_render.h"

#include <QAbstractScrollArea>
#include <QTextLayout>
#include <memory>
#include <vector>

namespace hueprint {

// The dark tooltip panel the rendering is drawn on, each run in its color. Text is laid out
// with QTextLayout and drawn with a painter: nothing of it is ever read as markup of the
// toolkit's own. Long lines wrap at the panel's width; a tall text scrolls.
class PreviewPanel : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PreviewPanel(QWidget* parent = nullptr);
    ~PreviewPanel() override;
    PreviewPanel(const PreviewPanel&) = delete;
    PreviewPanel& operator=(const PreviewPanel&) = delete;

    void setRendering(const PreviewRendering& rendering);

    // The height of the laid-out text in pixels, and how many pieces it is laid out in.
    int contentHeight() const { return contentHeight_; }
    std::size_t blockCount() const { return blocks_.size(); }

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
        int height = 0;
    };

    void buildBlocks(const PreviewRendering& rendering);
    void layoutBlocks();
    void updateScrollRange();
    int textWidth() const;

    QString text_;
    std::vector<Block> blocks_;
    int laidOutWidth_ = -1;
    int contentHeight_ = 0;
};

} // namespace hueprint
