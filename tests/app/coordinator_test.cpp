// The coordinator against a small catalog served over loopback HTTP, with the headless windows'
// thread running in the test's own thread.
#include "app/down_http_thread.h"
#include "app/event_loop.h"
#include "app/served_catalog.h"
#include "catalog/download_files.h"
#include "catalog/main_setup_files.h"
#include "catalog/size_table.h"
#include "publish/server_documents.h"
#include "rotation/local_files.h"
#include "rotation/local_paths.h"
#include "rotation/wall_rotation.h"
#include "support/globals.h"
#include "support/md5.h"
#include "testsupport/fake_wallpaper_setter.h"
#include "testsupport/http_test_server.h"
#include "testsupport/temp_dir.h"
#include "transfer/fetch.h"
#include "transfer/task_thread.h"
#include "transfer/url_layout.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace paperkit {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kSize = test::ServedCatalog::Size;
using test::ServedCatalog;

class CoordinatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_catalog.UseAsTheProgramsCatalog(m_root.path());
        m_catalog.AddAlbum(ServedCatalog::MakeAlbum(101, 1, 2));
        m_catalog.AddAlbum(ServedCatalog::MakeAlbum(102, 2, 1));
        m_files.TaskThread = std::make_shared<TWallTaskThread>();
    }

    void TearDown() override {
        if (m_coordinator)
            m_coordinator->StopAndWait();
        m_files.TaskThread.reset();
        Closing = false;
    }

    void Start(std::string argument = {}) {
        m_coordinator =
            std::make_unique<TDownHttpThread>(m_loop, WindowsSide{m_main, m_rotation, m_commands},
                                              m_files, m_fetcher, std::move(argument));
        m_coordinator->Events.OnDownloadsChanged = [this] { ++m_downloadsChanged; };
        m_coordinator->Start();
    }

    /// Serves the windows' thread until the condition holds; false when it never did.
    bool ServeUntil(const std::function<bool()>& done, std::chrono::seconds limit = 30s) {
        const auto until = std::chrono::steady_clock::now() + limit;
        m_loop.ServeUntil([&] { return done() || std::chrono::steady_clock::now() > until; });
        return done();
    }

    /// GET requests for the path (each fetch also asks for the size first).
    int Requests(const std::string& path) const {
        const auto all = m_catalog.Server.RequestsFor(path);
        return static_cast<int>(std::count_if(
            all.begin(), all.end(), [](const auto& request) { return request.method == "GET"; }));
    }

    /// Hands one line to the dispatcher from another thread, as the coordinator thread does,
    /// while this thread serves the windows' side. The coordinator itself is not started.
    void PostAsCoordinator(const std::string& line) {
        m_coordinator = std::make_unique<TDownHttpThread>(
            m_loop, WindowsSide{m_main, m_rotation, m_commands}, m_files, m_fetcher, std::string());
        std::atomic<bool> posted{false};
        std::thread coordinator([&] {
            m_coordinator->Post(line);
            posted = true;
        });
        ServeUntil([&] { return posted.load(); }, 10s);
        coordinator.join();
    }

    test::TempDir m_root;
    ServedCatalog m_catalog;
    test::HttpTestServer& m_server = m_catalog.Server;

    EventLoop m_loop;
    TMainSetupFiles m_main;
    test::FakeWallpaperSetter m_setter;
    TWallRotation m_rotation{m_setter};
    CommandLines m_commands;
    TDownLoadFiles m_files;
    Fetcher m_fetcher;
    std::unique_ptr<TDownHttpThread> m_coordinator;
    int m_downloadsChanged = 0;
};

TEST_F(CoordinatorTest, CoversArriveAndAPresetCategorysNewAlbumJoinsTheRotation) {
    m_catalog.PresetCategory(ReceiveFolder, 1);
    m_catalog.Publish();
    // Left from an album the catalog no longer lists.
    const auto stale = DownloadFolder / "new" / "subject" / "999" / "cover.jpg";
    test::WriteFile(stale, "\xFF\xD8 old");
    Start();
    ASSERT_TRUE(ServeUntil([&] { return m_coordinator->Idle() && m_commands.empty(); }));

    for (int id : {101, 102}) {
        const auto* album = m_main.Subjects.Find(id);
        ASSERT_NE(album, nullptr) << id;
        EXPECT_TRUE(album->Downloaded) << id;
        EXPECT_TRUE(fs::exists(*NewSubjectFile(*album))) << id;
    }
    const auto* preset = m_main.Subjects.Find(101);
    EXPECT_TRUE(preset->Download);
    EXPECT_EQ(preset->Size, SizeIndex(kSize));
    for (const auto& image : preset->Images) {
        EXPECT_TRUE(image.Downloaded) << image.No;
        EXPECT_EQ(test::ReadFile(*NewImageFile(image)),
                  ServedCatalog::Picture("101/" + image.FileName));
    }
    EXPECT_NE(m_main.WallPapers.Find('1', "101"), nullptr);
    EXPECT_EQ(m_main.WallPapers.Find('1', "102"), nullptr);
    EXPECT_GT(m_rotation.Files().Count(), 0);
    EXPECT_FALSE(m_main.Subjects.Find(102)->Download);
    // The task list ran empty: the totals acted upon are stored.
    EXPECT_TRUE(fs::exists(ReceiveFolder / "filetotalold.xmz"));
    EXPECT_TRUE(fs::exists(ReceiveFolder / "setupfile.xmz"));
    EXPECT_FALSE(fs::exists(stale));
}

