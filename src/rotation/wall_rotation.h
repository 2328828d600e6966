#pragma once

#include "catalog/main_setup_files.h"
#include "catalog/wall_file_info.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace paperkit {

class WallpaperSetter;

/// The album key of a wallpaper file: its source type, ":" and its source id ("2:1057", or "0:"
/// followed by a folder path). Files of one album have equal keys.
std::string AlbumKey(const TWallFileInfo& file);

/// The wallpaper files the rotation list yields, in rotation-list order: every picture of each
/// listed album (whether downloaded or not), and the ".JPG", ".BMP" and ".GIF" files (any letter
/// case) of each listed folder, in the order the file system lists them.
std::vector<std::unique_ptr<TWallFileInfo>> BuildWallFiles(const TMainSetupFiles& catalog);

/// True when the file exists and opens for reading; nothing is read.
bool IsOpenable(const std::string& file);

/// The rotation engine: the wallpaper file list and the rotation position in it. Each step moves
/// the position, passes over files that cannot be opened, wraps at both ends, hands the file it
/// lands on to the wallpaper setter and stores the position in the position index. A step that
/// finds no openable file applies and stores nothing. A position outside the list means there is
/// no current picture. Used from one thread only.
class TWallRotation {
public:
    /// The setter must outlive the engine.
    explicit TWallRotation(WallpaperSetter& setter) : m_setter(setter) {}

    const TWallFiles& Files() const { return m_files; }
    int Position() const { return m_position; }
    /// Sets the position as it is, without applying anything (the stored index at load).
    void SetPosition(int position) { m_position = position; }
    /// The album key of the current picture; empty when there is none.
    std::string CurrentAlbumKey() const;

    /// Rebuilds the file list from the catalog; the position is left alone.
    void LoadWallFiles(const TMainSetupFiles& catalog);
    /// Rebuilds the file list and moves the position to the current picture's first place in the
    /// new list, or to 0 when it is no longer listed. Nothing is applied.
    void ReloadWallFiles(const TMainSetupFiles& catalog);
    /// Index of the first file with exactly this path; 0 when there is none or the path is empty.
    int IndexOfWallFile(std::string_view path) const;

    /// One picture forward.
    void NextWallpaper();
    /// One picture back.
    void PriorWallpaper();
    /// The first openable picture of the next album.
    void NextTitle();
    /// The first openable picture of the previous album.
    void PriorTitle();
    /// The first openable picture of the album with this key, searched from the list's start.
    void GotoTitle(std::string_view albumKey);
    /// Applies the current picture again, or the next openable one.
    void ShowWallpaper();

private:
    bool InList(int index) const { return index >= 0 && index < m_files.Count(); }
    void Advance();
    void StepBack();
    std::string KeyAt(int index) const;
    bool OpenableAt(int index) const;
    void Apply();

    WallpaperSetter& m_setter;
    TWallFiles m_files;
    int m_position = 0;
};

} // namespace paperkit
