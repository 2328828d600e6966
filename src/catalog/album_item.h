#pragma once

#include "catalog/size_table.h"
#include "catalog/wall_subject.h"

#include <memory>
#include <pugixml.hpp>

// The album items shared by "file.xmz", "downloadfile.xmz" and download guide files.
namespace paperkit {

/// Builds an album with its pictures from an item of a "Subject" section. `Size` is the best listed
/// size for the screen; the flags are false. Picture remarks are read only when `withRemarks`.
/// nullptr when the item's "Category" is absent or not a whole number, which ends the section.
std::unique_ptr<TWallSubject> ReadAlbumItem(const pugi::xml_node& item, bool withRemarks,
                                            const ScreenGeometry& screen);

/// Appends an "I" item for the picture: the same in every document that lists pictures.
void WritePictureItem(pugi::xml_node& album, const TWallImage& image);

/// Appends a "D" item for the album with one "I" item per picture, as "downloadfile.xmz" holds
/// them.
void WriteAlbumItem(pugi::xml_node& section, const TWallSubject& album);

} // namespace paperkit
