// SPDX-License-Identifier: MIT
#include "color_swatch.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace hueprint {

const char* const ColorSwatch::kMimeType = "application/x-hueprint-color-swatch";

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
}

void ColorSwatch::setBackColor(ColorValue color) {
    if (color == backColor_) {
        return;
    }
    backColor_ = color;
    update();
    emit backColorChanged();
}

namespace {

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

void ColorSwatch::setDragImage(const QPixmap& image, const QPoint& hotSpot) {
    dragImage_ = image;
    dragHotSpot_ = hotSpot;
    dragCursor_ = image.isNull() ? QPixmap() : centeredOnHotSpot(image, hotSpot);
}

void ColorSwatch::setAcceptsSwatchDrops(bool accepts) {
    setAcceptDrops(accepts);
}

void ColorSwatch::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), resolveColor(backColor_, palette()));
    }
    QFrame::paintEvent(event);
}

void ColorSwatch::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        pressPosition_ = event->position().toPoint();
    }
    QFrame::mousePressEvent(event);
}

void ColorSwatch::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_ && dragsItself() && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - pressPosition_).manhattanLength() >=
            QApplication::startDragDistance()) {
        pressed_ = false;
        startDrag();
        return;
    }
    QFrame::mouseMoveEvent(event);
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = pressed_;
    pressed_ = false;
    QFrame::mouseReleaseEvent(event);
    if (wasPressed && event->button() == Qt::LeftButton && !dragsItself() &&
        rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void ColorSwatch::startDrag() {
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kMimeType), QByteArray::number(backColor_));
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
    if (event->mimeData()->hasFormat(QString::fromLatin1(kMimeType))) {
        event->acceptProposedAction();
    }
}

void ColorSwatch::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasFormat(QString::fromLatin1(kMimeType))) {
        event->acceptProposedAction();
    }
}

void ColorSwatch::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasFormat(QString::fromLatin1(kMimeType))) {
        return;
    }
    event->acceptProposedAction();
    emit dropped(event->source());
}

} // namespace hueprint
