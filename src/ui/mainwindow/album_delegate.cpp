#include "ui/mainwindow/album_delegate.h"

#include "ui/mainwindow/album_list_model.h"
#include "ui/mainwindow/progress_painter.h"
#include "ui/mainwindow/state_pictures.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QTableView>

namespace paperkit {

AlbumDelegate::AlbumDelegate(const AlbumListModel& model, QObject* parent)
    : QStyledItemDelegate(parent), m_model(model) {}

const QPixmap& AlbumDelegate::Picture(int index, qreal ratio) const {
    QPixmap& picture = m_pictures[static_cast<std::size_t>(index)];
    if (picture.isNull() || picture.devicePixelRatio() != ratio)
        picture = StatePicture(index, ratio);
    return picture;
}

void AlbumDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    const AlbumItem* item = m_model.Item(index.row());
    if (!item || !item->Data)
        return;
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    background.icon = QIcon();
    const QRect cell = option.rect;
    if (index.column() == 1) {
        // The progress column draws its own white cell: blue "下载" and the silver bar stay
        // readable on a selected row, whose selection shows in column 1.
        painter->fillRect(cell, Qt::white);
        background.state &= ~QStyle::State_Selected;
    }
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    if (index.column() == 0)
        style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    if (index.column() == 0) {
        const int picture = item->StateIndex;
        if (picture >= 0 && picture < 4) {
            const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
            painter->drawPixmap(cell.left(), cell.top() + (cell.height() - kStatePictureHeight) / 2,
                                Picture(picture, ratio));
        }
        const QRect text = cell.adjusted(kStatePictureWidth + 3, 0, -2, 0);
        painter->save();
        painter->setPen(option.state & QStyle::State_Selected
                            ? option.palette.color(QPalette::HighlightedText)
                            : option.palette.color(QPalette::Text));
        painter->drawText(
            text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
            option.fontMetrics.elidedText(item->Caption, Qt::ElideRight, text.width()));
        painter->restore();
        return;
    }
    // Column 2 draws in list coordinates: L is column 1's width, T the row's top.
    const int left = cell.left();
    PaintProgressColumn(*painter, left, cell.width() + 1, cell.top(), item->Data->Download,
                        item->SubItems);
}

QSize AlbumDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), kStatePictureHeight + 1));
    return size;
}

} // namespace paperkit
