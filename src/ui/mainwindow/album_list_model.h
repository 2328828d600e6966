#pragma once

#include "catalog/wall_subject.h"

#include <QAbstractTableModel>
#include <string>
#include <unordered_map>
#include <vector>

namespace paperkit {

/// One row of an album list: the album record itself (not a copy), its caption, its sub-items
/// (sub-item 0 is the drawn column, 1 the picture total, 2 the pictures done) and its state
/// picture.
struct AlbumItem {
    TWallSubject* Data = nullptr;
    QString Caption;
    std::vector<std::string> SubItems;
    int StateIndex = -1;
};

/// The rows of one of the main window's album lists, two columns: the caption with the state
/// picture, and the progress column. Only the rows told of are redrawn.
class AlbumListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    /// Replaces every row at once.
    void Reset(std::vector<AlbumItem> items);
    /// nullptr outside the list.
    AlbumItem* Item(int row);
    const AlbumItem* Item(int row) const;
    int Count() const { return static_cast<int>(m_items.size()); }
    /// Announces that the row's state picture (column 1) or progress (column 2) changed.
    void Changed(int row, int firstColumn, int lastColumn);
    /// Takes the row out.
    void Remove(int row);
    /// The rows that show the album, in order. Picture events arrive by the hundred a second, so
    /// they find their rows without walking the list.
    std::vector<int> RowsOf(const TWallSubject* subject) const;

private:
    void Reindex();

    std::vector<AlbumItem> m_items;
    std::unordered_multimap<const TWallSubject*, int> m_rows;
};

} // namespace paperkit
