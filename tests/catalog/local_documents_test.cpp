#include "catalog/album_item.h"
#include "catalog/download_files.h"
#include "document_fixture.h"
#include "support/globals.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace paperkit {
namespace {

TWallSubject& AddAlbum(TWallSubjects& list, int id, const std::string& desc, int pictures) {
    auto album = std::make_unique<TWallSubject>();
    album->Id = id;
    album->Desc = desc;
    album->Category = 1;
    album->SizeList = "1024x768,1280x1024";
    for (int no = 1; no <= pictures; ++no) {
        auto image = std::make_unique<TWallImage>();
        image->No = no;
        image->FileName = std::to_string(no) + ".jpg";
        image->Totals.Set(5, "digest" + std::to_string(no));
        album->Images.Add(std::move(image));
    }
    TWallSubject& added = *album;
    list.Add(std::move(album));
    return added;
}

TWallPaper& AddPaper(TWallPapers& list, char type, const std::string& id,
                     const std::string& name = {}, char hasSub = '\0') {
    auto paper = std::make_unique<TWallPaper>();
    paper->Type = type;
    paper->Id = id;
    paper->Name = name;
    paper->HasSub = hasSub;
    TWallPaper& added = *paper;
    list.Add(std::move(paper));
    return added;
}

class LocalDocuments : public ::testing::Test {
protected:
    void SetUp() override {
        Closing = false;
        for (int id : {1, 2}) {
            auto category = std::make_unique<TWallCategory>();
            category->Id = id;
            m_files.Categorys().Add(std::move(category));
        }
        AddAlbum(m_files.Subjects(), 11, "山水", 3);
        AddAlbum(m_files.Subjects(), 12, "花", 2);
        AddAlbum(m_files.DSubjects(), 21, "下载", 2);
    }

    std::filesystem::path Pack(std::string_view xml) {
        return test::PackXml(m_dir, "setupfile.xmz", xml);
    }

