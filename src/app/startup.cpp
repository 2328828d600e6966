#include "app/startup.h"

#include "platform/settings_store.h"
#include "rotation/data_folders.h"
#include "support/globals.h"
#include "support/log.h"
#include "support/version.h"

#include <cstdlib>
#include <system_error>

namespace paperkit {

std::string ProductionServerRoot() {
    return PAPERKIT_PRODUCTION_SERVER;
}
std::string DevelopmentServerRoot() {
    return PAPERKIT_DEVELOPMENT_SERVER;
}

namespace {

std::string WithoutTrailingSlash(std::string root) {
    while (!root.empty() && root.back() == '/')
        root.pop_back();
    return root;
}

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

void StartupInit(const SettingsStore& store, const std::string& serverOverride) {
    DebugMode =
        store.ReadInteger(Hive::LocalMachine, "\\Software\\Ravenmoor\\PaperKit", "Debug") == 1 ||
        EnvironmentValue("PAPERKIT_DEBUG") == "1";

    std::string root = serverOverride;
    if (root.empty())
        root = EnvironmentValue("PAPERKIT_SERVER");
    if (root.empty())
        root = DebugMode ? DevelopmentServerRoot() : ProductionServerRoot();
    strServerURL = WithoutTrailingSlash(root);
    CatalogBase = strServerURL + "/wallfiles";

    const auto folders = ComputeDataFolders();
    ReceiveFolder = folders.Receive;
    DownloadFolder = folders.Download;
    DefaultDownloadFolder = folders.Download;
    std::error_code ec;
    std::filesystem::create_directories(ReceiveFolder, ec);

    strFileVersion = FileVersionText();
    Log("strFileVersion: " + strFileVersion);
}

} // namespace paperkit
