#pragma once

#include "app/coordinator_events.h"
#include "ui/mediator/window_seams.h"

#include <functional>
#include <string>

class QWidget;

namespace paperkit {

class TWallRotation;
struct TMainSetupFiles;

/// The windows' mediator: turns the coordinator's events into refreshes of the windows that are
/// showing. Every handler runs in the windows' thread, inside the coordinator's dispatcher.
class TDoBetween {
public:
    /// Makes a new main window (not yet shown) that implements MainWindowSeam.
    using MainWindowMaker = std::function<QWidget*()>;

    /// Everything handed in must outlive the mediator.
    TDoBetween(TMainSetupFiles& mainSetupFiles, TWallRotation& rotation);

    /// The panel, once it exists; until then its refreshes are skipped.
    void SetNavigator(NavigatorSeam* navigator) { m_navigator = navigator; }
    /// How a main window is made when the downloads list changes and none is showing.
    void SetMainWindowMaker(MainWindowMaker maker) { m_makeMainWindow = std::move(maker); }

    /// Fills every slot with this mediator's handlers.
    void Fill(CoordinatorEvents& events);

    void CatalogLoaded();
    void SettingsChanged();
    void SubjectDownloaded(const std::string& kind, int id);
    void ImageDownloaded(const std::string& kind, int id, int no);
    void CatalogChanged();
    void WallpaperRestore();
    void PositionLost();
    void DownloadsChanged();

private:
    TMainSetupFiles& m_main;
    TWallRotation& m_rotation;
    NavigatorSeam* m_navigator = nullptr;
    MainWindowMaker m_makeMainWindow;
};

} // namespace paperkit
