#include "ui/navigator/panel_face.h"

#include "ui/svg_picture.h"

#include <QFont>
#include <QPainter>

namespace paperkit {

void PaintPanelGround(QPainter& painter, const QRect& window, qreal pixelRatio) {
    painter.drawPixmap(window.topLeft(),
                       RenderPicture(kBackgroundPicture, window.size(), pixelRatio));
    // Bevel1, a one-pixel line across the window between the info line and the buttons.
    painter.setPen(QColor(0x6f, 0x9c, 0xcc));
    painter.drawLine(window.left(), kBevelTop, window.right(), kBevelTop);
}

QFont InfoFont() {
    QFont font;
    font.setPixelSize(12);
    font.setBold(true);
    return font;
}

} // namespace paperkit
