#pragma once

#include "catalog/owned_list.h"

#include <string>

namespace paperkit {

/// One file of the newest program version.
struct TWallLastVer {
    /// Plain name of the update file.
    std::string FileName;
    std::string Total;
    /// MD5 of the downloaded update container.
    std::string Totalxyz;
    /// Full address the update container is fetched from.
    std::string URL;
    /// The container is present locally with the expected digest.
    bool Downloaded = false;
};

class TWallLastVers : public OwnedList<TWallLastVer> {
public:
    /// The newest program version the server announces.
    std::string LastVer;
};

} // namespace paperkit
