// SPDX-License-Identifier: MIT
#pragma once

#include "color_value.h"

#include <QAbstractButton>
#include <QPixmap>
#include <QPoint>

namespace hueprint {

// A picture box used as a solid color swatch: a button drawn as a sunken panel filled with its
// back color. It can drag itself with a drag image, and can accept drops of other swatches.
class ColorSwatch : public QAbstractButton {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent = nullptr);

    ColorValue backColor() const { return backColor_; }
    void setBackColor(ColorValue color);

    // Whether the sunken border is drawn around the color.
    void setFramed(bool framed);

    // Automatic drag: pressing the mouse on the swatch and moving starts a drag whose pointer
    // is the given image, with its hot spot where the pointer points. The mouse then raises no
    // clicks on the swatch.
    void setDragImage(const QPixmap& image, const QPoint& hotSpot);
    bool dragsItself() const { return !dragImage_.isNull(); }

signals:
    // The back color has changed (setBackColor with a different color).
    void backColorChanged();
    // A color was dropped on the swatch (which accepts drops once setAcceptDrops(true) is
    // called): from the dragged control, or from nothing when the drag came from outside.
    void dropped(QObject* source);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    ColorValue backColor_ = kSystemButtonFace;
    bool framed_ = true;
    QPixmap dragImage_;
    QPoint dragHotSpot_;
    QPixmap dragCursor_; // the image again, padded so that its hot spot lies in the middle
    QPoint pressPosition_;
};

} // namespace hueprint
