#include "catalog/container.h"
#include "catalog/size_table.h"
#include "catalog/xml_attr.h"
#include "catalog/xml_document.h"
#include "picture_tree.h"
#include "publish/catalog_builder.h"
#include "publish/catalog_check.h"
#include "publish/catalog_layout.h"
#include "publish/data_seed.h"
#include "publish/guide_files.h"
#include "publish/picture_encoder.h"
#include "publish/url_safe_name.h"
#include "support/md5.h"
#include "support/scramble.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace paperkit {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

pugi::xml_document Open(const fs::path& container) {
    pugi::xml_document doc;
    EXPECT_TRUE(OpenDocument(doc, container)) << container;
    return doc;
}

std::vector<pugi::xml_node> Items(const pugi::xml_document& doc, const char* section) {
    std::vector<pugi::xml_node> items;
    for (pugi::xml_node n : doc.document_element().child(section).children())
        items.push_back(n);
    return items;
}

// The albums of a published file document, by title.
std::map<std::string, pugi::xml_node> AlbumsByTitle(const pugi::xml_document& doc) {
    std::map<std::string, pugi::xml_node> albums;
    for (pugi::xml_node n : Items(doc, "Subject"))
        albums[ReadAttr(n, "Desc")] = n;
    return albums;
}

class CatalogBuilderTest : public ::testing::Test {
protected:
    CatalogBuilderTest() {
        test::WritePictureTree(pictures);
        options.Pictures = pictures;
        options.Out = out;
        options.Sizes = {SizeIndex("1024x768"), SizeIndex("1366x768")};
        options.Today = "2024-05-01";
        options.Jobs = 2;
    }

    BuildReport Build() {
        BuildReport report;
        std::string error;
        EXPECT_TRUE(BuildCatalog(options, report, error)) << error;
        return report;
    }

    fs::path Docs(const char* name) const { return out / DocumentsFolderName / name; }

    TempDir dir{"publish"};
    fs::path pictures = dir / "pictures";
    fs::path out = dir / "out";
    BuildOptions options;
};

