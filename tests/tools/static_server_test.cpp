#include "picture_tree.h"
#include "publish/catalog_builder.h"
#include "publish/catalog_layout.h"
#include "publish/static_server.h"
#include "support/gbk.h"
#include "testsupport/temp_dir.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <httplib.h>
#include <mutex>
#include <thread>

namespace paperkit {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::string PercentEncode(std::string_view bytes) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x80 || c <= 0x20) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

TEST(ResolveRequestPath, StaysInsideTheRoot) {
    TempDir dir("serve");
    const fs::path root = dir / "root";
    WriteFile(root / "wallfiles" / "file.xmz", "x");
    WriteFile(dir / "secret.txt", "secret");
    fs::create_symlink(dir / "secret.txt", root / "escape.txt");
    fs::create_symlink(dir.path(), root / "up");
    fs::create_symlink(root / "wallfiles" / "file.xmz", root / "inside.xmz");
    struct Case {
        const char* path;
        int status;
    };
    const Case cases[] = {
        {"/wallfiles/file.xmz", 200}, {"/wallfiles//./file.xmz", 200},
        {"/inside.xmz", 200},         {"/wallfiles\\file.xmz", 200},
        {"/../secret.txt", 403},      {"/wallfiles/../../secret.txt", 403},
        {"/wallfiles/..", 403},       {"/escape.txt", 403},
        {"/up/secret.txt", 403},      {"/", 404},
        {"/wallfiles", 404},          {"/missing.xmz", 404},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveRequestPath(root, c.path).Status, c.status) << c.path;
}

// The catalog served over loopback, as the program meets it.
class ServedCatalogTest : public ::testing::Test {
protected:
    ServedCatalogTest() {
        test::WritePictureTree(dir / "pictures");
        BuildOptions options;
        options.Pictures = dir / "pictures";
        options.Out = out;
        options.Sizes = {0};
        BuildReport report;
        std::string error;
        EXPECT_TRUE(BuildCatalog(options, report, error)) << error;
        port = server.Start("127.0.0.1", 0);
    }

    std::vector<std::string> LogLines() {
        std::lock_guard guard(lock);
        return lines;
    }

    TempDir dir{"served"};
    fs::path out = dir / "out";
    std::mutex lock;
    std::vector<std::string> lines;
    StaticServer server{out, [this](const std::string& line) {
                            std::lock_guard guard(lock);
                            lines.push_back(line);
                        }};
    int port = -1;
};

TEST_F(ServedCatalogTest, AnswersHeadRangesAndMissingFiles) {
    ASSERT_GT(port, 0);
    EXPECT_EQ(server.Url(), "http://127.0.0.1:" + std::to_string(port));
    httplib::Client client("127.0.0.1", port);
    const std::string file = ReadFile(out / DocumentsFolderName / FileDocument);

    auto head = client.Head("/wallfiles/file.xmz");
    ASSERT_TRUE(head);
    EXPECT_EQ(head->status, 200);
    EXPECT_EQ(head->get_header_value("Content-Length"), std::to_string(file.size()));
    EXPECT_TRUE(head->body.empty());

    auto whole = client.Get("/wallfiles/file.xmz");
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->body, file);

    // The program resumes with a range whose end is the length itself.
    auto part =
        client.Get("/wallfiles/file.xmz", {{"Range", "bytes=10-" + std::to_string(file.size())}});
    ASSERT_TRUE(part);
    EXPECT_EQ(part->status, 206);
    EXPECT_EQ(part->body, file.substr(10));

    auto missing = client.Get("/wallfiles/nothing.xmz");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->status, 404);
    auto missingHead = client.Head("/pictures/nothing.jpg");
    ASSERT_TRUE(missingHead);
    EXPECT_EQ(missingHead->status, 404);

    // The server logs a request once its answer has gone out, so the last line may trail it.
    auto log = LogLines();
    for (int i = 0; i < 200 && log.size() < 5; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        log = LogLines();
    }
    ASSERT_EQ(log.size(), 5u);
    // Requests are answered on several threads, so their lines may come in any order.
    const std::string headLine =
        "127.0.0.1 HEAD /wallfiles/file.xmz 200 " + std::to_string(file.size());
    EXPECT_NE(std::find(log.begin(), log.end(), headLine), log.end()) << headLine;
}

TEST_F(ServedCatalogTest, NeverServesOutsideTheCatalog) {
    WriteFile(dir / "secret.txt", "secret");
    httplib::Client client("127.0.0.1", port);
    for (const char* path :
         {"/../secret.txt", "/%2e%2e/secret.txt", "/wallfiles/%2E%2E/../secret.txt"}) {
        auto res = client.Get(path);
        ASSERT_TRUE(res) << path;
        EXPECT_NE(res->status, 200) << path;
        EXPECT_EQ(res->body.find("secret"), std::string::npos) << path;
    }
}

TEST_F(ServedCatalogTest, DecodesPathsThatTheProgramEncodedInGbk) {
    const std::string name = "山水 画.jpg";
    WriteFile(out / "pictures" / name, "picture bytes");
    httplib::Client client("127.0.0.1", port);
    for (const std::string& encoded : {PercentEncode(Utf8ToGbk(name)), PercentEncode(name)}) {
        auto res = client.Get("/pictures/" + encoded);
        ASSERT_TRUE(res) << encoded;
        EXPECT_EQ(res->status, 200) << encoded;
        EXPECT_EQ(res->body, "picture bytes");
    }
}

TEST(StaticServer, StopsAndRestartsCleanly) {
    TempDir dir("stop");
    StaticServer server(dir.path());
    const int first = server.Start("127.0.0.1", 0);
    ASSERT_GT(first, 0);
    server.Stop();
    server.Stop();
    EXPECT_GT(server.Start("127.0.0.1", 0), 0);
    EXPECT_EQ(StaticServer(dir.path()).Start("256.1.1.1", 0), -1);
}

} // namespace
} // namespace paperkit
