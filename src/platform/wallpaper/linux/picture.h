#pragma once

#include <QImage>
#include <filesystem>
#include <optional>
#include <string>

namespace paperkit {

/// A picture that was read in full, so the desktop is only ever handed something it can show.
struct Picture {
    std::filesystem::path path;
    std::string format; ///< "jpeg", "bmp", "gif" or "png", from the content, not the extension
    QImage image;       ///< the first frame
};

/// Reads the picture; nullopt, with the reason in `reason`, when the file is missing, unreadable
/// or not a picture of a kind the library takes.
std::optional<Picture> LoadPicture(const std::filesystem::path& path, std::string& reason);

/// Copies of pictures under names of their own. Desktops that redraw only when the file name
/// changes get a fresh name each time, and the copy outlives the original being deleted.
class WallpaperCache {
public:
    /// The folder of the copies; $XDG_DATA_HOME/PaperKit/wallpaper-cache by default.
    explicit WallpaperCache(std::filesystem::path folder);

    static std::filesystem::path DefaultFolder();

    /// A new copy of the picture. Kept in its own format when `format` is empty, otherwise
    /// converted into `format` ("png", "bmp"). nullopt when it cannot be written.
    std::optional<std::filesystem::path> Add(const Picture& picture, const std::string& format,
                                             std::string& reason);
    /// The copy is shown now: drops all copies but it and the one shown before it.
    void Keep(const std::filesystem::path& shown);
    /// The copy was refused: removes it.
    void Discard(const std::filesystem::path& copy);

private:
    std::filesystem::path m_folder;
};

} // namespace paperkit
