#include "ui/paperlist/tfm_paper_list.h"

#include "ui/paperlist/paper_list_rules.h"
#include "ui/paperlist/tfm_self_path.h"
#include "ui/skin/modal_button.h"
#include "ui/slideshow/slideshow_launcher.h"

#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

namespace paperkit {

namespace {

constexpr int kRecordRole = Qt::UserRole + 1;

template <typename W> W* Named(W* widget, const char* name, const QString& accessible) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setAccessibleName(accessible);
    return widget;
}

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    return Named(new QPushButton(text, parent), name, text);
}

} // namespace

TFmPaperList::TFmPaperList(TMainSetupFiles& mainSetupFiles, CommandLines& commandList,
                           SlideshowLauncher& slideshow, FolderChooser chooseFolder,
                           QWidget* parent)
    : QDialog(parent), m_setup(mainSetupFiles), m_commands(commandList), m_slideshow(slideshow),
      m_chooseFolder(chooseFolder ? std::move(chooseFolder) : FolderChooser(ChooseLocalFolder)) {
    setObjectName(QStringLiteral("FmPaperList"));
    setWindowTitle(tr("当前壁纸更换列表"));
    setAccessibleName(windowTitle());
    resize(497, 563);

    Label1 = new QLabel(tr("下面列表中的专辑图片将会被作为您的桌面壁纸按顺序自动循环显示。"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    ListView = Named(new QListWidget(this), "ListView", tr("壁纸更换列表"));
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // grid lines between the rows
    ListView->setStyleSheet(
        QStringLiteral("QListWidget::item { border-bottom: 1px solid #d4dce8; }"));
    Label1->setBuddy(ListView);

    BtnUp = Button(tr("上移"), "BtnUp", this);
    BtnDown = Button(tr("下移"), "BtnDown", this);
    BtnDelete = Button(tr("移出"), "BtnDelete", this);
    BtnClearAll = Button(tr("全部移出"), "BtnClearAll", this);
    BtnPath = Button(tr("增加本地壁纸目录"), "BtnPath", this);
    BtnPreview = Button(tr("全屏播放"), "BtnPreview", this);
    BtnOk = Button(tr("确定"), "BtnOk", this);
    BtnCancel = Button(tr("取消"), "BtnCancel", this);
    BtnOk->setDefault(true);
    ConnectModalButton(BtnUp, this, kModalNone, [this] { BtnUpClick(); });
    ConnectModalButton(BtnDown, this, kModalNone, [this] { BtnDownClick(); });
    ConnectModalButton(BtnDelete, this, kModalNone, [this] { BtnDeleteClick(); });
    ConnectModalButton(BtnClearAll, this, kModalNone, [this] { BtnClearAllClick(); });
    ConnectModalButton(BtnPath, this, kModalNone, [this] { BtnPathClick(); });
    ConnectModalButton(BtnPreview, this, kModalNone, [this] { BtnPreviewClick(); });
    ConnectModalButton(BtnOk, this, QDialog::Accepted, [this] { BtnOkClick(); });
    ConnectModalButton(BtnCancel, this, QDialog::Rejected);

    auto* side = new QVBoxLayout;
    for (QPushButton* button : {BtnUp, BtnDown, BtnDelete, BtnClearAll})
        side->addWidget(button);
    side->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(ListView, 1);
    middle->addLayout(side);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(BtnPath);
    bottom->addWidget(BtnPreview);
    bottom->addStretch(1);
    bottom->addWidget(BtnOk);
    bottom->addWidget(BtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);

    FillList();
}

TFmPaperList::~TFmPaperList() = default;

void TFmPaperList::AddItem(const QString& caption, TWallPaper* record, int row) {
    auto* item = new QListWidgetItem(caption);
    item->setData(kRecordRole, QVariant::fromValue(reinterpret_cast<quintptr>(record)));
    if (row < 0)
        ListView->addItem(item);
    else
        ListView->insertItem(row, item);
}

void TFmPaperList::FillList() {
    ListView->setUpdatesEnabled(false);
    ListView->clear();
    for (TWallPaper& paper : m_setup.WallPapers)
        AddItem(QString::fromStdString(PaperCaption(paper)), &paper);
    ListView->setUpdatesEnabled(true);
    if (ListView->count() > 0)
        ListView->setCurrentRow(0);
}

TWallPaper* TFmPaperList::Record(int row) const {
    const QListWidgetItem* item = ListView->item(row);
    if (!item)
        return nullptr;
    const auto* wanted =
        reinterpret_cast<const TWallPaper*>(item->data(kRecordRole).value<quintptr>());
    // The item is only trusted while its entry is still in the rotation list.
    for (TWallPaper& paper : m_setup.WallPapers)
        if (&paper == wanted)
            return &paper;
    return nullptr;
}

void TFmPaperList::MoveSelected(int step) {
    const int row = ListView->currentRow();
    const int target = row + step;
    if (row < 0 || !ListView->currentItem() || !ListView->currentItem()->isSelected() ||
        target < 0 || target >= ListView->count())
        return;
    QListWidgetItem* item = ListView->takeItem(row);
    ListView->insertItem(target, item);
    ListView->setCurrentRow(target);
    ListView->setFocus();
}

void TFmPaperList::BtnUpClick() {
    MoveSelected(-1);
}

void TFmPaperList::BtnDownClick() {
    MoveSelected(1);
}

void TFmPaperList::BtnDeleteClick() {
    const int row = ListView->currentRow();
    if (row < 0 || !ListView->currentItem() || !ListView->currentItem()->isSelected())
        return;
    delete ListView->takeItem(row);
    if (ListView->count() > 0)
        ListView->setCurrentRow(std::min(row, ListView->count() - 1));
    ListView->setFocus();
}

void TFmPaperList::BtnClearAllClick() {
    ListView->clear();
}

void TFmPaperList::BtnPathClick() {
    const auto choice = m_chooseFolder(this);
    if (!choice)
        return;
    auto paper = std::make_unique<TWallPaper>();
    paper->Type = '0';
    paper->Id = QFile::encodeName(choice->Path).toStdString();
    paper->Name = choice->Name.toStdString();
    paper->HasSub = choice->IncludeSubfolders ? 'Y' : 'N';
    TWallPaper* record = paper.get();
    AddItem(QString::fromStdString(PaperCaption(*record)), record);
    // The folder joins the rotation at once, whatever becomes of this dialog.
    m_setup.WallPapers.Add(std::move(paper));
    m_commands.push_back("WallPaperSetup");
}

void TFmPaperList::BtnPreviewClick() {
    const TWallPaper* paper = Record(ListView->currentRow());
    if (!paper)
        return;
    const auto pictures = PreviewPictures(m_setup, *paper);
    if (!pictures.empty())
        m_slideshow.ShowPictures(pictures, this);
}

void TFmPaperList::BtnOkClick() {
    std::vector<const TWallPaper*> order;
    for (int row = 0; row < ListView->count(); ++row)
        if (const TWallPaper* paper = Record(row))
            order.push_back(paper);
    ListView->clear(); // the items must not outlive the entries they name
    m_setup.WallPapers.Rebuild(order);
    MarkAlbumsInWallList(m_setup);
    m_commands.push_back("WallPaperSetup");
}

std::optional<LocalFolderChoice> ChooseLocalFolder(QWidget* parent) {
    TFmSelfPath dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return LocalFolderChoice{dialog.SelectedPath(), dialog.EdtName->text(),
                             dialog.ChkSubDir->isChecked()};
}

} // namespace paperkit
