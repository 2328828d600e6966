#pragma once

#include "catalog/image_digests.h"
#include "catalog/owned_list.h"

#include <memory>
#include <string>

namespace paperkit {

struct TWallSubject;

/// One picture of an album.
struct TWallImage {
    /// The album whose `Images` holds this picture; not owned. Set when the picture is added there.
    TWallSubject* Subject = nullptr;
    int No = 0;
    std::string Desc;
    std::string Remark;
    /// The same file name in every size.
    std::string FileName;
    /// MD5 of the picture in each size of the size table; empty where that size is not offered.
    ImageDigests Totals;
    std::string CRC;
    /// Present locally in the album's chosen size with the expected digest.
    bool Downloaded = false;
};

/// The pictures of one album. Adding a picture makes the owning album its `Subject`, so a picture
/// can never point at an album other than the one that holds it.
class TWallImages : public OwnedList<TWallImage> {
public:
    explicit TWallImages(TWallSubject* owner = nullptr) : m_owner(owner) {}
    TWallImages(TWallImages&&) = delete;
    TWallImages& operator=(TWallImages&&) = delete;

    /// Appends the picture, taking ownership and pointing it at the owning album.
    int Add(std::unique_ptr<TWallImage> image);
    /// The first picture with that number, or nullptr.
    TWallImage* Find(int no) const;

private:
    TWallSubject* m_owner;
};

} // namespace paperkit
