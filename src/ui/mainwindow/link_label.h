#pragma once

#include <QLabel>
#include <functional>
#include <string>

namespace paperkit {

/// A label with a link address: a click hands the address on when it is not blank after
/// trimming. Disabled, it shows grey and does nothing.
class TLinkLabel final : public QLabel {
    Q_OBJECT
public:
    TLinkLabel(const QString& caption, QWidget* parent);

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

/// A picture that runs a handler when clicked (the album cover).
class TPictureButton final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    std::function<void()> Click;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace paperkit
