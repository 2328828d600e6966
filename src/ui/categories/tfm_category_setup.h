#pragma once

#include "app/down_http_thread.h"
#include "catalog/wall_category.h"
#include "ui/mediator/window_seams.h"

#include <QDialog>
#include <vector>

class QTableWidget;
class QTableWidgetItem;
class QPushButton;

namespace paperkit {

/// The category presets dialog "类别预设": a check list of the categories whose new albums are
/// fetched unasked. OK writes the ticks into the categories' `Preset` and tells the coordinator.
class TFmCategorySetup final : public QDialog, public CategorySetupSeam {
    Q_OBJECT
public:
    /// The categories (the windows' catalog's) and the command list outlive the dialog.
    TFmCategorySetup(TWallCategorys& categorys, CommandLines& commandList,
                     QWidget* parent = nullptr);
    ~TFmCategorySetup() override;

    /// One entry per category, ticked by its `Preset`; unsaved ticks are dropped.
    void FillCategories() override;
    /// The category an entry stands for; nullptr for a row that is none, or when that category
    /// is no longer in the catalog (a reload replaces the records).
    TWallCategory* Category(int row) const;

    /// The entries, in the order of the categories: row by row, two to a row.
    int EntryCount() const { return static_cast<int>(m_links.size()); }
    QTableWidgetItem* Entry(int index) const;

    void BtnSelectAllClick();
    void BtnNotSelectAllClick();
    void BtnOkClick();

    // Controls, by the names the program gives them.
    QTableWidget* ListBox = nullptr;
    QPushButton* BtnSelectAll = nullptr;
    QPushButton* BtnNotSelectAll = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnCancel = nullptr;

private:
    void SetAllChecked(bool checked);

    TWallCategorys& m_categorys;
    CommandLines& m_commands;
    /// What each entry stands for, by row; the records stay the catalog's.
    struct TLinkObject {
        TWallCategory* Category;
        int Id;
    };
    std::vector<TLinkObject> m_links;
};

} // namespace paperkit
