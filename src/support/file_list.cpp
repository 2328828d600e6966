#include "support/file_list.h"

#include "support/file_read.h"

#include <fstream>
#include <iterator>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <utility>

namespace paperkit {

namespace fs = std::filesystem;

namespace {

using FolderId = std::pair<dev_t, ino_t>;

/// Lists one folder. `ancestors` holds the folders being listed above it, so that a link back to
/// one of them is not walked again and again.
void ListFolder(const fs::path& folder, std::vector<fs::path>& list, bool includeSubfolders,
                std::vector<FolderId>& ancestors) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return;
    const FolderId id{info.st_dev, info.st_ino};
    for (const FolderId& above : ancestors)
        if (above == id)
            return;
    ancestors.push_back(id);

    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        // The entry's type comes from the listing itself; only links need a look at the disk.
        std::error_code typeError;
        if (it->is_directory(typeError)) {
            if (includeSubfolders)
                ListFolder(it->path(), list, includeSubfolders, ancestors);
        } else if (it->is_regular_file(typeError)) {
            list.push_back(it->path());
        }
    }
    ancestors.pop_back();
}

} // namespace

void ListFiles(const fs::path& folder, std::vector<fs::path>& list, bool includeSubfolders) {
    std::vector<FolderId> ancestors;
    ListFolder(folder, list, includeSubfolders, ancestors);
}

bool LoadTextList(std::vector<std::string>& list, const fs::path& file) {
    const auto content = ReadWholeFile(file);
    if (!content)
        return false;
    const std::string& text = *content;

    std::vector<std::string> lines;
    std::string_view rest = text;
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    list = std::move(lines);
    return true;
}

} // namespace paperkit
