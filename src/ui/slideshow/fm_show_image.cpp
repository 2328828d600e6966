#include "ui/slideshow/fm_show_image.h"

#include "support/fit_size.h"
#include "support/globals.h"
#include "ui/transitions/transition_image.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>

namespace paperkit {

namespace {

QString PathText(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(text.data()),
                             static_cast<qsizetype>(text.size()));
}

} // namespace

TFmShowImage::TFmShowImage(const TWallParas& paras, SlideshowServices services, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), m_paras(paras),
      m_media(services.media), m_styles(services.styles), m_timer(std::move(services.timer)),
      m_screen(services.screen) {
    if (!m_timer)
        m_timer = std::make_unique<QtSlideshowTimer>();
    m_timer->SetEnabled(false);
    m_timer->SetHandler([this] { TimerTimer(); });
    if (m_screen.isEmpty())
        if (const QScreen* primary = QGuiApplication::primaryScreen())
            m_screen = primary->geometry();
    // from the screen's top-left corner, whatever the desktop's layout
    m_screen.moveTopLeft(QPoint(0, 0));

    setObjectName(QStringLiteral("FmShowImage"));
    setWindowTitle(QStringLiteral("PaperKit"));
    setAccessibleName(tr("幻灯片放映"));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setGeometry(m_screen);

    m_image = new TTransitionImage(this);
    m_image->setObjectName(QStringLiteral("Image"));
    m_image->setAccessibleName(tr("图片"));
    // the window sees the keys first: the picture never takes the focus
    m_image->setFocusPolicy(Qt::NoFocus);
    m_image->SetCenter(true);
    m_image->SetStep(1);
    m_image->SetDelay(0);
    m_image->SetFillParent(true);
    connect(m_image, &TTransitionImage::clicked, this, &TFmShowImage::MenuNextClick);

    m_popupMenu = new QMenu(this);
    m_popupMenu->setObjectName(QStringLiteral("PopupMenu"));
    m_popupMenu->setAccessibleName(tr("放映菜单"));
    m_menuFirst = AddItem("MenuFirst", tr("第一张"), &TFmShowImage::MenuFirstClick);
    m_menuPrior = AddItem("MenuPrior", tr("前一张"), &TFmShowImage::MenuPriorClick);
    m_menuNext = AddItem("MenuNext", tr("后一张"), &TFmShowImage::MenuNextClick);
    m_menuLast = AddItem("MenuLast", tr("最后一张"), &TFmShowImage::MenuLastClick);
    m_popupMenu->addSeparator();
    m_menuAutoPlay =
        AddItem("MenuAutoPlay", tr("自动放映"), &TFmShowImage::MenuAutoPlayClick, true);
    m_menuAutoPlay->setChecked(true);
    m_menuPlayReCycle =
        AddItem("MenuPlayReCycle", tr("循环播放"), &TFmShowImage::MenuPlayReCycleClick, true);
    m_menuMusic = AddItem("MenuMusic", tr("播放背景音乐"), &TFmShowImage::MenuMusicClick, true);
    m_popupMenu->addSeparator();
    m_menuClose = AddItem("MenuClose", tr("关闭"), &TFmShowImage::MenuCloseClick);
}

TFmShowImage::~TFmShowImage() {
    m_timer->SetEnabled(false);
    m_image->Stop();
}

QAction* TFmShowImage::AddItem(const char* name, const QString& text,
                               void (TFmShowImage::*handler)(), bool checkable) {
    QAction* item = m_popupMenu->addAction(text);
    item->setObjectName(QString::fromLatin1(name));
    item->setCheckable(checkable);
    // triggered, not toggled: the window's own setChecked at show time is no click
    connect(item, &QAction::triggered, this, handler);
    return item;
}

void TFmShowImage::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        activateWindow();
        FormShow();
    }
}

void TFmShowImage::FormShow() {
    if (m_paths.isEmpty()) {
        // callers never show an empty list; closing from within the show is left to the loop
        QMetaObject::invokeMethod(
            this, [this] { done(QDialog::Rejected); }, Qt::QueuedConnection);
        return;
    }
    ShowPicture();
    m_menuPlayReCycle->setChecked(m_paras.PlayRecycle);
    m_menuMusic->setChecked(m_paras.PlayMusic);
    m_musicFile = m_paras.MusicType == '1' ? PathText(ProgramFolder / "default.wma")
                                           : QString::fromStdString(m_paras.MusicFile);
    if (m_menuMusic->isChecked())
        OpenMusic();
    m_countdown = 2 * m_paras.Interval;
    m_timer->SetEnabled(true);
}

