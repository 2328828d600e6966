#include "catalog/container.h"
#include "rotation/self_update.h"
#include "support/globals.h"
#include "support/scramble.h"
#include "testsupport/temp_dir.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace paperkit {
namespace {

namespace fs = std::filesystem;

class SelfUpdateTest : public ::testing::Test {
protected:
    void SetUp() override {
        ProgramFolder = m_dir / "program";
        ReceiveFolder = m_dir / "receive";
        fs::create_directories(ProgramFolder);
        fs::create_directories(ReceiveFolder / "update");
    }

    /// Puts a container of the updater with this content where the downloads leave it.
    void StageUpdaterContainer(const std::string& content) {
        const auto source = m_dir / "staging" / UpdaterFileName();
        test::WriteFile(source, content);
        TMyZip().Pack(source,
                      ReceiveFolder / "update" / (ScrambleEncode(UpdaterFileName()) + ".xyz"));
    }

    test::TempDir m_dir;
};

TEST_F(SelfUpdateTest, CurrentVersionIsAnExactNonEmptyMatch) {
    EXPECT_TRUE(IsCurrentVersion(strFileVersion));
    EXPECT_FALSE(IsCurrentVersion(""));
    EXPECT_FALSE(IsCurrentVersion(strFileVersion + " "));
    EXPECT_FALSE(IsCurrentVersion("1.0.0.1031"));
}

TEST(UpdaterCommandLine, WindowsTextMatchesTheUpdatersExpectations) {
    EXPECT_EQ(WindowsUpdaterCommandLine("C:\\App\\", "C:\\Data\\PaperKit\\Receive\\",
                                        "C:\\App\\prog.exe"),
              "C:\\App\\\\update.exe \"C:\\Data\\PaperKit\\Receive\\update\" \"C:\\App\\\" "
              "\"青鸾画屏\" \"C:\\App\\prog.exe\"");
}

TEST(UpdaterCommandLine, ArgumentVectorCarriesTheSameFourArguments) {
    const std::vector<std::string> expected{"/data/Receive/update", "/opt/app/", "青鸾画屏",
                                            "/opt/app/paperkit"};
    EXPECT_EQ(UpdaterArguments("/opt/app", "/data/Receive/", "/opt/app/paperkit"), expected);
    EXPECT_EQ(UpdaterArguments("/opt/app/", "/data/Receive", "/opt/app/paperkit"), expected);
}

TEST_F(SelfUpdateTest, UnpackUpdaterReplacesADifferentUpdaterAndLeavesAnEqualOne) {
    const auto installed = ProgramFolder / UpdaterFileName();
    test::WriteFile(installed, "old updater");
    StageUpdaterContainer("new updater");
    UnpackUpdater();
    EXPECT_EQ(test::ReadFile(installed), "new updater");

    const auto stamp = fs::last_write_time(installed) - std::chrono::hours(1);
    fs::last_write_time(installed, stamp);
    UnpackUpdater();
    EXPECT_EQ(fs::last_write_time(installed), stamp);
}

TEST_F(SelfUpdateTest, UnpackUpdaterWithoutOrWithDamagedContainerKeepsTheUpdater) {
    const auto installed = ProgramFolder / UpdaterFileName();
    test::WriteFile(installed, "old updater");
    UnpackUpdater();
    EXPECT_EQ(test::ReadFile(installed), "old updater");
    test::WriteFile(ReceiveFolder / "update" / (ScrambleEncode(UpdaterFileName()) + ".xyz"),
                    "not a container");
    UnpackUpdater();
    EXPECT_EQ(test::ReadFile(installed), "old updater");
}

TEST_F(SelfUpdateTest, RunAutoUpdateStartsTheUpdaterBesideTheProgram) {
    // Without an updater nothing is started and nothing fails.
    RunAutoUpdate();

    const auto out = m_dir / "args.txt";
    test::WriteFile(ProgramFolder / UpdaterFileName(),
                    "#!/bin/sh\nprintf '%s|' \"$@\" > \"" + out.string() + ".part\"\nmv \"" +
                        out.string() + ".part\" \"" + out.string() + "\"\n");
    fs::permissions(ProgramFolder / UpdaterFileName(), fs::perms::owner_all);
    RunAutoUpdate();
    for (int i = 0; i < 500 && !fs::exists(out); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const std::string args = test::ReadFile(out);
    EXPECT_EQ(args.rfind((ReceiveFolder / "update").string() + "|" + (ProgramFolder / "").string() +
                             "|青鸾画屏|",
                         0),
              0u)
        << args;
}

} // namespace
} // namespace paperkit
