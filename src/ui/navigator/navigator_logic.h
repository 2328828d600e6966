#pragma once

#include "catalog/main_setup_files.h"
#include "catalog/wall_file_info.h"
#include "platform/screen.h"
#include "rotation/file_index.h"
#include "ui/home_page.h"

#include <QtGlobal>
#include <string>
#include <vector>

// What the navigator panel decides without a widget: the info line, the album menu, the change
// timer's interval and the panel's place.
namespace paperkit {

/// The info line's caption when the current wallpaper belongs to no known album or folder.
inline constexpr const char* kHomeCaption =
    QT_TRANSLATE_NOOP("paperkit::TFmNavigator", "桌面背景图片库");
/// Album names longer than this many GBK bytes are shortened, with "...".
inline constexpr int kInfoBytes = 36;
/// The album menu shortens names the same way past this many GBK bytes, so that no name makes
/// the menu wider than a screen.
inline constexpr int kMenuNameBytes = 64;

/// The panel's size; the backdrop has the same.
inline constexpr int kPanelWidth = 304;
inline constexpr int kPanelHeight = 52;

struct WallInfo {
    std::string Caption;
    std::string Link;
};

/// The caption and link for the wallpaper at `position` of the file list: the album's shortened
/// name and its web page, a local folder's rotation name with no link, or the defaults.
WallInfo WallInfoFor(const TWallFiles& files, int position, const TMainSetupFiles& catalog);

struct AlbumMenuItem {
    std::string Caption;
    /// Index in the wallpaper file list of the album's first file in this run of files.
    int Tag = 0;
};

/// The album menu: one item per run of neighbouring files of one album, captioned from the
/// rotation list ("[最新更新]", "[我的下载]" or "[本地壁纸]" and its name; empty when the album
/// has no rotation entry).
std::vector<AlbumMenuItem> AlbumMenuItems(const TWallFiles& files, const TWallPapers& wallPapers);

/// The change interval in milliseconds, each part held to the settings dialog's range; 0 when
/// there are to be no ticks.
long long ChangeIntervalMs(const TWallParas& paras);

/// The backdrop's top-left corner: the stored one, or 10 pixels left of the right screen edge and
/// 60 above the bottom when none is stored (a part of -1).
PanelPos PanelPlace(PanelPos stored, ScreenSize screen);

} // namespace paperkit
