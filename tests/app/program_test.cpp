// The paperkit program as scripts and users run it: separate processes on a served catalog.
#include "app/served_catalog.h"
#include "catalog/download_files.h"
#include "testsupport/temp_dir.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace paperkit {
namespace {

namespace fs = std::filesystem;
using test::ServedCatalog;

struct Finished {
    int status = -1;
    std::string output;
};

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_DATA_HOME", m_home.path().c_str(), 1);
        setenv("PAPERKIT_WALLPAPER_COMMAND", "true %f", 1);
        m_catalog.AddAlbum(ServedCatalog::MakeAlbum(101, 1, 2));
        m_catalog.AddAlbum(ServedCatalog::MakeAlbum(102, 2, 1));
        m_catalog.Publish();
    }

    void TearDown() override {
        if (m_running > 0) {
            kill(m_running, SIGKILL);
            waitpid(m_running, nullptr, 0);
        }
    }

    /// Runs the program to its end.
    Finished Run(std::vector<std::string> args) {
        const auto out = m_home / "out.txt";
        std::string line = PAPERKIT_PROGRAM;
        for (const auto& arg : args)
            line += " '" + arg + "'";
        line += " > '" + out.string() + "' 2>&1";
        const int raw = std::system(line.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, test::ReadFile(out)};
    }

    /// Starts the program and leaves it running.
    void Launch(std::vector<std::string> args) {
        args.insert(args.begin(), PAPERKIT_PROGRAM);
        std::vector<char*> argv;
        for (auto& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        ASSERT_EQ(posix_spawn(&m_running, PAPERKIT_PROGRAM, nullptr, nullptr, argv.data(), environ),
                  0);
    }

    /// Waits for the running program's end after SIGTERM; its exit status.
    int Terminate() {
        kill(m_running, SIGTERM);
        int status = 0;
        waitpid(m_running, &status, 0);
        m_running = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path Receive() const { return m_home / "PaperKit" / "Receive"; }
    fs::path Download() const { return m_home / "PaperKit" / "Download"; }

    test::TempDir m_home;
    ServedCatalog m_catalog;
    pid_t m_running = 0;
};

TEST_F(ProgramTest, ExitWhenIdleLeavesTheCatalogAndCoversInPlace) {
    const auto run = Run({"--exit-when-idle", "--server", m_catalog.Server.Url()});
    ASSERT_EQ(run.status, 0) << run.output;
    for (const char* name : {"filetotal.xmz", "filetotalold.xmz", "category.xmz", "file.xmz",
                             "lastver.xmz", "setupfile.xmz"})
        EXPECT_TRUE(fs::exists(Receive() / name)) << name;
    for (const char* id : {"101", "102"})
        EXPECT_EQ(test::ReadFile(Download() / "new" / "subject" / id / "cover.jpg"),
                  ServedCatalog::Picture(std::string(id) + "/cover"));
    EXPECT_TRUE(fs::exists(Receive() / "fileindex.ini"));
}

TEST_F(ProgramTest, AlbumSizesAreChosenForTheScreenItRunsOn) {
    // An album of a preset category keeps the size chosen for the screen; no pictures, so only
    // its cover is fetched.
    auto album = ServedCatalog::MakeAlbum(301, 1, 0);
    album->SizeList = "1024x768,1366x768";
    m_catalog.AddAlbum(std::move(album));
    m_catalog.Publish();
    const struct {
        const char* screen;
        const char* chosen;
    } cases[] = {{"1024x768", "1024x768"}, {"1366x768", "1366x768"}};
    for (const auto& c : cases) {
        fs::remove_all(m_home / "PaperKit");
        fs::create_directories(Receive());
        m_catalog.PresetCategory(Receive(), 1);
        setenv("PAPERKIT_SCREEN", c.screen, 1);
        const auto run = Run({"--exit-when-idle", "--server", m_catalog.Server.Url()});
        unsetenv("PAPERKIT_SCREEN");
        ASSERT_EQ(run.status, 0) << run.output;
        TDownLoadFiles stored;
        ASSERT_TRUE(stored.OpenDocument(Receive() / "setupfile.xmz"));
        const auto item =
            stored.Document.document_element().child("Subject").find_child_by_attribute("T", "Id",
                                                                                        "301");
        ASSERT_TRUE(item) << c.screen;
        EXPECT_EQ(item.attribute("Size").as_int(-2), SizeIndex(c.chosen)) << c.screen;
    }
}

TEST_F(ProgramTest, ExitStatusTellsThatTheServerCouldNotBeChecked) {
    std::string gone;
    {
        test::HttpTestServer closed;
        gone = closed.Url();
    }
    const auto run = Run({"--exit-when-idle", "--server", gone});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("could not be checked"), std::string::npos) << run.output;
}

TEST_F(ProgramTest, AStartThatCannotListenSaysWhyAndFails) {
    const std::string runtime = std::getenv("XDG_RUNTIME_DIR");
    setenv("XDG_RUNTIME_DIR", (m_home / "gone").c_str(), 1);
    const auto run = Run({"--exit-when-idle", "--server", m_catalog.Server.Url()});
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("cannot become the running instance"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find((m_home / "gone").string()), std::string::npos) << run.output;
}

TEST_F(ProgramTest, StepsNeedARunningInstance) {
    const auto run = Run({"--next"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("no running instance"), std::string::npos) << run.output;
}

TEST_F(ProgramTest, ASecondStartHandsItsGuideFileToTheRunningInstance) {
    auto guided = ServedCatalog::MakeAlbum(201, 2, 1);
    guided->Download = true;
    guided->Size = SizeIndex(ServedCatalog::Size);
    const auto guide = m_home / "album201.pkd";
    ASSERT_TRUE(WriteGuideFile(*guided, guide));
    m_catalog.AddAlbum(std::move(guided));

    Launch({"--headless", "--server", m_catalog.Server.Url()});
    // The first start is listening once a step reaches it.
    Finished step;
    for (int i = 0; i < 300 && (step = Run({"--next"})).status != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(step.status, 0) << step.output;

    const auto second = Run({guide.string()});
    EXPECT_EQ(second.status, 0) << second.output;

    const auto picture = Download() / "download" / "wallpaper" / "201" / "1.jpg";
    for (int i = 0; i < 1500 && !fs::exists(picture); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(fs::exists(picture));
    EXPECT_EQ(Terminate(), 0);
    TDownLoadFiles reread;
    ASSERT_TRUE(reread.ReadDownloadFile(Receive() / "downloadfile.xmz"));
    EXPECT_NE(reread.DSubjects().Find(201), nullptr);
    EXPECT_FALSE(fs::exists(Download() / "download" / "wdownload.tmp"));
}

} // namespace
} // namespace paperkit
