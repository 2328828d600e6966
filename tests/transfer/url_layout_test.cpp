#include "catalog/wall_subject.h"
#include "support/globals.h"
#include "transfer/get_plan.h"
#include "transfer/online.h"
#include "transfer/url_layout.h"

#include <gtest/gtest.h>

namespace paperkit {
namespace {

TEST(UrlEncode, EscapesGbkBytesAndReservedCharactersOfThePath) {
    struct Case {
        const char* url;
        const char* encoded;
    };
    const Case cases[] = {
        // 春天 is B4BA CCEC in GBK.
        {"http://h/wallfiles/春天.jpg", "http://h/wallfiles/%B4%BA%CC%EC.jpg"},
        {"http://h/a b/c d.jpg", "http://h/a%20b/c%20d.jpg"},
        {"http://h:8080/x#y%z*+<>.jpg", "http://h:8080/x%23y%25z%2A%2B%3C%3E.jpg"},
        {"http://h/p\tq\x7f", "http://h/p%09q\x7f"},
        // In the query "+" stays and brackets are escaped.
        {"http://h/p+q?a=+[1] 2", "http://h/p%2Bq?a=+%5B1%5D%202"},
        {"http://h/[x]", "http://h/[x]"},
        {"http://h", "http://h"},
        {"http://h?q=a b", "http://h?q=a%20b"},
        // A character GBK lacks, or a byte that is not UTF-8, is escaped with its own bytes:
        // as "?" it would start a query and name another resource.
        {"http://h/p/a\U0001F600b.jpg", "http://h/p/a%F0%9F%98%80b.jpg"},
        {"http://h/p/\xFF.jpg?q=\U0001F600", "http://h/p/%FF.jpg?q=%F0%9F%98%80"},
        // Not a URL it can split: unchanged.
        {"no scheme/春 天", "no scheme/春 天"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UrlEncode(c.url), c.encoded) << c.url;
}

TEST(UrlLayout, SizeFolders) {
    EXPECT_EQ(SizeFolder(0), "1024x768/");
    EXPECT_EQ(SizeFolder(6), "1366x768/");
    EXPECT_EQ(SizeFolder(16), "2880x1200/");
    EXPECT_EQ(SizeFolder(-1), "512/");
    EXPECT_EQ(SizeFolder(17), "512/");
}

TEST(UrlLayout, ThumbnailAndImageUrlsJoinThePartsAsTheyAre) {
    const std::string savedServer = strServerURL;
    strServerURL = "http://pics.example";
    TWallSubject album;
    album.WebPath = "/wallfiles/春 季/";
    album.FileName = "cover.jpg";
    album.Size = 3;
    auto image = std::make_unique<TWallImage>();
    image->FileName = "天 1.jpg";
    TWallImage* img = image.get();
    album.Images.Add(std::move(image));

    EXPECT_EQ(ThumbnailUrl(album), "http://pics.example/wallfiles/%B4%BA%20%BC%BE/160/cover.jpg");
    EXPECT_EQ(ImageUrl(*img),
              "http://pics.example/wallfiles/%B4%BA%20%BC%BE/1280x800/%CC%EC%201.jpg");
    album.Size = -1;
    EXPECT_EQ(ImageUrl(*img), "http://pics.example/wallfiles/%B4%BA%20%BC%BE/512/%CC%EC%201.jpg");
    // 夏 is CFC4 in GBK; the emoji has no GBK form.
    img->FileName = "夏\U0001F600.jpg";
    EXPECT_EQ(ImageUrl(*img),
              "http://pics.example/wallfiles/%B4%BA%20%BC%BE/512/%CF%C4%F0%9F%98%80.jpg");
    strServerURL = savedServer;
}

TEST(GetPlan, ReadTimeoutAndTriesFollowTheLength) {
    struct Case {
        std::int64_t length, timeout, readTimeout, tries;
    };
    const Case cases[] = {
        {40000, 40000, 40000, 10},
        {100000, 70000, 50000, 14},
        {60000, 50000, 50000, 10},
        {60002, 50001, 50000, 10},
        {80000, 60000, 50000, 12},
        {0, 20000, 20000, 10},
        // Halves go to the even neighbour.
        {1, 20000, 20000, 10},
        {3, 20002, 20002, 10},
        {5, 20002, 20002, 10},
        {7, 20004, 20004, 10},
        {268435456, 134237728, 50000, 26847},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadTimeoutFor(c.length), c.timeout) << c.length;
        const GetPlan plan = PlanGet(c.length);
        EXPECT_EQ(plan.readTimeoutMs, c.readTimeout) << c.length;
        EXPECT_EQ(plan.tries, c.tries) << c.length;
    }
}

TEST(Online, LoopbackHosts) {
    EXPECT_TRUE(IsLoopbackUrl("http://127.0.0.1:8080/x"));
    EXPECT_TRUE(IsLoopbackUrl("http://localhost"));
    EXPECT_TRUE(IsLoopbackUrl("http://LocalHost:1/"));
    EXPECT_TRUE(IsLoopbackUrl("http://[::1]:80/"));
    EXPECT_TRUE(IsLoopbackUrl("http://127.1.2.3"));
    EXPECT_FALSE(IsLoopbackUrl("http://pics.example/127.0.0.1"));
    EXPECT_FALSE(IsLoopbackUrl("http://localhost.example"));
    EXPECT_FALSE(IsLoopbackUrl("localhost"));
}

} // namespace
} // namespace paperkit
