#include "ui/mainwindow/main_controls.h"

#include <QMouseEvent>
#include <QPainter>

namespace paperkit {
namespace {

bool Blank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

} // namespace

TUrlLabel::TUrlLabel(const QString& caption, QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setStyleSheet(QStringLiteral("QLabel { color: #1a55b8; } QLabel:disabled { color: #9aa7b6; }"));
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    SetCaption(caption);
}

void TUrlLabel::SetCaption(const QString& caption) {
    setTextFormat(Qt::PlainText);
    setText(caption);
    setAccessibleName(caption);
}

void TUrlLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && isEnabled() && Open && !Blank(m_url))
        Open(m_url);
}

void TCoverButton::SetPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

void TCoverButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(rect(), Qt::white);
    if (!m_picture.isNull())
        painter.drawImage(rect(), m_picture);
    if (hasFocus()) {
        painter.setPen(QPen(QColor(47, 109, 181), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace paperkit
