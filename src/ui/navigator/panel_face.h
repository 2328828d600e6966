#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QtGlobal>
#include <array>

class QPainter;

// The look shared by the panel and its backdrop: one layout, one set of pictures.
namespace paperkit {

/// One picture button of the panel.
struct PictureSlot {
    const char* Name;    // the control's name, such as "ImgNext"
    QPoint Pos;          // left, top in the window
    const char* Picture; // resource path of its SVG
    const char* Hint;    // tool tip and accessible name
};

inline constexpr int kPictureSize = 19;

/// The eight picture buttons; `ImgPlay2` lies over `ImgPlay`.
inline const std::array<PictureSlot, 8> kPictureSlots{{
    {"ImgPopup",
     {8, 5},
     ":/navigator/pictures/album_list.svg",
     QT_TRANSLATE_NOOP("paperkit::TFmNavigator", "壁纸列表")},
    {"ImgMove",
     {278, 6},
     ":/navigator/pictures/main_window.svg",
     QT_TRANSLATE_NOOP("paperkit::TFmNavigator", "主界面")},
    {"ImgPriorTitle",
     {92, 30},
     ":/navigator/pictures/prior_album.svg",
     QT_TRANSLATE_NOOP("paperkit::TFmNavigator", "上一个专辑")},
    {"ImgPrior",
     {116, 30},
     ":/navigator/pictures/prior.svg",
     QT_TRANSLATE_NOOP("paperkit::TFmNavigator", "上一张壁纸")},
    {"ImgPlay",
     {140, 30},
     ":/navigator/pictures/stop.svg",
     QT_TRANSLATE_NOOP("paperkit::TFmNavigator", "停止壁纸自动更换")},
    {"ImgPlay2",
     {140, 30},
     ":/navigator/pictures/play.svg",
     QT_TRANSLATE_NOOP("paperkit::TFmNavigator", "壁纸自动更换")},
    {"ImgNext",
     {164, 30},
     ":/navigator/pictures/next.svg",
     QT_TRANSLATE_NOOP("paperkit::TFmNavigator", "下一张壁纸")},
    {"ImgNextTitle",
     {188, 30},
     ":/navigator/pictures/next_album.svg",
     QT_TRANSLATE_NOOP("paperkit::TFmNavigator", "下一个专辑")},
}};

inline constexpr const char* kBackgroundPicture = ":/navigator/pictures/panel_background.svg";

/// `PutInfo`, the info line.
inline constexpr QRect kInfoRect{32, 6, 241, 17};
/// `Bevel1`, the line between the info line and the buttons.
inline constexpr int kBevelTop = 26;

inline const QColor kPanelText{0xff, 0xff, 0xff};
inline const QColor kBackdropText{0x4d, 0xa3, 0xff};

/// Paints the background picture and `Bevel1` over the whole window.
void PaintPanelGround(QPainter& painter, const QRect& window, qreal pixelRatio);

/// The info line's font: bold, 12 pixels.
QFont InfoFont();

} // namespace paperkit
