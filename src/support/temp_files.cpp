#include "support/temp_files.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace paperkit {

std::filesystem::path TempFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = tmp && *tmp ? tmp : "/tmp";
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::filesystem::path MakeTempFile(std::string_view prefix) {
    std::string name(prefix);
    for (char& c : name)
        if (c == '/' || c == '\0')
            c = '_';
    std::string templ = (TempFolder() / (name + "XXXXXX")).string();
    const int fd = ::mkstemp(templ.data());
    if (fd < 0)
        return {};
    ::close(fd);
    return templ;
}

} // namespace paperkit
