#include "catalog/xml_attr.h"

#include <gtest/gtest.h>

namespace paperkit {
namespace {

pugi::xml_node Item(pugi::xml_document& doc, const char* xml) {
    EXPECT_TRUE(doc.load_string(xml));
    return doc.document_element();
}

TEST(XmlAttr, IntegersAreStrictDecimal) {
    struct Case {
        const char* text;
        int asInt;
        int asIntDef3;
    };
    const Case cases[] = {
        {"12", 12, 12},       {"-1", -1, -1},
        {"+7", 7, 7},         {"12abc", 0, 3},
        {"", 0, 3},           {" 12", 0, 3},
        {"12 ", 0, 3},        {"0x1A", 0, 3},
        {"$1A", 0, 3},        {"2147483647", 2147483647, 2147483647},
        {"2147483648", 0, 3}, {"-2147483648", -2147483647 - 1, -2147483647 - 1},
        {"-", 0, 3},          {"+-1", 0, 3},
        {"1.5", 0, 3},
    };
    for (const auto& c : cases) {
        pugi::xml_document doc;
        doc.append_child("I").append_attribute("V").set_value(c.text);
        const auto item = doc.document_element();
        EXPECT_EQ(ReadAttrInt(item, "V"), c.asInt) << '"' << c.text << '"';
        EXPECT_EQ(ReadAttrIntDef(item, "V", 3), c.asIntDef3) << '"' << c.text << '"';
    }
    pugi::xml_document doc;
    const auto item = Item(doc, "<I/>");
    EXPECT_EQ(ReadAttrInt(item, "V"), 0);
    EXPECT_EQ(ReadAttrIntDef(item, "V", 3), 3);
}

TEST(XmlAttr, FlagRulesDifferOnEverythingButYAndN) {
    struct Case {
        const char* xml;
        bool yes;
        bool notNo;
    };
    const Case cases[] = {
        {R"(<I F="Y"/>)", true, true},    {R"(<I F="N"/>)", false, false},
        {R"(<I F="y"/>)", false, true},   {R"(<I F="n"/>)", false, true},
        {R"(<I F=""/>)", false, true},    {R"(<I/>)", false, true},
        {R"(<I F="Yes"/>)", false, true},
    };
    for (const auto& c : cases) {
        pugi::xml_document doc;
        const auto item = Item(doc, c.xml);
        EXPECT_EQ(ReadAttrYes(item, "F"), c.yes) << c.xml;
        EXPECT_EQ(ReadAttrNotNo(item, "F"), c.notNo) << c.xml;
    }
}

TEST(XmlAttr, TextsAndCharacters) {
    pugi::xml_document doc;
    const auto item = Item(doc, R"(<I T="abc" E="" U="中文"/>)");
    EXPECT_EQ(ReadAttr(item, "T"), "abc");
    EXPECT_EQ(ReadAttr(item, "U"), "中文");
    EXPECT_EQ(ReadAttr(item, "missing"), "");
    EXPECT_EQ(ReadAttrChar(item, "T", '1'), 'a');
    EXPECT_EQ(ReadAttrChar(item, "E", '1'), '1');
    EXPECT_EQ(ReadAttrChar(item, "missing", ' '), ' ');
    EXPECT_EQ(ReadAttr(pugi::xml_node(), "T"), "");
    EXPECT_EQ(ReadAttrInt(pugi::xml_node(), "T"), 0);
}

TEST(XmlAttr, WrittenValuesReadBack) {
    pugi::xml_document doc;
    auto item = doc.append_child("T");
    WriteAttrInt(item, "Size", -1);
    WriteAttrFlag(item, "N", true);
    WriteAttrFlag(item, "S", false);
    WriteAttrChar(item, "Type", '0');
    WriteAttr(item, "Name", "<&\"'>");
    EXPECT_EQ(ReadAttr(item, "Size"), "-1");
    EXPECT_EQ(ReadAttrInt(item, "Size"), -1);
    EXPECT_EQ(ReadAttr(item, "N"), "Y");
    EXPECT_EQ(ReadAttr(item, "S"), "N");
    EXPECT_EQ(ReadAttr(item, "Type"), "0");
    EXPECT_EQ(ReadAttr(item, "Name"), "<&\"'>");
}

} // namespace
} // namespace paperkit
