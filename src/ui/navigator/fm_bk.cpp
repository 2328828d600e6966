#include "ui/navigator/fm_bk.h"

#include "platform/desktop_placement.h"
#include "rotation/file_index.h"
#include "ui/bitmap_region.h"
#include "ui/navigator/navigator_logic.h"
#include "ui/navigator/panel_face.h"
#include "ui/svg_picture.h"

#include <QGuiApplication>
#include <QPainter>

namespace paperkit {

namespace {

constexpr int kBackdropOpacity = 160;

} // namespace

void SetFormRegion(QWidget& window) {
    QImage picture(window.size(), QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    window.render(&picture, {}, {}, QWidget::DrawWindowBackground | QWidget::DrawChildren);
    window.setMask(ShapeOf(picture));
}

void PlaceOnDesktop(QWidget& window, DesktopPlacement* placement, const char* className,
                    int opacity) {
    window.setWindowOpacity(opacity / 255.0);
    if (placement && QGuiApplication::platformName() == QLatin1String("xcb"))
        placement->KeepOnDesktop(static_cast<NativeWindow>(window.winId()), className);
}

TFmBk::TFmBk(ScreenSize screen, DesktopPlacement* placement) : m_placement(placement) {
    InitPictures();
    // A frameless utility window kept below: every EWMH window manager stacks it under all
    // application windows without a taskbar entry. A dock would survive "show desktop" better,
    // but openbox stacks a kept-below dock among ordinary windows and other managers put docks
    // on top; a desktop-type window vanishes under a file manager's desktop when it is clicked.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                   Qt::NoDropShadowWindowHint);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("FmBk"));
    setAccessibleName(tr("壁纸导航面板背景"));
    setFixedSize(kPanelWidth, kPanelHeight);
    const PanelPos place = PanelPlace(ReadPanelPos(), screen);
    move(place.X, place.Y);
    m_caption = QCoreApplication::translate("paperkit::TFmNavigator", kHomeCaption);
}

TFmBk::~TFmBk() {
    WritePanelPos({x(), y()});
}

void TFmBk::SetCaption(const QString& caption) {
    m_caption = caption;
    update();
}

void TFmBk::SetPlayShown(bool shown) {
    m_playShown = shown;
    update();
}

void TFmBk::Reshape() {
    SetFormRegion(*this);
}

void TFmBk::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    PaintPanelGround(painter, rect(), ratio);
    for (const auto& slot : kPictureSlots) {
        const bool play2 = std::string_view(slot.Name) == "ImgPlay2";
        const bool play = std::string_view(slot.Name) == "ImgPlay";
        if ((play2 && !m_playShown) || (play && m_playShown))
            continue;
        painter.drawPixmap(slot.Pos,
                           RenderPicture(slot.Picture, {kPictureSize, kPictureSize}, ratio));
    }
    painter.setFont(InfoFont());
    painter.setPen(kBackdropText);
    painter.drawText(kInfoRect, Qt::AlignCenter | Qt::TextSingleLine, m_caption);
}

void TFmBk::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    PlaceOnDesktop(*this, m_placement, "TFmBk", kBackdropOpacity);
}

} // namespace paperkit
