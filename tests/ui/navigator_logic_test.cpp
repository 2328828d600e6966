#include "support/gbk.h"
#include "ui/navigator/navigator_logic.h"

#include <gtest/gtest.h>

namespace paperkit {
namespace {

void AddFile(TWallFiles& files, char type, const std::string& id, const std::string& name = "f") {
    auto file = std::make_unique<TWallFileInfo>();
    file->FileName = "/pictures/" + id + "/" + name + ".jpg";
    file->SourceType = type;
    file->SourceId = id;
    files.Add(std::move(file));
}

void AddAlbum(TWallSubjects& albums, int id, const std::string& desc) {
    auto album = std::make_unique<TWallSubject>();
    album->Id = id;
    album->Desc = desc;
    album->GoURL = "http://catalog.example/album/" + std::to_string(id);
    albums.Add(std::move(album));
}

void AddPaper(TWallPapers& papers, char type, const std::string& id, const std::string& name) {
    auto paper = std::make_unique<TWallPaper>();
    paper->Type = type;
    paper->Id = id;
    paper->Name = name;
    papers.Add(std::move(paper));
}

std::string Repeat(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(WallInfo, AlbumNamesAreShortenedToThirtySixGbkBytes) {
    const struct {
        std::string desc;
        std::string caption;
    } cases[] = {
        {Repeat("a", 36), Repeat("a", 36)},
        {Repeat("山", 18), Repeat("山", 18)}, // 36 bytes in GBK
        {Repeat("a", 37), Repeat("a", 33) + "..."},
        {"a" + Repeat("山", 18), "a" + Repeat("山", 16) + "..."},
        // The 33rd byte would start a double-byte character: it is left out whole.
        {Repeat("a", 32) + Repeat("山", 3), Repeat("a", 32) + "..."},
    };
    for (const auto& c : cases) {
        TMainSetupFiles catalog;
        AddAlbum(catalog.Subjects, 7, c.desc);
        TWallFiles files;
        AddFile(files, '1', "7");
        const WallInfo info = WallInfoFor(files, 0, catalog);
        EXPECT_EQ(info.Caption, c.caption) << c.desc;
        EXPECT_EQ(info.Link, "http://catalog.example/album/7");
    }
}

TEST(WallInfo, BrokenAndOverlongNamesShortenSafely) {
    for (const std::string& desc : {Repeat("名", 1000), Repeat("\xff\xfe\xc3", 40),
                                    Repeat("x", 30) + "\xe5\xb1" + "abcdefg"}) {
        TMainSetupFiles catalog;
        AddAlbum(catalog.DSubjects, 3, desc);
        TWallFiles files;
        AddFile(files, '2', "3");
        const WallInfo info = WallInfoFor(files, 0, catalog);
        EXPECT_LE(Utf8ToGbk(info.Caption).size(), 36u);
        EXPECT_EQ(info.Caption.substr(info.Caption.size() - 3), "...");
    }
}

TEST(WallInfo, SourcesAndDefaults) {
    TMainSetupFiles catalog;
    AddAlbum(catalog.Subjects, 1, "latest");
    AddAlbum(catalog.DSubjects, 2, "mine");
    AddPaper(catalog.WallPapers, '0', "/home/u/Pictures", "假期照片");
    TWallFiles files;
    AddFile(files, '1', "1");
    AddFile(files, '2', "2");
    AddFile(files, '0', "/home/u/Pictures");
    AddFile(files, '1', "99"); // album gone from the catalog
    AddFile(files, '1', "1x"); // damaged id
    AddFile(files, '9', "1");  // unknown source
    AddFile(files, '2', "1");  // album 1 is not among the downloads

    const WallInfo home{kHomeCaption, kHomePage};
    const struct {
        int position;
        WallInfo info;
    } cases[] = {
        {0, {"latest", "http://catalog.example/album/1"}},
        {1, {"mine", "http://catalog.example/album/2"}},
        {2, {"假期照片", ""}},
        {3, home},
        {4, home},
        {5, home},
        {6, home},
        {-1, home},
        {7, home},
    };
    for (const auto& c : cases) {
        const WallInfo info = WallInfoFor(files, c.position, catalog);
        EXPECT_EQ(info.Caption, c.info.Caption) << c.position;
        EXPECT_EQ(info.Link, c.info.Link) << c.position;
    }
    const TWallFiles empty;
    const WallInfo none = WallInfoFor(empty, 0, catalog);
    EXPECT_EQ(none.Caption, kHomeCaption);
}

TEST(AlbumMenu, MergesOnlyNeighbouringFilesOfOneAlbum) {
    TWallPapers papers;
    AddPaper(papers, '1', "10", "A");
    AddPaper(papers, '2', "20", "B");
    TWallFiles files;
    AddFile(files, '1', "10", "1");
    AddFile(files, '1', "10", "2");
    AddFile(files, '2', "20", "1");
    AddFile(files, '1', "10", "3");
    const auto items = AlbumMenuItems(files, papers);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].Tag, 0);
    EXPECT_EQ(items[0].Caption, "[最新更新]A");
    EXPECT_EQ(items[1].Tag, 2);
    EXPECT_EQ(items[1].Caption, "[我的下载]B");
    EXPECT_EQ(items[2].Tag, 3);
    EXPECT_EQ(items[2].Caption, "[最新更新]A");
}

TEST(AlbumMenu, CaptionsByRotationEntry) {
    TWallPapers papers;
    AddPaper(papers, '0', "/p", "家");
    AddPaper(papers, '5', "x", "odd");
    TWallFiles files;
    AddFile(files, '0', "/p");
    AddFile(files, '5', "x");
    AddFile(files, '1', "404"); // no rotation entry: still listed, without caption
    const auto items = AlbumMenuItems(files, papers);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].Caption, "[本地壁纸]家");
    EXPECT_EQ(items[1].Caption, "odd");
    EXPECT_EQ(items[2].Caption, "");
    EXPECT_EQ(items[2].Tag, 2);
    const TWallFiles empty;
    EXPECT_TRUE(AlbumMenuItems(empty, papers).empty());
}

