#pragma once

#include <functional>
#include <string>

namespace paperkit {

/// The coordinator's event slots, filled by the mediator before the coordinator starts. Every
/// event is raised in the windows' thread, inside the dispatcher, while the coordinator waits; an
/// empty slot is skipped. The list kind is "1" for the latest list and "2" for the downloads.
struct CoordinatorEvents {
    /// The working catalog was loaded and copied to the windows.
    std::function<void()> OnCatalogLoaded;
    /// The windows' settings were copied to the coordinator.
    std::function<void()> OnSettingsChanged;
    /// An album's cover arrived (list kind, album id).
    std::function<void(const std::string& kind, int id)> OnSubjectDownloaded;
    /// A picture arrived (list kind, album id, picture number).
    std::function<void(const std::string& kind, int id, int no)> OnImageDownloaded;
    /// The windows' copy received a merged catalog.
    std::function<void()> OnCatalogChanged;
    /// The rotation is ready: apply the wallpaper at the stored position.
    std::function<void()> OnWallpaperRestore;
    /// The rotation position was lost while the rotation was rebuilt.
    std::function<void()> OnPositionLost;
    /// The windows' downloads list was replaced after a guide file was taken in.
    std::function<void()> OnDownloadsChanged;
};

/// Calls the slot when it is filled.
template <typename Slot, typename... Args> void Raise(const Slot& slot, Args&&... args) {
    if (slot)
        slot(std::forward<Args>(args)...);
}

} // namespace paperkit
