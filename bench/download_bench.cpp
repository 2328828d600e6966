// Loopback downloads: FetchToFile in a loop and the worker pool driven by Schedule, against the
// curl command-line tool fetching the same URLs one by one (one process, sequential transfers).
#include "support/globals.h"
#include "testsupport/http_test_server.h"
#include "transfer/fetch.h"
#include "transfer/task_thread.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace paperkit;

struct FileSet {
    std::vector<std::string> urls;
};

test::HttpTestServer& Server() {
    static test::HttpTestServer server;
    return server;
}

FileSet MakeSet(const std::string& name, int count, std::size_t size) {
    FileSet set;
    std::string content(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        content[i] = static_cast<char>((i * 131) >> 3);
    for (int i = 0; i < count; ++i) {
        const std::string path = "/" + name + "/" + std::to_string(i) + ".jpg";
        Server().Put(path, content);
        set.urls.push_back(Server().Url(path));
    }
    return set;
}

const FileSet& Small() {
    static const FileSet set = MakeSet("small", 200, 300 * 1000);
    return set;
}

const FileSet& Large() {
    static const FileSet set = MakeSet("large", 20, 5 * 1000 * 1000);
    return set;
}

fs::path FreshFolder() {
    const fs::path dir = fs::temp_directory_path() / ("pk-bench-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

void FetchLoop(benchmark::State& state, const FileSet& set) {
    strServerURL = Server().Url();
    Fetcher fetcher;
    for (auto _ : state) {
        const fs::path dir = FreshFolder();
        for (std::size_t i = 0; i < set.urls.size(); ++i) {
            if (!fetcher.FetchToFile(set.urls[i], dir / (std::to_string(i) + ".jpg")))
                state.SkipWithError("fetch failed");
        }
    }
}

void WorkerPool(benchmark::State& state, const FileSet& set) {
    strServerURL = Server().Url();
    TWallTaskThread scheduler;
    auto& tasks = scheduler.Taskes();
    for (auto _ : state) {
        const fs::path dir = FreshFolder();
        for (std::size_t i = 0; i < set.urls.size(); ++i)
            tasks.Add("I", std::to_string(i), dir / (std::to_string(i) + ".jpg"), set.urls[i]);
        while (tasks.Count() > 0) {
            scheduler.Schedule();
            for (int i = tasks.Count() - 1; i >= 0; --i) {
                if (tasks.Get(i)->State != "end")
                    continue;
                if (!tasks.Get(i)->Success)
                    state.SkipWithError("task failed");
                tasks.Delete(i);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
}

void CurlTool(benchmark::State& state, const FileSet& set) {
    for (auto _ : state) {
        const fs::path dir = FreshFolder();
        const fs::path config = dir / "curl.config";
        {
            std::ofstream out(config);
            for (std::size_t i = 0; i < set.urls.size(); ++i)
                out << "url = \"" << set.urls[i] << "\"\noutput = \""
                    << (dir / (std::to_string(i) + ".jpg")).string() << "\"\n";
        }
        const std::string command = "curl -s -f --noproxy '*' -K '" + config.string() + "'";
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("curl failed");
    }
}

void Register(const char* name, void (*run)(benchmark::State&, const FileSet&),
              const FileSet& (*set)()) {
    benchmark::RegisterBenchmark(name, [run, set](benchmark::State& state) { run(state, set()); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(3);
}

} // namespace

int main(int argc, char** argv) {
    Register("FetchToFile/200x300KB", FetchLoop, Small);
    Register("WorkerPool/200x300KB", WorkerPool, Small);
    Register("CurlTool/200x300KB", CurlTool, Small);
    Register("FetchToFile/20x5MB", FetchLoop, Large);
    Register("WorkerPool/20x5MB", WorkerPool, Large);
    Register("CurlTool/20x5MB", CurlTool, Large);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(FreshFolder());
}