TEST_F(CoordinatorTest, CheckNewRechecksAndUnchangedTotalsFetchNothingElse) {
    m_catalog.Publish();
    Start();
    ASSERT_TRUE(ServeUntil([&] { return m_coordinator->Idle(); }));
    const int checks = m_coordinator->ChecksDone();
    const int albums = Requests("/wallfiles/file.xmz");
    m_commands.push_back("CheckNew");
    ASSERT_TRUE(ServeUntil([&] { return m_coordinator->ChecksDone() > checks; }, 5s));
    EXPECT_EQ(Requests("/wallfiles/file.xmz"), albums);
    EXPECT_EQ(Requests("/wallfiles/category.xmz"), 1);
    EXPECT_EQ(Requests("/wallfiles/filetotal.xmz") > 1, true);

    // A new album on the server: the next check brings it in and fetches its cover.
    m_catalog.AddAlbum(ServedCatalog::MakeAlbum(103, 2, 1));
    m_catalog.Publish();
    m_commands.push_back("CheckNew");
    ASSERT_TRUE(ServeUntil([&] {
        const auto* album = m_main.Subjects.Find(103);
        return album && album->Downloaded;
    }));
}

TEST_F(CoordinatorTest, AFailedAlbumsFetchIsRepeatedByTheNextCheckAndTheNextStart) {
    m_catalog.Publish();
    Start();
    ASSERT_TRUE(ServeUntil([&] { return m_coordinator->Idle(); }));
    const auto storedTotal = [&] {
        TDownLoadFiles stored;
        stored.ReadFileTotalOld(ReceiveFolder / "filetotalold.xmz");
        return stored.OldFileTotal;
    };
    ASSERT_EQ(storedTotal(), m_files.OldFileTotal);

    // A new album, but the albums document fails once. A missing cover gives the task pass work,
    // so it ends with a download that empties the task list.
    const auto failOnce = [&](int album) {
        const std::string actedUpon = storedTotal();
        m_catalog.AddAlbum(ServedCatalog::MakeAlbum(album, 2, 1));
        m_catalog.Publish();
        test::ServerFault fault;
        fault.status = 500;
        m_server.SetFault("/wallfiles/file.xmz", fault);
        const auto cover = *NewSubjectFile(*m_files.Subjects().Find(101));
        fs::remove(cover);
        const int checks = m_coordinator->ChecksDone();
        m_commands.push_back("CheckNew");
        ASSERT_TRUE(ServeUntil([&] {
            return m_coordinator->ChecksDone() > checks && m_coordinator->Idle() &&
                   fs::exists(cover);
        }));
        EXPECT_EQ(m_main.Subjects.Find(album), nullptr);
        EXPECT_EQ(storedTotal(), actedUpon);
        m_server.SetFault("/wallfiles/file.xmz", {});
    };

    failOnce(103);
    const int checks = m_coordinator->ChecksDone();
    m_commands.push_back("CheckNew");
    ASSERT_TRUE(ServeUntil([&] {
        return m_coordinator->ChecksDone() > checks && m_main.Subjects.Find(103) != nullptr;
    }));

    failOnce(104);
    m_coordinator->StopAndWait();
    m_coordinator.reset();
    Start();
    EXPECT_TRUE(ServeUntil([&] { return m_main.Subjects.Find(104) != nullptr; }));
}

