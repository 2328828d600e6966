#include "ui/setup/tfm_setup.h"

#include "platform/autostart.h"
#include "platform/settings_store.h"
#include "rotation/file_index.h"
#include "ui/media/media_commands.h"
#include "ui/setup/setup_icons.h"
#include "ui/setup/setup_rules.h"
#include "ui/setup/spin_edit.h"
#include "ui/skin/modal_button.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace paperkit {

namespace {

constexpr std::string_view kDesktop = "Control Panel\\Desktop";

std::string Local(const QString& text) {
    return QFile::encodeName(text).toStdString();
}
QString FromLocal(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

template <typename W> W* Named(W* widget, const char* name, const QString& accessible) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setAccessibleName(accessible);
    return widget;
}

QToolButton* BrowseButton(const char* name, const QString& accessible, QWidget* parent) {
    auto* button = Named(new QToolButton(parent), name, accessible);
    button->setText(QStringLiteral("…"));
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

} // namespace

TFmSetup::TFmSetup(SetupSide side, QWidget* parent) : QDialog(parent), m_side(std::move(side)) {
    setObjectName(QStringLiteral("FmSetup"));
    setWindowTitle(tr("青鸾画屏设置"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(540, 294);

    List = Named(new QListWidget(this), "List", tr("设置页"));
    List->setIconSize(QSize(16, 16));
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    List->addItem(new QListWidgetItem(SetupIcon(SetupPicture::BasicPage), tr("基本设置")));
    List->addItem(new QListWidgetItem(SetupIcon(SetupPicture::ChangePage), tr("壁纸更换")));
    List->addItem(new QListWidgetItem(SetupIcon(SetupPicture::ShowPage), tr("全屏播放")));
    List->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    List->setFixedWidth(List->sizeHintForColumn(0) + 2 * List->frameWidth() + 12);

    PnlMain = Named(new QStackedWidget(this), "PnlMain", tr("设置内容"));
    PnlMain->addWidget(BuildBasicPage());
    PnlMain->addWidget(BuildChangePage());
    PnlMain->addWidget(BuildShowPage());

    BtnOk = Named(new QPushButton(tr("确定"), this), "BtnOk", tr("确定"));
    BtnCancel = Named(new QPushButton(tr("取消"), this), "BtnCancel", tr("取消"));
    BtnOk->setDefault(true);
    ConnectModalButton(BtnOk, this, QDialog::Accepted, [this] { BtnOkClick(); });
    ConnectModalButton(BtnCancel, this, QDialog::Rejected);

    auto* top = new QHBoxLayout;
    top->addWidget(List);
    top->addWidget(PnlMain, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtnOk);
    buttons->addWidget(BtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(List, &QListWidget::currentRowChanged, PnlMain, &QStackedWidget::setCurrentIndex);
    // Closing in any way ends the music that was being tried.
    connect(this, &QDialog::finished, this, [this] { BtnStopMusicClick(); });

    LoadSettings();
    LoadAutoRun();
    // "壁纸更换" is the page shown first.
    List->setCurrentRow(1);
}

TFmSetup::~TFmSetup() = default;

int TFmSetup::CurrentPage() const {
    return PnlMain->currentIndex();
}

QWidget* TFmSetup::BuildBasicPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("SheetBasic"));
    auto* label = new QLabel(tr("壁纸下载存放路径(如修改本路径需重新启动青鸾画屏后有效)"), page);
    label->setWordWrap(true);
    EdtDownloadPath = Named(new QLineEdit(page), "EdtDownloadPath", tr("壁纸下载存放路径"));
    label->setBuddy(EdtDownloadPath);
    BtnDownloadPath = BrowseButton("BtnDownloadPath", tr("选择壁纸下载存放路径"), page);
    ChbAutoRun = Named(new QCheckBox(tr("启动 Windows 时自动启动青鸾画屏"), page), "ChbAutoRun",
                       tr("启动 Windows 时自动启动青鸾画屏"));
    connect(BtnDownloadPath, &QToolButton::clicked, this, [this] { BtnDownloadPathClick(); });

    auto* path = new QHBoxLayout;
    path->addWidget(EdtDownloadPath, 1);
    path->addWidget(BtnDownloadPath);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(label);
    layout->addLayout(path);
    layout->addSpacing(8);
    layout->addWidget(ChbAutoRun);
    layout->addStretch(1);
    return page;
}

QWidget* TFmSetup::BuildChangePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("SheetChange"));
    ChbChangeWall =
        Named(new QCheckBox(tr("自动更换壁纸"), page), "ChbChangeWall", tr("自动更换壁纸"));
    EdtChangeHour = Named(new TSpinEdit(0, 24, page), "EdtChangeHour", tr("小时"));
    EdtChangeMinute = Named(new TSpinEdit(0, 59, page), "EdtChangeMinute", tr("分"));
    EdtChangeSecond = Named(new TSpinEdit(0, 59, page), "EdtChangeSecond", tr("秒"));