TEST(AlbumMenu, LongAndDamagedNamesAreShortenedSafely) {
    TWallPapers papers;
    AddPaper(papers, '1', "10", std::string(1000, 'x'));
    AddPaper(papers, '2', "20", std::string(300, '\xff'));
    TWallFiles files;
    AddFile(files, '1', "10");
    AddFile(files, '2', "20");
    const auto items = AlbumMenuItems(files, papers);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].Caption, "[最新更新]" + std::string(kMenuNameBytes - 3, 'x') + "...");
    for (const auto& item : items)
        EXPECT_LE(item.Caption.size(), std::string("[我的下载]").size() + 2 * kMenuNameBytes);
}

TEST(PanelChangeInterval, FromHoursMinutesAndSeconds) {
    const struct {
        int hour, minute, second;
        long long ms;
    } cases[] = {
        {0, 0, 15, 15'000},
        {24, 0, 0, 86'400'000},
        {1, 2, 3, 3'723'000},
        {0, 0, 0, 0},
        {0, -1, 30, 30'000}, // a damaged part counts as the nearest the
                             // dialog allows
        {99, 0, 0, 86'400'000},
    };
    for (const auto& c : cases) {
        TWallParas paras;
        paras.Hour = c.hour;
        paras.Minute = c.minute;
        paras.Second = c.second;
        EXPECT_EQ(ChangeIntervalMs(paras), c.ms) << c.hour << ":" << c.minute << ":" << c.second;
    }
}

TEST(PanelPlace, DefaultsOnlyWithoutAStoredPlace) {
    const ScreenSize screen{1280, 1024};
    const struct {
        PanelPos stored;
        PanelPos place;
    } cases[] = {
        {{-1, -1}, {1280 - 314, 1024 - 112}},
        {{-1, 200}, {966, 912}}, // half a place (the other half damaged) is no place
        {{100, 200}, {100, 200}},
        {{5000, -300}, {5000, -300}}, // used as stored, even off screen
        {{0, 0}, {0, 0}},
    };
    for (const auto& c : cases) {
        const PanelPos place = PanelPlace(c.stored, screen);
        EXPECT_EQ(place.X, c.place.X);
        EXPECT_EQ(place.Y, c.place.Y);
    }
}

} // namespace
} // namespace paperkit