TEST_F(CatalogBuilderTest, PublishesEveryAlbumWithPicturesThatMatchTheirDigests) {
    const BuildReport report = Build();
    EXPECT_EQ(report.Categories, 2);
    EXPECT_EQ(report.Albums, 3);
    EXPECT_EQ(report.Pictures, 6);
    EXPECT_TRUE(report.Warnings.empty());

    const pugi::xml_document categories = Open(Docs(CategoryDocument));
    std::map<std::string, int> categoryIds;
    for (pugi::xml_node c : Items(categories, "Category"))
        categoryIds[ReadAttr(c, "Desc")] = ReadAttrInt(c, "Id");
    ASSERT_EQ(categoryIds.size(), 2u);
    EXPECT_TRUE(categoryIds.contains("自然 Nature"));
    EXPECT_TRUE(categoryIds.contains("city")) << "a folder without info.txt is named after itself";

    const pugi::xml_document file = Open(Docs(FileDocument));
    auto albums = AlbumsByTitle(file);
    ASSERT_EQ(albums.size(), 3u);
    const pugi::xml_node hills = albums["山丘 Hills"];
    ASSERT_TRUE(hills);
    EXPECT_EQ(ReadAttr(hills, "Remark"), "绿色的山丘。 Green hills.");
    EXPECT_EQ(ReadAttrInt(hills, "Category"), categoryIds["自然 Nature"]);
    EXPECT_EQ(ReadAttrInt(hills, "Counts"), 3);
    EXPECT_EQ(ReadAttr(hills, "Date"), "2024-05-01");
    EXPECT_EQ(ReadAttr(hills, "SizeList"), "1024x768,1366x768");

    // Newest albums first, each with its own folders.
    std::vector<int> ids;
    for (pugi::xml_node n : Items(file, "Subject"))
        ids.push_back(ReadAttrInt(n, "Id"));
    EXPECT_TRUE(std::is_sorted(ids.rbegin(), ids.rend()));

    for (const auto& [title, album] : albums) {
        const std::string webPath = ReadAttr(album, "WebPath");
        ASSERT_TRUE(webPath.starts_with("/") && webPath.ends_with("/")) << webPath;
        const std::string localPath = ReadAttr(album, "LocalPath");
        EXPECT_TRUE(localPath.starts_with("/") && localPath.ends_with("/")) << localPath;

        const fs::path cover = *ServedFile(out, webPath + "160/" + ReadAttr(album, "FileName"));
        EXPECT_EQ(DigestHex(FileDigest(cover)), ReadAttr(album, "Total")) << cover;
        EXPECT_EQ(PictureSize(cover).Width, 160);
        EXPECT_EQ(PictureSize(cover).Height, 120);

        std::set<int> numbers;
        for (pugi::xml_node image : album.children()) {
            const std::string name = ReadAttr(image, "FileName");
            EXPECT_TRUE(IsUrlSafe(name)) << name;
            EXPECT_TRUE(name.ends_with(".jpg")) << name;
            EXPECT_TRUE(numbers.insert(ReadAttrInt(image, "No")).second);
            for (const char* size : {"1024x768", "1366x768"}) {
                const fs::path picture = *ServedFile(out, webPath + size + "/" + name);
                const std::string total =
                    ReadAttr(image, ("Total" + std::to_string(SizeIndex(size))).c_str());
                EXPECT_EQ(DigestHex(FileDigest(picture)), total) << picture;
                int w = 0, h = 0;
                ParseSize(size, w, h);
                EXPECT_EQ(PictureSize(picture).Width, w) << picture;
                EXPECT_EQ(PictureSize(picture).Height, h) << picture;
            }
            EXPECT_FALSE(image.attribute("Total11")) << "only the sizes made are listed";
        }
    }

    // The picture named in Chinese gets a URL-safe file name but keeps its title and remark.
    pugi::xml_node chinese;
    for (pugi::xml_node image : hills.children()) {
        if (ReadAttr(image, "Desc") == "山水画")
            chinese = image;
    }
    ASSERT_TRUE(chinese);
    EXPECT_EQ(ReadAttr(chinese, "Remark"), "水墨 ink");

    const pugi::xml_document totals = Open(Docs(FileTotalDocument));
    const pugi::xml_node total = totals.document_element().child("Total");
    EXPECT_EQ(ReadAttr(total, "Category"), report.Stamps.Category);
    EXPECT_EQ(ReadAttr(total, "File"), report.Stamps.File);
    EXPECT_EQ(ReadAttr(total, "LastVer"), report.Stamps.LastVer);
    EXPECT_FALSE(report.Stamps.Category.empty());

    // Without --version the catalog announces the running version, so no program updates.
    const pugi::xml_document lastver = Open(Docs(LastVerDocument));
    EXPECT_EQ(ReadAttr(lastver.document_element().child("File"), "LastVer"), PAPERKIT_VERSION);
    EXPECT_TRUE(Items(lastver, "File").empty());
}

