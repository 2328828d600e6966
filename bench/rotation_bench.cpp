// Rotation and completeness goals: listing a large local folder, stepping over a long run of
// missing files, and digesting downloaded pictures. The data lives in $PAPERKIT_BENCH_DATA when
// that is set (made there on first use and kept, so that bench/rotation_compare can time outside
// tools over the same files); otherwise in a temporary folder removed at the end.
#include "catalog/main_setup_files.h"
#include "platform/wallpaper.h"
#include "rotation/completeness.h"
#include "rotation/local_paths.h"
#include "rotation/wall_rotation.h"
#include "support/globals.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>

namespace paperkit {
namespace {

namespace fs = std::filesystem;

constexpr int TreeFolders = 100;
constexpr int TreeSubfolders = 10;
constexpr int TreeFiles = 100; // per subfolder: 100,000 files in all
constexpr int MissingRun = 10000;
constexpr int DigestAlbums = 4;
constexpr int DigestImages = 500; // per album: 2,000 pictures
constexpr size_t PictureBytes = 500 * 1024;

class NullSetter : public WallpaperSetter {
public:
    bool ChangeWallpaper(const fs::path&) override { return true; }
    bool ClearWallpaper() override { return true; }
};

class BenchData {
public:
    BenchData() {
        const char* given = std::getenv("PAPERKIT_BENCH_DATA");
        if (given && *given) {
            m_root = given;
        } else {
            std::string templ = (fs::temp_directory_path() / "pk-bench-XXXXXX").string();
            if (!mkdtemp(templ.data()))
                throw std::runtime_error("cannot create the benchmark folder");
            m_root = templ;
            m_owned = true;
        }
        ReceiveFolder = m_root / "receive" / "";
        DownloadFolder = m_root / "download" / "";
        fs::create_directories(ReceiveFolder);
    }
    ~BenchData() {
        std::error_code ec;
        if (m_owned)
            fs::remove_all(m_root, ec);
    }
    BenchData(const BenchData&) = delete;
    BenchData& operator=(const BenchData&) = delete;

    const fs::path& root() const { return m_root; }

    /// The nested folder of 100,000 files, nine in ten of them pictures by name.
    fs::path Tree() {
        const fs::path tree = m_root / "tree";
        if (fs::exists(m_root / "tree.done"))
            return tree;
        for (int d = 0; d < TreeFolders; ++d) {
            for (int s = 0; s < TreeSubfolders; ++s) {
                const fs::path folder =
                    tree / ("d" + std::to_string(d)) / ("s" + std::to_string(s));
                fs::create_directories(folder);
                for (int f = 0; f < TreeFiles; ++f)
                    std::ofstream(folder / ("p" + std::to_string(f) + (f % 10 ? ".jpg" : ".png")));
            }
        }
        std::ofstream(m_root / "tree.done");
        return tree;
    }

    /// The latest-updates albums with their pictures on disk, 500 KB each.
    void DigestSet(TWallSubjects& albums) {
        const bool made = fs::exists(m_root / "digest.done");
        std::string bytes(PictureBytes, '\0');
        std::uint64_t x = 88172645463325252ull;
        for (int a = 0; a < DigestAlbums; ++a) {
            auto album = std::make_unique<TWallSubject>();
            album->Id = a;
            album->LocalPath = "\\a" + std::to_string(a) + "\\";
            album->FileName = "cover.jpg";
            album->Size = 0;
            for (int i = 0; i < DigestImages; ++i) {
                auto image = std::make_unique<TWallImage>();
                image->FileName = "p" + std::to_string(i) + ".jpg";
                image->Totals.Set(0, std::string(32, '0'));
                album->Images.Add(std::move(image));
            }
            if (!made) {
                std::ofstream(*NewSubjectFile(*album), std::ios::binary) << "cover";
                for (const TWallImage& image : album->Images) {
                    for (char& c : bytes) {
                        x ^= x << 13;
                        x ^= x >> 7;
                        x ^= x << 17;
                        c = static_cast<char>(x);
                    }
                    const fs::path file = *NewImageFile(image);
                    fs::create_directories(file.parent_path());
                    std::ofstream(file, std::ios::binary).write(bytes.data(), bytes.size());
                }
            }
            albums.Add(std::move(album));
        }
        std::ofstream(m_root / "digest.done");
    }

private:
    fs::path m_root;
    bool m_owned = false;
};

BenchData* Data = nullptr;

void AddEntry(TWallPapers& list, char type, const std::string& id) {
    auto entry = std::make_unique<TWallPaper>();
    entry->Type = type;
    entry->Id = id;
    entry->HasSub = 'Y';
    list.Add(std::move(entry));
}

void BM_LoadWallFiles(benchmark::State& state) {
    TMainSetupFiles catalog;
    AddEntry(catalog.WallPapers, '0', Data->Tree().string());
    NullSetter setter;
    TWallRotation rotation(setter);
    for (auto _ : state)
        rotation.LoadWallFiles(catalog);
    state.counters["files"] = rotation.Files().Count();
}
BENCHMARK(BM_LoadWallFiles)->Unit(benchmark::kMillisecond);

void BM_NextWallpaperOverMissingRun(benchmark::State& state) {
    TMainSetupFiles catalog;
    auto album = std::make_unique<TWallSubject>();
    album->Id = 1;
    album->LocalPath = "\\missing\\";
    for (int i = 0; i <= MissingRun; ++i) {
        auto image = std::make_unique<TWallImage>();
        image->FileName = "m" + std::to_string(i) + ".jpg";
        album->Images.Add(std::move(image));
    }
    // Only the last picture is there: every step passes over the whole run of missing ones.
    const fs::path present = *DownImageFile(*album->Images.Get(MissingRun));
    fs::create_directories(present.parent_path());
    std::ofstream(present) << "picture";
    catalog.DSubjects.Add(std::move(album));
    AddEntry(catalog.WallPapers, '2', "1");
    NullSetter setter;
    TWallRotation rotation(setter);
    rotation.LoadWallFiles(catalog);
    rotation.SetPosition(MissingRun);
    for (auto _ : state)
        rotation.NextWallpaper();
    if (rotation.Position() != MissingRun)
        state.SkipWithError("the step did not land on the one present picture");
}
BENCHMARK(BM_NextWallpaperOverMissingRun)->Unit(benchmark::kMillisecond);

void BM_CheckNewAlbumsForced(benchmark::State& state) {
    TWallSubjects albums;
    Data->DigestSet(albums);
    for (auto _ : state)
        CheckNewAlbums(albums, true);
    state.SetBytesProcessed(state.iterations() * DigestAlbums * DigestImages *
                            static_cast<std::int64_t>(PictureBytes));
}
BENCHMARK(BM_CheckNewAlbumsForced)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace paperkit

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    paperkit::BenchData data;
    paperkit::Data = &data;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
