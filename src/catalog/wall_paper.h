#pragma once

#include "catalog/owned_list.h"

#include <string>
#include <string_view>
#include <vector>

namespace paperkit {

/// One entry of the rotation list.
struct TWallPaper {
    /// '0' a local folder, '1' an album of the latest list, '2' an album of the user's downloads.
    char Type = '\0';
    /// The album id in decimal for types '1' and '2'; the folder path for type '0'.
    std::string Id;
    std::string Name;
    /// Type '0' only: 'Y' takes the pictures of all subfolders too, 'N' only the folder's own.
    char HasSub = '\0';
};

/// The rotation list.
class TWallPapers : public OwnedList<TWallPaper> {
public:
    /// Destroys the entry at the position; a position outside the list does nothing.
    using OwnedList::Delete;
    /// Takes the entry out of the list and destroys it.
    using OwnedList::Remove;
    /// The first entry of that type whose id equals the text exactly, or nullptr.
    TWallPaper* Find(char type, std::string_view id) const;
    /// Replaces this list's entries with copies of the other's, in its order.
    void Assign(const TWallPapers& other);
    /// Keeps exactly these entries of the list, the same records in this order, and destroys the
    /// others. A record that is not in the list, or is named a second time, is passed over.
    void Rebuild(const std::vector<const TWallPaper*>& order);
};

} // namespace paperkit
