#include "app/program_folder.h"

#include <system_error>

namespace paperkit {

std::filesystem::path ProgramFolderOf(const std::filesystem::path& programFile) {
    const auto beside = programFile.parent_path();
    if (beside.filename() != "bin")
        return beside;
    const auto shared = beside.parent_path() / "share" / "paperkit";
    std::error_code ec;
    if (std::filesystem::is_directory(shared, ec))
        return shared;
    return beside;
}

} // namespace paperkit
