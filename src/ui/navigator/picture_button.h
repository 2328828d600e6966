#pragma once

#include <QAbstractButton>

namespace paperkit {

/// A 19 by 19 picture button of the panel. Its hint is its tool tip and its accessible name, so
/// that a screen reader (and our tests) can find and press it.
class TPictureButton final : public QAbstractButton {
    Q_OBJECT
public:
    TPictureButton(const QString& picture, const QString& hint, QWidget* parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_picture;
    QPixmap m_pixmap;
};

/// The panel's info line: a bold centred caption that opens its link when clicked. Its caption
/// is its accessible name.
class TLinkLabel final : public QAbstractButton {
    Q_OBJECT
public:
    TLinkLabel(const QColor& color, QWidget* parent);

    void SetCaption(const QString& caption);
    QString Caption() const { return text(); }
    void SetLink(const QString& link) { m_link = link; }
    QString Link() const { return m_link; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
    QString m_link;
};

} // namespace paperkit
