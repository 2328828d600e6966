#pragma once

#include "catalog/size_table.h"
#include "catalog/wall_paper.h"
#include "catalog/wall_subject.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What the main window does to an album record of a page ('1' the latest list, '2' the
// downloads): each change is made on the windows' copy and returns the command line that tells
// the coordinator.
namespace paperkit {

/// Switches the album's download on or off. On, without a size, it takes the size that suits the
/// screen best; with none offered it stays off. On marks the pictures already on disk and puts the
/// album into the rotation list; off takes it out.
std::string ToggleDownload(TWallSubject& subject, char pageKind, TWallPapers& wallPapers,
                           const ScreenGeometry& screen);

/// Puts the album into the rotation list or takes it out. Putting it in switches its download on
/// without choosing a size.
std::string ToggleWallPaper(TWallSubject& subject, char pageKind, TWallPapers& wallPapers);

/// A size chosen in the size group: its text, or empty for "不下载", which stops the download,
/// forgets the pictures on disk and takes the album out of the rotation list. A size the size
/// table does not know cannot be downloaded: it changes nothing and gives no command.
std::optional<std::string> ChooseSize(TWallSubject& subject, char pageKind, TWallPapers& wallPapers,
                                      const std::string& sizeText);

/// Checks the album's files again so that whatever is missing is fetched; nothing for an album
/// without a size.
std::optional<std::string> ReDownload(TWallSubject& subject, char pageKind);

/// The album's pictures on disk, in album order, for the slideshow.
std::vector<std::filesystem::path> SlideshowFiles(const TWallSubject& subject, char pageKind);

/// The album's cover file, if it has a safe one.
std::optional<std::filesystem::path> CoverFile(const TWallSubject& subject, char pageKind);

/// Takes the album's entry out of the rotation list, if it has one.
void RemoveFromRotation(const TWallSubject& subject, char pageKind, TWallPapers& wallPapers);

} // namespace paperkit
