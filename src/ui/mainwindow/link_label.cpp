#include "ui/mainwindow/link_label.h"

#include <QMouseEvent>

namespace paperkit {
namespace {

bool Blank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

} // namespace

TLinkLabel::TLinkLabel(const QString& caption, QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setStyleSheet(QStringLiteral("QLabel { color: #1a55b8; } QLabel:disabled { color: #9aa7b6; }"));
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    SetCaption(caption);
}

void TLinkLabel::SetCaption(const QString& caption) {
    setTextFormat(Qt::PlainText);
    setText(caption);
    setAccessibleName(caption);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && isEnabled() && Open && !Blank(m_url))
        Open(m_url);
}

void TPictureButton::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && Click)
        Click();
}

} // namespace paperkit
