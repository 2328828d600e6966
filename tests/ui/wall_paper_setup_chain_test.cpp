// "WallPaperSetup" from the rotation list dialog to the panel: the coordinator, running against a
// small catalog served over loopback HTTP, copies the windows' rotation list and rebuilds the
// wallpaper files, which the panel's album menu and steps then follow.
#include "app/down_http_thread.h"
#include "app/event_loop.h"
#include "app/served_catalog.h"
#include "catalog/download_files.h"
#include "catalog/main_setup_files.h"
#include "rotation/wall_rotation.h"
#include "support/globals.h"
#include "testsupport/fake_wallpaper_setter.h"
#include "testsupport/temp_dir.h"
#include "transfer/fetch.h"
#include "transfer/task_thread.h"
#include "ui/navigator/navigator_logic.h"

#include <chrono>
#include <gtest/gtest.h>

namespace paperkit {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::ServedCatalog;

class WallPaperSetupChain : public ::testing::Test {
protected:
    void SetUp() override {
        m_catalog.UseAsTheProgramsCatalog(m_root.path());
        m_catalog.AddAlbum(ServedCatalog::MakeAlbum(101, 1, 2));
        m_files.TaskThread = std::make_shared<TWallTaskThread>();
    }

    void TearDown() override {
        if (m_coordinator)
            m_coordinator->StopAndWait();
        m_files.TaskThread.reset();
        Closing = false;
    }

    void Start() {
        m_coordinator = std::make_unique<TDownHttpThread>(
            m_loop, WindowsSide{m_main, m_rotation, m_commands}, m_files, m_fetcher, std::string());
        m_coordinator->Start();
    }

    /// Serves the windows' thread until the condition holds; false when it never did.
    bool ServeUntil(const std::function<bool()>& done, std::chrono::seconds limit = 30s) {
        const auto until = std::chrono::steady_clock::now() + limit;
        m_loop.ServeUntil([&] { return done() || std::chrono::steady_clock::now() > until; });
        return done();
    }

    test::TempDir m_root;
    ServedCatalog m_catalog;
    EventLoop m_loop;
    TMainSetupFiles m_main;
    test::FakeWallpaperSetter m_setter;
    TWallRotation m_rotation{m_setter};
    CommandLines m_commands;
    TDownLoadFiles m_files;
    Fetcher m_fetcher;
    std::unique_ptr<TDownHttpThread> m_coordinator;
};

// As the rotation list dialog's OK does: the rotation list rebuilt from the same records, in the
// new order, and "WallPaperSetup" appended.
TEST_F(WallPaperSetupChain, AReorderedOrEmptiedRotationListReachesTheFilesTheMenuAndTheSteps) {
    m_catalog.PresetCategory(ReceiveFolder, 1);
    m_catalog.Publish();
    const fs::path local = m_root / "local";
    test::WriteFile(local / "a.jpg", "\xFF\xD8 local"); // one: a folder's order is the disk's
    Start();
    ASSERT_TRUE(ServeUntil([&] { return m_coordinator->Idle() && m_commands.empty(); }));
    ASSERT_NE(m_main.WallPapers.Find('1', "101"), nullptr);

    const auto apply = [&](std::vector<std::string> ids) {
        std::vector<const TWallPaper*> order;
        for (const std::string& id : ids)
            order.push_back(m_main.WallPapers.Find(id == "101" ? '1' : '0', id));
        m_main.WallPapers.Rebuild(order);
        m_commands.push_back("WallPaperSetup");
        return ServeUntil([&] { return m_commands.empty(); }, 10s);
    };
    const auto fileKeys = [&] {
        std::vector<std::string> keys;
        for (const TWallFileInfo& file : m_rotation.Files())
            keys.push_back(std::string(1, file.SourceType) + ":" +
                           fs::path(file.FileName).filename().string());
        return keys;
    };
    const auto menu = [&] {
        std::vector<std::string> items;
        for (const AlbumMenuItem& item : AlbumMenuItems(m_rotation.Files(), m_main.WallPapers))
            items.push_back(item.Caption + "@" + std::to_string(item.Tag));
        return items;
    };

    // A local folder joins behind the album, as the folder dialog's OK adds it.
    auto folder = std::make_unique<TWallPaper>();
    folder->Type = '0';
    folder->Id = local.string();
    folder->Name = "本地";
    folder->HasSub = 'N';
    m_main.WallPapers.Add(std::move(folder));
    ASSERT_TRUE(apply({"101", local.string()}));
    EXPECT_EQ(fileKeys(), (std::vector<std::string>{"1:1.jpg", "1:2.jpg", "0:a.jpg"}));
    EXPECT_EQ(menu(), (std::vector<std::string>{"[最新更新]Album 101@0", "[本地壁纸]本地@2"}));

    // The two swapped: the files and the menu follow the new order.
    ASSERT_TRUE(apply({local.string(), "101"}));
    EXPECT_EQ(fileKeys(), (std::vector<std::string>{"0:a.jpg", "1:1.jpg", "1:2.jpg"}));
    EXPECT_EQ(menu(), (std::vector<std::string>{"[本地壁纸]本地@0", "[最新更新]Album 101@1"}));
    EXPECT_EQ(m_files.WallPapers().Count(), 2); // the coordinator's copy, saved from there

    // Everything removed: no files, no menu, and no step of the panel applies anything.
    ASSERT_TRUE(apply({}));
    EXPECT_EQ(m_rotation.Files().Count(), 0);
    EXPECT_TRUE(menu().empty());
    EXPECT_EQ(m_files.WallPapers().Count(), 0);
    const std::size_t applied = m_setter.applied.size();
    m_rotation.NextWallpaper();
    m_rotation.PriorWallpaper();
    m_rotation.NextTitle();
    m_rotation.PriorTitle();
    m_rotation.GotoTitle("1:101");
    m_rotation.ShowWallpaper();
    EXPECT_EQ(m_setter.applied.size(), applied);
    EXPECT_EQ(m_setter.clears, 0);
}

} // namespace
} // namespace paperkit
