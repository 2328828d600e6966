#include "catalog/main_setup_files.h"
#include "catalog/wall_file_info.h"
#include "catalog/wall_last_ver.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace paperkit {
namespace {

std::unique_ptr<TWallSubject> MakeSubject(int id, const std::string& desc,
                                          const std::vector<int>& imageNos) {
    auto s = std::make_unique<TWallSubject>();
    s->Id = id;
    s->Desc = desc;
    s->Size = 3;
    s->Download = true;
    s->SizeList = "1024x768,1280x1024";
    for (int no : imageNos) {
        auto image = std::make_unique<TWallImage>();
        image->No = no;
        image->FileName = desc + "-" + std::to_string(no) + ".jpg";
        image->Totals.Set(16, "d41d8cd98f00b204e9800998ecf8427e");
        s->Images.Add(std::move(image));
    }
    return s;
}

std::unique_ptr<TWallPaper> MakePaper(char type, const std::string& id) {
    auto p = std::make_unique<TWallPaper>();
    p->Type = type;
    p->Id = id;
    return p;
}

TEST(WallRecords, StartEmptyAndZero) {
    const TWallSubject s;
    EXPECT_EQ(s.Id, 0);
    EXPECT_TRUE(s.Desc.empty());
    EXPECT_EQ(s.Size, 0);
    EXPECT_FALSE(s.Download || s.Downloaded || s.InWallList);
    EXPECT_EQ(s.Images.Count(), 0);
    const TWallParas paras;
    EXPECT_FALSE(paras.Change);
    EXPECT_EQ(paras.MusicType, '\0');
    EXPECT_EQ(paras.Interval, 0);
    EXPECT_EQ(TWallAds().Interval, 0);
    EXPECT_TRUE(TWallLastVers().LastVer.empty());
}

TEST(WallLists, AddCountGetAndIterateInOrder) {
    TWallPapers papers;
    EXPECT_EQ(papers.Add(MakePaper('1', "a")), 0);
    EXPECT_EQ(papers.Add(MakePaper('1', "a")), 1); // duplicates are kept
    EXPECT_EQ(papers.Add(MakePaper('0', "c")), 2);
    EXPECT_EQ(papers.Add(nullptr), -1);
    ASSERT_EQ(papers.Count(), 3);
    std::string ids;
    for (const TWallPaper& p : papers)
        ids += p.Id;
    EXPECT_EQ(ids, "aac");

    for (int outside : {-1, papers.Count(), 1000})
        EXPECT_EQ(papers.Get(outside), nullptr) << outside;
    const TWallPaper* first = papers.Get(0);
    papers.Add(MakePaper('2', "d"));
    EXPECT_EQ(papers.Get(0), first); // addresses stay put as the list grows

    papers.Clear();
    EXPECT_EQ(papers.Count(), 0);
    EXPECT_EQ(papers.Get(0), nullptr);
}

TEST(WallLists, DeleteAndRemoveCloseTheGap) {
    TWallPapers papers;
    for (const char* id : {"a", "b", "c", "d"})
        papers.Add(MakePaper('1', id));
    papers.Delete(1);
    papers.Delete(-1);
    papers.Delete(papers.Count());
    TWallPaper stranger;
    papers.Remove(&stranger);
    papers.Remove(papers.Get(2));
    ASSERT_EQ(papers.Count(), 2);
    EXPECT_EQ(papers.Get(0)->Id, "a");
    EXPECT_EQ(papers.Get(1)->Id, "c");

    TWallSubjects subjects;
    subjects.Add(MakeSubject(1, "one", {1}));
    subjects.Add(MakeSubject(2, "two", {1}));
    subjects.Remove(subjects.Find(1));
    ASSERT_EQ(subjects.Count(), 1);
    EXPECT_EQ(subjects.Get(0)->Id, 2);
}

TEST(WallLists, AddingAPictureMakesTheAlbumItsSubject) {
    TWallSubject album;
    auto image = std::make_unique<TWallImage>();
    TWallSubject other;
    image->Subject = &other;
    album.Images.Add(std::move(image));
    EXPECT_EQ(album.Images.Get(0)->Subject, &album);
}

TEST(WallListFind, ReturnsTheFirstMatch) {
    TWallSubjects subjects;
    subjects.Add(MakeSubject(7, "first", {1, 2}));
    subjects.Add(MakeSubject(7, "second", {1, 2, 3}));
    subjects.Add(MakeSubject(8, "third", {5, 5}));

    EXPECT_EQ(subjects.Find(7)->Desc, "first");
    EXPECT_EQ(subjects.Find(9), nullptr);
    EXPECT_EQ(subjects.FindImage(7, 2)->FileName, "first-2.jpg");
    // Only the first album with the id is searched, although the second has picture 3.
    EXPECT_EQ(subjects.FindImage(7, 3), nullptr);
    EXPECT_EQ(subjects.FindImage(9, 1), nullptr);
    EXPECT_EQ(subjects.FindImage(8, 5), subjects.Get(2)->Images.Get(0));
    EXPECT_EQ(subjects.Get(2)->Images.Find(5), subjects.Get(2)->Images.Get(0));

    TWallCategorys categorys;
    for (const char* desc : {"a", "b"}) {
        auto c = std::make_unique<TWallCategory>();
        c->Id = 4;
        c->Desc = desc;
        categorys.Add(std::move(c));
    }
    EXPECT_EQ(categorys.Find(4)->Desc, "a");
    EXPECT_EQ(categorys.Find(5), nullptr);
}

TEST(WallListFind, RotationEntriesMatchTypeAndIdTextExactly) {
    TWallPapers papers;
    papers.Add(MakePaper('1', "012"));
    papers.Add(MakePaper('2', "12"));
    papers.Add(MakePaper('0', "/home/u/Pictures"));
    papers.Add(MakePaper('1', "12"));

    EXPECT_EQ(papers.Find('1', "12"), papers.Get(3));
    EXPECT_EQ(papers.Find('1', "012"), papers.Get(0));
    EXPECT_EQ(papers.Find('2', "12"), papers.Get(1));
    EXPECT_EQ(papers.Find('0', "/home/u/pictures"), nullptr);
    EXPECT_EQ(papers.Find('3', "12"), nullptr);
}

TEST(WallListFind, FilePathsAreCaseSensitive) {
    TWallFiles files;
    for (const char* name : {"/p/A.jpg", "/p/b.jpg", "/p/A.jpg"}) {
        auto f = std::make_unique<TWallFileInfo>();
        f->FileName = name;
        files.Add(std::move(f));
    }
    EXPECT_EQ(files.IndexOf("/p/A.jpg"), 0);
    EXPECT_EQ(files.IndexOf("/p/b.jpg"), 1);
    EXPECT_EQ(files.IndexOf("/p/a.jpg"), -1);
    EXPECT_EQ(files.IndexOf(""), -1);
}

TEST(WallFilesDetach, HandsTheRecordsOverWithoutDestroyingThem) {
    TWallFiles files;
    auto f = std::make_unique<TWallFileInfo>();
    f->FileName = "/p/x.jpg";
    const TWallFileInfo* record = f.get();
    files.Add(std::move(f));

    auto taken = files.Detach();
    EXPECT_EQ(files.Count(), 0);
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].get(), record);

    TWallFiles other;
    other.Add(std::move(taken[0]));
    EXPECT_EQ(other.Get(0), record);
}