void TFmShowImage::ShowPicture() {
    if (m_image->Busy())
        m_image->Stop();
    m_image->ClearPicture();
    m_image->SetStretch(false);
    m_image->SetFillParent(true);
    int style = 0;
    if (m_index >= 0 && m_index < m_paths.size() && m_image->LoadPicture(m_paths[m_index])) {
        const QSize own = m_image->PictureSize();
        const int sw = m_screen.width(), sh = m_screen.height();
        if (own.width() > sw || own.height() > sh) {
            const FittedSize fit = FitSize(own.width(), own.height(), sw, sh);
            m_image->SetBounds(
                QRect((sw - fit.width) / 2, (sh - fit.height) / 2, fit.width, fit.height));
            m_image->SetStretch(true);
        }
        style = m_paras.SpecialStyle ? m_styles.Next() : 0;
    }
    // a picture that cannot be loaded shows black for its time: the cleared picture, at once
    m_image->SetStyle(style);
    m_image->Execute();
    m_menuPrior->setEnabled(m_index > 0);
    m_menuNext->setEnabled(m_index < m_paths.size() - 1);
}

void TFmShowImage::TimerTimer() {
    if (--m_countdown < 0) {
        m_countdown = 2 * m_paras.Interval;
        if (m_index >= m_paths.size() - 1) {
            if (!m_menuPlayReCycle->isChecked()) {
                m_timer->SetEnabled(false);
                done(QDialog::Accepted);
                return;
            }
            m_index = 0;
        } else {
            ++m_index;
        }
        ShowPicture();
    }
    if (m_menuMusic->isChecked() &&
        m_media.Send(std::string("STATUS ") + kMusicAlias + " MODE").text == "stopped")
        Send(std::string("PLAY ") + kMusicAlias + " FROM 0");
}

void TFmShowImage::Step(int newIndex) {
    m_timer->SetEnabled(false);
    m_index = newIndex;
    ShowPicture();
    m_timer->SetEnabled(m_menuAutoPlay->isChecked());
}

void TFmShowImage::MenuFirstClick() {
    Step(0);
}

void TFmShowImage::MenuPriorClick() {
    Step(m_index > 0 ? m_index - 1 : m_index);
}

void TFmShowImage::MenuNextClick() {
    if (m_index < m_paths.size() - 1)
        Step(m_index + 1);
    else if (m_menuPlayReCycle->isChecked())
        Step(0);
    else
        done(QDialog::Accepted);
}

void TFmShowImage::MenuLastClick() {
    Step(std::max<int>(0, m_paths.size() - 1));
}

void TFmShowImage::MenuAutoPlayClick() {
    m_timer->SetEnabled(m_menuAutoPlay->isChecked());
}

void TFmShowImage::MenuPlayReCycleClick() {}

void TFmShowImage::MenuMusicClick() {
    if (!m_menuMusic->isChecked())
        Send(std::string("STOP ") + kMusicAlias);
    else if (m_musicOpened)
        Send(std::string("PLAY ") + kMusicAlias);
    else
        OpenMusic();
}

void TFmShowImage::MenuCloseClick() {
    done(QDialog::Accepted);
}

void TFmShowImage::OpenMusic() {
    Send("OPEN \"" + m_musicFile.toStdString() + "\" ALIAS " + kMusicAlias);
    Send(std::string("PLAY ") + kMusicAlias + " FROM 0");
    m_musicOpened = true;
}

void TFmShowImage::Send(const std::string& command) {
    m_media.Send(command);
}

void TFmShowImage::done(int result) {
    m_timer->SetEnabled(false);
    if (m_musicOpened) {
        Send(std::string("CLOSE ") + kMusicAlias);
        m_musicOpened = false;
    }
    m_image->Stop();
    QDialog::done(result);
}

void TFmShowImage::keyPressEvent(QKeyEvent* event) {
    // the menu key opens the menu, so that the show can be run from the keyboard alone
    if (event->key() == Qt::Key_Menu) {
        m_popupMenu->popup(mapToGlobal(rect().center()));
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFmShowImage::contextMenuEvent(QContextMenuEvent* event) {
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(rect().center())
                                                                     : event->globalPos();
    m_popupMenu->popup(at);
}

} // namespace paperkit
