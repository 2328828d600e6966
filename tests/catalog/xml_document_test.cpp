#include "catalog/xml_attr.h"
#include "catalog/xml_document.h"
#include "document_fixture.h"
#include "support/gbk.h"
#include "support/temp_files.h"

#include <gtest/gtest.h>

namespace paperkit {
namespace {

namespace fs = std::filesystem;

bool FolderIsEmpty(const fs::path& folder) {
    return !fs::exists(folder) || fs::is_empty(folder);
}

TEST(XmlDocument, SavedDocumentsAreCompactUtf8AndReopen) {
    test::TempDir dir;
    pugi::xml_document doc;
    auto item = doc.append_child("Root").append_child("Subject").append_child("T");
    WriteAttr(item, "Desc", "风景 & <山水>");
    WriteAttrInt(item, "Size", -1);
    ASSERT_TRUE(SaveDocument(doc, dir / "sub" / "setupfile.xmz"));

    EXPECT_EQ(test::UnpackXml(dir / "sub" / "setupfile.xmz"),
              "<Root><Subject><T Desc=\"风景 &amp; &lt;山水>\" Size=\"-1\"/></Subject></Root>");
    pugi::xml_document back;
    ASSERT_TRUE(OpenDocument(back, dir / "sub" / "setupfile.xmz"));
    const auto t = back.document_element().child("Subject").child("T");
    EXPECT_EQ(ReadAttr(t, "Desc"), "风景 & <山水>");
    EXPECT_EQ(ReadAttrInt(t, "Size"), -1);
    EXPECT_TRUE(FolderIsEmpty(TempFolder() / "~pk~"));
    // The temporary "A000" file is gone as well.
    for (const auto& entry : fs::directory_iterator(TempFolder()))
        EXPECT_NE(entry.path().filename().string().rfind("A000", 0), 0u) << entry.path();
}

TEST(XmlDocument, DeclaredEncodingIsHonoured) {
    struct Case {
        std::string bytes;
        bool gbk;
    };
    const std::string text = "<Root><Category><C Desc=\"美女明星\"/></Category></Root>";
    const Case cases[] = {
        {"<?xml version=\"1.0\" encoding=\"GBK\"?>" + text, true},
        {"<?xml version='1.0' encoding = 'gb2312' ?>\r\n" + text, true},
        {"<?xml version=\"1.0\" encoding=\"GB18030\"?>" + text, true},
        {"<?xml version=\"1.0\" encoding=\"cp936\" standalone=\"yes\"?>" + text, true},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + text, false},
        {"<?xml version=\"1.0\"?>" + text, false},
        {text, false},
    };
    for (const auto& c : cases) {
        const std::string bytes = c.gbk ? Utf8ToGbk(c.bytes) : c.bytes;
        pugi::xml_document doc;
        ASSERT_TRUE(LoadDocumentText(doc, bytes)) << c.bytes;
        EXPECT_EQ(ReadAttr(doc.document_element().child("Category").child("C"), "Desc"), "美女明星")
            << c.bytes;
        // The text kept of a document is UTF-8 and no longer declares the old encoding.
        EXPECT_EQ(DocumentText(doc), "<Root><Category><C Desc=\"美女明星\"/></Category></Root>");
    }
}

TEST(XmlDocument, Gb18030KeepsItsFourByteCharacters) {
    // 春 is B4BA as in GBK; the emoji U+1F600 is the four bytes 9439FC36, which GBK lacks.
    const std::string bytes = "<?xml version=\"1.0\" encoding=\"gb18030\"?><Root><C Desc=\""
                              "\xB4\xBA\x94\x39\xFC\x36\"/></Root>";
    pugi::xml_document doc;
    ASSERT_TRUE(LoadDocumentText(doc, bytes));
    EXPECT_EQ(ReadAttr(doc.document_element().child("C"), "Desc"), "春\U0001F600");

    test::TempDir dir;
    test::WriteFile(dir / "doc.xml", bytes);
    TMyZip().Pack(dir / "doc.xml", dir / "doc.xmz");
    ASSERT_TRUE(OpenDocument(doc, dir / "doc.xmz"));
    EXPECT_EQ(ReadAttr(doc.document_element().child("C"), "Desc"), "春\U0001F600");
}

TEST(XmlDocument, ContainerWithoutXmlFailsAndLeavesNothingBehind) {
    test::TempDir dir;
    const std::string notXml[] = {"", "just some text", "<Root><unclosed></Root>", "\x89PNG\r\n",
                                  "<?xml version=\"1.0\"?>"};
    for (const auto& bytes : notXml) {
        const auto container = test::PackXml(dir, "file.xmz", bytes);
        pugi::xml_document doc;
        doc.append_child("Stale");
        EXPECT_FALSE(OpenDocument(doc, container)) << bytes;
        EXPECT_FALSE(doc.document_element()) << bytes;
        EXPECT_TRUE(FolderIsEmpty(TempFolder() / "~pk~")) << bytes;
    }
    pugi::xml_document doc;
    EXPECT_FALSE(OpenDocument(doc, dir / "missing.xmz"));
    test::WriteFile(dir / "garbage.xmz", "not a container");
    EXPECT_FALSE(OpenDocument(doc, dir / "garbage.xmz"));
}

TEST(XmlDocument, UnpackFolderThatIsALinkIsRefused) {
    test::TempDir dir;
    const auto container = test::PackXml(dir, "file.xmz", "<Root/>");
    const fs::path folder = TempFolder() / "~pk~";
    fs::remove_all(folder);
    fs::create_directory(dir / "elsewhere");
    fs::create_directory_symlink(dir / "elsewhere", folder);
    pugi::xml_document doc;
    EXPECT_FALSE(OpenDocument(doc, container));
    EXPECT_TRUE(fs::is_empty(dir / "elsewhere"));
    fs::remove(folder);
    EXPECT_TRUE(OpenDocument(doc, container));
}

TEST(XmlDocument, FailedSaveKeepsThePreviousContainer) {
    test::TempDir dir;
    pugi::xml_document doc;
    doc.append_child("Root").append_attribute("V").set_value("old");
    ASSERT_TRUE(SaveDocument(doc, dir / "setupfile.xmz"));
    // A container path whose folder is a file cannot be written.
    test::WriteFile(dir / "blocker", "x");
    EXPECT_FALSE(SaveDocument(doc, dir / "blocker" / "setupfile.xmz"));
    EXPECT_EQ(test::UnpackXml(dir / "setupfile.xmz"), "<Root V=\"old\"/>");
}

TEST(XmlDocument, DeepNestingNeitherCrashesNorOverflows) {
    std::string xml;
    constexpr int depth = 200000;
    for (int i = 0; i < depth; ++i)
        xml += "<a>";
    for (int i = 0; i < depth; ++i)
        xml += "</a>";
    pugi::xml_document doc;
    ASSERT_TRUE(LoadDocumentText(doc, xml));
    // Written back, the innermost element closes itself: "<a/>" for "<a></a>".
    EXPECT_EQ(DocumentText(doc).size(), xml.size() - 3);
}

} // namespace
} // namespace paperkit
