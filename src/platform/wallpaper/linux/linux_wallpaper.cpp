#include "platform/wallpaper/linux/linux_wallpaper.h"

#include "platform/settings_store.h"
#include "platform/wallpaper/linux/desktop.h"
#include "platform/wallpaper/linux/desktop_tools.h"
#include "platform/wallpaper/linux/picture.h"
#include "platform/wallpaper/linux/root_pixmap.h"
#include "platform/wallpaper/wallpaper_style.h"
#include "support/log.h"

#include <cstdlib>

namespace paperkit {
namespace {

bool Failed(const std::string& what, const std::string& reason) {
    Log("wallpaper: " + what + ": " + reason);
    return false;
}

constexpr const char* kUnknownWayland =
    "a Wayland desktop this library does not know; the X11 root picture would not show there. "
    "Set PAPERKIT_WALLPAPER_COMMAND to the desktop's own wallpaper command (%f for the picture, "
    "%s for centre, stretch or tile)";

bool Blank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

} // namespace

LinuxWallpaper::LinuxWallpaper(const SettingsStore& store, LinuxWallpaperOptions options)
    : m_store(store), m_options(std::move(options)) {
    if (m_options.cacheFolder.empty())
        m_options.cacheFolder = WallpaperCache::DefaultFolder();
}

std::optional<std::string> LinuxWallpaper::CommandTemplate() const {
    if (const char* fromEnvironment = std::getenv("PAPERKIT_WALLPAPER_COMMAND");
        fromEnvironment && !Blank(fromEnvironment))
        return std::string(fromEnvironment);
    const auto stored =
        m_store.ReadString(Hive::CurrentUser, "Software\\Ravenmoor\\PaperKit", "WallpaperCommand");
    if (stored && !Blank(*stored))
        return stored;
    return std::nullopt;
}

bool LinuxWallpaper::Change(const std::filesystem::path& path) {
    std::string reason;
    const auto picture = LoadPicture(path, reason);
    if (!picture)
        return Failed("picture refused", reason);
    const WallpaperStyle style = ReadWallpaperStyle(m_store);

    WallpaperCache cache(m_options.cacheFolder);
    DesktopTools tools(cache, m_options.commandLimit);
    if (const auto commandTemplate = CommandTemplate()) {
        if (!tools.RunTemplate(*commandTemplate, *picture, style, reason))
            return Failed("wallpaper command", reason);
        return true;
    }
    const Desktop desktop = DetectDesktop();
    if (desktop == Desktop::Unknown && IsWaylandSession())
        return Failed("Wayland", kUnknownWayland);
    const bool done = desktop == Desktop::X11 ? SetRootPixmap(picture->image, style, reason)
                                              : tools.Set(desktop, *picture, style, reason);
    if (!done)
        return Failed(std::string(DesktopName(desktop)), reason);
    return true;
}

bool LinuxWallpaper::Clear() {
    // A command template only knows how to show a picture; clearing is the desktop's business.
    std::string reason;
    const Desktop desktop = DetectDesktop();
    if (desktop == Desktop::Unknown && IsWaylandSession())
        return Failed("Wayland", kUnknownWayland);
    WallpaperCache cache(m_options.cacheFolder);
    DesktopTools tools(cache, m_options.commandLimit);
    const bool done =
        desktop == Desktop::X11 ? ClearRootPixmap(reason) : tools.Clear(desktop, reason);
    if (!done)
        return Failed(std::string(DesktopName(desktop)), reason);
    return true;
}

} // namespace paperkit
