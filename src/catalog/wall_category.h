#pragma once

#include "catalog/owned_list.h"

#include <string>

namespace paperkit {

/// One category of the catalog server.
struct TWallCategory {
    int Id = 0;
    std::string Desc;
    std::string Remark;
    /// New albums of this category are downloaded unasked.
    bool Preset = false;
};

class TWallCategorys : public OwnedList<TWallCategory> {
public:
    /// The first category with that id, or nullptr.
    TWallCategory* Find(int id) const;
    /// Replaces this list's categories with copies of the other's, in its order.
    void Assign(const TWallCategorys& other);
};

} // namespace paperkit
