#pragma once

#include <QProxyStyle>

namespace paperkit {

/// The part of the common look that a style sheet cannot express: menu items of a fixed height,
/// and buttons that always take the focus when clicked, so that an edit being left (a spin edit
/// clamping its value) has committed before the click handler runs.
class SkinStyle final : public QProxyStyle {
public:
    SkinStyle();

    void polish(QWidget* widget) override;
    using QProxyStyle::polish;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
};

} // namespace paperkit
