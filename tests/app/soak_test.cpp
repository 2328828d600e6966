// The coordinator against a large catalog on a faulty server: 30 % of transfers cut short, 5 %
// answered with 500, every answer delayed at random. Every album of the preset category is
// chosen; the run must end idle with every chosen picture complete and verified, resident memory
// back within 10 % of its figure once the catalog had loaded, and no part or temporary file left.
//
// ctest runs the short form (20 albums of 10 pictures); scripts/soak runs the full one (200).
// PAPERKIT_SOAK_ALBUMS sets the number of albums and PAPERKIT_SOAK_SEED replays the faults.
#include "app/down_http_thread.h"
#include "app/event_loop.h"
#include "app/served_catalog.h"
#include "catalog/download_files.h"
#include "catalog/main_setup_files.h"
#include "rotation/completeness.h"
#include "rotation/wall_rotation.h"
#include "support/globals.h"
#include "support/temp_files.h"
#include "testsupport/fake_wallpaper_setter.h"
#include "testsupport/http_test_server.h"
#include "testsupport/temp_dir.h"
#include "transfer/fetch.h"
#include "transfer/task_thread.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <malloc.h>
#include <random>
#include <string>

namespace paperkit {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::ServedCatalog;

constexpr int PicturesPerAlbum = 10;

int EnvInt(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::atoi(text) : fallback;
}

// Resident memory in kB, from /proc, once the allocator has handed its free pages back: the
// threads' malloc arenas keep what they freed, which says nothing about what is still held.
long ResidentKb() {
    malloc_trim(0);
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

std::size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Freed memory sits in the sanitizer's quarantine by design; resident memory says nothing then.
constexpr bool kMemoryMeasurable =
#if defined(__SANITIZE_ADDRESS__)
    false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    false;
#else
    true;
#endif
#else
    true;
#endif

class SoakTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_catalog.UseAsTheProgramsCatalog(m_root.path());
        m_files.TaskThread = std::make_shared<TWallTaskThread>();
    }

    void TearDown() override {
        if (m_coordinator)
            m_coordinator->StopAndWait();
        m_files.TaskThread.reset();
        Closing = false;
    }

    bool ServeUntil(const std::function<bool()>& done, std::chrono::seconds limit) {
        const auto until = std::chrono::steady_clock::now() + limit;
        m_loop.ServeUntil([&] { return done() || std::chrono::steady_clock::now() > until; });
        return done();
    }

    test::TempDir m_root{"pk-soak"};
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

TEST_F(SoakTest, AFaultyServerStillGivesEveryChosenPictureAndLeavesNothingBehind) {
    const int albums = EnvInt("PAPERKIT_SOAK_ALBUMS", 20);
    const unsigned seed =
        static_cast<unsigned>(EnvInt("PAPERKIT_SOAK_SEED", std::random_device{}()));
    std::cout << "soak: " << albums << " albums of " << PicturesPerAlbum << " pictures, seed "
              << seed << " (PAPERKIT_SOAK_SEED=" << seed << " replays it)" << std::endl;
    SCOPED_TRACE("PAPERKIT_SOAK_SEED=" + std::to_string(seed));

    for (int i = 0; i < albums; ++i)
        m_catalog.AddAlbum(ServedCatalog::MakeAlbum(1000 + i, 1, PicturesPerAlbum));
    m_catalog.PresetCategory(ReceiveFolder, 1);
    m_catalog.Publish();
    m_catalog.Server.SetRecording(false);
    m_catalog.Server.SetRandomFaults({0.30, 0.05, 20ms, seed});

    m_coordinator = std::make_unique<TDownHttpThread>(
        m_loop, WindowsSide{m_main, m_rotation, m_commands}, m_files, m_fetcher, std::string());
    m_coordinator->Start();
    ASSERT_TRUE(ServeUntil([&] { return m_main.Subjects.Count() == albums; }, 120s))
        << "the catalog never loaded";
    const long loadedKb = ResidentKb();
    const std::size_t heapLoaded = HeapInUse();

    const auto limit = std::chrono::seconds(120 + albums * 6);
    ASSERT_TRUE(ServeUntil([&] { return m_coordinator->Idle() && m_commands.empty(); }, limit))
        << "the coordinator never became idle";
    m_coordinator->StopAndWait();
    const long endKb = ResidentKb();
    const auto [cuts, errors] = m_catalog.Server.RandomFaultsGiven();
    std::cout << "soak: " << cuts << " answers cut short, " << errors << " answered with 500"
              << std::endl;
    // The faults must really have come, in about the shares asked for.
    EXPECT_GT(cuts, albums * PicturesPerAlbum / 5);
    EXPECT_GT(errors, 0);
    std::cout << "soak: resident memory " << loadedKb << " kB after the catalog loaded, " << endKb
              << " kB at the end; heap in use " << heapLoaded / 1024 << " kB, then "
              << HeapInUse() / 1024 << " kB" << std::endl;

    int pictures = 0;
    for (const TWallSubject& album : m_main.Subjects) {
        ASSERT_TRUE(album.Download) << album.Id;
        for (const TWallImage& image : album.Images) {
            EXPECT_TRUE(image.Downloaded) << album.Id << "." << image.No;
            EXPECT_TRUE(CheckNewImage(image)) << album.Id << "." << image.No << " is not whole";
            ++pictures;
        }
    }
    EXPECT_EQ(pictures, albums * PicturesPerAlbum);
    EXPECT_EQ(m_coordinator->TasksDropped(), 0);
    if (kMemoryMeasurable) {
        EXPECT_LE(endKb, loadedKb + loadedKb / 10);
    }

    std::vector<std::string> leftovers;
    for (const auto& entry : fs::recursive_directory_iterator(DownloadFolder))
        if (entry.is_regular_file() && entry.path().extension() != ".jpg")
            leftovers.push_back(entry.path().string());
    // The program's temporary files lie in the temporary folder itself and in its unpack folder;
    // the test's own folders lie there too.
    for (const auto& entry : fs::directory_iterator(TempFolder()))
        if (entry.is_regular_file())
            leftovers.push_back(entry.path().string());
    if (fs::exists(TempFolder() / "~pk~"))
        for (const auto& entry : fs::recursive_directory_iterator(TempFolder() / "~pk~"))
            if (entry.is_regular_file())
                leftovers.push_back(entry.path().string());
    EXPECT_TRUE(leftovers.empty()) << leftovers.front();
}

} // namespace
} // namespace paperkit
