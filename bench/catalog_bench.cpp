// Reading, storing and merging a large catalog: a "file.xmz" of 10,000 albums with 30 pictures
// each, generated once per run. Goal: ReadFile under one second in a Release build, and the whole
// run under 400 MB of memory (measure with /usr/bin/time -v).
#include "catalog/container.h"
#include "catalog/download_files.h"
#include "support/temp_files.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

namespace paperkit {
namespace {

namespace fs = std::filesystem;

constexpr int kAlbums = 10000;
constexpr int kPictures = 30;
const ScreenGeometry kScreen{1280, 1024, 1280, 1024};

std::string Digest(std::mt19937_64& random) {
    static const char hex[] = "0123456789abcdef";
    std::string digest(32, '0');
    for (char& c : digest)
        c = hex[random() & 15];
    return digest;
}

class Catalog {
public:
    Catalog() : m_folder(TempFolder() / ("pk-catalog-bench-" + std::to_string(::getpid()))) {
        fs::create_directories(m_folder);
        std::mt19937_64 random(7);
        std::string xml = "<Root><Ad Interval=\"30\"><A Text=\"新品推荐\" URL=\"http://x/\"/></Ad>"
                          "<Subject>";
        for (int id = 1; id <= kAlbums; ++id) {
            xml += "<S Id=\"" + std::to_string(id) + "\" Desc=\"风景专辑 " + std::to_string(id) +
                   "\" Remark=\"\" Category=\"" + std::to_string(id % 20) + "\" Total=\"" +
                   Digest(random) +
                   "\" GoURL=\"http://x/a\" Counts=\"30\" Date=\"2008-05-01\" SizeType=\"1\" "
                   "SizeList=\"1024x768,1280x1024,1920x1200\" Author=\"作者\" LocalPath=\"a" +
                   std::to_string(id) + "\" FileName=\"cover.jpg\" CRC=\"0\" WebPath=\"w/" +
                   std::to_string(id) + "\">";
            for (int no = 1; no <= kPictures; ++no)
                xml += "<I No=\"" + std::to_string(no) + "\" Desc=\"图 " + std::to_string(no) +
                       "\" FileName=\"" + std::to_string(no) + ".jpg\" CRC=\"0\" Total0=\"" +
                       Digest(random) + "\" Total5=\"" + Digest(random) + "\" Total11=\"" +
                       Digest(random) + "\"/>";
            xml += "</S>";
        }
        xml += "</Subject></Root>";
        const fs::path source = m_folder / "file.xml";
        std::ofstream(source, std::ios::binary) << xml;
        TMyZip().Pack(source, File());
        fs::remove(source);
    }
    ~Catalog() {
        std::error_code ec;
        fs::remove_all(m_folder, ec);
    }

    fs::path File() const { return m_folder / "file.xmz"; }
    fs::path Setup() const { return m_folder / "setupfile.xmz"; }

private:
    fs::path m_folder;
};

const Catalog& TheCatalog() {
    static const Catalog catalog;
    return catalog;
}

void BM_ReadFile(benchmark::State& state) {
    const Catalog& catalog = TheCatalog();
    TDownLoadFiles files(kScreen);
    for (auto _ : state) {
        if (!files.ReadFile(catalog.File()) || files.Subjects().Count() != kAlbums)
            state.SkipWithError("ReadFile failed");
    }
}
BENCHMARK(BM_ReadFile)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SetupRoundTrip(benchmark::State& state) {
    const Catalog& catalog = TheCatalog();
    TDownLoadFiles files(kScreen);
    files.ReadFile(catalog.File());
    int n = 0;
    for (TWallSubject& album : files.Subjects()) {
        album.Download = ++n % 3 == 0;
        for (TWallImage& image : album.Images)
            image.Downloaded = album.Download;
    }
    for (auto _ : state) {
        if (!files.WriteSetupFile(catalog.Setup()) || !files.ReadSetupFile(catalog.Setup()))
            state.SkipWithError("setup round trip failed");
    }
}
BENCHMARK(BM_SetupRoundTrip)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MergeIntoMain(benchmark::State& state) {
    const Catalog& catalog = TheCatalog();
    TDownLoadFiles files(kScreen);
    files.ReadFile(catalog.File());
    TMainSetupFiles main;
    for (auto _ : state)
        files.MergeIntoMain(main);
}
BENCHMARK(BM_MergeIntoMain)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace paperkit

BENCHMARK_MAIN();