TEST_F(CatalogBuilderTest, RebuildKeepsIdsNumbersAndUnchangedDocuments) {
    const BuildReport first = Build();
    const std::string fileBytes = ReadFile(Docs(FileDocument));
    const std::string categoryBytes = ReadFile(Docs(CategoryDocument));
    std::map<std::string, int> firstIds;
    pugi::xml_document file = Open(Docs(FileDocument));
    for (const auto& [title, album] : AlbumsByTitle(file))
        firstIds[title] = ReadAttrInt(album, "Id");

    const BuildReport again = Build();
    EXPECT_EQ(again.Encoded, 0);
    EXPECT_EQ(again.Reused, 6);
    EXPECT_TRUE(again.Written.empty());
    EXPECT_EQ(ReadFile(Docs(FileDocument)), fileBytes);

    // A new album sorted before the others changes the albums and nothing else.
    test::WritePicture(pictures / "city" / "aaa" / "f.jpg", 320, 240, 0x888888);
    options.Today = "2024-06-01";
    const BuildReport added = Build();
    EXPECT_NE(added.Stamps.File, first.Stamps.File);
    EXPECT_EQ(added.Stamps.Category, first.Stamps.Category);
    EXPECT_EQ(added.Stamps.LastVer, first.Stamps.LastVer);
    EXPECT_EQ(ReadFile(Docs(CategoryDocument)), categoryBytes);
    EXPECT_EQ(added.Encoded, 1);
    file = Open(Docs(FileDocument));
    auto albums = AlbumsByTitle(file);
    for (const auto& [title, id] : firstIds) {
        EXPECT_EQ(ReadAttrInt(albums[title], "Id"), id) << title;
        EXPECT_EQ(ReadAttr(albums[title], "Date"), "2024-05-01") << title;
    }
    EXPECT_GT(ReadAttrInt(albums["aaa"], "Id"), firstIds["山丘 Hills"]);
    EXPECT_EQ(ReadAttr(albums["aaa"], "Date"), "2024-06-01");

    // Removing a picture removes its files; the others keep their numbers.
    std::map<std::string, int> numbers;
    for (pugi::xml_node image : albums["山丘 Hills"].children())
        numbers[ReadAttr(image, "FileName")] = ReadAttrInt(image, "No");
    const std::string webPath = ReadAttr(albums["山丘 Hills"], "WebPath");
    fs::remove(pictures / "nature" / "hills" / "a.jpg");
    const BuildReport removed = Build();
    EXPECT_EQ(removed.Removed, 2);
    EXPECT_FALSE(fs::exists(*ServedFile(out, webPath + "1024x768/a.jpg")));
    file = Open(Docs(FileDocument));
    albums = AlbumsByTitle(file);
    EXPECT_EQ(ReadAttrInt(albums["山丘 Hills"], "Counts"), 2);
    for (pugi::xml_node image : albums["山丘 Hills"].children())
        EXPECT_EQ(ReadAttrInt(image, "No"), numbers[ReadAttr(image, "FileName")]);

    // A new category changes the categories too.
    test::WritePicture(pictures / "zoo" / "cats" / "g.jpg", 320, 240, 0x999999);
    const BuildReport category = Build();
    EXPECT_NE(category.Stamps.Category, first.Stamps.Category);
}

TEST_F(CatalogBuilderTest, AlteredPictureIsEncodedAgainOnRebuild) {
    Build();
    const pugi::xml_document file = Open(Docs(FileDocument));
    const auto albums = AlbumsByTitle(file);
    const fs::path picture =
        *ServedFile(out, ReadAttr(albums.at("night"), "WebPath") + "1024x768/e.jpg");
    const std::string original = ReadFile(picture);
    WriteFile(picture, "tampered");
    const BuildReport report = Build();
    EXPECT_EQ(report.Encoded, 1);
    EXPECT_EQ(ReadFile(picture), original);
}

TEST_F(CatalogBuilderTest, PublishesTheVersionAndItsUpdateContainers) {
    const fs::path update = dir / "paperkit-update.bin";
    WriteFile(update, "new program bytes");
    options.Version = "2.0.0.1";
    options.Updates = {update};
    const BuildReport first = Build();

    const pugi::xml_document lastver = Open(Docs(LastVerDocument));
    EXPECT_EQ(ReadAttr(lastver.document_element().child("File"), "LastVer"), "2.0.0.1");
    const auto items = Items(lastver, "File");
    ASSERT_EQ(items.size(), 1u);
    const std::string id = ReadAttr(items[0], "Id");
    EXPECT_EQ(ScrambleDecode(id), "paperkit-update.bin");
    const fs::path container = out / DocumentsFolderName / UpdatesFolderName / (id + ".xyz");
    EXPECT_EQ(DigestHex(FileDigest(container)), ReadAttr(items[0], "Totalxyz"));
    EXPECT_EQ(DigestHex(FileDigest(update)), ReadAttr(items[0], "Total"));
    const fs::path unpacked = TMyZip().Unpack(container, dir / "unpacked");
    EXPECT_EQ(ReadFile(unpacked), "new program bytes");

    // Later builds keep announcing it until told otherwise.
    options.Version.reset();
    options.Updates.clear();
    EXPECT_EQ(Build().Stamps.LastVer, first.Stamps.LastVer);
    EXPECT_TRUE(fs::exists(container));

    options.Version = "2.0.0.2";
    options.Updates = {dir / "missing.bin"};
    BuildReport report;
    std::string error;
    EXPECT_FALSE(BuildCatalog(options, report, error));
    EXPECT_NE(error.find("missing.bin"), std::string::npos) << error;
}

