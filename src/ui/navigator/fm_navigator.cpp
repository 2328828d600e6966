#include "ui/navigator/fm_navigator.h"

#include "catalog/main_setup_files.h"
#include "platform/global_hotkeys.h"
#include "platform/maximized_window.h"
#include "platform/wallpaper.h"
#include "rotation/wall_rotation.h"
#include "support/text_shorten.h"
#include "ui/navigator/fm_bk.h"
#include "ui/navigator/navigator_logic.h"
#include "ui/navigator/panel_face.h"
#include "ui/navigator/picture_button.h"
#include "ui/svg_picture.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSystemTrayIcon>
#include <climits>
#include <iostream>

namespace paperkit {

namespace {

constexpr int kPanelOpacity = 60;
/// The tray tip's field held 63 bytes.
constexpr int kTipBytes = 63;

QString Text(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace

TFmNavigator::TFmNavigator(TFmBk& backdrop, NavigatorSide side, DesktopPlacement* placement)
    : m_backdrop(backdrop), m_side(side), m_placement(placement), m_popupMenu(this),
      m_popMenuTitle(this) {
    InitPictures();
    // The same kind of window as the backdrop (see there), lying over it.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("FmNavigator"));
    setAccessibleName(QStringLiteral("FmNavigator"));
    setAccessibleDescription(tr("壁纸导航面板"));
    setFixedSize(kPanelWidth, kPanelHeight);
    setGeometry(backdrop.geometry());
    setCursor(Qt::SizeAllCursor); // the background is the drag handle

    for (const auto& slot : kPictureSlots) {
        auto* button = new TPictureButton(QString::fromUtf8(slot.Picture), tr(slot.Hint), this);
        button->setObjectName(QString::fromUtf8(slot.Name));
        button->move(slot.Pos);
        m_pictures[slot.Name] = button;
    }
    m_putInfo = new TLinkLabel(kPanelText, this);
    m_putInfo->setObjectName(QStringLiteral("PutInfo"));
    m_putInfo->setGeometry(kInfoRect);
    m_putInfo->SetCaption(tr(kHomeCaption));
    m_putInfo->SetLink(Text(kHomePage));

    auto on = [this](const char* name, void (TFmNavigator::*handler)()) {
        connect(m_pictures.at(name), &QAbstractButton::clicked, this,
                [this, handler] { (this->*handler)(); });
    };
    on("ImgPopup", &TFmNavigator::ImgPopupClick);
    on("ImgPriorTitle", &TFmNavigator::ImgPriorTitleClick);
    on("ImgPrior", &TFmNavigator::ImgPriorClick);
    on("ImgPlay", &TFmNavigator::ImgPlayClick);
    on("ImgPlay2", &TFmNavigator::ImgPlayClick);
    on("ImgNext", &TFmNavigator::ImgNextClick);
    on("ImgNextTitle", &TFmNavigator::ImgNextTitleClick);
    connect(m_pictures.at("ImgMove"), &QAbstractButton::clicked, this, [this] {
        if (OnOpenMainWindow)
            OnOpenMainWindow();
    });
    ShowPlay(false);

    // Off until the catalog is loaded and the mediator sets it from the settings.
    m_timer.setTimerType(Qt::CoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TFmNavigator::TimerTimer);
    BuildPopupMenu1();
}

TFmNavigator::~TFmNavigator() {
    RemoveTrayIcon();
    UnregisterHotkeys();
}

void TFmNavigator::BuildPopupMenu1() {
    m_popupMenu.setObjectName(QStringLiteral("PopupMenu1"));
    auto* setup = m_popupMenu.addAction(tr("青鸾画屏主界面"));
    setup->setObjectName(QStringLiteral("MenuSetup"));
    connect(setup, &QAction::triggered, this, [this] {
        if (OnOpenMainWindow)
            OnOpenMainWindow();
    });
    m_menuNavigator = m_popupMenu.addAction(tr("壁纸导航面板"));
    m_menuNavigator->setObjectName(QStringLiteral("MenuNavigator"));
    m_menuNavigator->setCheckable(true);
    m_menuNavigator->setChecked(true);
    connect(m_menuNavigator, &QAction::triggered, this, &TFmNavigator::SetPanelsVisible);
    // The shortcut is shown, not bound: the hotkey itself is global.
    auto* clear = m_popupMenu.addAction(tr("清除壁纸\tCtrl+Alt+C"));
    clear->setObjectName(QStringLiteral("MenuClearWallpaper"));
    connect(clear, &QAction::triggered, this, &TFmNavigator::ClearWallpaper);
    auto* exit = m_popupMenu.addAction(tr("退出"));
    exit->setObjectName(QStringLiteral("MenuExit"));
    connect(exit, &QAction::triggered, this, [this] {
        if (OnExit)
            OnExit();
    });
    // Right click: the check mark tells whether the panel shows now.
    connect(&m_popupMenu, &QMenu::aboutToShow, this,
            [this] { m_menuNavigator->setChecked(isVisible()); });
}

void TFmNavigator::SetTimerFromParas() {
    m_timer.stop();
    const long long interval = ChangeIntervalMs(m_side.MainSetupFiles.WallParas);
    m_timer.setInterval(static_cast<int>(std::min<long long>(interval, INT_MAX)));
    ShowPlay(!m_side.MainSetupFiles.WallParas.Change);
    RestartTimer();
}

void TFmNavigator::RestartTimer() {
    // An interval of 0 would tick without pause; it means no automatic change.
    if (m_side.MainSetupFiles.WallParas.Change && m_timer.interval() > 0)
        m_timer.start();
}

void TFmNavigator::ShowPlay(bool shown) {
    m_pictures.at("ImgPlay2")->setVisible(shown);
    m_pictures.at("ImgPlay")->setVisible(!shown);
    m_backdrop.SetPlayShown(shown);
}

void TFmNavigator::ShowWallInfo() {
    const QString before = m_putInfo->Caption();
    const WallInfo info =
        WallInfoFor(m_side.Rotation.Files(), m_side.Rotation.Position(), m_side.MainSetupFiles);
    m_putInfo->SetCaption(info.Caption == kHomeCaption ? tr(kHomeCaption) : Text(info.Caption));
    m_putInfo->SetLink(Text(info.Link));
    m_backdrop.SetCaption(m_putInfo->Caption());
    if (m_putInfo->Caption() != before)
        m_backdrop.Reshape();
}

void TFmNavigator::Step(void (TWallRotation::*step)()) {
    m_timer.stop();
    (m_side.Rotation.*step)();
    ShowWallInfo();
    RestartTimer(); // a manual step buys a full interval
}

void TFmNavigator::ImgPriorTitleClick() {
    Step(&TWallRotation::PriorTitle);
}

void TFmNavigator::ImgPriorClick() {
    Step(&TWallRotation::PriorWallpaper);
}

void TFmNavigator::ImgNextClick() {
    Step(&TWallRotation::NextWallpaper);
}

void TFmNavigator::ImgNextTitleClick() {
    Step(&TWallRotation::NextTitle);
}

void TFmNavigator::TimerTimer() {
    // Nobody would see the change behind a maximized window; try again one interval later.
    if (m_side.Probe.IsMaximizedWindowShowing())
        return;
    m_side.Rotation.NextWallpaper();
    ShowWallInfo();
}

void TFmNavigator::ImgPlayClick() {
    m_timer.stop();
    auto& paras = m_side.MainSetupFiles.WallParas;
    paras.Change = !paras.Change;
    ShowPlay(!paras.Change);
    RestartTimer();
    m_side.CommandList.push_back("SetupToDownloadFiles");
}

void TFmNavigator::ImgPopupClick() {
    m_popMenuTitle.clear();
    for (const auto& item :
         AlbumMenuItems(m_side.Rotation.Files(), m_side.MainSetupFiles.WallPapers)) {
        QString caption = Text(item.Caption);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* action = m_popMenuTitle.addAction(caption);
        action->setData(item.Tag);
        const int tag = item.Tag;
        connect(action, &QAction::triggered, this, [this, tag] { MenuTitleItemClick(tag); });
    }
    m_popMenuTitle.popup(m_pictures.at("ImgPopup")->mapToGlobal(QPoint(0, 0)));
}

void TFmNavigator::MenuTitleItemClick(int tag) {
    const TWallFileInfo* file = m_side.Rotation.Files().Get(tag);
    if (!file)
        return;
    m_side.Rotation.GotoTitle(AlbumKey(*file));
    ShowWallInfo();
}

void TFmNavigator::ClearWallpaper() {
    m_side.Setter.ClearWallpaper();
}

void TFmNavigator::SetPanelsVisible(bool visible) {
    m_backdrop.setVisible(visible);
    setVisible(visible);
}

void TFmNavigator::HotkeyPressed(int id) {
    switch (id) {
    case HotkeyPrior:
        ImgPriorClick();
        break;
    case HotkeyNext:
        ImgNextClick();
        break;
    case HotkeyClear:
        ClearWallpaper();
        break;
    default:
        break;
    }
}

void TFmNavigator::AddTrayIcon(const QString& tip) {
    if (m_tray || m_menuOnPanel)
        return;
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        // Still fully usable: the panel's right-click menu holds the tray's items.
        m_menuOnPanel = true;
        std::cerr << "paperkit: no system tray here; the panel's right-click menu offers the "
                     "tray's items.\n";
        return;
    }
    QIcon icon;
    for (int size : {16, 22, 24, 32, 44, 48})
        icon.addPixmap(RenderPicture(QStringLiteral(":/pictures/tray.svg"), {size, size}));
    m_tray = new QSystemTrayIcon(icon, this);
    m_tray->setToolTip(Text(ShortenText(tip.toStdString(), kTipBytes, "")));
    m_tray->setContextMenu(&m_popupMenu);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](auto reason) {
        if (reason == QSystemTrayIcon::Trigger)
            ImgNextClick();
    });
    m_tray->show();
}

