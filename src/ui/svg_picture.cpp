#include "ui/svg_picture.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

// Resources in static libraries are registered only when asked for by name.
static void InitPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace paperkit {

void InitPictures() {
    static const bool once = (InitPictureResources(), true);
    (void)once;
}

QPixmap RenderPicture(const QString& path, QSize size, qreal pixelRatio) {
    if (pixelRatio <= 0)
        pixelRatio = 1.0;
    // The windows repaint the same few pictures over and over; each is drawn once per size.
    static QHash<QString, QPixmap> drawn;
    const QString key = QStringLiteral("%1|%2x%3@%4")
                            .arg(path)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(pixelRatio);
    if (const auto found = drawn.constFind(key); found != drawn.constEnd())
        return *found;
    QPixmap pixmap(size * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QSvgRenderer renderer(path);
    if (renderer.isValid()) {
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    } else {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0x14, 0x20, 0x2e), 1.5));
        painter.setBrush(QColor(0xc8, 0xd2, 0xde));
        painter.drawRoundedRect(QRectF(1.5, 1.5, size.width() - 3.0, size.height() - 3.0), 2, 2);
    }
    painter.end();
    drawn.insert(key, pixmap);
    return pixmap;
}

} // namespace paperkit
