#include "catalog/wall_image.h"

#include <utility>

namespace paperkit {

int TWallImages::Add(std::unique_ptr<TWallImage> image) {
    if (image && m_owner)
        image->Subject = m_owner;
    return OwnedList::Add(std::move(image));
}

TWallImage* TWallImages::Find(int no) const {
    return FindIf([no](const TWallImage& i) { return i.No == no; });
}

} // namespace paperkit
