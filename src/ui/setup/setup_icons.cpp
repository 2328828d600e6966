#include "ui/setup/setup_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace paperkit {

namespace {

void Draw(QPainter& p, SetupPicture picture) {
    // Every picture is drawn on a 16 by 16 grid.
    p.setRenderHint(QPainter::Antialiasing);
    const QColor blue(47, 109, 181), light(222, 234, 248), green(64, 150, 72);
    p.setPen(QPen(blue, 1.2));
    switch (picture) {
    case SetupPicture::BasicPage: {
        // a folder
        QPainterPath folder;
        folder.moveTo(1.5, 4);
        folder.lineTo(6, 4);
        folder.lineTo(7.5, 5.5);
        folder.lineTo(14.5, 5.5);
        folder.lineTo(14.5, 13.5);
        folder.lineTo(1.5, 13.5);
        folder.closeSubpath();
        p.setBrush(light);
        p.drawPath(folder);
        break;
    }
    case SetupPicture::ChangePage:
        // a picture with a hill and a sun
        p.setBrush(light);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setBrush(green);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(2, 13), QPointF(7, 7), QPointF(11, 13)}));
        p.setBrush(QColor(240, 180, 40));
        p.drawEllipse(QPointF(11, 6), 1.8, 1.8);
        break;
    case SetupPicture::ShowPage:
        // a screen with a play mark
        p.setBrush(light);
        p.drawRect(QRectF(1.5, 2.5, 13, 9));
        p.drawLine(QPointF(5, 14), QPointF(11, 14));
        p.setBrush(blue);
        p.drawPolygon(QPolygonF({QPointF(6.5, 4.5), QPointF(10.5, 7), QPointF(6.5, 9.5)}));
        break;
    case SetupPicture::Play:
        p.setBrush(green);
        p.setPen(QPen(green.darker(130), 1));
        p.drawPolygon(QPolygonF({QPointF(4, 2.5), QPointF(13, 8), QPointF(4, 13.5)}));
        break;
    case SetupPicture::Stop:
        p.setBrush(QColor(190, 60, 50));
        p.setPen(QPen(QColor(140, 40, 30), 1));
        p.drawRect(QRectF(3.5, 3.5, 9, 9));
        break;
    }
}

} // namespace

QIcon SetupIcon(SetupPicture picture) {
    QIcon icon;
    for (const int scale : {1, 2, 3}) {
        QPixmap pixmap(16 * scale, 16 * scale);
        pixmap.fill(Qt::transparent);
        {
            QPainter p(&pixmap);
            p.scale(scale, scale);
            Draw(p, picture);
        }
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace paperkit
