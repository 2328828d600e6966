#include "ui/navigator/picture_button.h"

#include "ui/navigator/panel_face.h"
#include "ui/svg_picture.h"

#include <QDesktopServices>
#include <QPainter>
#include <QUrl>

namespace paperkit {

TPictureButton::TPictureButton(const QString& picture, const QString& hint, QWidget* parent)
    : QAbstractButton(parent), m_picture(picture) {
    setToolTip(hint);
    setAccessibleName(hint);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setFixedSize(kPictureSize, kPictureSize);
}

QSize TPictureButton::sizeHint() const {
    return {kPictureSize, kPictureSize};
}

void TPictureButton::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    if (m_pixmap.isNull() || m_pixmap.devicePixelRatio() != ratio)
        m_pixmap = RenderPicture(m_picture, size(), ratio);
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_pixmap);
    if (isDown()) {
        painter.setPen(QColor(255, 255, 255, 160));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (hasFocus()) {
        painter.setPen(QPen(QColor(0xff, 0xd7, 0x5a), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

TLinkLabel::TLinkLabel(const QColor& color, QWidget* parent)
    : QAbstractButton(parent), m_color(color) {
    setFont(InfoFont());
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (!m_link.isEmpty())
            QDesktopServices::openUrl(QUrl(m_link));
    });
}

void TLinkLabel::SetCaption(const QString& caption) {
    setText(caption);
    setAccessibleName(caption);
    update();
}

void TLinkLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(m_color);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
}

} // namespace paperkit
