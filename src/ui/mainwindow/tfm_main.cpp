#include "ui/mainwindow/tfm_main.h"

#include "rotation/completeness.h"
#include "support/log.h"
#include "ui/mainwindow/album_actions.h"
#include "ui/mainwindow/album_delegate.h"
#include "ui/mainwindow/album_list_model.h"
#include "ui/mainwindow/cover_picture.h"
#include "ui/mainwindow/main_controls.h"
#include "ui/mainwindow/main_window_rules.h"
#include "ui/mainwindow/state_pictures.h"

#include <QAction>
#include <QButtonGroup>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <initializer_list>

namespace paperkit {
namespace {

constexpr int kColumn1Width = 355;
constexpr int kColumn2Width = 44;
constexpr int kRowHeight = kStatePictureHeight + 2;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QPushButton* MakeButton(const QString& caption, const QRect& geometry, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    button->setAccessibleName(caption);
    return button;
}

QLabel* MakeLabel(const QString& caption, const QRect& geometry, QWidget* parent) {
    auto* label = new QLabel(parent);
    // Album texts come from the server: they are shown as they are, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(caption);
    label->setGeometry(geometry);
    return label;
}

/// The windows' places are fixed, their texts are not: each widget of a row, in order, grows to
/// what its text needs and pushes the ones after it along. Texts that fit change nothing.
void FitRow(std::initializer_list<QWidget*> row) {
    int right = -1;
    for (QWidget* widget : row) {
        QRect place = widget->geometry();
        place.setWidth(std::max(place.width(), widget->sizeHint().width()));
        if (right >= 0 && place.left() <= right + 4)
            place.moveLeft(right + 5);
        widget->setGeometry(place);
        right = place.right();
    }
}

/// A widget whose right edge stays where it is grows to the left.
void FitLeftward(QWidget* widget) {
    QRect place = widget->geometry();
    place.setLeft(std::min(place.left(), place.right() + 1 - widget->sizeHint().width()));
    widget->setGeometry(place);
}

/// A data label keeps an accessible name while it shows nothing.
void SetDataLabel(QLabel* label, const QString& text, const QString& emptyName) {
    label->setText(text);
    label->setAccessibleName(text.isEmpty() ? emptyName : text);
}

} // namespace

TFmMain::TFmMain(TMainSetupFiles& mainSetupFiles, CommandLines& commandList,
                 TFmMainServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_setup(mainSetupFiles), m_commands(commandList), m_services(std::move(services)) {
    setObjectName(QStringLiteral("FmMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("青鸾画屏 v2011c.12rc9"));
    setAccessibleName(windowTitle());
    setFixedSize(766, 584);
    setAutoFillBackground(true);

    BuildPages();
    BuildDetails();
    BuildBottomRow();
    BuildPopupMenu();

    TimerAd = new QTimer(this);
    connect(TimerAd, &QTimer::timeout, this, &TFmMain::TimerAdTimer);
    const int ads = m_setup.WallAds.Count();
    m_adIndex = ads > 0 && m_services.Random ? std::clamp(m_services.Random(ads), 0, ads - 1) : 0;

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    RefreshLists();
}

TFmMain::~TFmMain() = default;

QTableView* TFmMain::MakeList(AlbumListModel* model, const QString& name, QWidget* parent) {
    auto* list = new QTableView(parent);
    list->setObjectName(name);
    list->setAccessibleName(name);
    list->setModel(model);
    list->setItemDelegate(new AlbumDelegate(*model, list));
    list->horizontalHeader()->hide();
    list->verticalHeader()->hide();
    list->horizontalHeader()->setMinimumSectionSize(1);
    list->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list->setColumnWidth(0, kColumn1Width);
    list->setColumnWidth(1, kColumn2Width);
    // Fixed row heights keep a list of thousands of albums as cheap as one of ten.
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list->verticalHeader()->setDefaultSectionSize(kRowHeight);
    list->setShowGrid(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setWordWrap(false);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    list->viewport()->installEventFilter(this);
    const char kind = model == m_newModel ? '1' : '2';
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, kind] { ListTitleSelectItem(kind); });
    connect(list, &QWidget::customContextMenuRequested, this,
            [this, kind](const QPoint& point) { ShowPopup(kind, point); });
    return list;
}

void TFmMain::BuildPages() {
    PageMain = new QTabWidget(this);
    PageMain->setObjectName(QStringLiteral("PageMain"));
    PageMain->setAccessibleName(tr("专辑列表"));
    PageMain->setGeometry(8, 8, 436, 530);

    m_newModel = new AlbumListModel(this);
    m_downModel = new AlbumListModel(this);
    const QRect listArea(6, 30, 420, 432);

    SheetNew = new QWidget;
    SheetNew->setObjectName(QStringLiteral("SheetNew"));
    SheetNew->setAccessibleName(tr("最新更新"));
    QLabel* newFrom = MakeLabel(tr("最新更新来自:"), QRect(8, 8, 80, 18), SheetNew);
    auto* newHome = new TUrlLabel(tr("青鸾画屏网站"), SheetNew);
    newHome->setGeometry(90, 8, 200, 18);
    newHome->SetLink(kHomePage);
    FitRow({newFrom, newHome});
    newHome->Open = [this](const std::string& url) {
        if (m_services.OpenUrl)
            m_services.OpenUrl(url);
    };
    ListTitle = MakeList(m_newModel, QStringLiteral("ListTitle"), SheetNew);
    ListTitle->setAccessibleName(tr("最新更新"));
    ListTitle->setGeometry(listArea);
    BtnCategory = MakeButton(tr("最新更新下载类别预设"), QRect(6, 468, 180, 26), SheetNew);
    BtnCheckNew = MakeButton(tr("检查最新更新"), QRect(306, 468, 120, 26), SheetNew);
    FitRow({BtnCategory});
    FitLeftward(BtnCheckNew);
    PageMain->addTab(SheetNew, tr("最新更新"));

    SheetDownload = new QWidget;
    SheetDownload->setObjectName(QStringLiteral("SheetDownload"));
    SheetDownload->setAccessibleName(tr("我的下载"));
    QLabel* goTo = MakeLabel(tr("请到"), QRect(8, 8, 26, 18), SheetDownload);
    auto* library = new TUrlLabel(tr("桌面背景图片库"), SheetDownload);
    library->setGeometry(34, 8, 86, 18);
    library->SetLink(kHomePage);
    library->Open = newHome->Open;
    QLabel* pick =
        MakeLabel(tr("挑选您喜欢的图片专辑进行下载"), QRect(122, 8, 290, 18), SheetDownload);
    FitRow({goTo, library, pick});
    ListDownloadSubject =
        MakeList(m_downModel, QStringLiteral("ListDownloadSubject"), SheetDownload);
    ListDownloadSubject->setAccessibleName(tr("我的下载"));
    ListDownloadSubject->setGeometry(listArea);
    BtnOpenPkd = MakeButton(tr("打开下载导引文件"), QRect(6, 468, 150, 26), SheetDownload);
    FitRow({BtnOpenPkd});
    PageMain->addTab(SheetDownload, tr("我的下载"));

    connect(PageMain, &QTabWidget::currentChanged, this, [this] { ShowSubjectInfo(Selected()); });
    connect(BtnCategory, &QPushButton::clicked, this, [this] {
        if (m_services.ShowCategorySetup)
            m_services.ShowCategorySetup(this);
    });
    connect(BtnCheckNew, &QPushButton::clicked, this, [this] { Post("CheckNew"); });
    connect(BtnOpenPkd, &QPushButton::clicked, this, &TFmMain::BtnOpenPkdClick);
}

void TFmMain::BuildDetails() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Details"));
    panel->setGeometry(452, 8, 306, 530);

    PutTitleCaption = MakeLabel(QString(), QRect(4, 8, 298, 20), panel);
    PutTitleCaption->setObjectName(QStringLiteral("PutTitleCaption"));
    PutTitleCaption->setAlignment(Qt::AlignCenter);
    QFont bold = PutTitleCaption->font();
    bold.setBold(true);
    PutTitleCaption->setFont(bold);

    ImgTitle = new TCoverButton(panel);
    ImgTitle->setObjectName(QStringLiteral("ImgTitle"));
    ImgTitle->setGeometry(73, 34, 160, 120);
    ImgTitle->setToolTip(tr("点击可全屏播放"));
    ImgTitle->setAccessibleName(tr("点击可全屏播放"));
    ImgTitle->setFocusPolicy(Qt::StrongFocus);
    ImgTitle->setCursor(Qt::PointingHandCursor);
    connect(ImgTitle, &QAbstractButton::clicked, this, &TFmMain::StartSlideshow);

    PutTitleRemark = MakeLabel(QString(), QRect(8, 162, 290, 106), panel);
    PutTitleRemark->setObjectName(QStringLiteral("PutTitleRemark"));
    PutTitleRemark->setWordWrap(true);
    PutTitleRemark->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    PutURL = new TUrlLabel(tr("更多介绍"), panel);
    PutURL->setObjectName(QStringLiteral("PutURL"));
    PutURL->setGeometry(8, 276, 80, 18);
    PutURL->Open = [this](const std::string& url) {
        if (m_services.OpenUrl)
            m_services.OpenUrl(url);
    };
    FitRow({PutURL});
    PutCounts = MakeLabel(QString(), QRect(120, 276, 178, 18), panel);
    PutCounts->setObjectName(QStringLiteral("PutCounts"));
    PutCounts->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    BtnPreview = MakeButton(tr("全屏播放"), QRect(8, 300, 100, 26), panel);
    BtnPreview->setObjectName(QStringLiteral("BtnPreview"));
    FitRow({BtnPreview});
    connect(BtnPreview, &QPushButton::clicked, this, &TFmMain::StartSlideshow);

    RdgSize = new QGroupBox(tr("分辨率"), panel);
    RdgSize->setObjectName(QStringLiteral("RdgSize"));
    RdgSize->setAccessibleName(tr("分辨率"));
    RdgSize->setGeometry(8, 336, 290, 65);
    m_sizeGroup = new QButtonGroup(this);
    connect(m_sizeGroup, &QButtonGroup::idClicked, this, [this](int id) {
        if (!m_sizeDetached)
            RdgSizeClick(id);
    });
}

void TFmMain::BuildBottomRow() {
    BtnWallPaperList = MakeButton(tr("当前壁纸"), QRect(8, 548, 90, 28), this);
    BtnSetup = MakeButton(tr("设置"), QRect(104, 548, 70, 28), this);
    PutAd = new TUrlLabel(QString(), this);
    PutAd->setObjectName(QStringLiteral("PutAd"));
    PutAd->setGeometry(184, 553, 480, 18);
    PutAd->Open = [this](const std::string& url) {
        if (m_services.OpenUrl)
            m_services.OpenUrl(url);
    };
    BtnExit = MakeButton(tr("关闭"), QRect(676, 548, 82, 28), this);
    FitRow({BtnWallPaperList, BtnSetup});
    FitLeftward(BtnExit);
    // The ad line takes what the buttons leave.
    const int adLeft = std::max(PutAd->x(), BtnSetup->geometry().right() + 10);
    PutAd->setGeometry(adLeft, PutAd->y(), BtnExit->x() - 12 - adLeft, PutAd->height());
    BtnWallPaperList->setObjectName(QStringLiteral("BtnWallPaperList"));
    BtnSetup->setObjectName(QStringLiteral("BtnSetup"));
    BtnExit->setObjectName(QStringLiteral("BtnExit"));
    BtnCategory->setObjectName(QStringLiteral("BtnCategory"));
    BtnCheckNew->setObjectName(QStringLiteral("BtnCheckNew"));
    BtnOpenPkd->setObjectName(QStringLiteral("BtnOpenPkd"));

    connect(BtnWallPaperList, &QPushButton::clicked, this, [this] {
        if (m_services.ShowWallPaperList && m_services.ShowWallPaperList(this))
            RefreshStates();
    });
    connect(BtnSetup, &QPushButton::clicked, this, [this] {
        if (m_services.ShowSetup)
            m_services.ShowSetup(this);
    });
    connect(BtnExit, &QPushButton::clicked, this, &QWidget::close);
}

void TFmMain::BuildPopupMenu() {
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    PopupMenu->setAccessibleName(tr("专辑菜单"));
    MenuDownload = PopupMenu->addAction(tr("下载该专辑"));
    MenuToWallPaper = PopupMenu->addAction(tr("加入当前壁纸更换列表"));
    MenuPreview = PopupMenu->addAction(tr("全屏播放"));
    MenuURL = PopupMenu->addAction(tr("更多介绍"));
    MenuDelete = PopupMenu->addAction(tr("删除"));
    PopupMenu->addSeparator();
    MenuReDownload = PopupMenu->addAction(tr("重新或继续下载该专辑"));
    connect(MenuDownload, &QAction::triggered, this,
            [this] { ToggleDownload(SelectedRow(PageKind())); });
    connect(MenuToWallPaper, &QAction::triggered, this,
            [this] { ToggleWallPaper(SelectedRow(PageKind())); });
    connect(MenuPreview, &QAction::triggered, this, &TFmMain::StartSlideshow);
    connect(MenuURL, &QAction::triggered, this, &TFmMain::MenuURLClick);
    connect(MenuDelete, &QAction::triggered, this, &TFmMain::MenuDeleteClick);
    connect(MenuReDownload, &QAction::triggered, this, &TFmMain::MenuReDownloadClick);
}

QTableView* TFmMain::List(char pageKind) const {
    return pageKind == '2' ? ListDownloadSubject : ListTitle;
}

AlbumListModel& TFmMain::Model(char pageKind) const {
    return pageKind == '2' ? *m_downModel : *m_newModel;
}

TWallSubjects& TFmMain::Albums(char pageKind) {
    return pageKind == '2' ? m_setup.DSubjects : m_setup.Subjects;
}

char TFmMain::PageKind() const {
    return PageMain->currentIndex() == 1 ? '2' : '1';
}

int TFmMain::SelectedRow(char pageKind) const {
    const auto rows = List(pageKind)->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

TWallSubject* TFmMain::Selected() {
    const AlbumItem* item = Model(PageKind()).Item(SelectedRow(PageKind()));
    return item ? item->Data : nullptr;
}

void TFmMain::Post(std::string line) {
    m_commands.push_back(std::move(line));
}

void TFmMain::SelectRow(char pageKind, int row) {
    QTableView* list = List(pageKind);
    if (row < 0) {
        list->selectionModel()->clear();
        return;
    }
    list->selectRow(row);
    list->scrollTo(Model(pageKind).index(row, 0));
}

void TFmMain::FillList(char pageKind) {
    m_selectDetached = true;
    std::vector<AlbumItem> items;
    const TWallSubjects& albums = Albums(pageKind);
    items.reserve(static_cast<std::size_t>(albums.Count()));
    for (TWallSubject& album : Albums(pageKind)) {
        AlbumItem item;
        item.Data = &album;
        item.Caption = Text(AlbumCaption(album, m_setup.Categorys));
        item.SubItems = CountSubItems(album);
        item.StateIndex = StateIndex(album.Download, album.InWallList);
        items.push_back(std::move(item));
    }
    List(pageKind)->selectionModel()->clear();
    Model(pageKind).Reset(std::move(items));
    if (Model(pageKind).Count() > 0)
        SelectRow(pageKind, 0);
    m_selectDetached = false;
}

void TFmMain::RefreshLists() {
    FillList('1');
    FillList('2');
    ShowSubjectInfo(Selected());
    Log("MainSetupFiles.WallAds Count: " + std::to_string(m_setup.WallAds.Count()));
    TimerAd->stop();
    // A catalog without a sensible interval would turn the ads every event loop pass.
    TimerAd->setInterval(std::max(m_setup.WallAds.Interval, 1) * 1000);
    ShowAd();
    if (m_setup.WallAds.Count() > 0)
        TimerAd->start();
}

void TFmMain::RefreshItem(char pageKind, int row, bool redraw, bool counts) {
    AlbumListModel& model = Model(pageKind);
    AlbumItem* item = model.Item(row);
    if (!item || !item->Data)
        return;
    if (counts)
        item->SubItems = CountSubItems(*item->Data);
    const int state = StateIndex(item->Data->Download, item->Data->InWallList);
    if (state != item->StateIndex) {
        item->StateIndex = state;
        model.Changed(row, 0, 0);
    }
    if (redraw)
        model.Changed(row, 1, 1);
}

void TFmMain::RefreshStates() {
    for (char kind : {'1', '2'}) {
        for (int row = 0; row < Model(kind).Count(); ++row)
            RefreshItem(kind, row, false, false);
    }
}

void TFmMain::SetSizeItems(const std::vector<QString>& items, int selected) {
    for (QRadioButton* button : m_sizeButtons) {
        m_sizeGroup->removeButton(button);
        delete button;
    }
    m_sizeButtons.clear();
    const int n = static_cast<int>(items.size());
    const SizeGroupLayout layout = SizeLayout(n);
    RdgSize->setFixedHeight(layout.Height);
    // Filled column by column, the rows spread evenly over the group's inner height.
    const int perColumn = (n + layout.Columns - 1) / layout.Columns;
    const int innerTop = 18;
    const int rowHeight = perColumn > 0 ? (layout.Height - innerTop - 4) / perColumn : 0;
    const int columnWidth = (RdgSize->width() - 12) / layout.Columns;
    for (int i = 0; i < n; ++i) {
        auto* button = new QRadioButton(items[static_cast<std::size_t>(i)], RdgSize);
        button->setAccessibleName(items[static_cast<std::size_t>(i)]);
        button->setGeometry(8 + (i / perColumn) * columnWidth,
                            innerTop + (i % perColumn) * rowHeight, columnWidth - 4,
                            std::min(rowHeight, 20));
        m_sizeGroup->addButton(button, i);
        button->setChecked(i == selected);
        button->show();
        m_sizeButtons.push_back(button);
    }
}

void TFmMain::ShowSubjectInfo(const TWallSubject* subject) {
    RdgSize->hide();
    m_sizeDetached = true;
    std::vector<QString> sizes{tr("不下载")};
    int selected = 0;
    if (subject) {
        PutURL->setEnabled(true);
        BtnPreview->setEnabled(true);
        SetDataLabel(PutCounts, tr("图片总数：%1张").arg(subject->Counts), tr("图片总数"));
        PutURL->SetLink(subject->GoURL);
        QImage cover;
        if (subject->Downloaded) {
            if (const auto file = CoverFile(*subject, PageKind()))
                cover = LoadCoverPicture(*file);
        }
        ImgTitle->SetPicture(cover.isNull() ? BlankCover() : cover);
        SetDataLabel(PutTitleCaption, Text(subject->Desc), tr("专辑名称"));
        SetDataLabel(PutTitleRemark, Text(subject->Remark), tr("专辑介绍"));
        const QString chosen = Text(SizeName(subject->Size));
        std::size_t start = 0;
        const std::string& list = subject->SizeList;
        while (!list.empty() && start <= list.size()) {
            const std::size_t comma = std::min(list.find(',', start), list.size());
            const QString size = Text(list.substr(start, comma - start)).trimmed();
            start = comma + 1;
            if (size.isEmpty()) // a stray comma: an empty item would read as "不下载"
                continue;
            sizes.push_back(size);
            if (!chosen.isEmpty() && sizes.back() == chosen && selected == 0)
                selected = static_cast<int>(sizes.size()) - 1;
        }
    } else {
        ImgTitle->SetPicture(BlankCover());
        SetDataLabel(PutTitleCaption, QString(), tr("专辑名称"));
        SetDataLabel(PutTitleRemark, QString(), tr("专辑介绍"));
        PutURL->setEnabled(false);
        SetDataLabel(PutCounts, tr("图片总数："), tr("图片总数"));
        BtnPreview->setEnabled(false);
    }
    SetSizeItems(sizes, selected);
    m_sizeDetached = false;
    RdgSize->show();
}

void TFmMain::ListTitleSelectItem(char pageKind) {
    if (m_selectDetached || pageKind != PageKind())
        return;
    const AlbumItem* item = Model(pageKind).Item(SelectedRow(pageKind));
    if (item)
        ShowSubjectInfo(item->Data);
}

bool TFmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        for (char kind : {'1', '2'}) {
            if (watched != List(kind)->viewport() || mouse->button() != Qt::LeftButton)
                continue;
            List(kind)->setFocus(Qt::MouseFocusReason);
            if (event->type() == QEvent::MouseButtonPress)
                ListTitleMouseDown(kind, mouse->position().toPoint());
            // The list's own handling would select by its own rules; the press is ours.
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TFmMain::ListTitleMouseDown(char pageKind, const QPoint& point) {
    QTableView* list = List(pageKind);
    const QModelIndex index = list->indexAt(point);
    if (!index.isValid())
        return;
    const int row = index.row();
    SelectRow(pageKind, row);
    const AlbumItem* item = Model(pageKind).Item(row);
    if (!item || !item->Data || pageKind != PageKind())
        return;
    const int left = list->columnWidth(0);
    const MouseDownActions actions =
        MouseDownZone(point.x(), left, list->columnWidth(1), kStatePictureWidth / 2,
                      item->Data->Download, Incomplete(item->SubItems));
    if (actions.ToggleDownload)
        ToggleDownload(row);
    if (actions.ToggleWallPaper)
        ToggleWallPaper(row);
}

void TFmMain::ToggleDownload(int row) {
    const char kind = PageKind();
    AlbumItem* item = Model(kind).Item(row);
    if (!item || !item->Data)
        return;
    std::string line =
        paperkit::ToggleDownload(*item->Data, kind, m_setup.WallPapers, m_services.Screen);
    ShowSubjectInfo(item->Data);
    RefreshItem(kind, row, true, true);
    Post(std::move(line));
}

void TFmMain::ToggleWallPaper(int row) {
    const char kind = PageKind();
    AlbumItem* item = Model(kind).Item(row);
    if (!item || !item->Data)
        return;
    std::string line = paperkit::ToggleWallPaper(*item->Data, kind, m_setup.WallPapers);
    RefreshItem(kind, row, false, false);
    Post(std::move(line));
}

void TFmMain::RdgSizeClick(int index) {
    const char kind = PageKind();
    const int row = SelectedRow(kind);
    AlbumItem* item = Model(kind).Item(row);
    if (!item || !item->Data || index < 0 || index >= static_cast<int>(m_sizeButtons.size()))
        return;
    const std::string size =
        index == 0 ? std::string()
                   : m_sizeButtons[static_cast<std::size_t>(index)]->text().toStdString();
    auto line = ChooseSize(*item->Data, kind, m_setup.WallPapers, size);
    if (!line) { // a size we cannot download: the group shows the album's size again
        ShowSubjectInfo(item->Data);
        return;
    }
    RefreshItem(kind, row, true, true);
    Post(std::move(*line));
}

void TFmMain::MenuReDownloadClick() {
    const char kind = PageKind();
    const int row = SelectedRow(kind);
    AlbumItem* item = Model(kind).Item(row);
    if (!item || !item->Data)
        return;
    if (auto line = ReDownload(*item->Data, kind)) {
        RefreshItem(kind, row, true, true);
        Post(std::move(*line));
    }
}

void TFmMain::MenuDeleteClick() {
    if (PageKind() != '2')
        return;
    const int row = SelectedRow('2');
    AlbumItem* item = m_downModel->Item(row);
    if (!item || !item->Data)
        return;
    const std::string question = m_services.Language.GetText(1);
    if (question.empty() || !m_services.AskYesNo || !m_services.AskYesNo(question))
        return;
    TWallSubject* album = item->Data;
    m_selectDetached = true;
    m_downModel->Remove(row);
    const int next = RowAfterDelete(row, m_downModel->Count());
    SelectRow('2', next);
    m_selectDetached = false;
    if (album->InWallList)
        RemoveFromRotation(*album, '2', m_setup.WallPapers);
    Post(AlbumCommand("SubjectDelete", '2', album->Id));
    m_setup.DSubjects.Remove(album);
    const AlbumItem* shown = m_downModel->Item(next);
    ShowSubjectInfo(shown ? shown->Data : nullptr);
}

void TFmMain::MenuURLClick() {
    const TWallSubject* subject = Selected();
    if (subject && !subject->GoURL.empty() && m_services.OpenUrl)
        m_services.OpenUrl(subject->GoURL);
}

void TFmMain::StartSlideshow() {
    const TWallSubject* subject = Selected();
    if (!subject)
        return;
    const auto files = SlideshowFiles(*subject, PageKind());
    if (!files.empty() && m_services.ShowSlideshow)
        m_services.ShowSlideshow(files);
}

bool TFmMain::PopupMenuPopup() {
    const char kind = PageKind();
    const AlbumItem* item = Model(kind).Item(SelectedRow(kind));
    const bool has = item && item->Data;
    const PopupMenuState state =
        PopupRules(has, kind, has && item->Data->Download, has && Incomplete(item->SubItems),
                   has && item->Data->InWallList);
    for (QAction* action : PopupMenu->actions())
        action->setVisible(state.Visible);
    MenuDelete->setVisible(state.DeleteVisible);
    MenuDownload->setEnabled(state.DownloadEnabled);
    MenuToWallPaper->setEnabled(state.ToWallPaperEnabled);
    MenuPreview->setEnabled(state.PreviewEnabled);
    MenuURL->setEnabled(state.URLEnabled);
    return state.Visible;
}

void TFmMain::ShowPopup(char pageKind, const QPoint& point) {
    if (pageKind != PageKind())
        return;
    QTableView* list = List(pageKind);
    const QModelIndex index = list->indexAt(point);
    if (index.isValid())
        SelectRow(pageKind, index.row());
    if (PopupMenuPopup())
        PopupMenu->popup(list->viewport()->mapToGlobal(point));
}

void TFmMain::ShowAd() {
    const AdLine ad = AdAt(m_setup.WallAds, m_adIndex);
    PutAd->SetCaption(ad.Text == kDefaultAdText ? tr(kDefaultAdText) : Text(ad.Text));
    PutAd->SetLink(ad.URL);
}

void TFmMain::TimerAdTimer() {
    m_adIndex = NextAdIndex(m_adIndex, m_setup.WallAds.Count());
    ShowAd();
}

void TFmMain::BtnOpenPkdClick() {
    if (!m_services.ChooseFiles)
        return;
    std::vector<std::string> paths;
    for (std::string& path : m_services.ChooseFiles(this, QStringLiteral("Pkd files (*.pkd)"))) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec))
            paths.push_back(std::move(path));
    }
    if (std::string line = WebDownloadLine(paths); !line.empty())
        Post(std::move(line));
}

void TFmMain::ShowLastDownload() {
    RefreshLists();
    PageMain->setCurrentWidget(SheetDownload);
    SelectRow('2', m_downModel->Count() - 1);
    ShowSubjectInfo(Selected());
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

namespace {

char KindOf(AlbumList list) {
    return list == AlbumList::Downloads ? '2' : '1';
}

} // namespace

std::optional<int> TFmMain::SelectedAlbum(AlbumList list) const {
    const char kind = KindOf(list);
    const AlbumItem* item = Model(kind).Item(SelectedRow(kind));
    if (!item || !item->Data)
        return std::nullopt;
    return item->Data->Id;
}

void TFmMain::RefreshItem(AlbumList list, int albumId) {
    const char kind = KindOf(list);
    if (const TWallSubject* subject = Albums(kind).Find(albumId))
        for (int row : Model(kind).RowsOf(subject))
            RefreshItem(kind, row, true, true);
}

void TFmMain::ShowSubjectInfo(AlbumList list) {
    const char kind = KindOf(list);
    if (kind != PageKind())
        return;
    const AlbumItem* item = Model(kind).Item(SelectedRow(kind));
    ShowSubjectInfo(item ? item->Data : nullptr);
}

void TFmMain::OnSubjectDownloaded(char pageKind, int id) {
    if (!Albums(pageKind).Find(id))
        return;
    const int row = SelectedRow(pageKind);
    const AlbumItem* item = Model(pageKind).Item(row);
    if (!item || !item->Data || item->Data->Id != id)
        return;
    RefreshItem(pageKind, row, true, true);
    // The details panel shows the active page's album; an album of the other page waits until
    // its page is shown.
    if (pageKind == PageKind())
        ShowSubjectInfo(item->Data);
}

void TFmMain::OnImageDownloaded(char pageKind, int id, int no) {
    const TWallImage* image = Albums(pageKind).FindImage(id, no);
    if (!image)
        return;
    for (int row : Model(pageKind).RowsOf(image->Subject))
        RefreshItem(pageKind, row, true, true);
}

} // namespace paperkit
