#include "ui/mainwindow/state_pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace paperkit {
namespace {

// Drawn in a 24 by 18 frame; the painter is scaled, so the pictures stay sharp at any ratio.
void DrawArrow(QPainter& p, bool on) {
    const QColor fill = on ? QColor(34, 150, 60) : QColor(178, 178, 178);
    const QColor edge = on ? QColor(16, 96, 36) : QColor(130, 130, 130);
    QPainterPath arrow;
    arrow.moveTo(4.0, 2.5);
    arrow.lineTo(8.0, 2.5);
    arrow.lineTo(8.0, 8.5);
    arrow.lineTo(10.5, 8.5);
    arrow.lineTo(6.0, 13.5);
    arrow.lineTo(1.5, 8.5);
    arrow.lineTo(4.0, 8.5);
    arrow.closeSubpath();
    p.setPen(QPen(edge, 1.0));
    p.setBrush(fill);
    p.drawPath(arrow);
    p.setPen(QPen(edge, 1.2));
    p.drawLine(QPointF(2.0, 15.5), QPointF(10.0, 15.5));
}

void DrawMonitor(QPainter& p, bool on) {
    const QColor frame = on ? QColor(30, 70, 140) : QColor(140, 140, 140);
    const QColor screenTop = on ? QColor(110, 180, 250) : QColor(215, 215, 215);
    const QColor screenBottom = on ? QColor(40, 110, 210) : QColor(180, 180, 180);
    p.setPen(QPen(frame, 1.0));
    QLinearGradient glass(0, 3, 0, 11);
    glass.setColorAt(0, screenTop);
    glass.setColorAt(1, screenBottom);
    p.setBrush(glass);
    p.drawRoundedRect(QRectF(12.5, 2.5, 11.0, 9.0), 1.0, 1.0);
    if (on) {
        p.setPen(QPen(QColor(250, 230, 90), 1.0));
        p.drawLine(QPointF(15.0, 9.0), QPointF(17.5, 6.0));
        p.drawLine(QPointF(17.5, 6.0), QPointF(19.0, 8.0));
        p.drawLine(QPointF(19.0, 8.0), QPointF(21.0, 5.0));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(frame);
    p.drawRect(QRectF(17.0, 12.0, 2.0, 2.0));
    p.drawRoundedRect(QRectF(14.5, 14.0, 7.0, 2.0), 0.8, 0.8);
}

} // namespace

QPixmap StatePicture(int index, qreal devicePixelRatio) {
    const bool download = index == 0 || index == 1;
    const bool rotation = index == 0 || index == 2;
    QPixmap pixmap(qRound(kStatePictureWidth * devicePixelRatio),
                   qRound(kStatePictureHeight * devicePixelRatio));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    DrawArrow(p, download);
    DrawMonitor(p, rotation);
    return pixmap;
}

} // namespace paperkit