TEST_F(CoordinatorTest, WhatAWindowsHandlerThrowsEndsNeitherTheStartNorTheRun) {
    m_catalog.Publish();
    Start();
    ASSERT_TRUE(ServeUntil([&] { return m_coordinator->Idle(); }));
    m_coordinator->StopAndWait();
    m_coordinator.reset();

    // The next start finds a cover missing; only its own queueing brings it back, as the server's
    // totals are unchanged. Handlers throw what is no std::exception.
    const auto cover = *NewSubjectFile(*m_files.Subjects().Find(101));
    fs::remove(cover);
    m_files.Subjects().Find(101)->Downloaded = false;
    ASSERT_TRUE(SaveSetupFile(m_files));
    m_coordinator = std::make_unique<TDownHttpThread>(
        m_loop, WindowsSide{m_main, m_rotation, m_commands}, m_files, m_fetcher, std::string());
    m_coordinator->Events.OnCatalogLoaded = [] { throw 42; };
    m_coordinator->Events.OnSettingsChanged = [] { throw "settings"; };
    m_coordinator->Start();
    ASSERT_TRUE(ServeUntil([&] { return m_coordinator->Idle() && fs::exists(cover); }));
    EXPECT_NE(m_main.Subjects.Find(101), nullptr);

    const int checks = m_coordinator->ChecksDone();
    m_commands.push_back("SetupToDownloadFiles");
    m_commands.push_back("CheckNew");
    EXPECT_TRUE(ServeUntil([&] { return m_coordinator->ChecksDone() > checks; }));
}

TEST_F(CoordinatorTest, APausedCoordinatorTakesNoCommandsUntilResumed) {
    m_catalog.Publish();
    Start();
    ASSERT_TRUE(ServeUntil([&] { return m_coordinator->Idle(); }));
    m_coordinator->Pause();
    // A cycle already under way may still hop here once.
    ServeUntil([] { return false; }, 1s);
    const int checks = m_coordinator->ChecksDone();
    m_commands.push_back("CheckNew");
    ServeUntil([] { return false; }, 1s);
    EXPECT_EQ(m_commands.size(), 1u);
    EXPECT_EQ(m_coordinator->ChecksDone(), checks);

    m_coordinator->Resume();
    EXPECT_TRUE(ServeUntil([&] { return m_coordinator->ChecksDone() > checks; }));
    EXPECT_TRUE(m_commands.empty());
}

TEST_F(CoordinatorTest, SettingAnAlbumsSizeQueuesItsPicturesAndBadCommandsAreDropped) {
    m_catalog.Publish();
    Start();
    ASSERT_TRUE(ServeUntil([&] { return m_coordinator->Idle(); }));
    auto* album = m_main.Subjects.Find(102);
    ASSERT_NE(album, nullptr);
    album->Download = true;
    album->Size = SizeIndex(kSize);
    for (const char* bad : {"SubjectSetupSize:abc", "DSubjectDelete:1x",
                            "SubjectSetup:", "NoSuchCommand:1", "WebDownload:"})
        m_commands.push_back(bad);
    m_commands.push_back("SubjectSetupSize:102");
    ASSERT_TRUE(ServeUntil([&] { return m_main.Subjects.FindImage(102, 1)->Downloaded; }));
    EXPECT_TRUE(fs::exists(*NewImageFile(*album->Images.Get(0))));
}

TEST_F(CoordinatorTest, APostedLineRunsBeforeTheWindowsLinesWaitingBehindIt) {
    // The windows know album 101 only; the coordinator has just read 102 as well.
    m_main.Subjects.Add(ServedCatalog::MakeAlbum(101, 1, 2));
    m_files.Subjects().Add(ServedCatalog::MakeAlbum(101, 1, 2));
    m_files.Subjects().Add(ServedCatalog::MakeAlbum(102, 2, 1));
    m_commands.push_back("WallPaperSetup");
    PostAsCoordinator("NewToMainSetupFiles");
    EXPECT_TRUE(m_commands.empty());
    EXPECT_NE(m_main.Subjects.Find(102), nullptr);
    EXPECT_NE(m_files.Subjects().Find(102), nullptr);
}

TEST_F(CoordinatorTest, AWaitingSizeChangeKeepsThePictureTheResultPassMarked) {
    for (auto* list : {&m_main.Subjects, &m_files.Subjects()}) {
        auto album = ServedCatalog::MakeAlbum(102, 2, 1);
        album->Download = true;
        album->Size = SizeIndex(kSize);
        list->Add(std::move(album));
    }
    m_files.Subjects().FindImage(102, 1)->Downloaded = true;
    m_commands.push_back("SubjectSetupSize:102");
    PostAsCoordinator("ImageDownloaded:102.1");
    EXPECT_TRUE(m_main.Subjects.FindImage(102, 1)->Downloaded);
    EXPECT_TRUE(m_files.Subjects().FindImage(102, 1)->Downloaded);
}