TEST(WallListAssign, SubjectsCopyDeeplyAndPointPicturesAtTheirNewAlbum) {
    TWallSubjects source;
    source.Add(MakeSubject(1, "one", {1, 2}));
    source.Add(MakeSubject(2, "empty", {}));
    TWallSubject* full = source.Get(0);
    full->Total = "abc";
    full->Counts = 2;
    full->Date = "2008-01-02";
    full->LocalPath = "one";
    full->FileName = "cover.jpg";
    full->GoURL = "http://x/y";
    full->SizeType = "t";
    full->Author = "me";
    full->CRC = "c";
    full->WebPath = "w/one";
    full->Category = 5;
    full->Remark = "r";
    full->Downloaded = true;
    full->InWallList = true;
    full->Images.Get(1)->Desc = "d";
    full->Images.Get(1)->Remark = "rr";
    full->Images.Get(1)->CRC = "ic";
    full->Images.Get(1)->Downloaded = true;

    TWallSubjects copy;
    copy.Add(MakeSubject(99, "stale", {1}));
    copy.Assign(source);

    ASSERT_EQ(copy.Count(), 2);
    const TWallSubject& c = *copy.Get(0);
    EXPECT_NE(&c, full);
    EXPECT_EQ(std::tie(c.Id, c.Desc, c.Remark, c.Category, c.Total, c.Counts, c.Date, c.LocalPath,
                       c.FileName, c.GoURL, c.SizeType, c.SizeList, c.Author, c.CRC, c.WebPath,
                       c.Download, c.Size, c.Downloaded, c.InWallList),
              std::tie(full->Id, full->Desc, full->Remark, full->Category, full->Total,
                       full->Counts, full->Date, full->LocalPath, full->FileName, full->GoURL,
                       full->SizeType, full->SizeList, full->Author, full->CRC, full->WebPath,
                       full->Download, full->Size, full->Downloaded, full->InWallList));
    ASSERT_EQ(c.Images.Count(), 2);
    for (int i = 0; i < 2; ++i) {
        const TWallImage& ci = *c.Images.Get(i);
        const TWallImage& si = *full->Images.Get(i);
        EXPECT_NE(&ci, &si);
        EXPECT_EQ(ci.Subject, &c);
        EXPECT_EQ(
            std::tie(ci.No, ci.Desc, ci.Remark, ci.FileName, ci.Totals, ci.CRC, ci.Downloaded),
            std::tie(si.No, si.Desc, si.Remark, si.FileName, si.Totals, si.CRC, si.Downloaded));
    }
    EXPECT_EQ(copy.Get(1)->Images.Count(), 0);

    // The copy is independent of its source.
    full->Images.Get(0)->FileName = "changed";
    source.Clear();
    EXPECT_EQ(c.Images.Get(0)->FileName, "one-1.jpg");

    copy.Assign(source);
    EXPECT_EQ(copy.Count(), 0);
    copy.Assign(copy);
    EXPECT_EQ(copy.Count(), 0);
}