TEST_F(CatalogBuilderTest, BadInputIsSkippedOrRefusedWithoutLosingTheCatalog) {
    WriteFile(pictures / "nature" / "sea" / "broken.jpg", "not a picture");
    fs::create_directories(pictures / "city" / "empty");
    const BuildReport report = Build();
    EXPECT_EQ(report.Albums, 3);
    EXPECT_EQ(report.Pictures, 6);
    ASSERT_EQ(report.Warnings.size(), 2u);
    std::string warnings = report.Warnings[0] + report.Warnings[1];
    EXPECT_NE(warnings.find("broken.jpg"), std::string::npos) << warnings;
    EXPECT_NE(warnings.find("city/empty"), std::string::npos) << warnings;

    // A damaged state would hand out ids twice: the build stops and changes nothing.
    const std::string fileBytes = ReadFile(Docs(FileDocument));
    WriteFile(out / "publish-state.xml", "<PublishState><Album");
    test::WritePicture(pictures / "city" / "new" / "x.jpg", 64, 64);
    BuildReport refused;
    std::string error;
    EXPECT_FALSE(BuildCatalog(options, refused, error));
    EXPECT_NE(error.find("publish-state.xml"), std::string::npos) << error;
    EXPECT_EQ(ReadFile(Docs(FileDocument)), fileBytes);

    BuildOptions inside = options;
    inside.Out = pictures / "out";
    EXPECT_FALSE(BuildCatalog(inside, refused, error));
    EXPECT_FALSE(fs::exists(pictures / "out"));

    std::vector<int> sizes;
    EXPECT_FALSE(ParseSizeOption("1920x1080", sizes, error));
    EXPECT_TRUE(ParseSizeOption("1920x1200, 1024x768,1920x1200", sizes, error));
    EXPECT_EQ(sizes, (std::vector<int>{SizeIndex("1024x768"), SizeIndex("1920x1200")}));
}

TEST_F(CatalogBuilderTest, GuideFilesCarryTheAlbumWithPictureRemarks) {
    Build();
    const pugi::xml_document file = Open(Docs(FileDocument));
    const auto albums = AlbumsByTitle(file);
    const int hills = ReadAttrInt(albums.at("山丘 Hills"), "Id");
    std::vector<fs::path> written;
    std::string error;
    ASSERT_TRUE(WriteGuideFiles(out, {hills}, dir / "guides", written, error)) << error;
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0], dir / "guides" / (std::to_string(hills) + ".pkd"));
    const pugi::xml_document guide = Open(written[0]);
    const auto items = Items(guide, "Subject");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(ReadAttrInt(items[0], "Id"), hills);
    EXPECT_EQ(ReadAttr(items[0], "WebPath"), ReadAttr(albums.at("山丘 Hills"), "WebPath"));
    bool remark = false;
    for (pugi::xml_node image : items[0].children())
        remark = remark || ReadAttr(image, "Remark") == "水墨 ink";
    EXPECT_TRUE(remark);

    written.clear();
    EXPECT_FALSE(WriteGuideFiles(out, {hills, 99999}, dir / "guides", written, error));
    EXPECT_NE(error.find("99999"), std::string::npos);
    EXPECT_EQ(written.size(), 1u);
}

