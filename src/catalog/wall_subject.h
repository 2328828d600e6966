#pragma once

#include "catalog/owned_list.h"
#include "catalog/wall_image.h"

#include <memory>
#include <string>

namespace paperkit {

/// One album. Not copyable: its pictures point back at it, so a copy must be a deep one made by
/// `Clone` (or `TWallSubjects::Assign`).
struct TWallSubject {
    TWallSubject() = default;
    TWallSubject(const TWallSubject&) = delete;
    TWallSubject& operator=(const TWallSubject&) = delete;

    /// A deep copy: every field, and copies of the pictures pointing at the new album.
    std::unique_ptr<TWallSubject> Clone() const;

    TWallImages Images{this};
    int Id = 0;
    std::string Desc;
    std::string Remark;
    /// `Id` of the album's category.
    int Category = 0;
    /// MD5 of the cover picture.
    std::string Total;
    /// Number of pictures as the server states it.
    int Counts = 0;
    std::string Date;
    /// Folder of the album's files below the picture folders.
    std::string LocalPath;
    /// Cover picture file name.
    std::string FileName;
    std::string GoURL;
    std::string SizeType;
    /// Offered sizes such as "1024x768", separated by ",".
    std::string SizeList;
    std::string Author;
    std::string CRC;
    /// Server path of the album's files.
    std::string WebPath;
    /// The user wants the album's pictures downloaded.
    bool Download = false;
    /// Chosen picture size: an index into the size table, or -1 for no pictures.
    int Size = 0;
    /// The cover is present locally with the expected digest.
    bool Downloaded = false;
    /// The album has an entry in the rotation list.
    bool InWallList = false;
};

class TWallSubjects : public OwnedList<TWallSubject> {
public:
    /// The first album with that id, or nullptr.
    TWallSubject* Find(int id) const;
    /// The picture with that number in the first album with that id; later albums with the same id
    /// are not searched.
    TWallImage* FindImage(int id, int no) const;
    /// Takes the album out of the list and destroys it with its pictures.
    using OwnedList::Remove;
    /// Replaces this list's albums with deep copies of the other's, in its order.
    void Assign(const TWallSubjects& other);
};

} // namespace paperkit
