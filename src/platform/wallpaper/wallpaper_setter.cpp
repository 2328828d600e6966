#include "platform/wallpaper.h"
#include "platform/wallpaper/utils.h"

namespace paperkit {
namespace {

// The program's side of the wallpaper library: a plain import of its two functions.
class LibraryWallpaperSetter : public WallpaperSetter {
public:
    bool ChangeWallpaper(const std::filesystem::path& picture) override {
        const std::u8string path = picture.u8string();
        return ::ChangeWallpaper(reinterpret_cast<const char*>(path.c_str())) != 0;
    }
    bool ClearWallpaper() override { return ::ClearWallpaper() != 0; }
};

} // namespace

std::unique_ptr<WallpaperSetter> CreateWallpaperSetter() {
    return std::make_unique<LibraryWallpaperSetter>();
}

} // namespace paperkit
