#include "ui/categories/tfm_category_setup.h"

#include "ui/skin/modal_button.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace paperkit {

namespace {

constexpr int kItemHeight = 16;

template <typename W> W* Named(W* widget, const char* name, const QString& accessible) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setAccessibleName(accessible);
    return widget;
}

} // namespace

TFmCategorySetup::TFmCategorySetup(TWallCategorys& categorys, CommandLines& commandList,
                                   QWidget* parent)
    : QDialog(parent), m_categorys(categorys), m_commands(commandList) {
    setObjectName(QStringLiteral("FmCategorySetup"));
    setWindowTitle(tr("类别预设"));
    setAccessibleName(windowTitle());
    resize(369, 343);

    auto* line1 = new QLabel(tr("请选择您喜欢的图片类别（如果我们网站上有该类别的新图片，"), this);
    auto* line2 = new QLabel(tr("青鸾画屏将会第一时间为你下载欣赏哦！）"), this);
    line1->setWordWrap(true);
    line2->setWordWrap(true);

    ListBox = Named(new QTableWidget(0, 2, this), "ListBox", tr("图片类别"));
    // Two columns, filled row by row, each entry 16 pixels high.
    ListBox->horizontalHeader()->hide();
    ListBox->verticalHeader()->hide();
    ListBox->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    ListBox->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ListBox->verticalHeader()->setMinimumSectionSize(kItemHeight);
    ListBox->verticalHeader()->setDefaultSectionSize(kItemHeight);
    ListBox->setShowGrid(false);
    ListBox->setSelectionMode(QAbstractItemView::NoSelection);
    ListBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    BtnSelectAll = Named(new QPushButton(tr("全选"), this), "BtnSelectAll", tr("全选"));
    BtnNotSelectAll = Named(new QPushButton(tr("全不选"), this), "BtnNotSelectAll", tr("全不选"));
    BtnOk = Named(new QPushButton(tr("确定"), this), "BtnOk", tr("确定"));
    BtnCancel = Named(new QPushButton(tr("取消"), this), "BtnCancel", tr("取消"));
    BtnOk->setDefault(true);
    connect(BtnSelectAll, &QPushButton::clicked, this, [this] { BtnSelectAllClick(); });
    connect(BtnNotSelectAll, &QPushButton::clicked, this, [this] { BtnNotSelectAllClick(); });
    ConnectModalButton(BtnOk, this, QDialog::Accepted, [this] { BtnOkClick(); });
    ConnectModalButton(BtnCancel, this, QDialog::Rejected);

    auto* side = new QVBoxLayout;
    side->addWidget(BtnSelectAll);
    side->addWidget(BtnNotSelectAll);
    side->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(ListBox, 1);
    middle->addLayout(side);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(BtnOk);
    bottom->addWidget(BtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(line1);
    layout->addWidget(line2);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);

    FillCategories();
}

TFmCategorySetup::~TFmCategorySetup() = default;

void TFmCategorySetup::FillCategories() {
    ListBox->clearContents();
    m_links.clear();
    ListBox->setRowCount((m_categorys.Count() + 1) / 2);
    for (TWallCategory& category : m_categorys) {
        auto* item = new QTableWidgetItem(QString::fromStdString(category.Desc));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(category.Preset ? Qt::Checked : Qt::Unchecked);
        const int index = EntryCount();
        ListBox->setItem(index / 2, index % 2, item);
        m_links.push_back({&category, category.Id});
    }
}

QTableWidgetItem* TFmCategorySetup::Entry(int index) const {
    return index >= 0 && index < EntryCount() ? ListBox->item(index / 2, index % 2) : nullptr;
}

TWallCategory* TFmCategorySetup::Category(int row) const {
    if (row < 0 || row >= static_cast<int>(m_links.size()))
        return nullptr;
    const TLinkObject& link = m_links[static_cast<std::size_t>(row)];
    // A record that has gone is never written through, even when its memory was reused.
    for (TWallCategory& category : m_categorys)
        if (&category == link.Category && category.Id == link.Id)
            return link.Category;
    return nullptr;
}

void TFmCategorySetup::SetAllChecked(bool checked) {
    for (int index = 0; index < EntryCount(); ++index)
        Entry(index)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TFmCategorySetup::BtnSelectAllClick() {
    SetAllChecked(true);
}

void TFmCategorySetup::BtnNotSelectAllClick() {
    SetAllChecked(false);
}

void TFmCategorySetup::BtnOkClick() {
    for (int index = 0; index < EntryCount(); ++index)
        if (TWallCategory* category = Category(index))
            category->Preset = Entry(index)->checkState() == Qt::Checked;
    m_commands.push_back("CategorySetup");
}

} // namespace paperkit
