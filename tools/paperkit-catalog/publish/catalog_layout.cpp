#include "publish/catalog_layout.h"

namespace paperkit {

std::optional<std::filesystem::path> ServedFile(const std::filesystem::path& root,
                                                std::string_view urlPath) {
    std::filesystem::path file = root;
    bool any = false;
    std::size_t start = 0;
    while (start <= urlPath.size()) {
        std::size_t end = urlPath.find_first_of("/\\", start);
        if (end == std::string_view::npos)
            end = urlPath.size();
        const std::string_view part = urlPath.substr(start, end - start);
        if (part == "..")
            return std::nullopt;
        if (part.find('\0') != std::string_view::npos)
            return std::nullopt;
        if (!part.empty() && part != ".") {
            file /= std::string(part);
            any = true;
        }
        start = end + 1;
    }
    if (!any)
        return std::nullopt;
    return file;
}

} // namespace paperkit