TEST(WallListAssign, ReplacesRatherThanAppends) {
    TWallCategorys categorys, otherCategorys;
    categorys.Add(std::make_unique<TWallCategory>(TWallCategory{1, "old", "", false}));
    otherCategorys.Add(std::make_unique<TWallCategory>(TWallCategory{2, "new", "r", true}));
    categorys.Assign(otherCategorys);
    ASSERT_EQ(categorys.Count(), 1);
    EXPECT_EQ(categorys.Get(0)->Desc, "new");
    EXPECT_TRUE(categorys.Get(0)->Preset);
    EXPECT_NE(categorys.Get(0), otherCategorys.Get(0));

    TWallPapers papers, otherPapers;
    papers.Add(MakePaper('1', "1"));
    otherPapers.Add(MakePaper('0', "/f"));
    otherPapers.Get(0)->HasSub = 'Y';
    otherPapers.Add(MakePaper('2', "7"));
    papers.Assign(otherPapers);
    ASSERT_EQ(papers.Count(), 2);
    EXPECT_EQ(papers.Get(0)->HasSub, 'Y');
    EXPECT_EQ(papers.Get(1)->Id, "7");

    TWallAds ads, otherAds;
    ads.Add(std::make_unique<TWallAd>(TWallAd{"old", "u"}));
    otherAds.Interval = 30;
    ads.Assign(otherAds);
    EXPECT_EQ(ads.Count(), 0);
    EXPECT_EQ(ads.Interval, 30);
}

TEST(WallListAssign, WorkingCatalogCopiesEveryMember) {
    TMainSetupFiles source;
    source.Categorys.Add(std::make_unique<TWallCategory>(TWallCategory{3, "c", "", true}));
    source.Subjects.Add(MakeSubject(1, "latest", {1}));
    source.DSubjects.Add(MakeSubject(2, "mine", {1, 2}));
    source.WallPapers.Add(MakePaper('2', "2"));
    source.WallUser.B = "b";
    source.WallUser.A = true;
    source.WallParas.Second = 15;
    source.WallParas.MusicType = '2';
    source.WallParas.DownloadPath = "/d";
    source.WallAds.Interval = 9;
    source.WallAds.Add(std::make_unique<TWallAd>(TWallAd{"t", "u"}));

    TMainSetupFiles copy;
    copy.Subjects.Add(MakeSubject(5, "stale", {}));
    copy.Assign(source);

    EXPECT_EQ(copy.Categorys.Find(3)->Desc, "c");
    ASSERT_EQ(copy.Subjects.Count(), 1);
    EXPECT_EQ(copy.Subjects.Get(0)->Desc, "latest");
    EXPECT_EQ(copy.DSubjects.FindImage(2, 2)->Subject, copy.DSubjects.Get(0));
    EXPECT_EQ(copy.WallPapers.Find('2', "2")->Type, '2');
    EXPECT_EQ(copy.WallUser.B, "b");
    EXPECT_TRUE(copy.WallUser.A);
    EXPECT_EQ(copy.WallParas.Second, 15);
    EXPECT_EQ(copy.WallParas.MusicType, '2');
    EXPECT_EQ(copy.WallParas.DownloadPath, "/d");
    EXPECT_EQ(copy.WallAds.Interval, 9);
    EXPECT_EQ(copy.WallAds.Get(0)->URL, "u");
}

} // namespace
} // namespace paperkit

namespace paperkit {
namespace {

TEST(WallPapersRebuild, KeepsTheSameRecordsInTheGivenOrderAndDropsTheRest) {
    TWallPapers papers;
    std::vector<TWallPaper*> made;
    for (const char* id : {"1", "2", "3", "4"}) {
        auto paper = std::make_unique<TWallPaper>();
        paper->Type = '1';
        paper->Id = id;
        made.push_back(paper.get());
        papers.Add(std::move(paper));
    }
    const TWallPaper stranger;
    papers.Rebuild({made[2], made[0], made[2], &stranger, made[3]});
    ASSERT_EQ(papers.Count(), 3);
    EXPECT_EQ(papers.Get(0), made[2]);
    EXPECT_EQ(papers.Get(1), made[0]);
    EXPECT_EQ(papers.Get(2), made[3]);
    papers.Rebuild({});
    EXPECT_EQ(papers.Count(), 0);
}

} // namespace
} // namespace paperkit
