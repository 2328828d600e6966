#include "catalog/download_files.h"
#include "document_fixture.h"
#include "support/gbk.h"
#include "support/globals.h"
#include "support/scramble.h"

#include <gtest/gtest.h>

namespace paperkit {
namespace {

class ServerDocuments : public ::testing::Test {
protected:
    std::filesystem::path Pack(const std::string& name, std::string_view xml) {
        return test::PackXml(m_dir, name, xml);
    }

    test::TempDir m_dir;
    TDownLoadFiles m_files{ScreenGeometry{1280, 1024, 1280, 1024}};
};

const char* const kTotals =
    R"(<Root><Total Category="c1" File="f1" LastVer="v1"/>)"
    R"(<Server><S IP="10.0.0.1" Timeout="30"/><X IP="10.0.0.2" Timeout="bad"/></Server></Root>)";

TEST_F(ServerDocuments, FileTotalIsAcceptedOnlyWhenItsTextChanged) {
    const auto path = Pack("filetotal.xmz", kTotals);
    ASSERT_TRUE(m_files.ReadFileTotal(path));
    EXPECT_EQ(m_files.CategoryTotal, "c1");
    EXPECT_EQ(m_files.FileTotal, "f1");
    EXPECT_EQ(m_files.LastVer, "v1");
    ASSERT_EQ(m_files.Servers.Count(), 2);
    EXPECT_EQ(m_files.Servers.Get(0)->Address, "10.0.0.1");
    EXPECT_EQ(m_files.Servers.Get(0)->Timeout, 30);
    EXPECT_EQ(m_files.Servers.Get(1)->Timeout, 0);
    const std::string accepted = m_files.FileTotalXml;
    EXPECT_NE(accepted.find("f1"), std::string::npos);

    // The same text again is not accepted; the new totals become "!" and the text stays.
    EXPECT_FALSE(m_files.ReadFileTotal(path));
    EXPECT_EQ(m_files.CategoryTotal, "!");
    EXPECT_EQ(m_files.FileTotal, "!");
    EXPECT_EQ(m_files.LastVer, "!");
    EXPECT_EQ(m_files.FileTotalXml, accepted);
    EXPECT_EQ(m_files.Servers.Count(), 2);

    // Once the coordinator forgets the text, the same document is accepted again.
    m_files.FileTotalXml.clear();
    EXPECT_TRUE(m_files.ReadFileTotal(path));
    EXPECT_EQ(m_files.FileTotal, "f1");

    EXPECT_FALSE(m_files.ReadFileTotal(m_dir / "missing.xmz"));
    EXPECT_EQ(m_files.FileTotal, "!");
    EXPECT_EQ(m_files.FileTotalXml, accepted);
}

TEST_F(ServerDocuments, OldTotalsAreQuestionMarksWithoutTheFile) {
    EXPECT_FALSE(m_files.ReadFileTotalOld(m_dir / "filetotalold.xmz"));
    EXPECT_EQ(m_files.OldCategoryTotal, "?");
    EXPECT_EQ(m_files.OldFileTotal, "?");
    EXPECT_EQ(m_files.OldLastVer, "?");
    EXPECT_FALSE(m_files.WriteFileTotalOld(m_dir / "filetotalold.xmz"));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "filetotalold.xmz"));

    // The accepted document is written back whole and read as the old totals.
    ASSERT_TRUE(m_files.ReadFileTotal(Pack("filetotal.xmz", kTotals)));
    m_files.Servers.Clear();
    ASSERT_TRUE(m_files.WriteFileTotalOld(m_dir / "filetotalold.xmz"));
    EXPECT_EQ(test::UnpackXml(m_dir / "filetotalold.xmz"), m_files.FileTotalXml);
    ASSERT_TRUE(m_files.ReadFileTotalOld(m_dir / "filetotalold.xmz"));
    EXPECT_EQ(m_files.OldCategoryTotal, "c1");
    EXPECT_EQ(m_files.OldFileTotal, "f1");
    EXPECT_EQ(m_files.OldLastVer, "v1");
    EXPECT_EQ(m_files.Servers.Count(), 2);
}

