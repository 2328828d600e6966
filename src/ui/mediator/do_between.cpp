#include "ui/mediator/do_between.h"

#include "catalog/main_setup_files.h"
#include "rotation/wall_rotation.h"
#include "ui/form_showing.h"

#include <QWidget>

namespace paperkit {

namespace {

constexpr const char* kMainWindow = "TFmMain";
constexpr const char* kCategorySetup = "TFmCategorySetup";
constexpr const char* kPaperList = "TFmPaperList";

AlbumList ListOfKind(const std::string& kind) {
    return kind == "2" ? AlbumList::Downloads : AlbumList::Latest;
}

} // namespace

TDoBetween::TDoBetween(TMainSetupFiles& mainSetupFiles, TWallRotation& rotation)
    : m_main(mainSetupFiles), m_rotation(rotation) {}

void TDoBetween::Fill(CoordinatorEvents& events) {
    events.OnCatalogLoaded = [this] { CatalogLoaded(); };
    events.OnSettingsChanged = [this] { SettingsChanged(); };
    events.OnSubjectDownloaded = [this](const std::string& kind, int id) {
        SubjectDownloaded(kind, id);
    };
    events.OnImageDownloaded = [this](const std::string& kind, int id, int no) {
        ImageDownloaded(kind, id, no);
    };
    events.OnCatalogChanged = [this] { CatalogChanged(); };
    events.OnWallpaperRestore = [this] { WallpaperRestore(); };
    events.OnPositionLost = [this] { PositionLost(); };
    events.OnDownloadsChanged = [this] { DownloadsChanged(); };
}

void TDoBetween::CatalogLoaded() {
    if (m_navigator)
        m_navigator->SetTimerFromParas();
    if (auto* main = ShowingFormAs<MainWindowSeam>(kMainWindow))
        main->RefreshLists();
    if (auto* presets = ShowingFormAs<CategorySetupSeam>(kCategorySetup))
        presets->FillCategories();
}

void TDoBetween::SettingsChanged() {
    if (m_navigator)
        m_navigator->SetTimerFromParas();
}

void TDoBetween::SubjectDownloaded(const std::string& kind, int id) {
    auto* main = ShowingFormAs<MainWindowSeam>(kMainWindow);
    if (!main)
        return;
    const auto& albums = kind == "2" ? m_main.DSubjects : m_main.Subjects;
    if (!albums.Find(id))
        return;
    const AlbumList list = ListOfKind(kind);
    if (main->SelectedAlbum(list) != id)
        return;
    main->RefreshItem(list, id);
    main->ShowSubjectInfo(list);
}

void TDoBetween::ImageDownloaded(const std::string& kind, int id, int no) {
    auto* main = ShowingFormAs<MainWindowSeam>(kMainWindow);
    if (!main)
        return;
    const auto& albums = kind == "2" ? m_main.DSubjects : m_main.Subjects;
    if (!albums.FindImage(id, no))
        return;
    main->RefreshItem(ListOfKind(kind), id);
}

void TDoBetween::CatalogChanged() {
    if (auto* main = ShowingFormAs<MainWindowSeam>(kMainWindow))
        main->RefreshLists();
    if (auto* list = ShowingFormAs<PaperListSeam>(kPaperList))
        list->FillList();
}

void TDoBetween::WallpaperRestore() {
    m_rotation.ShowWallpaper();
    if (m_navigator)
        m_navigator->ShowWallInfo();
}

void TDoBetween::PositionLost() {
    if (m_main.WallParas.Change)
        WallpaperRestore();
}

void TDoBetween::DownloadsChanged() {
    if (QWidget* window = ShowingForm(kMainWindow)) {
        if (auto* main = dynamic_cast<MainWindowSeam*>(window)) {
            main->RefreshLists();
            main->ShowNewestDownload();
        }
        window->showNormal();
        window->raise();
        window->activateWindow();
        return;
    }
    if (!m_makeMainWindow)
        return;
    QWidget* window = m_makeMainWindow();
    if (!window)
        return;
    if (auto* main = dynamic_cast<MainWindowSeam*>(window))
        main->ShowNewestDownload();
    window->show();
}

} // namespace paperkit
