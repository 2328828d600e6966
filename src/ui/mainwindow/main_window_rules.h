#pragma once

#include "catalog/wall_ad.h"
#include "catalog/wall_category.h"
#include "catalog/wall_subject.h"
#include "ui/home_page.h"

#include <QtGlobal>
#include <string>
#include <vector>

// The main window's decisions that need no widget: captions, state pictures, the mouse zones of a
// list row, the size group's layout, the popup menu's rules, the selection after a delete, the ads
// and the guide-file command.
namespace paperkit {

/// The ad line shown when the catalog has no ads.
inline constexpr const char* kDefaultAdText =
    QT_TRANSLATE_NOOP("paperkit::TFmMain", "领先的桌面壁纸管理工具：青鸾画屏");

/// Date, "[", category name, "]", name. An album whose category is unknown gets no brackets.
std::string AlbumCaption(const TWallSubject& subject, const TWallCategorys& categorys);

/// The state picture: 0 download and rotation, 1 download only, 2 rotation only, 3 neither.
int StateIndex(bool download, bool inWallList);

/// The hidden sub-items of a list row: "" (the drawn column), the picture total and the number
/// downloaded, as decimal text.
std::vector<std::string> CountSubItems(const TWallSubject& subject);

/// Sub-item 1 differs from sub-item 2: the album still has pictures to fetch. A row without
/// sub-items counts as complete.
bool Incomplete(const std::vector<std::string>& subItems);

/// What a left press at x (list coordinates) does to the row under it. `left` and `width` are
/// column 2's left edge and width, `half` half the state picture's width.
struct MouseDownActions {
    bool ToggleDownload = false;
    bool ToggleWallPaper = false;
};
MouseDownActions MouseDownZone(int x, int left, int width, int half, bool download,
                               bool incomplete);

/// Columns and height of the size group for n items, "不下载" included.
struct SizeGroupLayout {
    int Columns = 1;
    int Height = 65;
};
SizeGroupLayout SizeLayout(int n);

/// Which popup items show and which are enabled.
struct PopupMenuState {
    bool Visible = false; // every item but MenuDelete
    bool DeleteVisible = false;
    bool DownloadEnabled = false;
    bool ToWallPaperEnabled = false;
    bool PreviewEnabled = false;
    bool URLEnabled = false;
};
PopupMenuState PopupRules(bool hasItem, char pageKind, bool download, bool incomplete,
                          bool inWallList);

/// The row to select after the row at `removed` was taken out, leaving `countAfter` rows: the one
/// now at the same place, else the one before, else -1 (none).
int RowAfterDelete(int removed, int countAfter);

/// The ad shown at an index: its text and link, or the product line and home page when the index
/// names no ad.
struct AdLine {
    std::string Text;
    std::string URL;
};
AdLine AdAt(const TWallAds& ads, int index);
/// The ad after `index`, back to 0 after the last.
int NextAdIndex(int index, int count);

/// "WebDownload:" followed by each path and CR LF; empty when there is no path.
std::string WebDownloadLine(const std::vector<std::string>& paths);

/// The command of a change to an album of a page: `name` for page '1', "D" + name for page '2',
/// then ":" and the album id.
std::string AlbumCommand(const char* name, char pageKind, int id);

/// The text a screen reader gives for a row's state, such as "下载 12/40".
std::string StateDescription(const TWallSubject& subject, const std::vector<std::string>& subItems);

} // namespace paperkit
