#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>
#include <array>

namespace paperkit {

class AlbumListModel;

/// Paints a row of an album list: column 1 as the state picture at the row's left edge (where the
/// mouse zones expect it) and the caption after it, column 2 as the progress column. The row's
/// background goes first, so the selection shows in both.
class AlbumDelegate final : public QStyledItemDelegate {
public:
    AlbumDelegate(const AlbumListModel& model, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const QPixmap& Picture(int index, qreal ratio) const;

    const AlbumListModel& m_model;
    mutable std::array<QPixmap, 4> m_pictures;
};

} // namespace paperkit
