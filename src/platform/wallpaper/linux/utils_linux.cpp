#include "platform/settings_store.h"
#include "platform/wallpaper/linux/linux_wallpaper.h"
#include "platform/wallpaper/utils.h"
#include "support/log.h"

#include <exception>

namespace {

// The exported functions are the library's border: nothing may escape into the caller.
template <typename Action> int Guarded(Action action) {
    try {
        const auto store = paperkit::CreateSettingsStore();
        paperkit::LinuxWallpaper wallpaper(*store);
        return action(wallpaper) ? 1 : 0;
    } catch (const std::exception& e) {
        paperkit::Log(std::string("wallpaper: failed: ") + e.what());
    } catch (...) {
        paperkit::Log("wallpaper: failed");
    }
    return 0;
}

} // namespace

extern "C" int ChangeWallpaper(const char* path) {
    if (!path || !*path) {
        paperkit::Log("wallpaper: picture refused: no path");
        return 0;
    }
    return Guarded([path](paperkit::LinuxWallpaper& w) { return w.Change(path); });
}

extern "C" int ClearWallpaper(void) {
    return Guarded([](paperkit::LinuxWallpaper& w) { return w.Clear(); });
}
