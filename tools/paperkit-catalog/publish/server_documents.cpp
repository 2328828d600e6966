#include "publish/server_documents.h"

#include "catalog/album_item.h"
#include "catalog/xml_attr.h"
#include "catalog/xml_document.h"
#include "publish/catalog_layout.h"
#include "support/md5.h"
#include "support/scramble.h"

#include <string_view>

namespace paperkit {

namespace {

pugi::xml_node StartDocument(pugi::xml_document& doc) {
    doc.reset();
    return doc.append_child("Root");
}

} // namespace

void BuildFileTotalDocument(pugi::xml_document& doc, const FileTotals& totals) {
    pugi::xml_node root = StartDocument(doc);
    pugi::xml_node total = root.append_child("Total");
    WriteAttr(total, "Category", totals.Category);
    WriteAttr(total, "File", totals.File);
    WriteAttr(total, "LastVer", totals.LastVer);
    root.append_child("Server");
}

void BuildCategoryDocument(pugi::xml_document& doc, const TWallCategorys& categorys) {
    pugi::xml_node section = StartDocument(doc).append_child("Category");
    for (const TWallCategory& category : categorys) {
        pugi::xml_node item = section.append_child("C");
        WriteAttrInt(item, "Id", category.Id);
        WriteAttr(item, "Desc", category.Desc);
        WriteAttr(item, "Remark", category.Remark);
    }
}

void AppendSubjectItem(pugi::xml_node& section, const TWallSubject& subject) {
    pugi::xml_node item = section.append_child("S");
    WriteAttrInt(item, "Id", subject.Id);
    WriteAttr(item, "Desc", subject.Desc);
    WriteAttr(item, "Remark", subject.Remark);
    WriteAttrInt(item, "Category", subject.Category);
    WriteAttr(item, "Total", subject.Total);
    WriteAttrInt(item, "Counts", subject.Counts);
    WriteAttr(item, "Date", subject.Date);
    WriteAttr(item, "GoURL", subject.GoURL);
    WriteAttr(item, "SizeType", subject.SizeType);
    WriteAttr(item, "SizeList", subject.SizeList);
    WriteAttr(item, "Author", subject.Author);
    WriteAttr(item, "LocalPath", subject.LocalPath);
    WriteAttr(item, "FileName", subject.FileName);
    WriteAttr(item, "CRC", subject.CRC);
    WriteAttr(item, "WebPath", subject.WebPath);
    for (const TWallImage& image : subject.Images)
        WritePictureItem(item, image);
}

void BuildFileDocument(pugi::xml_document& doc, const TWallSubjects& subjects,
                       const TWallAds& ads) {
    pugi::xml_node root = StartDocument(doc);
    pugi::xml_node adSection = root.append_child("Ad");
    WriteAttrInt(adSection, "Interval", ads.Interval);
    for (const TWallAd& ad : ads) {
        pugi::xml_node item = adSection.append_child("A");
        WriteAttr(item, "Text", ad.Text);
        WriteAttr(item, "URL", ad.URL);
    }
    pugi::xml_node section = root.append_child("Subject");
    for (const TWallSubject& subject : subjects)
        AppendSubjectItem(section, subject);
}

void BuildLastVerDocument(pugi::xml_document& doc, const TWallLastVers& lastVers) {
    pugi::xml_node section = StartDocument(doc).append_child("File");
    WriteAttr(section, "LastVer", lastVers.LastVer);
    for (const TWallLastVer& file : lastVers) {
        pugi::xml_node item = section.append_child("F");
        WriteAttr(item, "Id", ScrambleEncode(file.FileName));
        WriteAttr(item, "Total", file.Total);
        WriteAttr(item, "Totalxyz", file.Totalxyz);
    }
}

void BuildGuideDocument(pugi::xml_document& doc, const TWallSubjects& subjects) {
    pugi::xml_node section = StartDocument(doc).append_child("Subject");
    for (const TWallSubject& subject : subjects)
        AppendSubjectItem(section, subject);
}

bool WriteGuideFile(const TWallSubject& subject, const std::filesystem::path& file) {
    pugi::xml_document doc;
    pugi::xml_node section = StartDocument(doc).append_child("Subject");
    AppendSubjectItem(section, subject);
    return SaveDocument(doc, file);
}

std::string DocumentStamp(const pugi::xml_document& doc) {
    return DigestHex(DataDigest(DocumentText(doc)));
}

namespace {

// Writes the document unless its container already holds exactly this text.
bool PublishDocument(const pugi::xml_document& doc, const std::filesystem::path& file,
                     std::vector<std::string>& written, std::string& error) {
    pugi::xml_document existing;
    if (OpenDocument(existing, file) && DocumentText(existing) == DocumentText(doc))
        return true;
    if (!SaveDocument(doc, file)) {
        error = "cannot write " + file.string();
        return false;
    }
    written.push_back(file.filename().string());
    return true;
}

} // namespace

bool PublishServerDocuments(const std::filesystem::path& folder, const ServerCatalog& catalog,
                            FileTotals& stamps, std::vector<std::string>& written,
                            std::string& error) {
    pugi::xml_document doc;
    BuildCategoryDocument(doc, catalog.Categorys);
    stamps.Category = DocumentStamp(doc);
    if (!PublishDocument(doc, folder / CategoryDocument, written, error))
        return false;
    BuildFileDocument(doc, catalog.Subjects, catalog.Ads);
    stamps.File = DocumentStamp(doc);
    if (!PublishDocument(doc, folder / FileDocument, written, error))
        return false;
    BuildLastVerDocument(doc, catalog.LastVers);
    stamps.LastVer = DocumentStamp(doc);
    if (!PublishDocument(doc, folder / LastVerDocument, written, error))
        return false;
    BuildFileTotalDocument(doc, stamps);
    return PublishDocument(doc, folder / FileTotalDocument, written, error);
}

} // namespace paperkit
