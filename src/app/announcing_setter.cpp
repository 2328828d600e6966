#include "app/announcing_setter.h"

#include "app/progress_printer.h"

namespace paperkit {

bool AnnouncingSetter::ChangeWallpaper(const std::filesystem::path& picture) {
    const bool changed = m_desktop.ChangeWallpaper(picture);
    m_progress.Note((changed ? "Wallpaper: " : "Wallpaper not set: ") + picture.string());
    return changed;
}

bool AnnouncingSetter::ClearWallpaper() {
    const bool cleared = m_desktop.ClearWallpaper();
    m_progress.Note(cleared ? "Wallpaper cleared" : "Wallpaper not cleared");
    return cleared;
}

} // namespace paperkit
