// The main window's decisions and album changes, without widgets.
#include "album_fixture.h"
#include "ui/mainwindow/album_actions.h"
#include "ui/mainwindow/main_window_rules.h"

#include <gtest/gtest.h>

namespace paperkit {
namespace {

using test::AlbumFixture;

TEST(MainWindowRules, MouseZonesOfARow) {
    // Column 2 spans 355..399; the state picture's halves are 0..12 and 12..24.
    struct Case {
        int x;
        bool download;
        bool incomplete;
        bool toggleDownload;
        bool toggleWallPaper;
    };
    const Case cases[] = {
        {370, false, true, true, false},   // "下载" ticks the album
        {370, true, true, false, false},   // already downloading: nothing
        {370, false, false, false, false}, // complete: nothing
        {355, false, true, false, false},  // the bounds belong to no zone
        {399, false, true, false, false},
        {6, true, true, true, false}, // the arrow switches either way
        {6, false, true, true, false},
        {6, true, false, false, false}, // a complete album keeps its download
        {12, true, true, false, false},
        {18, false, false, false, true}, // the monitor, whatever the progress
        {18, true, true, false, true},
        {24, false, true, false, false},
        {100, false, true, false, false},
    };
    for (const Case& c : cases) {
        const auto actions = MouseDownZone(c.x, 355, 44, 12, c.download, c.incomplete);
        EXPECT_EQ(actions.ToggleDownload, c.toggleDownload) << "x " << c.x;
        EXPECT_EQ(actions.ToggleWallPaper, c.toggleWallPaper) << "x " << c.x;
    }
}

TEST(MainWindowRules, SizeGroupLayoutByItemCount) {
    const struct {
        int n, columns, height;
    } cases[] = {{1, 1, 65}, {2, 1, 65}, {3, 1, 89},  {4, 2, 65},
                 {5, 2, 89}, {6, 2, 89}, {7, 3, 104}, {18, 3, 104}};
    for (const auto& c : cases) {
        EXPECT_EQ(SizeLayout(c.n).Columns, c.columns) << c.n;
        EXPECT_EQ(SizeLayout(c.n).Height, c.height) << c.n;
    }
}

TEST(MainWindowRules, PopupMenuEnabling) {
    EXPECT_FALSE(PopupRules(false, '2', false, true, false).Visible);
    EXPECT_FALSE(PopupRules(false, '2', false, true, false).DeleteVisible);

    const auto fresh = PopupRules(true, '1', false, true, false);
    EXPECT_TRUE(fresh.Visible);
    EXPECT_FALSE(fresh.DeleteVisible);
    EXPECT_TRUE(fresh.DownloadEnabled);
    EXPECT_TRUE(fresh.ToWallPaperEnabled);
    EXPECT_TRUE(fresh.PreviewEnabled && fresh.URLEnabled);

    EXPECT_TRUE(PopupRules(true, '2', false, true, false).DeleteVisible);
    EXPECT_FALSE(PopupRules(true, '1', true, true, false).DownloadEnabled);
    EXPECT_FALSE(PopupRules(true, '1', false, false, false).DownloadEnabled);
    EXPECT_FALSE(PopupRules(true, '1', false, true, true).ToWallPaperEnabled);
}

TEST(MainWindowRules, SelectionAfterDelete) {
    EXPECT_EQ(RowAfterDelete(1, 3), 1);  // the next album moves up into the place
    EXPECT_EQ(RowAfterDelete(3, 3), 2);  // the last one went: the new last
    EXPECT_EQ(RowAfterDelete(0, 0), -1); // the only one went: none
}

TEST(MainWindowRules, AdsAndTheDefaultLine) {
    TWallAds ads;
    EXPECT_EQ(AdAt(ads, 0).Text, kDefaultAdText);
    EXPECT_EQ(AdAt(ads, 0).URL, kHomePage);
    for (const char* text : {"一", "二"}) {
        auto ad = std::make_unique<TWallAd>();
        ad->Text = text;
        ad->URL = std::string("http://ads.example/") + text;
        ads.Add(std::move(ad));
    }
    EXPECT_EQ(AdAt(ads, 1).Text, "二");
    EXPECT_EQ(AdAt(ads, 2).Text, kDefaultAdText);
    EXPECT_EQ(NextAdIndex(0, 2), 1);
    EXPECT_EQ(NextAdIndex(1, 2), 0);
    EXPECT_EQ(NextAdIndex(0, 0), 0);
}

TEST(MainWindowRules, GuideFilesGoInOneLine) {
    EXPECT_EQ(WebDownloadLine({"/a/x.pkd", "/b/y.pkd"}), "WebDownload:/a/x.pkd\r\n/b/y.pkd\r\n");
    EXPECT_EQ(WebDownloadLine({}), "");
}

TEST(MainWindowRules, CaptionAndStateText) {
    AlbumFixture fx;
    auto album = AlbumFixture::MakeAlbum(5, 40, 12);
    EXPECT_EQ(AlbumCaption(*album, fx.Setup.Categorys), "2011-12-05[风景]专辑5");
    album->Category = 99;
    EXPECT_EQ(AlbumCaption(*album, fx.Setup.Categorys), "2011-12-05专辑5");
    album->Download = true;
    EXPECT_EQ(StateDescription(*album, CountSubItems(*album)), "下载 12/40");
    EXPECT_EQ(CountSubItems(*album), (std::vector<std::string>{"", "40", "12"}));
    EXPECT_EQ(StateIndex(true, true), 0);
    EXPECT_EQ(StateIndex(true, false), 1);
    EXPECT_EQ(StateIndex(false, true), 2);
    EXPECT_EQ(StateIndex(false, false), 3);
}

class AlbumActions : public ::testing::Test {
protected:
    AlbumFixture fx;
    ScreenGeometry screen{1024, 768, 1024, 768};
};

TEST_F(AlbumActions, TickingDownloadChoosesASizeMarksFilesAndJoinsTheRotation) {
    TWallSubject& album = fx.AddDown(AlbumFixture::MakeAlbum(7, 3, 0));
    AlbumFixture::WritePicture(*album.Images.Get(1), '2');
    album.Size = -1;
    // the picture check needs the size chosen first, as ToggleDownload does
    EXPECT_EQ(ToggleDownload(album, '2', fx.Setup.WallPapers, screen), "DSubjectSetupSize:7");
    EXPECT_TRUE(album.Download);
    EXPECT_EQ(album.Size, SizeIndex("1024x768"));
    EXPECT_FALSE(album.Images.Get(0)->Downloaded);
    EXPECT_TRUE(album.Images.Get(1)->Downloaded);
    ASSERT_NE(fx.Setup.WallPapers.Find('2', "7"), nullptr);
    EXPECT_EQ(fx.Setup.WallPapers.Find('2', "7")->Name, "专辑7");

    EXPECT_EQ(ToggleDownload(album, '2', fx.Setup.WallPapers, screen), "DSubjectSetupSize:7");
    EXPECT_FALSE(album.Download);
    EXPECT_EQ(album.Size, -1);
    EXPECT_FALSE(album.InWallList);
    EXPECT_EQ(fx.Setup.WallPapers.Count(), 0);
}

TEST_F(AlbumActions, AnAlbumOfNoKnownSizeStaysOff) {
    TWallSubject& album = fx.AddNew(AlbumFixture::MakeAlbum(8, 2, 0, "999x1"));
    album.InWallList = true;
    auto entry = std::make_unique<TWallPaper>();
    entry->Type = '1';
    entry->Id = "8";
    fx.Setup.WallPapers.Add(std::move(entry));
    EXPECT_EQ(ToggleDownload(album, '1', fx.Setup.WallPapers, screen), "SubjectSetupSize:8");
    EXPECT_FALSE(album.Download);
    EXPECT_EQ(album.Size, -1);
    EXPECT_FALSE(album.InWallList);
    EXPECT_EQ(fx.Setup.WallPapers.Count(), 0);
}

TEST_F(AlbumActions, RotationToggleSwitchesDownloadOnWithoutASize) {
    TWallSubject& album = fx.AddNew(AlbumFixture::MakeAlbum(9, 2, 0));
    EXPECT_EQ(ToggleWallPaper(album, '1', fx.Setup.WallPapers), "SubjectSetup:9");
    EXPECT_TRUE(album.Download);
    EXPECT_TRUE(album.InWallList);
    EXPECT_EQ(album.Size, -1);
    EXPECT_EQ(ToggleWallPaper(album, '1', fx.Setup.WallPapers), "SubjectSetup:9");
    EXPECT_FALSE(album.InWallList);
    EXPECT_TRUE(album.Download);
    EXPECT_EQ(fx.Setup.WallPapers.Count(), 0);
}

TEST_F(AlbumActions, NoDownloadClearsEverything) {
    TWallSubject& album = fx.AddNew(AlbumFixture::MakeAlbum(10, 3, 3));
    ToggleWallPaper(album, '1', fx.Setup.WallPapers);
    EXPECT_EQ(ChooseSize(album, '1', fx.Setup.WallPapers, ""), "SubjectSetupSize:10");
    EXPECT_FALSE(album.Download);
    EXPECT_FALSE(album.InWallList);
    EXPECT_EQ(album.Size, -1);
    for (const TWallImage& image : album.Images)
        EXPECT_FALSE(image.Downloaded);
    EXPECT_EQ(fx.Setup.WallPapers.Count(), 0);

    EXPECT_EQ(ChooseSize(album, '1', fx.Setup.WallPapers, "1280x800"), "SubjectSetupSize:10");
    EXPECT_EQ(album.Size, SizeIndex("1280x800"));
    EXPECT_TRUE(album.Download);
    EXPECT_EQ(fx.Setup.WallPapers.Count(), 0); // a size alone does not join the rotation

    // a size the table does not know cannot be downloaded: nothing changes
    EXPECT_EQ(ChooseSize(album, '1', fx.Setup.WallPapers, "1920x1081"), std::nullopt);
    EXPECT_EQ(album.Size, SizeIndex("1280x800"));
    EXPECT_TRUE(album.Download);
}

TEST_F(AlbumActions, DownloadAgainOnlyWithASizeAndSlideshowTakesFilesOnDisk) {
    TWallSubject& album = fx.AddNew(AlbumFixture::MakeAlbum(11, 3, 0));
    EXPECT_FALSE(ReDownload(album, '1'));
    album.Size = SizeIndex("1024x768");
    AlbumFixture::WritePicture(*album.Images.Get(0), '1');
    AlbumFixture::WritePicture(*album.Images.Get(2), '1');
    EXPECT_EQ(ReDownload(album, '1'), "SubjectSetupSize:11");
    EXPECT_TRUE(album.Images.Get(0)->Downloaded);
    EXPECT_FALSE(album.Images.Get(1)->Downloaded);
    album.Images.Get(1)->Downloaded = true; // marked, but its file is missing
    const auto files = SlideshowFiles(album, '1');
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0], *NewImageFile(*album.Images.Get(0)));
    EXPECT_EQ(files[1], *NewImageFile(*album.Images.Get(2)));
}

} // namespace
} // namespace paperkit
