#include "ui/skin/skin_style.h"

#include "ui/skin/skin.h"

#include <QAbstractButton>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace paperkit {

SkinStyle::SkinStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void SkinStyle::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    // A button that never takes the focus would run its handler while an edit still holds an
    // uncommitted value.
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (!(button->focusPolicy() & Qt::ClickFocus))
            button->setFocusPolicy(Qt::StrongFocus);
    }
}

QSize SkinStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                  const QWidget* widget) const {
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_MenuItem) {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (item && item->menuItemType != QStyleOptionMenuItem::Separator)
            result.setHeight(kMenuItemHeight);
    }
    return result;
}

int SkinStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                           const QWidget* widget) const {
    if (metric == PM_SmallIconSize)
        return 16;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

} // namespace paperkit
