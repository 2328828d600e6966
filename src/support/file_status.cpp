#include "support/file_status.h"

#include <system_error>

namespace paperkit {

bool IsFile(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

} // namespace paperkit