TEST_F(ServerDocuments, GbkTotalsWrittenBackAsUtf8) {
    const std::string gbk = Utf8ToGbk(
        R"(<?xml version="1.0" encoding="gb2312"?><Root><Total Category="类别1" File="f"/></Root>)");
    ASSERT_TRUE(m_files.ReadFileTotal(Pack("filetotal.xmz", gbk)));
    EXPECT_EQ(m_files.CategoryTotal, "类别1");
    EXPECT_EQ(m_files.LastVer, "");
    ASSERT_TRUE(m_files.WriteFileTotalOld(m_dir / "filetotalold.xmz"));
    ASSERT_TRUE(m_files.ReadFileTotalOld(m_dir / "filetotalold.xmz"));
    EXPECT_EQ(m_files.OldCategoryTotal, "类别1");
}

TEST_F(ServerDocuments, CategoriesReplaceTheListOnlyWhenTheDocumentOpens) {
    const auto path = Pack("category.xmz", R"(<Root><Category>
        <C Id="1" Desc="风景" Remark="r"/>text between<Other Id="x" Desc="two"/>
        </Category><Category><C Id="9"/></Category></Root>)");
    m_files.Categorys().Add(std::make_unique<TWallCategory>());
    ASSERT_TRUE(m_files.ReadCategory(path));
    ASSERT_EQ(m_files.Categorys().Count(), 2);
    EXPECT_EQ(m_files.Categorys().Get(0)->Desc, "风景");
    EXPECT_EQ(m_files.Categorys().Get(0)->Remark, "r");
    EXPECT_EQ(m_files.Categorys().Get(1)->Id, 0);
    EXPECT_EQ(m_files.Categorys().Get(1)->Desc, "two");

    EXPECT_FALSE(m_files.ReadCategory(Pack("broken.xmz", "<Root><Category>")));
    EXPECT_EQ(m_files.Categorys().Count(), 2);
}

const char* const kFile = R"(<Root>
  <Ad Interval="30"><A Text="看看" URL="http://a/"/><B Text="two"/></Ad>
  <Subject>
    <S Id="11" Desc="山水" Remark="r" Category="3" Total="t" GoURL="g" Counts="2" Date="2008-01-01"
       SizeType="st" SizeList="1024x768,1280x1024" Author="au" LocalPath="lp" FileName="c.jpg"
       CRC="crc" WebPath="wp">
      <I No="1" Desc="d1" FileName="1.jpg" CRC="c1" Remark="ignored" Total0="a0" Total5="a5"
         Total16="a16" Total17="no" Total05="no"/>
      <J No="2" FileName="2.jpg"/>
    </S>
    <S Id="12" Category="-4" SizeList="800x600"/>
    <S Id="13" SizeList="1024x768"><I No="1"/></S>
    <S Id="14" Category="1"/>
  </Subject>
</Root>)";

TEST_F(ServerDocuments, FileReadsAlbumsUntilOneLacksItsCategory) {
    ASSERT_TRUE(m_files.ReadFile(Pack("file.xmz", kFile)));
    EXPECT_EQ(m_files.WallAds().Interval, 30);
    ASSERT_EQ(m_files.WallAds().Count(), 2);
    EXPECT_EQ(m_files.WallAds().Get(0)->Text, "看看");
    EXPECT_EQ(m_files.WallAds().Get(1)->URL, "");

    TWallSubjects& subjects = m_files.Subjects();
    ASSERT_EQ(subjects.Count(), 2);
    const TWallSubject& a = *subjects.Get(0);
    EXPECT_EQ(a.Id, 11);
    EXPECT_EQ(a.Desc, "山水");
    EXPECT_EQ(a.Category, 3);
    EXPECT_EQ(a.Counts, 2);
    EXPECT_EQ(a.Date, "2008-01-01");
    EXPECT_EQ(a.WebPath, "wp");
    EXPECT_EQ(a.Size, 5); // the screen's own size is listed
    EXPECT_FALSE(a.Download || a.Downloaded || a.InWallList);
    ASSERT_EQ(a.Images.Count(), 2);
    const TWallImage& first = *a.Images.Get(0);
    EXPECT_EQ(first.Subject, &a);
    EXPECT_EQ(first.No, 1);
    EXPECT_EQ(first.Desc, "d1");
    EXPECT_EQ(first.CRC, "c1");
    EXPECT_EQ(first.Remark, "");
    EXPECT_EQ(first.Totals[0], "a0");
    EXPECT_EQ(first.Totals[5], "a5");
    EXPECT_EQ(first.Totals[16], "a16");
    EXPECT_EQ(first.Totals[7], "");
    EXPECT_EQ(a.Images.Get(1)->FileName, "2.jpg");
    EXPECT_EQ(subjects.Get(1)->Category, -4);
    EXPECT_EQ(subjects.Get(1)->Size, -1);
    EXPECT_EQ(subjects.Get(1)->Images.Count(), 0);
}

