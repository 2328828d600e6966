#include "app/startup.h"
#include "platform/settings_store.h"
#include "support/globals.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <map>

namespace paperkit {
namespace {

/// Holds the machine's debug value, nothing else.
class DebugValueStore : public SettingsStore {
public:
    explicit DebugValueStore(std::optional<int> debug) : m_debug(debug) {}
    std::optional<std::string> ReadString(Hive, std::string_view, std::string_view) const override {
        return std::nullopt;
    }
    std::optional<int> ReadInteger(Hive hive, std::string_view key,
                                   std::string_view name) const override {
        if (hive == Hive::LocalMachine && key == "\\Software\\Ravenmoor\\PaperKit" &&
            name == "Debug")
            return m_debug;
        return std::nullopt;
    }
    bool WriteString(Hive, std::string_view, std::string_view, std::string_view) override {
        return false;
    }
    bool WriteInteger(Hive, std::string_view, std::string_view, int) override { return false; }
    bool DeleteValue(Hive, std::string_view, std::string_view) override { return false; }

private:
    std::optional<int> m_debug;
};

TEST(StartupInit, DebugFlagChoosesTheServerRoot) {
    struct Case {
        std::optional<int> debug;
        const char* env;
        const char* overrideRoot;
        bool debugMode;
        std::string root;
    };
    const Case cases[] = {
        {std::nullopt, nullptr, "", false, ProductionServerRoot()},
        {0, nullptr, "", false, ProductionServerRoot()},
        {2, nullptr, "", false, ProductionServerRoot()},
        {1, nullptr, "", true, DevelopmentServerRoot()},
        {std::nullopt, "1", "", true, DevelopmentServerRoot()},
        {std::nullopt, "yes", "", false, ProductionServerRoot()},
        {1, nullptr, "http://127.0.0.1:9000/", true, "http://127.0.0.1:9000"},
    };
    for (const auto& c : cases) {
        if (c.env)
            setenv("PAPERKIT_DEBUG", c.env, 1);
        else
            unsetenv("PAPERKIT_DEBUG");
        StartupInit(DebugValueStore(c.debug), c.overrideRoot);
        EXPECT_EQ(DebugMode, c.debugMode) << c.root;
        EXPECT_EQ(strServerURL, c.root);
        EXPECT_EQ(CatalogBase, c.root + "/wallfiles");
    }
    unsetenv("PAPERKIT_DEBUG");
}

TEST(StartupInit, EnvironmentServerStandsBehindTheCommandLine) {
    setenv("PAPERKIT_SERVER", "http://127.0.0.1:8123", 1);
    StartupInit(DebugValueStore(std::nullopt));
    EXPECT_EQ(strServerURL, "http://127.0.0.1:8123");
    StartupInit(DebugValueStore(std::nullopt), "http://127.0.0.1:8124");
    EXPECT_EQ(strServerURL, "http://127.0.0.1:8124");
    unsetenv("PAPERKIT_SERVER");
}

TEST(StartupInit, DataFoldersLieBelowTheDataHomeAndReceiveExists) {
    StartupInit(DebugValueStore(std::nullopt));
    const std::filesystem::path home = std::getenv("XDG_DATA_HOME");
    EXPECT_EQ(ReceiveFolder, home / "PaperKit" / "Receive" / "");
    EXPECT_EQ(DownloadFolder, home / "PaperKit" / "Download" / "");
    EXPECT_EQ(DefaultDownloadFolder, DownloadFolder);
    EXPECT_TRUE(std::filesystem::is_directory(ReceiveFolder));
    EXPECT_EQ(strFileVersion, PAPERKIT_VERSION);
}

} // namespace
} // namespace paperkit