    auto* interval = new QHBoxLayout;
    interval->addWidget(new QLabel(tr("更换频率："), page));
    interval->addWidget(EdtChangeHour);
    interval->addWidget(new QLabel(tr("小时"), page));
    interval->addWidget(EdtChangeMinute);
    interval->addWidget(new QLabel(tr("分"), page));
    interval->addWidget(EdtChangeSecond);
    auto* hint = new QLabel(tr("秒 （最小时间不能少于5秒）"), page);
    hint->setWordWrap(true);
    interval->addWidget(hint, 1);

    auto* group = Named(new QGroupBox(tr("壁纸显示"), page), "RdgWallPaperStyle", tr("壁纸显示"));
    RdgWallPaperStyle = new QButtonGroup(group);
    auto* row = new QHBoxLayout(group);
    const char* names[] = {"RbStyleCentre", "RbStyleStretch", "RbStyleTile"};
    const QString texts[] = {tr("居中"), tr("拉伸"), tr("平铺")};
    for (int i = 0; i < 3; ++i) {
        auto* item = Named(new QRadioButton(texts[i], group), names[i], texts[i]);
        RdgWallPaperStyle->addButton(item, i);
        row->addWidget(item);
    }
    row->addStretch(1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(ChbChangeWall);
    layout->addLayout(interval);
    layout->addSpacing(8);
    layout->addWidget(group);
    layout->addStretch(1);
    return page;
}

QWidget* TFmSetup::BuildShowPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("SheetShow"));
    EdtInterval = Named(new TSpinEdit(2, 30, page), "EdtInterval", tr("每张图片显示时间（秒）"));
    ChbSpecialStyle = Named(new QCheckBox(tr("使用过渡特效播放"), page), "ChbSpecialStyle",
                            tr("使用过渡特效播放"));
    ChbRecycle = Named(new QCheckBox(tr("循环播放"), page), "ChbRecycle", tr("循环播放"));
    ChbPlayMusic = Named(new QCheckBox(tr("全屏播放图片时播放背景音乐"), page), "ChbPlayMusic",
                         tr("全屏播放图片时播放背景音乐"));
    BtnPlayMusic = Named(new QToolButton(page), "BtnPlayMusic", tr("试听背景音乐"));
    BtnPlayMusic->setIcon(SetupIcon(SetupPicture::Play));
    BtnPlayMusic->setToolTip(BtnPlayMusic->accessibleName());
    BtnPlayMusic->setFocusPolicy(Qt::StrongFocus);
    BtnStopMusic = Named(new QToolButton(page), "BtnStopMusic", tr("停止试听"));
    BtnStopMusic->setIcon(SetupIcon(SetupPicture::Stop));
    BtnStopMusic->setToolTip(BtnStopMusic->accessibleName());
    BtnStopMusic->setFocusPolicy(Qt::StrongFocus);
    RbMusicSys =
        Named(new QRadioButton(tr("使用默认背景音乐"), page), "RbMusicSys", tr("使用默认背景音乐"));
    RbMusicDefine = Named(new QRadioButton(tr("自定义音乐文件(支持mp3、wma等格式声音文件)"), page),
                          "RbMusicDefine", tr("自定义音乐文件"));
    auto* musicGroup = new QButtonGroup(page);
    musicGroup->addButton(RbMusicSys);
    musicGroup->addButton(RbMusicDefine);
    EdtMusicDefine = Named(new QLineEdit(page), "EdtMusicDefine", tr("自定义音乐文件路径"));
    BtnMusicDefine = BrowseButton("BtnMusicDefine", tr("选择自定义音乐文件"), page);

    connect(ChbPlayMusic, &QCheckBox::toggled, this, [this] { ChbPlayMusicClick(); });
    connect(BtnPlayMusic, &QToolButton::clicked, this, [this] { BtnPlayMusicClick(); });
    connect(BtnStopMusic, &QToolButton::clicked, this, [this] { BtnStopMusicClick(); });
    connect(BtnMusicDefine, &QToolButton::clicked, this, [this] { BtnMusicDefineClick(); });

    auto* interval = new QHBoxLayout;
    interval->addWidget(new QLabel(tr("每张图片显示时间："), page));
    interval->addWidget(EdtInterval);
    interval->addWidget(new QLabel(tr("秒"), page));
    interval->addStretch(1);
    auto* music = new QHBoxLayout;
    music->addWidget(ChbPlayMusic);
    music->addWidget(BtnPlayMusic);
    music->addWidget(BtnStopMusic);
    music->addStretch(1);
    auto* file = new QHBoxLayout;
    file->addSpacing(20);
    file->addWidget(EdtMusicDefine, 1);
    file->addWidget(BtnMusicDefine);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(interval);
    layout->addWidget(ChbSpecialStyle);
    layout->addWidget(ChbRecycle);
    layout->addLayout(music);
    layout->addWidget(RbMusicSys);
    layout->addWidget(RbMusicDefine);
    layout->addLayout(file);
    layout->addStretch(1);
    return page;
}

