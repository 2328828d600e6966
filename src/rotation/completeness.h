#pragma once

#include "catalog/wall_image.h"
#include "catalog/wall_last_ver.h"
#include "catalog/wall_subject.h"

// Whether a downloaded file is whole: it exists and the lowercase hexadecimal MD5 of its content
// equals the catalog's digest text exactly. A record without a safe path is never complete.
namespace paperkit {

/// The latest-updates album's cover is complete.
bool CheckNewSubject(const TWallSubject& subject);
/// The downloaded album's cover is complete.
bool CheckDownSubject(const TWallSubject& subject);
/// The latest-updates picture is complete in its album's chosen size.
bool CheckNewImage(const TWallImage& image);
/// The downloaded picture is complete in its album's chosen size.
bool CheckDownImage(const TWallImage& image);
/// The update container of the version file is complete.
bool CheckUpdateFile(const TWallLastVer& version);

/// Sets `Downloaded` of each latest-updates album and picture, checking only those not yet marked
/// unless forced. Returns early once `Closing` is set.
void CheckNewAlbums(TWallSubjects& subjects, bool force);
/// Recomputes `Downloaded` of the downloaded album's cover and of every picture.
void CheckDownAlbum(TWallSubject& subject);
/// Sets `Downloaded` of each version file, checking only those not yet marked unless forced.
/// Returns early once `Closing` is set.
void CheckLastVers(TWallLastVers& versions, bool force);
/// The number of the album's pictures marked downloaded.
int CountDoneImages(const TWallSubject& subject);

} // namespace paperkit
