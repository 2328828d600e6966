#include "catalog/container.h"
#include "catalog/download_files.h"
#include "support/globals.h"
#include "testsupport/http_test_server.h"
#include "testsupport/temp_dir.h"
#include "transfer/catalog_fetch.h"
#include "transfer/fetch.h"
#include "transfer/task_thread.h"

#include <gtest/gtest.h>

namespace paperkit {
namespace {

namespace fs = std::filesystem;
using test::HttpTestServer;
using test::ReadFile;
using test::ServerFault;
using test::TempDir;

class CatalogFetchTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = {strServerURL, CatalogBase, ReceiveFolder};
        strServerURL = server.Url();
        CatalogBase = strServerURL + "/wallfiles";
        ReceiveFolder = dir / "Receive";
        fs::create_directories(ReceiveFolder);
    }
    void TearDown() override {
        strServerURL = std::get<0>(m_saved);
        CatalogBase = std::get<1>(m_saved);
        ReceiveFolder = std::get<2>(m_saved);
    }

    // The container bytes the server would publish for this document text.
    std::string Container(const std::string& xml) {
        TempDir work("xmz");
        test::WriteFile(work / "doc.xml", xml);
        TMyZip().Pack(work / "doc.xml", work / "doc.xmz");
        return ReadFile(work / "doc.xmz");
    }

    std::size_t TempFiles() {
        std::size_t n = 0;
        for (const auto& entry : fs::directory_iterator(fs::temp_directory_path()))
            n += entry.path().filename().string().starts_with("A000");
        return n;
    }

    HttpTestServer server;
    TempDir dir;
    TDownLoadFiles files;
    Fetcher fetcher;

private:
    std::tuple<std::string, std::string, fs::path> m_saved;
};

TEST_F(CatalogFetchTest, AReadDocumentReplacesTheReceivedCopy) {
    const std::string bytes =
        Container(R"(<Root><Category><I Id="7" Desc="Sea" Remark="r"/></Category></Root>)");
    server.Put("/wallfiles/category.xmz", bytes);
    test::WriteFile(ReceiveFolder / "category.xmz", "old");

    EXPECT_TRUE(FetchCategories(fetcher, files));
    ASSERT_EQ(files.Categorys().Count(), 1);
    EXPECT_EQ(files.Categorys().Get(0)->Desc, "Sea");
    EXPECT_EQ(ReadFile(ReceiveFolder / "category.xmz"), bytes);
    EXPECT_EQ(TempFiles(), 0u);
}

TEST_F(CatalogFetchTest, AFailedFetchOrReadLeavesTheOldDocument) {
    test::WriteFile(ReceiveFolder / "file.xmz", "old albums");
    test::WriteFile(ReceiveFolder / "category.xmz", "old categories");
    test::WriteFile(ReceiveFolder / "filetotal.xmz", "old totals");
    server.SetFault("/wallfiles/file.xmz", {.status = 404});
    server.Put("/wallfiles/category.xmz", "not a container");
    const std::string totals = Container(R"(<Root><Total Category="c" File="f"/></Root>)");
    server.Put("/wallfiles/filetotal.xmz", totals);

    EXPECT_FALSE(FetchAlbums(fetcher, files));
    EXPECT_FALSE(FetchCategories(fetcher, files));
    EXPECT_EQ(ReadFile(ReceiveFolder / "file.xmz"), "old albums");
    EXPECT_EQ(ReadFile(ReceiveFolder / "category.xmz"), "old categories");

    // The same totals text twice: the second is not accepted and not put in place again.
    EXPECT_TRUE(FetchTotals(fetcher, files));
    EXPECT_EQ(ReadFile(ReceiveFolder / "filetotal.xmz"), totals);
    test::WriteFile(ReceiveFolder / "filetotal.xmz", "kept");
    EXPECT_FALSE(FetchTotals(fetcher, files));
    EXPECT_EQ(files.FileTotal, "!");
    EXPECT_EQ(ReadFile(ReceiveFolder / "filetotal.xmz"), "kept");
    EXPECT_EQ(TempFiles(), 0u);
}

TEST_F(CatalogFetchTest, VersionRecordsGetEncodedUpdateUrls) {
    server.Put(
        "/wallfiles/lastver.xmz",
        Container(R"(<Root><File LastVer="1.0.0.2000"><I Id="7570" Totalxyz="d"/></File></Root>)"));
    ASSERT_TRUE(FetchVersions(fetcher, files));
    ASSERT_EQ(files.LastVers.Count(), 1);
    EXPECT_EQ(files.LastVers.Get(0)->URL, CatalogBase + "/lastver/7570.xyz");
}

TEST(DownloadFilesTasks, TheCatalogObjectOwnsTheScheduler) {
    TDownLoadFiles files;
    files.TaskThread = std::make_shared<TWallTaskThread>();
    files.TaskThread->Taskes().Add("T", "1", "a", "http://pics.example/a");
    EXPECT_EQ(files.TaskThread->Taskes().Count(), 1);
}

} // namespace
} // namespace paperkit
