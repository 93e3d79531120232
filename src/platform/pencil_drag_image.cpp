// SPDX-License-Identifier: MIT
#include "pencil_drag_image.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

namespace hueprint {

QPixmap pencilDragImage() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.translate(1, 0);
    // The pencil lies along the diagonal from its point at (0, 0) to its end near (28, 28).
    painter.rotate(45);
    const QColor outline(Qt::black);
    const QColor blue(0, 0, 255);
    const QColor cyan(0, 255, 255);

    // Body: long, striped blue and cyan along its length.
    painter.setPen(outline);
    painter.setBrush(blue);
    painter.drawRect(QRect(14, -4, 24, 8));
    painter.setPen(Qt::NoPen);
    painter.setBrush(cyan);
    painter.drawRect(QRect(15, -1, 23, 3));
    // Band behind the point: silver and white.
    painter.setPen(outline);
    painter.setBrush(QColor(192, 192, 192));
    painter.drawRect(QRect(10, -4, 4, 8));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(QRect(11, -3, 2, 3));
    // Point: a cone with a blue tip on cyan wood.
    painter.setPen(outline);
    painter.setBrush(cyan);
    painter.drawPolygon(QPolygon({QPoint(0, 0), QPoint(10, -4), QPoint(10, 4)}));
    painter.setBrush(blue);
    painter.drawPolygon(QPolygon({QPoint(0, 0), QPoint(4, -2), QPoint(4, 2)}));
    painter.end();

    // The point itself stays a solid pixel at the hot spot.
    image.setPixelColor(kPencilHotSpot, outline);
    return QPixmap::fromImage(image);
}

} // namespace hueprint
