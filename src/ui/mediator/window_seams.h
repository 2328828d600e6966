#pragma once

#include <optional>

// What the mediator asks of each window. A window implements its interface and is found, when it
// is showing, by its class name (ShowingFormAs).
namespace paperkit {

/// The two album lists of the main window: `ListTitle` (the latest list, kind "1") and
/// `ListDownloadSubject` (the user's downloads, kind "2").
enum class AlbumList { Latest, Downloads };

/// The navigator panel ("TFmNavigator"); it exists while the coordinator runs.
class NavigatorSeam {
public:
    virtual ~NavigatorSeam() = default;
    /// Change timer and start/stop picture from `Change`, `Hour`, `Minute` and `Second`.
    virtual void SetTimerFromParas() = 0;
    /// The info line for the current wallpaper.
    virtual void ShowWallInfo() = 0;
};

/// The main window ("TFmMain").
class MainWindowSeam {
public:
    virtual ~MainWindowSeam() = default;
    /// Fills both album lists anew from the windows' catalog.
    virtual void RefreshLists() = 0;
    /// Id of the album of the list's selected item; nullopt when nothing is selected.
    virtual std::optional<int> SelectedAlbum(AlbumList list) const = 0;
    /// Redraws, with its counts, every item of the list that shows this album.
    virtual void RefreshItem(AlbumList list, int albumId) = 0;
    /// Shows the details of the list's selected album.
    virtual void ShowSubjectInfo(AlbumList list) = 0;
    /// Switches to the page `SheetDownload` with the last item of `ListDownloadSubject` selected.
    virtual void ShowNewestDownload() = 0;
};

/// The category presets dialog ("TFmCategorySetup").
class CategorySetupSeam {
public:
    virtual ~CategorySetupSeam() = default;
    virtual void FillCategories() = 0;
};

/// The rotation list dialog ("TFmPaperList").
class PaperListSeam {
public:
    virtual ~PaperListSeam() = default;
    virtual void FillList() = 0;
};

} // namespace paperkit
