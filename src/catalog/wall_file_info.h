#pragma once

#include "catalog/owned_list.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace paperkit {

/// One picture file of the wallpaper file list.
struct TWallFileInfo {
    /// Full path of the picture file.
    std::string FileName;
    /// `Id` of the rotation entry the file came from.
    std::string SourceId;
    /// `Type` of that rotation entry.
    char SourceType = '\0';
};

/// The wallpaper file list built from the rotation list.
class TWallFiles : public OwnedList<TWallFileInfo> {
public:
    /// Position of the first file whose path equals the text exactly, or -1.
    int IndexOf(std::string_view fileName) const;
    /// Empties the list and hands its records to the caller, who now owns them.
    [[nodiscard]] std::vector<std::unique_ptr<TWallFileInfo>> Detach() {
        return OwnedList::Detach();
    }
};

} // namespace paperkit
