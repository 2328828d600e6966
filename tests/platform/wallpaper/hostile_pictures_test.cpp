// Hostile files in a local folder of the rotation list, stepped through by the rotation engine
// and handed to the real Linux wallpaper library (with a command template, so no desktop is
// needed): nothing crashes or hangs, memory stays bounded, the broken files are refused with the
// desktop left alone, and every step moves on to the next file.
#include "catalog/main_setup_files.h"
#include "platform/settings_store.h"
#include "platform/wallpaper.h"
#include "platform/wallpaper/linux/linux_wallpaper.h"
#include "rotation/wall_rotation.h"
#include "support/globals.h"
#include "testsupport/temp_dir.h"
#include "wallpaper_fixtures.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace paperkit {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

class NoSettings : public SettingsStore {
public:
    std::optional<std::string> ReadString(Hive, std::string_view, std::string_view) const override {
        return std::nullopt;
    }
    std::optional<int> ReadInteger(Hive, std::string_view, std::string_view) const override {
        return std::nullopt;
    }
    bool WriteString(Hive, std::string_view, std::string_view, std::string_view) override {
        return false;
    }
    bool WriteInteger(Hive, std::string_view, std::string_view, int) override { return false; }
    bool DeleteValue(Hive, std::string_view, std::string_view) override { return false; }
};

// The rotation's setter on top of the library, remembering what each step handed over.
class RecordingLibrary : public WallpaperSetter {
public:
    explicit RecordingLibrary(const fs::path& cache) : m_wallpaper(m_store, {cache}) {}
    bool ChangeWallpaper(const fs::path& picture) override {
        const bool shown = m_wallpaper.Change(picture);
        handed.emplace_back(picture.filename().string(), shown);
        return shown;
    }
    bool ClearWallpaper() override { return m_wallpaper.Clear(); }

    std::vector<std::pair<std::string, bool>> handed;

private:
    NoSettings m_store;
    LinuxWallpaper m_wallpaper;
};

long MaxResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A whole JPEG whose frame header claims 30000 by 30000 pixels.
std::string HugeJpeg(const fs::path& scratch) {
    test::WriteQuadrantPicture(scratch, "JPG");
    std::string bytes = test::ReadFile(scratch);
    fs::remove(scratch);
    for (std::size_t i = 2; i + 9 < bytes.size(); ++i) {
        const auto marker = static_cast<unsigned char>(bytes[i + 1]);
        if (static_cast<unsigned char>(bytes[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            for (std::size_t at : {i + 5, i + 7}) {
                bytes[at] = static_cast<char>(30000 >> 8);
                bytes[at + 1] = static_cast<char>(30000 & 0xFF);
            }
            return bytes;
        }
    }
    ADD_FAILURE() << "no frame header in the JPEG";
    return bytes;
}

TEST(HostilePictures, TheRotationStepsOverThemAndTheLibraryRefusesTheBrokenOnes) {
    TempDir dir;
    test::ScopedEnv env;
    env.Set("PAPERKIT_WALLPAPER_COMMAND", "true %f");
    const auto oldReceive = ReceiveFolder;
    ReceiveFolder = dir.path();

    const fs::path folder = dir / "pictures";
    fs::create_directories(folder);
    test::WriteQuadrantPicture(folder / "a-good.jpg", "JPG");
    const std::string good = test::ReadFile(folder / "a-good.jpg");
    test::WriteFile(folder / "b-huge.jpg", HugeJpeg(dir / "scratch.jpg"));
    test::WriteFile(folder / "c-truncated.jpg", good.substr(0, good.size() / 2));
    test::WriteFile(folder / "d-empty.jpg", "");
    test::WriteGif(folder / "e-picture.gif");
    test::WriteQuadrantPicture(folder / "f-png.jpg", "PNG");
    const std::string invalidUtf8 = "g-\xff\xfe name.jpg";
    test::WriteFile(folder / invalidUtf8, good);

    TMainSetupFiles catalog;
    auto entry = std::make_unique<TWallPaper>();
    entry->Type = '0';
    entry->Id = folder.string();
    entry->HasSub = 'N';
    catalog.WallPapers.Add(std::move(entry));

    RecordingLibrary library(dir / "cache");
    TWallRotation rotation(library);
    rotation.LoadWallFiles(catalog);
    ASSERT_EQ(rotation.Files().Count(), 7);
    rotation.SetPosition(-1);

    const long before = MaxResidentKb();
    const int steps = 2 * rotation.Files().Count();
    for (int step = 0; step < steps; ++step) {
        const int was = rotation.Position();
        rotation.NextWallpaper();
        EXPECT_EQ(rotation.Position(), (was + 1) % rotation.Files().Count())
            << "step " << step << " did not go on to the next file";
    }
    // A 30000 by 30000 picture would take gigabytes; it must be refused before it is decoded.
    EXPECT_LT(MaxResidentKb() - before, 200 * 1024);

    ASSERT_EQ(library.handed.size(), static_cast<std::size_t>(steps));
    std::map<std::string, bool> shown(library.handed.begin(), library.handed.end());
    EXPECT_TRUE(shown.at("a-good.jpg"));
    EXPECT_FALSE(shown.at("b-huge.jpg"));
    EXPECT_FALSE(shown.at("d-empty.jpg"));
    EXPECT_TRUE(shown.at("e-picture.gif"));
    EXPECT_TRUE(shown.at("f-png.jpg"));
    // The truncated file and the one with the broken name may be shown or refused; they are
    // handed over and the rotation goes on either way.
    EXPECT_EQ(shown.count("c-truncated.jpg"), 1u);
    EXPECT_EQ(shown.count(invalidUtf8), 1u);
    // The same answer on the second round: a refused file leaves no state behind.
    for (int i = 0; i < rotation.Files().Count(); ++i)
        EXPECT_EQ(library.handed[static_cast<std::size_t>(i)].second,
                  library.handed[static_cast<std::size_t>(i + rotation.Files().Count())].second)
            << library.handed[static_cast<std::size_t>(i)].first;
    ReceiveFolder = oldReceive;
}

} // namespace
} // namespace paperkit
