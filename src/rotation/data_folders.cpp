#include "rotation/data_folders.h"

#include <cstdlib>
#include <system_error>

namespace paperkit {

namespace fs = std::filesystem;

namespace {

fs::path AbsoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value)
        return {};
    fs::path path = value;
    return path.is_absolute() ? path : fs::path();
}

} // namespace

fs::path DataHome() {
    if (fs::path xdg = AbsoluteEnv("XDG_DATA_HOME"); !xdg.empty())
        return xdg;
    if (fs::path home = AbsoluteEnv("HOME"); !home.empty())
        return home / ".local" / "share";
    std::error_code ec;
    return fs::temp_directory_path(ec);
}

DataFolders DataFoldersUnder(const fs::path& dataHome) {
    const fs::path base = dataHome / "PaperKit";
    return {base / "Receive" / "", base / "Download" / ""};
}

DataFolders ComputeDataFolders() {
    return DataFoldersUnder(DataHome());
}

} // namespace paperkit
