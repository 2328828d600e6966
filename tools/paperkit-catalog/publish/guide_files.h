#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace paperkit {

/// Writes one download guide file per album into `folder`, named "<Id>.pkd", as the catalog's
/// web site hands them out: the album's item of the published "file.xmz", pictures' remarks
/// included. False, with the reason in `error`, when the catalog cannot be read, an id is not in
/// it, or a file cannot be written; the files written before stay.
bool WriteGuideFiles(const std::filesystem::path& catalog, const std::vector<int>& ids,
                     const std::filesystem::path& folder,
                     std::vector<std::filesystem::path>& written, std::string& error);

} // namespace paperkit
