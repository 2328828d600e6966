// Damaged and hostile documents: every reader must end with a clear result, never crash, and
// leave the lists consistent.
#include "catalog/download_files.h"
#include "document_fixture.h"

#include <gtest/gtest.h>
#include <random>

namespace paperkit {
namespace {

const char* const kSeed = R"(<Root><Total Category="1" File="2" LastVer="3"/>
<Server><S IP="a" Timeout="1"/></Server>
<Ad Interval="5"><A Text="t" URL="u"/></Ad>
<Category><C Id="1" N="Y" Desc="d"/></Category>
<Subject><S Id="11" Category="1" SizeList="1024x768,1280x1024" N="Y" Size="5" S="Y" D="Y">
<I No="1" D="Y" Total5="x" FileName="1.jpg"/><I No="2" D="N"/></S>
<T Id="12" Category="2" Size="16"><I No="1" D="Y"/></T></Subject>
<DSubject><T Id="11" N="Y" Size="-1"/></DSubject>
<WallPaper><P Type="1" Id="11"/><P Type="0" Id="/p" Name="n" HasSub="Y"/></WallPaper>
<WallUser A="Y" B="664626" C="Y" D="d"/>
<WallParas Change="Y" Interval="1" MusicType="2"/>
<File LastVer="1"><F Id="664626" Total="t"/></File></Root>)";

void ExpectConsistent(TDownLoadFiles& files) {
    for (TWallSubjects* list : {&files.Subjects(), &files.DSubjects()}) {
        for (const TWallSubject& album : *list) {
            EXPECT_GE(album.Size, -1);
            EXPECT_LT(album.Size, 17);
            for (const TWallImage& image : album.Images)
                EXPECT_EQ(image.Subject, &album);
        }
    }
}

void ReadWithEveryReader(TDownLoadFiles& files, const std::filesystem::path& path) {
    files.ReadFileTotalOld(path);
    files.ReadFileTotal(path);
    files.ReadCategory(path);
    files.ReadFile(path);
    files.ReadLastVer(path, "http://s");
    files.ReadDownloadFile(path);
    files.ReadSetupFile(path);
    std::vector<std::string> guides{path.string()};
    files.MatchGuideFiles(guides);
    guides = {path.string()};
    files.ImportGuideFiles(guides);
    ExpectConsistent(files);
}

TEST(HostileDocuments, MutatedDocumentsNeverBreakTheReaders) {
    test::TempDir dir;
    TDownLoadFiles files;
    std::mt19937 random(20240611);
    const std::string seed = kSeed;
    const std::string pieces[] = {"<",    ">",        "/>", "\"",          "=",   "&",
                                  "&#0;", "Id=\"-\"", "-1", "99999999999", "<S>", "</S>",
                                  "<I/>", "\xFF",     "\0", "Size=\"99\""};
    for (int round = 0; round < 300; ++round) {
        std::string xml = seed;
        const int edits = 1 + static_cast<int>(random() % 6);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = random() % (xml.size() + 1);
            switch (random() % 3) {
            case 0:
                xml.erase(at, random() % 12);
                break;
            case 1:
                xml.insert(at, pieces[random() % std::size(pieces)]);
                break;
            default:
                if (at < xml.size())
                    xml[at] = static_cast<char>(random());
            }
        }
        ReadWithEveryReader(files, test::PackXml(dir, "doc.xmz", xml));
    }
}

TEST(HostileDocuments, HugeCountsAndWrongTypesAreHarmless) {
    test::TempDir dir;
    std::string xml = "<Root><Subject>";
    for (int i = 0; i < 2000; ++i)
        xml += "<S Id=\"" + std::to_string(i) +
               "\" Category=\"1\" Counts=\"99999999999999\" Size=\"-7\" SizeList=\"x,x,x\"><I "
               "No=\"abc\" Total99=\"a\" Total=\"b\"/></S>";
    xml += "</Subject><WallParas Hour=\"1e9\" Interval=\"2147483648\"/></Root>";
    TDownLoadFiles files;
    const auto path = test::PackXml(dir, "doc.xmz", xml);
    ASSERT_TRUE(files.ReadFile(path));
    ASSERT_EQ(files.Subjects().Count(), 2000);
    EXPECT_EQ(files.Subjects().Get(0)->Counts, 0);
    EXPECT_EQ(files.Subjects().Get(0)->Size, -1);
    EXPECT_EQ(files.Subjects().Get(0)->Images.Get(0)->No, 0);
    ASSERT_TRUE(files.ReadSetupFile(path));
    EXPECT_EQ(files.WallParas().Hour, 0);
    EXPECT_EQ(files.WallParas().Interval, 3);
    ExpectConsistent(files);
}

TEST(HostileDocuments, AFailedOpenKeepsWhatIsLoaded) {
    test::TempDir dir;
    TDownLoadFiles files;
    ReadWithEveryReader(files, test::PackXml(dir, "good.xmz", kSeed));
    ASSERT_TRUE(files.ReadFile(test::PackXml(dir, "file.xmz", kSeed)));
    ASSERT_TRUE(files.ReadCategory(test::PackXml(dir, "category.xmz", kSeed)));
    ASSERT_TRUE(files.ReadLastVer(test::PackXml(dir, "lastver.xmz", kSeed), "http://s"));
    const int albums = files.Subjects().Count();
    test::WriteFile(dir / "bad.xmz", std::string(100, '\x78'));
    for (const auto& bad : {dir / "bad.xmz", test::PackXml(dir, "deep.xmz", "<Root><a><b>")}) {
        EXPECT_FALSE(files.ReadFile(bad));
        EXPECT_FALSE(files.ReadCategory(bad));
        EXPECT_FALSE(files.ReadLastVer(bad));
        EXPECT_EQ(files.Subjects().Count(), albums);
        EXPECT_EQ(files.Categorys().Count(), 1);
        EXPECT_EQ(files.LastVers.Count(), 1);
        EXPECT_EQ(files.WallAds().Count(), 1);
    }
}

} // namespace
} // namespace paperkit