void TFmNavigator::RemoveTrayIcon() {
    if (!m_tray)
        return;
    m_tray->hide();
    delete m_tray;
    m_tray = nullptr;
}

void TFmNavigator::RegisterHotkeys(GlobalHotkeys& hotkeys) {
    m_hotkeys = &hotkeys;
    hotkeys.Register(HotkeyPrior, 'P');
    hotkeys.Register(HotkeyNext, 'N');
    hotkeys.Register(HotkeyClear, 'C');
}

void TFmNavigator::UnregisterHotkeys() {
    if (!m_hotkeys)
        return;
    for (int id : {HotkeyPrior, HotkeyNext, HotkeyClear})
        m_hotkeys->Unregister(id);
    m_hotkeys = nullptr;
}

void TFmNavigator::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    PlaceOnDesktop(*this, m_placement, "TFmNavigator", kPanelOpacity);
}

void TFmNavigator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintPanelGround(painter, rect(), devicePixelRatioF());
}

void TFmNavigator::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragFrom = event->globalPosition().toPoint();
        m_panelFrom = pos();
        m_backdropFrom = m_backdrop.pos();
    }
    QWidget::mousePressEvent(event);
}

void TFmNavigator::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint delta = event->globalPosition().toPoint() - m_dragFrom;
    m_backdrop.move(m_backdropFrom + delta);
    move(m_panelFrom + delta);
}

void TFmNavigator::contextMenuEvent(QContextMenuEvent* event) {
    if (m_menuOnPanel)
        m_popupMenu.popup(event->globalPos());
}

} // namespace paperkit
