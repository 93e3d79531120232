// SPDX-License-Identifier: MIT
#pragma once

#include "color_value.h"

#include <QFrame>
#include <QPixmap>
#include <QPoint>

namespace hueprint {

// A picture box used as a solid color swatch: a sunken frame filled with its back color.
// It takes the focus, raises clicked() on a click, can drag itself with a drag image, and
// can accept drops of other swatches.
class ColorSwatch : public QFrame {
    Q_OBJECT
public:
    static const char* const kMimeType;

    explicit ColorSwatch(QWidget* parent = nullptr);

    ColorValue backColor() const { return backColor_; }
    void setBackColor(ColorValue color);

    // Automatic drag: pressing the mouse on the swatch and moving starts a drag whose pointer
    // is the given image, with its hot spot where the pointer points. The swatch then raises
    // no clicks.
    void setDragImage(const QPixmap& image, const QPoint& hotSpot);
    bool dragsItself() const { return !dragImage_.isNull(); }

    // Whether drops of swatches are accepted; each drop raises dropped() with the dragged
    // control, or with nothing when the drag came from outside the program.
    void setAcceptsSwatchDrops(bool accepts);

signals:
    void clicked();
    // The back color has changed (setBackColor with a different color).
    void backColorChanged();
    void dropped(QObject* source);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void startDrag();

    ColorValue backColor_ = kSystemButtonFace;
    QPixmap dragImage_;
    QPoint dragHotSpot_;
    QPixmap dragCursor_; // the image again, padded so that its hot spot lies in the middle
    QPoint pressPosition_;
    bool pressed_ = false;
};

} // namespace hueprint