    test::TempDir m_dir;
    TDownLoadFiles m_files{ScreenGeometry{1280, 1024, 1366, 768}};
};

TEST_F(LocalDocuments, SetupRoundTripRestoresEveryChoice) {
    m_files.Categorys().Get(1)->Preset = true;
    TWallSubject& a = *m_files.Subjects().Get(0);
    a.Download = true;
    a.Size = 8;
    a.InWallList = true;
    a.Downloaded = true;
    a.Images.Get(0)->Downloaded = true;
    a.Images.Get(2)->Downloaded = true;
    m_files.Subjects().Get(1)->Size = -1;
    TWallSubject& d = *m_files.DSubjects().Get(0);
    d.Download = true;
    d.Size = 0;
    d.Images.Get(1)->Downloaded = true;
    AddPaper(m_files.WallPapers(), '1', "11", "ignored for albums", 'Y');
    AddPaper(m_files.WallPapers(), '0', "/home/u/图片", "我的图片", 'Y');
    AddPaper(m_files.WallPapers(), '2', "21");
    m_files.WallUser() = TWallUser{"secret", "dval", true, true};
    TWallParas& p = m_files.WallParas();
    p = TWallParas{false, 1,   2,           3,     "0",   "2", "/data/下载",
                   false, '2', "/m/歌.mp3", false, false, 7,   "1.2.3.4"};
    ASSERT_TRUE(m_files.WriteSetupFile(m_dir / "setupfile.xmz"));

    // Reading puts everything back onto freshly listed albums.
    TDownLoadFiles back{ScreenGeometry{1280, 1024, 1366, 768}};
    back.Categorys().Assign(m_files.Categorys());
    back.Categorys().Get(1)->Preset = false;
    AddAlbum(back.Subjects(), 11, "山水", 3);
    AddAlbum(back.Subjects(), 12, "花", 2);
    AddAlbum(back.DSubjects(), 21, "下载", 2);
    ASSERT_TRUE(back.ReadSetupFile(m_dir / "setupfile.xmz"));

    EXPECT_FALSE(back.Categorys().Get(0)->Preset);
    EXPECT_TRUE(back.Categorys().Get(1)->Preset);
    const auto sameChoices = [](const TWallSubjects& x, const TWallSubjects& y) {
        ASSERT_EQ(x.Count(), y.Count());
        for (int i = 0; i < x.Count(); ++i) {
            const TWallSubject& s = *x.Get(i);
            const TWallSubject& t = *y.Get(i);
            EXPECT_EQ(s.Download, t.Download) << s.Id;
            EXPECT_EQ(s.Size, t.Size) << s.Id;
            EXPECT_EQ(s.InWallList, t.InWallList) << s.Id;
            EXPECT_EQ(s.Downloaded, t.Downloaded) << s.Id;
            for (int j = 0; j < s.Images.Count(); ++j)
                EXPECT_EQ(s.Images.Get(j)->Downloaded, t.Images.Get(j)->Downloaded) << s.Id;
        }
    };
    // The rotation list marks its albums as in the list, whatever the album's own flag said.
    m_files.DSubjects().Get(0)->InWallList = true;
    sameChoices(m_files.Subjects(), back.Subjects());
    sameChoices(m_files.DSubjects(), back.DSubjects());
    EXPECT_EQ(back.Subjects().Get(1)->Size, -1);

    ASSERT_EQ(back.WallPapers().Count(), 3);
    const TWallPaper& album = *back.WallPapers().Get(0);
    EXPECT_EQ(album.Type, '1');
    EXPECT_EQ(album.Name, "山水");
    EXPECT_EQ(album.HasSub, '\0');
    const TWallPaper& folder = *back.WallPapers().Get(1);
    EXPECT_EQ(folder.Id, "/home/u/图片");
    EXPECT_EQ(folder.Name, "我的图片");
    EXPECT_EQ(folder.HasSub, 'Y');
    EXPECT_EQ(back.WallPapers().Get(2)->Name, "下载");

    EXPECT_TRUE(back.WallUser().A);
    EXPECT_EQ(back.WallUser().B, "secret");
    EXPECT_TRUE(back.WallUser().C);
    EXPECT_EQ(back.WallUser().D, "dval");
    const TWallParas& q = back.WallParas();
    EXPECT_EQ(q.Change, p.Change);
    EXPECT_EQ(q.Hour, 1);
    EXPECT_EQ(q.Minute, 2);
    EXPECT_EQ(q.Second, 3);
    EXPECT_EQ(q.WallTypes, "2");
    EXPECT_EQ(q.DownloadPath, "/data/下载");
    EXPECT_FALSE(q.PlayMusic);
    EXPECT_EQ(q.MusicType, '2');
    EXPECT_EQ(q.MusicFile, "/m/歌.mp3");
    EXPECT_FALSE(q.SpecialStyle);
    EXPECT_FALSE(q.PlayRecycle);
    EXPECT_EQ(q.Interval, 7);
    EXPECT_EQ(q.ServerIP, "1.2.3.4");
}

TEST_F(LocalDocuments, UserValuesAreStoredOnlyWhileTheirFlagIsSet) {
    m_files.WallUser() = TWallUser{"b", "d", false, false};
    ASSERT_TRUE(m_files.WriteSetupFile(m_dir / "setupfile.xmz"));
    const std::string xml = test::UnpackXml(m_dir / "setupfile.xmz");
    EXPECT_NE(xml.find(R"(<WallUser A="N" B="F7D531" C="N" D=""/>)"), std::string::npos) << xml;
    m_files.WallUser() = TWallUser{"", "", false, true};
    ASSERT_TRUE(m_files.WriteSetupFile(m_dir / "setupfile.xmz"));
    m_files.WallUser().B = "stale";
    ASSERT_TRUE(m_files.ReadSetupFile(m_dir / "setupfile.xmz"));
    EXPECT_TRUE(m_files.WallUser().A);
    EXPECT_EQ(m_files.WallUser().B, "");
}

TEST_F(LocalDocuments, MissingSetupLeavesDefaults) {
    m_files.Categorys().Get(0)->Preset = true;
    m_files.Subjects().Get(0)->Download = true;
    m_files.Subjects().Get(0)->InWallList = true;
    m_files.DSubjects().Get(0)->InWallList = true;
    AddPaper(m_files.WallPapers(), '0', "/x", "x", 'N');
    m_files.WallParas().DownloadPath = "/kept";
    EXPECT_FALSE(m_files.ReadSetupFile(m_dir / "setupfile.xmz"));
    EXPECT_FALSE(m_files.Categorys().Get(0)->Preset);
    EXPECT_FALSE(m_files.Subjects().Get(0)->Download);
    EXPECT_FALSE(m_files.Subjects().Get(0)->InWallList);
    EXPECT_TRUE(m_files.DSubjects().Get(0)->InWallList);
    EXPECT_EQ(m_files.WallPapers().Count(), 0);
    const TWallParas& p = m_files.WallParas();
    EXPECT_TRUE(p.Change && p.PlayMusic && p.SpecialStyle && p.PlayRecycle);
    EXPECT_EQ(p.Second, 15);
    EXPECT_EQ(p.Option, "0");
    EXPECT_EQ(p.WallTypes, "2"); // a 1366x768 desktop
    EXPECT_EQ(p.MusicType, '1');
    EXPECT_EQ(p.Interval, 3);
    EXPECT_EQ(p.DownloadPath, "/kept");
}

TEST_F(LocalDocuments, ParasFollowTheirReadingRules) {
    struct Case {
        const char* paras;
        bool change;
        bool playMusic;
        int interval;
        char musicType;
        bool specialStyle;
    };
    const Case cases[] = {
        {"", false, true, 3, '1', true}, // no WallParas section at all
        {R"(<WallParas Change="y" PlayMusic="n" Interval="2" MusicType="2" SpecialStyle="N"/>)",
         false, true, 2, '2', false},
        {R"(<WallParas Change="Y" PlayMusic="N" Interval="1" MusicType="2" SpecialStyle="N"/>)",
         true, false, 3, '1', true},
        {R"(<WallParas Interval="-5" MusicType="2" SpecialStyle="N"/>)", false, true, 3, '1', true},
        {R"(<WallParas Interval="9x" MusicType="2" SpecialStyle="N"/>)", false, true, 3, '2',
         false},
        {R"(<WallParas MusicType=""/>)", false, true, 3, '1', true},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(m_files.ReadSetupFile(Pack(std::string("<Root>") + c.paras + "</Root>")));
        const TWallParas& p = m_files.WallParas();
        EXPECT_EQ(p.Change, c.change) << c.paras;
        EXPECT_EQ(p.PlayMusic, c.playMusic) << c.paras;
        EXPECT_EQ(p.Interval, c.interval) << c.paras;
        EXPECT_EQ(p.MusicType, c.musicType) << c.paras;
        EXPECT_EQ(p.SpecialStyle, c.specialStyle) << c.paras;
        EXPECT_EQ(p.PlayRecycle, true) << c.paras;
    }
    // Absent attributes read as absent, also for the texts that had defaults.
    EXPECT_EQ(m_files.WallParas().Second, 0);
    EXPECT_EQ(m_files.WallParas().WallTypes, "");
}

TEST_F(LocalDocuments, RotationListKeepsEntriesUntilOneIsBroken) {
    const auto path = Pack(R"(<Root><WallPaper>
        <P Type="1" Id="99"/>
        <P Type="1" Id="12"/>
        <P Type="2" Id="21"/>
        <P Type="0" Id="/pics" Name="Pics" HasSub="N"/>
        <P Type="7" Id="?" Name="x"/>
        <P Type="1" Id="0x12"/>
        <P Type="0" Id="/never" HasSub="Y"/>
      </WallPaper><WallParas Interval="5"/></Root>)");
    ASSERT_TRUE(m_files.ReadSetupFile(path));
    const TWallPapers& papers = m_files.WallPapers();
    ASSERT_EQ(papers.Count(), 5);
    // An album that is gone keeps its entry, unnamed, and marks nothing.
    EXPECT_EQ(papers.Get(0)->Id, "99");
    EXPECT_EQ(papers.Get(0)->Name, "");
    EXPECT_EQ(papers.Get(1)->Name, "花");
    EXPECT_TRUE(m_files.Subjects().Get(1)->InWallList);
    EXPECT_FALSE(m_files.Subjects().Get(0)->InWallList);
    EXPECT_TRUE(m_files.DSubjects().Get(0)->InWallList);
    EXPECT_EQ(papers.Get(3)->HasSub, 'N');
    EXPECT_EQ(papers.Get(4)->Type, '7');
    EXPECT_EQ(papers.Get(4)->HasSub, ' ');
    EXPECT_EQ(papers.Get(4)->Name, "");
    // The broken entry ends the rotation list only; later sections are still read.
    EXPECT_EQ(m_files.WallParas().Interval, 5);

    for (const char* broken : {R"(<P Id="/x" Name="x" HasSub="Y"/>)", R"(<P Type="0" Id="/x"/>)"}) {
        ASSERT_TRUE(
            m_files.ReadSetupFile(Pack(std::string("<Root><WallPaper><P Type=\"1\" Id=\"11\"/>") +
                                       broken + "<P Type=\"1\" Id=\"12\"/></WallPaper></Root>")));
        EXPECT_EQ(m_files.WallPapers().Count(), 1) << broken;
    }
}

TEST_F(LocalDocuments, WrittenRotationListsReadBackWhole) {
    TWallPapers& papers = m_files.WallPapers();
    AddPaper(papers, '1', "11");
    AddPaper(papers, '0', "/pics", "Pics");        // made without a sub-folder choice
    AddPaper(papers, '\0', "/nowhere", "Nothing"); // no type at all
    AddPaper(papers, '1', "twelve");               // an album key that names no album
    AddPaper(papers, '0', "/more", "More", 'Y');
    AddPaper(papers, '2', "21");
    const auto path = m_dir / "setupfile.xmz";
    ASSERT_TRUE(m_files.WriteSetupFile(path));

    TDownLoadFiles reread{ScreenGeometry{1280, 1024, 1366, 768}};
    reread.Subjects().Assign(m_files.Subjects());
    reread.DSubjects().Assign(m_files.DSubjects());
    ASSERT_TRUE(reread.ReadSetupFile(path));
    std::vector<std::string> keys;
    for (const TWallPaper& paper : reread.WallPapers())
        keys.push_back(std::string(1, paper.Type) + ":" + paper.Id +
                       (paper.Type == '0' ? std::string(":") + paper.HasSub : std::string()));
    EXPECT_EQ(keys, (std::vector<std::string>{"1:11", "0:/pics:N", "0:/more:Y", "2:21"}));
}

TEST_F(LocalDocuments, FolderNamesAndPathsWithMarkupCharactersRoundTrip) {
    // A local folder's name and path are the user's own text: markup characters and line breaks
    // must come back as they were, and nothing after them may be lost.
    const std::string path = "/home/u/a\n\"b\" 'c' <d> & e\r\tf &amp; ]]>";
    const std::string name = "第一行\n\"引号\" <标签> & 其他 &#10;";
    AddPaper(m_files.WallPapers(), '0', path, name, 'N');
    AddPaper(m_files.WallPapers(), '0', "/after", "after", 'Y');
    AddPaper(m_files.WallPapers(), '2', "21");
    m_files.WallParas().Interval = 9;
    const auto file = m_dir / "setupfile.xmz";
    ASSERT_TRUE(m_files.WriteSetupFile(file));

    TDownLoadFiles back{ScreenGeometry{1280, 1024, 1366, 768}};
    back.DSubjects().Assign(m_files.DSubjects());
    ASSERT_TRUE(back.ReadSetupFile(file));
    ASSERT_EQ(back.WallPapers().Count(), 3);
    const TWallPaper& folder = *back.WallPapers().Get(0);
    EXPECT_EQ(folder.Type, '0');
    EXPECT_EQ(folder.Id, path);
    EXPECT_EQ(folder.Name, name);
    EXPECT_EQ(folder.HasSub, 'N');
    EXPECT_EQ(back.WallPapers().Get(1)->Id, "/after");
    EXPECT_EQ(back.WallPapers().Get(1)->HasSub, 'Y');
    EXPECT_EQ(back.WallPapers().Get(2)->Id, "21");
    EXPECT_EQ(back.WallParas().Interval, 9);
}

TEST_F(LocalDocuments, ChoicesOfGoneAlbumsAndMovedPicturesAreDropped) {
    const auto path = Pack(R"(<Root><Subject>
        <T Id="99" N="Y" Size="3" S="Y" D="Y"/>
        <T Id="11" N="Y" S="y" D="Y"><I No="1" D="Y"/><I No="5" D="Y"/><I No="3" D="y"/><I/></T>
        <T Id="12" N="Y" Size="44"><I No="1" D="Y"/></T>
      </Subject></Root>)");
    m_files.Subjects().Get(1)->Size = 4;
    ASSERT_TRUE(m_files.ReadSetupFile(path));
    const TWallSubject& a = *m_files.Subjects().Get(0);
    EXPECT_TRUE(a.Download);
    EXPECT_EQ(a.Size, 0); // absent reads as 0, not -1
    EXPECT_FALSE(a.InWallList);
    EXPECT_TRUE(a.Downloaded);
    EXPECT_TRUE(a.Images.Get(0)->Downloaded);
    EXPECT_FALSE(a.Images.Get(1)->Downloaded);
    EXPECT_FALSE(a.Images.Get(2)->Downloaded);
    // A size outside the table is not taken.
    EXPECT_EQ(m_files.Subjects().Get(1)->Size, 4);
    EXPECT_TRUE(m_files.Subjects().Get(1)->Images.Get(0)->Downloaded);
}

TEST_F(LocalDocuments, ClosingStopsTheListSections) {
    const auto path = Pack(R"(<Root><Category><C Id="1" N="Y"/></Category>
        <Subject><T Id="11" N="Y"/></Subject><WallPaper><P Type="1" Id="11"/></WallPaper>
        <WallParas Interval="5"/></Root>)");
    Closing = true;
    EXPECT_TRUE(m_files.ReadSetupFile(path));
    Closing = false;
    EXPECT_FALSE(m_files.Categorys().Get(0)->Preset);
    EXPECT_FALSE(m_files.Subjects().Get(0)->Download);
    EXPECT_EQ(m_files.WallPapers().Count(), 0);
    EXPECT_EQ(m_files.WallParas().Interval, 5);
}

TEST_F(LocalDocuments, DownloadFileRoundTripKeepsAlbumsAndRemarks) {
    TWallSubject& d = *m_files.DSubjects().Get(0);
    d.Remark = "备注";
    d.Author = "作者";
    d.Counts = 2;
    d.Images.Get(0)->Remark = "图片备注";
    d.Images.Get(0)->Totals.Set(0, "zero");
    AddAlbum(m_files.DSubjects(), 22, "two", 0).Category = -3;
    ASSERT_TRUE(m_files.WriteDownloadFile(m_dir / "downloadfile.xmz"));
    const std::string xml = test::UnpackXml(m_dir / "downloadfile.xmz");
    EXPECT_EQ(xml.rfind("<Root><Subject><D Id=\"21\" Desc=\"下载\" Remark=\"备注\" Author=\"作者\" "
                        "Date=\"\" Counts=\"2\" Category=\"1\" SizeType=\"\" ",
                        0),
              0u)
        << xml;
    EXPECT_NE(xml.find(R"(<I No="1" Desc="" Remark="图片备注" FileName="1.jpg" CRC="" )"
                       R"(Total0="zero" Total5="digest1"/>)"),
              std::string::npos)
        << xml;

    TDownLoadFiles back{ScreenGeometry{1280, 1024, 1280, 1024}};
    AddAlbum(back.DSubjects(), 5, "cleared first", 0);
    ASSERT_TRUE(back.ReadDownloadFile(m_dir / "downloadfile.xmz"));
    ASSERT_EQ(back.DSubjects().Count(), 2);
    const TWallSubject& r = *back.DSubjects().Get(0);
    EXPECT_EQ(r.Id, 21);
    EXPECT_EQ(r.Remark, "备注");
    EXPECT_TRUE(r.Download);
    EXPECT_EQ(r.Size, 5);
    EXPECT_FALSE(r.InWallList || r.Downloaded);
    ASSERT_EQ(r.Images.Count(), 2);
    EXPECT_EQ(r.Images.Get(0)->Remark, "图片备注");
    EXPECT_EQ(r.Images.Get(0)->Totals[0], "zero");
    EXPECT_EQ(r.Images.Get(1)->Totals[5], "digest2");
    EXPECT_EQ(back.DSubjects().Get(1)->Category, -3);

    EXPECT_FALSE(back.ReadDownloadFile(m_dir / "missing.xmz"));
    EXPECT_EQ(back.DSubjects().Count(), 0);
}

TEST_F(LocalDocuments, WritersReportAFailedSave) {
    test::WriteFile(m_dir / "file", "x");
    EXPECT_FALSE(m_files.WriteSetupFile(m_dir / "file" / "setupfile.xmz"));
    EXPECT_FALSE(m_files.WriteDownloadFile(m_dir / "file" / "downloadfile.xmz"));
}

} // namespace
} // namespace paperkit
