#include "catalog/download_files.h"
#include "document_fixture.h"

#include <gtest/gtest.h>

namespace paperkit {
namespace {

TWallSubject& AddAlbum(TWallSubjects& list, int id, int category, std::vector<int> pictures,
                       int size = 5) {
    auto album = std::make_unique<TWallSubject>();
    album->Id = id;
    album->Desc = "album " + std::to_string(id);
    album->Category = category;
    album->Size = size;
    for (int no : pictures) {
        auto image = std::make_unique<TWallImage>();
        image->No = no;
        album->Images.Add(std::move(image));
    }
    TWallSubject& added = *album;
    list.Add(std::move(album));
    return added;
}

void AddCategory(TWallCategorys& list, int id, bool preset) {
    auto category = std::make_unique<TWallCategory>();
    category->Id = id;
    category->Preset = preset;
    list.Add(std::move(category));
}

void AddPaper(TWallPapers& list, char type, const std::string& id) {
    auto paper = std::make_unique<TWallPaper>();
    paper->Type = type;
    paper->Id = id;
    list.Add(std::move(paper));
}

std::vector<std::string> PaperIds(const TWallPapers& papers) {
    std::vector<std::string> ids;
    for (const TWallPaper& p : papers)
        ids.push_back(std::string(1, p.Type) + ":" + p.Id);
    return ids;
}

class Merges : public ::testing::Test {
protected:
    test::TempDir m_dir;
    TDownLoadFiles m_files{ScreenGeometry{1280, 1024, 1280, 1024}};
};

TEST_F(Merges, CarrySelectionsKeepsPictureFlagsOnlyInPlaceAndSize) {
    TMainSetupFiles snapshot;
    AddCategory(snapshot.Categorys, 1, true);
    TWallSubject& kept = AddAlbum(snapshot.Subjects, 11, 1, {1, 2, 3});
    kept.Download = kept.InWallList = kept.Downloaded = true;
    for (TWallImage& image : kept.Images)
        image.Downloaded = true;
    TWallSubject& resized = AddAlbum(snapshot.Subjects, 12, 1, {1}, 8);
    resized.Images.Get(0)->Downloaded = true;
    resized.Download = true;
    AddAlbum(snapshot.Subjects, 13, 1, {1}); // no longer on the server
    AddPaper(snapshot.WallPapers, '0', "/pics");
    snapshot.WallParas.Interval = 9;
    snapshot.WallUser.D = "d";

    AddCategory(m_files.Categorys(), 1, false);
    AddAlbum(m_files.Subjects(), 11, 1, {1, 3, 2, 4}); // pictures reordered and one added
    AddAlbum(m_files.Subjects(), 12, 1, {1});          // size computed anew: 5
    AddAlbum(m_files.DSubjects(), 21, 1, {1});
    m_files.WallAds().Interval = 77;

    m_files.CarrySelections(snapshot);
    EXPECT_TRUE(m_files.Categorys().Get(0)->Preset);
    const TWallSubject& a = *m_files.Subjects().Get(0);
    EXPECT_TRUE(a.Download && a.InWallList && a.Downloaded);
    std::vector<bool> flags;
    for (const TWallImage& image : a.Images)
        flags.push_back(image.Downloaded);
    EXPECT_EQ(flags, (std::vector<bool>{true, false, false, false}));
    const TWallSubject& b = *m_files.Subjects().Get(1);
    EXPECT_EQ(b.Size, 8);
    EXPECT_TRUE(b.Download);
    EXPECT_FALSE(b.Images.Get(0)->Downloaded);
    EXPECT_EQ(m_files.Subjects().Count(), 2);
    EXPECT_EQ(PaperIds(m_files.WallPapers()), std::vector<std::string>{"0:/pics"});
    EXPECT_EQ(m_files.WallParas().Interval, 9);
    EXPECT_EQ(m_files.WallUser().D, "d");
    EXPECT_EQ(m_files.DSubjects().Count(), 1);
    EXPECT_EQ(m_files.WallAds().Interval, 77);
}

TEST_F(Merges, MergeIntoMainPresetsNewAlbumsAndKeepsKnownChoices) {
    TMainSetupFiles main;
    AddCategory(main.Categorys, 1, true);
    AddCategory(main.Categorys, 2, false);
    TWallSubject& known = AddAlbum(main.Subjects, 11, 2, {1}, 7);
    known.Download = true;
    known.InWallList = true;
    AddAlbum(main.Subjects, 10, 2, {1}); // left the server's list
    AddPaper(main.WallPapers, '1', "10");
    AddPaper(main.WallPapers, '0', "/pics");
    AddPaper(main.WallPapers, '1', "11");
    AddPaper(main.WallPapers, '2', "10");
    AddPaper(main.WallPapers, '1', "x");

    AddCategory(m_files.Categorys(), 1, false);
    AddCategory(m_files.Categorys(), 2, false);
    AddCategory(m_files.Categorys(), 3, false);
    AddAlbum(m_files.Subjects(), 11, 2, {1}); // known
    AddAlbum(m_files.Subjects(), 12, 1, {1}); // new, preset category
    AddAlbum(m_files.Subjects(), 13, 2, {1}); // new, other category
    AddAlbum(m_files.Subjects(), 14, 3, {1}); // new, category unknown to the windows
    m_files.WallAds().Interval = 42;

    m_files.MergeIntoMain(main);

    const auto check = [](const TWallSubjects& list) {
        ASSERT_EQ(list.Count(), 4);
        const TWallSubject& known = *list.Get(0);
        EXPECT_TRUE(known.Download && known.InWallList);
        EXPECT_EQ(known.Size, 7);
        const TWallSubject& preset = *list.Get(1);
        EXPECT_TRUE(preset.Download && preset.InWallList);
        EXPECT_EQ(preset.Size, 5);
        for (int i : {2, 3}) {
            const TWallSubject& other = *list.Get(i);
            EXPECT_FALSE(other.Download || other.InWallList) << other.Id;
            EXPECT_EQ(other.Size, -1) << other.Id;
        }
    };
    check(m_files.Subjects());
    check(main.Subjects);
    EXPECT_EQ(main.Subjects.Get(0)->Images.Get(0)->Subject, main.Subjects.Get(0));
    EXPECT_TRUE(m_files.Categorys().Get(0)->Preset);
    EXPECT_EQ(main.Categorys.Count(), 3);
    const std::vector<std::string> papers{"0:/pics", "1:11", "2:10", "1:12"};
    EXPECT_EQ(PaperIds(main.WallPapers), papers);
    EXPECT_EQ(PaperIds(m_files.WallPapers()), papers);
    EXPECT_EQ(main.WallPapers.Get(3)->Name, "album 12");
    EXPECT_EQ(main.WallAds.Interval, 42);
}

std::string Guide(const std::string& albums) {
    return "<Root><Subject>" + albums + "</Subject></Root>";
}

TEST_F(Merges, ImportGuideFilesReplacesKnownAlbumsAtTheEnd) {
    AddAlbum(m_files.DSubjects(), 21, 1, {1}).Images.Get(0)->Downloaded = true;
    AddAlbum(m_files.DSubjects(), 22, 1, {1});
    const auto one = test::PackXml(
        m_dir, "one.pkd",
        Guide(R"(<S Id="21" Category="1" SizeList="1280x1024"><I No="1" Remark="r"/></S>)"));
    const auto two = test::PackXml(
        m_dir, "two.pkd",
        Guide(
            R"(<S Id="30" Category="1"/><S Id="31" Category="1"/><S Id="32"/><S Id="33" Category="1"/>)"));
    const auto empty = test::PackXml(m_dir, "empty.pkd", Guide(""));
    std::vector<std::string> list{(m_dir / "missing.pkd").string(), one.string(), two.string(),
                                  empty.string()};

    m_files.ImportGuideFiles(list);
    EXPECT_EQ(list, (std::vector<std::string>{"21", "31"}));
    std::vector<int> ids;
    for (const TWallSubject& album : m_files.DSubjects())
        ids.push_back(album.Id);
    EXPECT_EQ(ids, (std::vector<int>{22, 21, 30, 31}));
    const TWallSubject& replaced = *m_files.DSubjects().Get(1);
    EXPECT_TRUE(replaced.Download);
    EXPECT_EQ(replaced.Size, 5);
    EXPECT_FALSE(replaced.Images.Get(0)->Downloaded);
    EXPECT_EQ(replaced.Images.Get(0)->Remark, "r");
}

TEST_F(Merges, MatchGuideFilesNamesAlbumsAlreadyDownloadedAndDropsTheRest) {
    AddAlbum(m_files.DSubjects(), 21, 1, {});
    AddAlbum(m_files.DSubjects(), 31, 1, {});
    AddAlbum(m_files.DSubjects(), 33, 1, {});
    const auto known = test::PackXml(m_dir, "known.pkd", Guide(R"(<S Id="21" Category="1"/>)"));
    const auto fresh = test::PackXml(m_dir, "new.pkd", Guide(R"(<S Id="40" Category="1"/>)"));
    const auto empty = test::PackXml(m_dir, "empty.pkd", Guide(""));
    // The import refuses an album without a numeric category and everything after it.
    const auto refused = test::PackXml(m_dir, "refused.pkd", Guide(R"(<S Id="21" Category="x"/>)"));
    const auto cutShort =
        test::PackXml(m_dir, "cut.pkd",
                      Guide(R"(<S Id="31" Category="1"/><S Id="32"/><S Id="33" Category="1"/>)"));
    // An unreadable name that looks like an album id must not pass for one.
    std::vector<std::string> list{(m_dir / "missing.pkd").string(),
                                  known.string(),
                                  fresh.string(),
                                  empty.string(),
                                  "21",
                                  refused.string(),
                                  cutShort.string()};
    m_files.MatchGuideFiles(list);
    EXPECT_EQ(list, (std::vector<std::string>{"21", "31"}));
    EXPECT_EQ(m_files.DSubjects().Count(), 3);

    // The import agrees on what each file names.
    std::vector<std::string> imported{refused.string(), cutShort.string(), "21"};
    m_files.ImportGuideFiles(imported);
    EXPECT_EQ(imported, (std::vector<std::string>{"31"}));
}

} // namespace
} // namespace paperkit
