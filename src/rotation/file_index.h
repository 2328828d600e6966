#pragma once

#include <string>

// The position index "fileindex.ini" in the receive folder, section "WallParas". Every call opens
// the file, reads or writes its key and closes it again; nothing is cached. Writes replace the file
// atomically, so an interrupted write leaves the old file. A missing file, key or a value that is
// not a number reads as the default.
namespace paperkit {

/// The rotation position applied last; -1 when none is stored.
int ReadFileIndex();
/// Stores the rotation position.
void WriteFileIndex(int index);

/// A pending move of the download folder; empty when none is pending.
std::string ReadDownloadDir();
/// Stores a pending move; an empty text clears it.
void WriteDownloadDir(const std::string& folder);

/// Top-left corner of the navigator panel's backdrop.
struct PanelPos {
    int X = -1;
    int Y = -1;
};

/// The stored panel corner; -1 for each part that is missing.
PanelPos ReadPanelPos();
/// Stores the panel corner, "X" then "Y", in one write.
void WritePanelPos(PanelPos pos);

} // namespace paperkit
