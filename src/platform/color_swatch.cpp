// SPDX-License-Identifier: MIT
#include "color_swatch.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <qdrawutil.h>

namespace hueprint {

namespace {

constexpr int kBorderWidth = 2;

// A drag's cursor is given as a pixmap alone, and a cursor made from a pixmap has its hot spot
// at the pixmap's middle (width / 2, height / 2). The image goes into a transparent pixmap so
// much larger that the image's own hot spot lands on that middle.
QPixmap centeredOnHotSpot(const QPixmap& image, const QPoint& hotSpot) {
    const int width = 2 * std::max(hotSpot.x(), image.width() - hotSpot.x());
    const int height = 2 * std::max(hotSpot.y(), image.height() - hotSpot.y());
    QImage cursor(width, height, QImage::Format_ARGB32);
    cursor.fill(Qt::transparent);
    QPainter painter(&cursor);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawPixmap(QPoint(width / 2, height / 2) - hotSpot, image);
    painter.end();
    return QPixmap::fromImage(cursor);
}

} // namespace

ColorSwatch::ColorSwatch(QWidget* parent) : QAbstractButton(parent) {}

void ColorSwatch::setBackColor(ColorValue color) {
    if (color == backColor_) {
        return;
    }
    backColor_ = color;
    update();
    emit backColorChanged();
}

void ColorSwatch::setFramed(bool framed) {
    framed_ = framed;
    update();
}

void ColorSwatch::setDragImage(const QPixmap& image, const QPoint& hotSpot) {
    dragImage_ = image;
    dragHotSpot_ = hotSpot;
    dragCursor_ = image.isNull() ? QPixmap() : centeredOnHotSpot(image, hotSpot);
}

void ColorSwatch::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), resolveColor(backColor_, palette()));
    if (framed_) {
        qDrawShadePanel(&painter, rect(), palette(), true, kBorderWidth);
    }
}

void ColorSwatch::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        // A button moves the focus on with the arrow keys; a swatch leaves them to its window.
        event->ignore();
        return;
    default:
        QAbstractButton::keyPressEvent(event);
    }
}

void ColorSwatch::mousePressEvent(QMouseEvent* event) {
    if (!dragsItself()) {
        QAbstractButton::mousePressEvent(event);
        return;
    }
    // A swatch that drags itself is never pressed down by the mouse, so it clicks on no release.
    pressPosition_ = event->position().toPoint();
    event->setAccepted(event->button() == Qt::LeftButton);
}

void ColorSwatch::mouseMoveEvent(QMouseEvent* event) {
    if (!dragsItself() || !(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - pressPosition_).manhattanLength() <
            QApplication::startDragDistance()) {
        QAbstractButton::mouseMoveEvent(event);
        return;
    }
    auto* mime = new QMimeData;
    mime->setColorData(resolveColor(backColor_, palette()));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    // The pointer itself becomes the image, over a target and elsewhere alike. The drag's own
    // picture is the same image with the same hot spot, so where the window system draws it
    // as well, it lies exactly under the pointer.
    drag->setDragCursor(dragCursor_, Qt::CopyAction);
    drag->setDragCursor(dragCursor_, Qt::IgnoreAction);
    drag->setPixmap(dragImage_);
    drag->setHotSpot(dragHotSpot_);
    drag->exec(Qt::CopyAction);
}

void ColorSwatch::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasColor()) {
        event->acceptProposedAction();
    }
}

void ColorSwatch::dropEvent(QDropEvent* event) {
    if (event->mimeData()->hasColor()) {
        event->acceptProposedAction();
        emit dropped(event->source());
    }
}

} // namespace hueprint
