#pragma once

#include "catalog/wall_last_ver.h"
#include "catalog/wall_subject.h"

namespace paperkit {

/// Deletes the files that the catalog no longer lists, in three passes: covers below
/// download folder/new/subject not belonging to a latest-updates album, pictures below
/// download folder/new/wallpaper not belonging to one, and containers below receive folder/update
/// not belonging to a version file. Paths compare without regard to letter case. Links to folders
/// are not followed, a pass whose folder resolves into the user's downloads is skipped, failed
/// deletions are passed over, and emptied folders stay.
void ClearOldFiles(const TWallSubjects& subjects, const TWallLastVers& versions);

} // namespace paperkit