void TFmSetup::LoadSettings() {
    const int style =
        StyleItemFromValues(m_side.Store.ReadString(Hive::CurrentUser, kDesktop, "TileWallpaper"),
                            m_side.Store.ReadString(Hive::CurrentUser, kDesktop, "WallpaperStyle"));
    RdgWallPaperStyle->button(style)->setChecked(true);

    const TWallParas& paras = m_side.Paras;
    ChbChangeWall->setChecked(paras.Change);
    EdtChangeHour->setValue(paras.Hour);
    EdtChangeMinute->setValue(paras.Minute);
    EdtChangeSecond->setValue(paras.Second);
    EdtDownloadPath->setText(FromLocal(ShownDownloadPath(paras.DownloadPath, ReadDownloadDir())));

    ChbPlayMusic->setChecked(paras.PlayMusic);
    (paras.MusicType == '2' ? RbMusicDefine : RbMusicSys)->setChecked(true);
    EdtMusicDefine->setText(FromLocal(paras.MusicFile));
    EdtInterval->setValue(paras.Interval);
    ChbSpecialStyle->setChecked(paras.SpecialStyle);
    ChbRecycle->setChecked(paras.PlayRecycle);
    ChbPlayMusicClick();
}

void TFmSetup::LoadAutoRun() {
    ChbAutoRun->setChecked(m_side.AutoRun.IsEnabled());
}

bool TFmSetup::SaveAutoRun() {
    if (!ChbAutoRun->isChecked()) {
        m_side.AutoRun.Disable(); // an entry that cannot be removed is let be
        return true;
    }
    return m_side.AutoRun.Enable(m_side.ProgramFile);
}

