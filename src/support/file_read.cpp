#include "support/file_read.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace paperkit {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return text;
}

} // namespace paperkit
