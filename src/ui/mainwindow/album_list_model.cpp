#include "ui/mainwindow/album_list_model.h"

#include "ui/mainwindow/main_window_rules.h"

#include <algorithm>

namespace paperkit {

int AlbumListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

int AlbumListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant AlbumListModel::data(const QModelIndex& index, int role) const {
    const AlbumItem* item = Item(index.row());
    if (!item || !item->Data)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return item->Caption;
    case Qt::AccessibleDescriptionRole:
        return QString::fromStdString(StateDescription(*item->Data, item->SubItems));
    case Qt::ToolTipRole:
        return index.column() == 0 ? item->Caption : QVariant();
    default:
        return {};
    }
}

void AlbumListModel::Reset(std::vector<AlbumItem> items) {
    beginResetModel();
    m_items = std::move(items);
    Reindex();
    endResetModel();
}

AlbumItem* AlbumListModel::Item(int row) {
    return row >= 0 && row < Count() ? &m_items[static_cast<std::size_t>(row)] : nullptr;
}

const AlbumItem* AlbumListModel::Item(int row) const {
    return row >= 0 && row < Count() ? &m_items[static_cast<std::size_t>(row)] : nullptr;
}

void AlbumListModel::Changed(int row, int firstColumn, int lastColumn) {
    if (row >= 0 && row < Count())
        emit dataChanged(index(row, firstColumn), index(row, lastColumn));
}

void AlbumListModel::Remove(int row) {
    if (row < 0 || row >= Count())
        return;
    beginRemoveRows({}, row, row);
    m_items.erase(m_items.begin() + row);
    Reindex();
    endRemoveRows();
}

void AlbumListModel::Reindex() {
    m_rows.clear();
    m_rows.reserve(m_items.size());
    for (std::size_t row = 0; row < m_items.size(); ++row)
        m_rows.emplace(m_items[row].Data, static_cast<int>(row));
}

std::vector<int> AlbumListModel::RowsOf(const TWallSubject* subject) const {
    std::vector<int> rows;
    const auto [first, last] = m_rows.equal_range(subject);
    for (auto it = first; it != last; ++it)
        rows.push_back(it->second);
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace paperkit