TEST_F(ServerDocuments, FileWithoutAdsOrMissingKeepsItsRules) {
    ASSERT_TRUE(m_files.ReadFile(Pack("file.xmz", kFile)));
    ASSERT_TRUE(m_files.ReadFile(Pack("noads.xmz", R"(<Root><Subject/></Root>)")));
    EXPECT_EQ(m_files.WallAds().Count(), 0);
    EXPECT_EQ(m_files.WallAds().Interval, 0);
    EXPECT_EQ(m_files.Subjects().Count(), 0);

    ASSERT_TRUE(m_files.ReadFile(Pack("file.xmz", kFile)));
    for (const auto& bad : {m_dir / "missing.xmz", Pack("bad.xmz", "<Root>")}) {
        EXPECT_FALSE(m_files.ReadFile(bad));
        EXPECT_EQ(m_files.WallAds().Interval, 10000);
        EXPECT_EQ(m_files.WallAds().Count(), 2);
        EXPECT_EQ(m_files.Subjects().Count(), 2);
    }
}

TEST_F(ServerDocuments, LastVerBuildsAddressesAndPlainNames) {
    const std::string id = ScrambleEncode("update.exe");
    const auto path = Pack("lastver.xmz", "<Root><File LastVer=\"1.0.0.1031\"><F Id=\"" + id +
                                              "\" Total=\"t\" Totalxyz=\"x\"/><G Id=\"" +
                                              ScrambleEncode("说明.txt") + "\"/></File></Root>");
    CatalogBase = "http://server/wallfiles";
    ASSERT_TRUE(m_files.ReadLastVer(path));
    EXPECT_EQ(m_files.LastVers.LastVer, "1.0.0.1031");
    ASSERT_EQ(m_files.LastVers.Count(), 2);
    const TWallLastVer& update = *m_files.LastVers.Get(0);
    EXPECT_EQ(update.FileName, "update.exe");
    EXPECT_EQ(update.URL, "http://server/wallfiles/lastver/" + id + ".xyz");
    EXPECT_EQ(update.Total, "t");
    EXPECT_EQ(update.Totalxyz, "x");
    EXPECT_FALSE(update.Downloaded);
    EXPECT_EQ(m_files.LastVers.Get(1)->FileName, "说明.txt");

    ASSERT_TRUE(m_files.ReadLastVer(path, "http://other/files",
                                    [](const std::string& url) { return url + "#encoded"; }));
    EXPECT_EQ(m_files.LastVers.Get(0)->URL, "http://other/files/lastver/" + id + ".xyz#encoded");

    EXPECT_FALSE(m_files.ReadLastVer(m_dir / "missing.xmz"));
    EXPECT_EQ(m_files.LastVers.Count(), 2);
    EXPECT_FALSE(
        m_files.ReadLastVer(Pack("nolast.xmz", "<Root><File><F Id=\"66\"/></File></Root>")));
    EXPECT_EQ(m_files.LastVers.Count(), 0);
    EXPECT_EQ(m_files.LastVers.LastVer, "");
}

} // namespace
} // namespace paperkit
