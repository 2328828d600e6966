#include "catalog/size_table.h"

#include <gtest/gtest.h>

namespace paperkit {
namespace {

TEST(SizeTable, IndexAndNameAreExactInverses) {
    for (int i = 0; i < SizeCount; ++i)
        EXPECT_EQ(SizeIndex(SizeName(i)), i);
    EXPECT_EQ(SizeIndex("1024x768"), 0);
    EXPECT_EQ(SizeIndex("2880x1200"), 16);
    EXPECT_EQ(SizeIndex("1024X768"), -1);
    EXPECT_EQ(SizeIndex(""), -1);
    EXPECT_EQ(SizeName(-1), "");
    EXPECT_EQ(SizeName(17), "");
}

TEST(SizeTable, ParseSizeReadsNonNumbersAsZero) {
    int w = -5, h = -5;
    EXPECT_FALSE(ParseSize("1024*768", w, h));
    EXPECT_EQ(w, -5);
    EXPECT_TRUE(ParseSize("1024x768", w, h));
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 768);
    EXPECT_TRUE(ParseSize("abcx12x3", w, h));
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_TRUE(ParseSize("x", w, h));
    EXPECT_EQ(w, 0);
}

struct ListCase {
    const char* list;
    int screenWidth;
    int screenHeight;
    int expected;
};

TEST(SizeTable, SizeForListPicksTheBestListedSize) {
    const ListCase cases[] = {
        {"1280x1024", 800, 600, 5},                      // one entry wins on any screen
        {"800x600", 800, 600, -1},                       // one entry not in the table
        {"", 1280, 1024, -1},                            // no entries at all
        {"1024x768,1280x1024,1600x1200", 1280, 1024, 5}, // exact screen size
        {"1024x768,1280x800,1600x1200", 1366, 768, 3},   // widest that fits, no ratio near
        {"1280x960,1024x768", 1280, 1024, 4},            // ratio near and same width
        {"1024x768,1280x1024", 800, 600, 0},             // nothing fits: nearest width
        {"1280x1024,1280x800,1600x1200", 1366, 768, 5},  // equal widths: first in list
        {"1280x1024,1280x1024", 1280, 1024, 5},          // duplicates are harmless
        {"1366x768,999x1", 1366, 768, 6},                // exact match beats everything
        {"1300x1040,1024x768", 1366, 1093, -1},          // best entry unknown at every step
        {"junk,,1920x1200", 1920, 1080, 11},             // unparsable entries are skipped
        {"junk,more", 1920, 1080, -1},                   // first entry unknown: -1
        {"1024x768,1280x800", 0, 0, 0},                  // no screen: nearest width to 0
    };
    for (const auto& c : cases)
        EXPECT_EQ(SizeForList(c.list, c.screenWidth, c.screenHeight), c.expected)
            << c.list << " on " << c.screenWidth << "x" << c.screenHeight;
}

struct AspectCase {
    int width;
    int height;
    const char* expected;
};

TEST(SizeTable, AspectClassOfTheExamples) {
    const AspectCase cases[] = {
        {1280, 1024, "1"},
        {1024, 768, "2"},
        {1280, 800, "3"},
        {1920, 1080, "4"},
        {1366, 768, "4*"},
        {1440, 900, "3"},
        {1280, 720, "4"},
        {1600, 1280, "1"},
        {1024, 1024, ">"},
        {2560, 1024, "<"},
        {1280, 960, "2"},
        {1000, 775, "1*"}, // exactly halfway between 0.75 and 0.8 takes the larger ratio
        {1000, 810, "1*"},
        {1000, 760, "2*"},
        {1000, 700, "2*"},
        {1000, 650, "3*"},
        {1000, 590, "4*"},
        {1000, 540, "4*"},
        {0, 100, ">"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AspectClass(c.width, c.height), c.expected) << c.width << "x" << c.height;
}

TEST(SizeTable, DesktopClassInModeOneIsCoarse) {
    EXPECT_EQ(DesktopClass("1", 1366, 768), "2");
    EXPECT_EQ(DesktopClass("1", 2560, 1024), "*");
    EXPECT_EQ(DesktopClass("1", 1280, 1024), "1");
    EXPECT_EQ(DesktopClass("1", 1024, 1024), "*");
    EXPECT_EQ(DesktopClass("0", 1366, 768), "4*");
}

} // namespace
} // namespace paperkit