TEST_F(CatalogBuilderTest, SeedPresetsCategoriesOnceAndNeverOverwritesChoices) {
    Build();
    int nature = 0;
    const pugi::xml_document categories = Open(Docs(CategoryDocument));
    for (pugi::xml_node c : Items(categories, "Category")) {
        if (ReadAttr(c, "Desc") == "自然 Nature")
            nature = ReadAttrInt(c, "Id");
    }
    const fs::path home = dir / "home";
    std::string error;
    ASSERT_TRUE(SeedDataFolder(out, home, {nature}, error)) << error;
    const fs::path receive = home / "PaperKit" / "Receive";
    EXPECT_EQ(ReadFile(receive / CategoryDocument), ReadFile(Docs(CategoryDocument)));
    const pugi::xml_document setup = Open(receive / "setupfile.xmz");
    int presets = 0;
    for (pugi::xml_node c : Items(setup, "Category")) {
        const bool preset = ReadAttr(c, "N") == "Y";
        EXPECT_EQ(preset, ReadAttrInt(c, "Id") == nature);
        presets += preset;
    }
    EXPECT_EQ(presets, 1);
    EXPECT_EQ(ReadAttr(setup.document_element().child("WallParas"), "Change"), "Y");

    EXPECT_FALSE(SeedDataFolder(out, home, {nature}, error));
    EXPECT_FALSE(SeedDataFolder(out, dir / "other", {424242}, error));
    EXPECT_FALSE(fs::exists(dir / "other" / "PaperKit" / "Receive" / "setupfile.xmz"));
}

TEST_F(CatalogBuilderTest, CheckPassesOnAFreshBuildAndNamesWhatIsWrong) {
    Build();
    CheckReport report = CheckCatalog(out);
    EXPECT_TRUE(report.Problems.empty()) << report.Problems.front();
    EXPECT_EQ(report.Albums, 3);
    EXPECT_EQ(report.Pictures, 6);
    EXPECT_EQ(report.Files, 3 + 6 * 2);

    pugi::xml_document file = Open(Docs(FileDocument));
    const auto albums = AlbumsByTitle(file);
    const std::string night = ReadAttr(albums.at("night"), "WebPath");
    const std::string sea = ReadAttr(albums.at("sea"), "WebPath");
    WriteFile(*ServedFile(out, night + "1366x768/e.jpg"), "altered");
    fs::remove(*ServedFile(out, sea + "160/cover.jpg"));
    report = CheckCatalog(out);
    ASSERT_EQ(report.Problems.size(), 2u);
    const std::string both = report.Problems[0] + "\n" + report.Problems[1];
    EXPECT_NE(both.find(night.substr(1) + "1366x768/e.jpg: MD5"), std::string::npos) << both;
    EXPECT_NE(both.find(sea.substr(1) + "160/cover.jpg: missing"), std::string::npos) << both;

    // An album the program's reader would stop at, and a category that is not there.
    pugi::xml_node section = file.document_element().child("Subject");
    section.first_child().attribute("Category").set_value("7");
    section.last_child().remove_attribute("Category");
    ASSERT_TRUE(SaveDocument(file, Docs(FileDocument)));
    fs::remove(Docs(LastVerDocument));
    report = CheckCatalog(out);
    std::string all;
    for (const std::string& problem : report.Problems)
        all += problem + "\n";
    EXPECT_NE(all.find("category 7 is not in"), std::string::npos) << all;
    EXPECT_NE(all.find("drops it"), std::string::npos) << all;
    EXPECT_NE(all.find("wallfiles/lastver.xmz: missing"), std::string::npos) << all;
}

TEST(UrlSafeFileName, KeepsNamesPlainAndUnique) {
    std::set<std::string> taken;
    struct Case {
        const char* stem;
        const char* expected;
    };
    const Case cases[] = {
        {"Sunset", "sunset.jpg"},  {"sunset", "sunset-2.jpg"},     {"山 水 01", "01.jpg"},
        {"山水", "picture-7.jpg"}, {"a#b%c+d e", "a-b-c-d-e.jpg"}, {"CON", "con-1.jpg"},
        {"..", "picture-7-2.jpg"}, {"x/../y", "x-y.jpg"},
    };
    for (const Case& c : cases) {
        const std::string name = UrlSafeFileName(c.stem, "jpg", "picture-7", taken);
        EXPECT_EQ(name, c.expected) << c.stem;
        EXPECT_TRUE(IsUrlSafe(name));
    }
}

} // namespace
} // namespace paperkit
