#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <functional>
#include <string>

namespace paperkit {

/// A label with a link address: a click hands the address on when it is not blank after
/// trimming. Disabled, it shows grey and does nothing.
class TUrlLabel final : public QLabel {
    Q_OBJECT
public:
    TUrlLabel(const QString& caption, QWidget* parent);

    void SetCaption(const QString& caption);
    void SetLink(const std::string& url) { m_url = url; }
    const std::string& Link() const { return m_url; }
    /// Called with the address on a click.
    std::function<void(const std::string&)> Open;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::string m_url;
};

/// A button that is a picture (the album cover): it shows the picture over its whole face, and
/// is a push button to the keyboard and to screen readers.
class TCoverButton final : public QAbstractButton {
    Q_OBJECT
public:
    using QAbstractButton::QAbstractButton;

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return m_picture; }
    QSize sizeHint() const override { return {160, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};

} // namespace paperkit