void TFmSetup::BtnOkClick() {
    for (TSpinEdit* edit : {EdtChangeHour, EdtChangeMinute, EdtChangeSecond, EdtInterval})
        edit->Commit();

    if (!SaveAutoRun()) {
        Notify(tr("无法保存开机自动启动的设置，本次设置没有保存。"));
        return; // the dialog closes all the same
    }

    const auto [tile, style] = StyleValues(RdgWallPaperStyle->checkedId());
    m_side.Store.WriteString(Hive::CurrentUser, kDesktop, "TileWallpaper", tile);
    m_side.Store.WriteString(Hive::CurrentUser, kDesktop, "WallpaperStyle", style);
    if (m_side.ReapplyWallpaper)
        m_side.ReapplyWallpaper();

    TWallParas& paras = m_side.Paras;
    const std::string edited = Local(EdtDownloadPath->text());
    if (!edited.empty() && edited.find_first_not_of(" \t") != std::string::npos)
        EdtDownloadPath->setText(FromLocal(WithTrailingSeparator(edited)));
    const std::string pending = PendingDownloadDir(edited, paras.DownloadPath);
    // The position index holds one value per line: such a folder cannot be kept there.
    if (pending.find_first_of("\r\n") != std::string::npos)
        Notify(tr("壁纸下载存放路径不能包含换行符，新的路径没有保存。"));
    else
        WriteDownloadDir(pending);

    paras.Change = ChbChangeWall->isChecked();
    paras.Hour = EdtChangeHour->value();
    paras.Minute = EdtChangeMinute->value();
    paras.Second = EdtChangeSecond->value();
    paras.PlayMusic = ChbPlayMusic->isChecked();
    paras.MusicType = RbMusicSys->isChecked() ? '1' : '2';
    paras.MusicFile = Local(EdtMusicDefine->text());
    paras.Interval = EdtInterval->value();
    paras.SpecialStyle = ChbSpecialStyle->isChecked();
    paras.PlayRecycle = ChbRecycle->isChecked();

    m_side.CommandList.push_back("SetupToDownloadFiles");
}

void TFmSetup::Notify(const QString& text) {
    if (m_side.ShowError)
        m_side.ShowError(this, text);
    else
        QMessageBox::warning(this, windowTitle(), text);
}

void TFmSetup::BtnDownloadPathClick() {
    QString folder;
    if (m_side.ChooseFolder)
        folder = m_side.ChooseFolder(this);
    else
        folder = QFileDialog::getExistingDirectory(this, tr("请选择目录"), EdtDownloadPath->text());
    if (folder.isEmpty())
        return;
    // The separator is added on OK.
    while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/'))))
        folder.chop(1);
    EdtDownloadPath->setText(folder);
}

void TFmSetup::ChbPlayMusicClick() {
    const bool on = ChbPlayMusic->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{
             BtnPlayMusic, BtnStopMusic, RbMusicSys, RbMusicDefine, EdtMusicDefine, BtnMusicDefine})
        control->setEnabled(on);
}

void TFmSetup::BtnMusicDefineClick() {
    QString file;
    if (m_side.ChooseMusicFile)
        file = m_side.ChooseMusicFile(this);
    else
        file = QFileDialog::getOpenFileName(
            this, QString(), QString(),
            QStringLiteral("*.mp3 *.MP3 (*.mp3 *.MP3);;*.wma *.WMA (*.wma *.WMA);;*.* (*)"));
    if (!file.isEmpty())
        EdtMusicDefine->setText(file);
}

void TFmSetup::BtnPlayMusicClick() {
    const std::string file = RbMusicSys->isChecked()
                                 ? (m_side.ProgramFolder / "default.wma").string()
                                 : Local(EdtMusicDefine->text());
    m_side.Media.Send(OpenMusicCommand(file));
    m_side.Media.Send("PLAY bkfilename FROM 0");
}

void TFmSetup::BtnStopMusicClick() {
    m_side.Media.Send("CLOSE bkfilename");
}

} // namespace paperkit