TEST_F(CoordinatorTest, AThumbnailThatAlwaysFailsIsTriedSixTimesAndDropped) {
    test::ServerFault fault;
    fault.status = 500;
    m_server.SetFault("/pictures/102/160/cover.jpg", fault);
    m_catalog.Publish();
    Start();
    ASSERT_TRUE(ServeUntil([&] { return m_coordinator->Idle(); }, 120s));
    EXPECT_EQ(m_coordinator->TasksDropped(), 1);
    EXPECT_FALSE(m_main.Subjects.Find(102)->Downloaded);
    EXPECT_TRUE(m_main.Subjects.Find(101)->Downloaded);
    EXPECT_FALSE(m_server.RequestsFor("/pictures/102/160/cover.jpg").empty());
}

TEST_F(CoordinatorTest, AGuideFileImportsItsAlbumAndDeletingItRemovesFilesAndEntries) {
    m_catalog.Publish();
    auto guided = ServedCatalog::MakeAlbum(201, 2, 2);
    guided->Size = SizeIndex(kSize);
    guided->Download = true;
    const auto guide = m_root / "album201.pkd";
    ASSERT_TRUE(WriteGuideFile(*guided, guide));
    m_catalog.AddAlbum(std::move(guided));
    Start(guide.string());
    ASSERT_TRUE(ServeUntil([&] {
        const auto* album = m_main.DSubjects.Find(201);
        return m_downloadsChanged > 0 && album && m_coordinator->Idle() &&
               m_files.DSubjects().Find(201)->Images.Get(1)->Downloaded;
    }));
    // The guide's tasks went ahead of the covers queued at start: its cover and both pictures
    // were fetched before the last of the other albums' covers. Exactly which requests come
    // first depends on the workers' timing.
    std::vector<std::string> pictures;
    for (const auto& request : m_server.Requests())
        if (request.method == "GET" && request.path.rfind("/pictures/", 0) == 0)
            pictures.push_back(request.path);
    const auto position = [&](const std::string& path) {
        return std::find(pictures.begin(), pictures.end(), path) - pictures.begin();
    };
    std::ptrdiff_t lastOtherCover = -1;
    for (std::size_t i = 0; i < pictures.size(); ++i)
        if (pictures[i].rfind("/pictures/201/", 0) != 0 &&
            pictures[i].find("/160/cover.jpg") != std::string::npos)
            lastOtherCover = static_cast<std::ptrdiff_t>(i);
    ASSERT_GE(lastOtherCover, 0);
    const std::vector<std::string> guidedPaths{"/pictures/201/160/cover.jpg",
                                               "/pictures/201/" + kSize + "/1.jpg",
                                               "/pictures/201/" + kSize + "/2.jpg"};
    for (const auto& path : guidedPaths)
        EXPECT_LT(position(path), lastOtherCover) << path;

    const auto* album = m_files.DSubjects().Find(201);
    const auto cover = *DownSubjectFile(*album);
    const auto picture = *DownImageFile(*album->Images.Get(0));
    EXPECT_TRUE(fs::exists(cover));
    EXPECT_TRUE(fs::exists(picture));
    EXPECT_TRUE(fs::exists(ReceiveFolder / "downloadfile.xmz"));

    // The window removes the album from its copy, then asks the coordinator to follow.
    m_main.DSubjects.Remove(m_main.DSubjects.Find(201));
    m_commands.push_back("DSubjectDelete:201");
    // The downloads document is saved last, after the files went.
    const auto stored = [&] {
        TDownLoadFiles reread;
        return !reread.ReadDownloadFile(ReceiveFolder / "downloadfile.xmz") ||
               reread.DSubjects().Find(201) != nullptr;
    };
    ASSERT_TRUE(ServeUntil([&] { return !stored(); }));
    EXPECT_FALSE(fs::exists(cover));
    EXPECT_FALSE(fs::exists(picture));
    EXPECT_FALSE(fs::exists(picture.parent_path()));
    EXPECT_FALSE(fs::exists(cover.parent_path()));
}

TEST_F(CoordinatorTest, ShutdownDuringATransferEndsPromptly) {
    test::ServerFault stall;
    stall.stallAfter = 1;
    m_server.SetFault("*", stall);
    m_server.SetFault("/wallfiles/filetotal.xmz", {});
    m_server.SetFault("/wallfiles/category.xmz", {});
    m_server.SetFault("/wallfiles/file.xmz", {});
    m_server.SetFault("/wallfiles/lastver.xmz", {});
    m_catalog.Publish();
    Start();
    ASSERT_TRUE(
        ServeUntil([&] { return !m_server.RequestsFor("/pictures/101/160/cover.jpg").empty(); }));
    Closing = true;
    m_fetcher.Disconnect();
    m_coordinator->StopAndWait();
    m_coordinator.reset();
    m_files.TaskThread.reset(); // stops and awaits the workers
    SUCCEED();
}

} // namespace
} // namespace paperkit
