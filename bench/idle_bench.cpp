// The idle cost of a running instance: the coordinator, its windows' thread and its download
// workers, after a catalog of 1,000 albums has been loaded and every cover is in place, with
// nothing left to do. Reports the CPU time spent over the idle period as a share of one core, and
// the resident memory. PAPERKIT_IDLE_SECONDS shortens the period (default 60).
#include "app/down_http_thread.h"
#include "app/event_loop.h"
#include "catalog/download_files.h"
#include "catalog/main_setup_files.h"
#include "platform/wallpaper.h"
#include "publish/server_documents.h"
#include "rotation/wall_rotation.h"
#include "support/globals.h"
#include "support/md5.h"
#include "testsupport/http_test_server.h"
#include "transfer/fetch.h"
#include "transfer/task_thread.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace paperkit {
namespace {

namespace fs = std::filesystem;

constexpr int kAlbums = 1000;

class NoWallpaper : public WallpaperSetter {
public:
    bool ChangeWallpaper(const fs::path&) override { return true; }
    bool ClearWallpaper() override { return true; }
};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

/// Serves a catalog of kAlbums albums of 10 pictures each, with their covers.
void PublishCatalog(test::HttpTestServer& server, const fs::path& scratch) {
    TWallCategorys categorys;
    auto category = std::make_unique<TWallCategory>();
    category->Id = 1;
    category->Desc = "Bench";
    categorys.Add(std::move(category));
    TWallSubjects subjects;
    for (int id = 1; id <= kAlbums; ++id) {
        auto album = std::make_unique<TWallSubject>();
        album->Id = id;
        album->Category = 1;
        album->Desc = "Album " + std::to_string(id);
        album->LocalPath = "\\" + std::to_string(id) + "\\";
        album->WebPath = "/pictures/" + std::to_string(id) + "/";
        album->FileName = "cover.jpg";
        const std::string cover = "\xFF\xD8 cover " + std::to_string(id);
        album->Total = DigestHex(DataDigest(cover));
        album->SizeList = "1920x1200";
        for (int no = 1; no <= 10; ++no) {
            auto image = std::make_unique<TWallImage>();
            image->No = no;
            image->FileName = std::to_string(no) + ".jpg";
            album->Images.Add(std::move(image));
        }
        server.Put(album->WebPath + "160/cover.jpg", cover);
        subjects.Add(std::move(album));
    }
    TWallAds ads;
    TWallLastVers versions;
    versions.LastVer = strFileVersion;
    FileTotals stamps;
    std::vector<std::string> written;
    std::string error;
    if (!PublishServerDocuments(scratch, {categorys, subjects, ads, versions}, stamps, written,
                                error))
        throw std::runtime_error(error);
    for (const auto& name : written) {
        std::ifstream in(scratch / name, std::ios::binary);
        server.Put("/wallfiles/" + name, std::string(std::istreambuf_iterator<char>(in), {}));
    }
}

void IdleInstance(benchmark::State& state) {
    const char* env = std::getenv("PAPERKIT_IDLE_SECONDS");
    const int idleSeconds = env ? std::atoi(env) : 60;
    const char* tmp = std::getenv("TMPDIR");
    std::string templ = std::string(tmp && *tmp ? tmp : "/tmp") + "/paperkit-idle-XXXXXX";
    const fs::path root = mkdtemp(templ.data());
    ReceiveFolder = root / "Receive" / "";
    DownloadFolder = root / "Download" / "";
    DefaultDownloadFolder = DownloadFolder;
    fs::create_directories(ReceiveFolder);

    test::HttpTestServer server;
    PublishCatalog(server, root);
    strServerURL = server.Url();
    CatalogBase = strServerURL + "/wallfiles";

    EventLoop loop;
    NoWallpaper setter;
    TWallRotation rotation(setter);
    TMainSetupFiles mainSetupFiles;
    CommandLines commands;
    TDownLoadFiles files;
    files.TaskThread = std::make_shared<TWallTaskThread>();
    Fetcher fetcher;
    TDownHttpThread coordinator(loop, {mainSetupFiles, rotation, commands}, files, fetcher, {});
    coordinator.Start();
    loop.ServeUntil([&] { return coordinator.Idle(); });

    for (auto _ : state) {
        const double cpuBefore = CpuSeconds();
        // Served as the program serves it: the loop sleeps until work or a timer is due.
        const int stop = loop.StartTimer(std::chrono::seconds(idleSeconds), [&] { loop.Quit(); });
        loop.Run();
        loop.StopTimer(stop);
        const double cpu = CpuSeconds() - cpuBefore;
        state.counters["cpu_percent_of_one_core"] = 100.0 * cpu / idleSeconds;
        state.counters["resident_MB"] = ResidentMegabytes();
        state.counters["albums"] = mainSetupFiles.Subjects.Count();
    }

    Closing = true;
    fetcher.Disconnect();
    coordinator.StopAndWait();
    files.TaskThread.reset();
    Closing = false;
    std::error_code ec;
    fs::remove_all(root, ec);
}

BENCHMARK(IdleInstance)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// The floor under the figure above: the instance keeps four threads cycling every 10 ms (the
// coordinator, the windows' thread it hops into, two download workers). This is what four bare
// 10 ms sleepers cost on the same machine.
void FourPollingThreads(benchmark::State& state) {
    const char* env = std::getenv("PAPERKIT_IDLE_SECONDS");
    const int idleSeconds = env ? std::atoi(env) : 60;
    for (auto _ : state) {
        const double cpuBefore = CpuSeconds();
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(idleSeconds);
        std::vector<std::thread> threads;
        for (int i = 0; i < 4; ++i)
            threads.emplace_back([until] {
                while (std::chrono::steady_clock::now() < until)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
            });
        for (auto& thread : threads)
            thread.join();
        state.counters["cpu_percent_of_one_core"] =
            100.0 * (CpuSeconds() - cpuBefore) / idleSeconds;
    }
}

BENCHMARK(FourPollingThreads)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
} // namespace paperkit

BENCHMARK_MAIN();
