// The readers of the server's catalog documents and of the totals files.
#include "catalog/album_item.h"
#include "catalog/download_files.h"
#include "catalog/xml_attr.h"
#include "catalog/xml_document.h"
#include "support/file_status.h"
#include "support/globals.h"
#include "support/log.h"
#include "support/scramble.h"

#include <exception>
#include <system_error>

namespace paperkit {

namespace fs = std::filesystem;

bool TDownLoadFiles::ReadFileTotal(const fs::path& container) {
    bool accepted = false;
    try {
        if (IsFile(container) && OpenDocument(container)) {
            std::string text = DocumentText(Document);
            if (text != FileTotalXml) {
                FileTotalXml = std::move(text);
                const pugi::xml_node root = Document.document_element();
                const pugi::xml_node total = root.child("Total");
                CategoryTotal = ReadAttr(total, "Category");
                FileTotal = ReadAttr(total, "File");
                LastVer = ReadAttr(total, "LastVer");
                Servers.Clear();
                ForEachItem(root.child("Server"), [this](const pugi::xml_node& item) {
                    Servers.Add(ReadAttr(item, "IP"), ReadAttrInt(item, "Timeout"));
                    return true;
                });
                accepted = true;
            }
        }
    } catch (const std::exception& e) {
        Log(std::string("ReadFileTotal: ") + e.what());
    }
    if (!accepted) {
        CategoryTotal = "!";
        FileTotal = "!";
        LastVer = "!";
    }
    Log((accepted ? "FileTotalXml: True " : "FileTotalXml: False ") + FileTotalXml);
    return accepted;
}

bool TDownLoadFiles::ReadFileTotalOld(const fs::path& container) {
    OldCategoryTotal = "?";
    OldFileTotal = "?";
    OldLastVer = "?";
    try {
        if (!IsFile(container) || !OpenDocument(container))
            return false;
        const pugi::xml_node root = Document.document_element();
        const pugi::xml_node total = root.child("Total");
        OldCategoryTotal = ReadAttr(total, "Category");
        OldFileTotal = ReadAttr(total, "File");
        OldLastVer = ReadAttr(total, "LastVer");
        Servers.Clear();
        ForEachItem(root.child("Server"), [this](const pugi::xml_node& item) {
            Servers.Add(ReadAttr(item, "IP"), ReadAttrInt(item, "Timeout"));
            return true;
        });
        return true;
    } catch (const std::exception& e) {
        Log(std::string("ReadFileTotalOld: ") + e.what());
        return false;
    }
}

bool TDownLoadFiles::WriteFileTotalOld(const fs::path& container) {
    if (FileTotalXml.empty())
        return false;
    try {
        if (!LoadDocumentText(Document, FileTotalXml))
            return false;
        return SaveDocument(container);
    } catch (const std::exception& e) {
        Log(std::string("WriteFileTotalOld: ") + e.what());
        return false;
    }
}

bool TDownLoadFiles::ReadCategory(const fs::path& container) {
    try {
        if (!IsFile(container) || !OpenDocument(container))
            return false;
        TWallCategorys& categorys = Categorys();
        categorys.Clear();
        ForEachItem(Document.document_element().child("Category"), [&](const pugi::xml_node& item) {
            auto category = std::make_unique<TWallCategory>();
            category->Id = ReadAttrInt(item, "Id");
            category->Desc = ReadAttr(item, "Desc");
            category->Remark = ReadAttr(item, "Remark");
            category->Preset = false;
            categorys.Add(std::move(category));
            return true;
        });
        return true;
    } catch (const std::exception& e) {
        Log(std::string("ReadCategory: ") + e.what());
        return false;
    }
}

bool TDownLoadFiles::ReadFile(const fs::path& container) {
    TWallAds& ads = WallAds();
    ads.Interval = 10000;
    try {
        if (!IsFile(container) || !OpenDocument(container))
            return false;
        const pugi::xml_node root = Document.document_element();
        ads.Clear();
        const pugi::xml_node adSection = root.child("Ad");
        ads.Interval = ReadAttrInt(adSection, "Interval");
        ForEachItem(adSection, [&](const pugi::xml_node& item) {
            auto ad = std::make_unique<TWallAd>();
            ad->Text = ReadAttr(item, "Text");
            ad->URL = ReadAttr(item, "URL");
            ads.Add(std::move(ad));
            return true;
        });
        TWallSubjects& subjects = Subjects();
        subjects.Clear();
        // Each album's nodes are given back as soon as its records are built, so that the
        // records reuse the document's memory rather than add to it.
        pugi::xml_node section = root.child("Subject");
        for (pugi::xml_node item = section.first_child(); item;) {
            const pugi::xml_node next = item.next_sibling();
            if (item.type() == pugi::node_element) {
                auto album = ReadAlbumItem(item, false, Screen);
                if (!album) {
                    Log("ReadFile: an album without a numeric Category ends the album list");
                    break;
                }
                subjects.Add(std::move(album));
            }
            section.remove_child(item);
            item = next;
        }
        // The parsed catalog can be large; the records hold everything now.
        Document.reset();
        return true;
    } catch (const std::exception& e) {
        Log(std::string("ReadFile: ") + e.what());
        return false;
    }
}

bool TDownLoadFiles::ReadLastVer(const fs::path& container, std::string_view filesAddress,
                                 const std::function<std::string(const std::string&)>& urlEncode) {
    try {
        if (!IsFile(container) || !OpenDocument(container))
            return false;
        LastVers.Clear();
        LastVers.LastVer.clear();
        const pugi::xml_node file = Document.document_element().child("File");
        const pugi::xml_attribute lastVer = file.attribute("LastVer");
        if (!lastVer)
            return false;
        LastVers.LastVer = lastVer.value();
        const std::string address(filesAddress.empty() ? std::string_view(CatalogBase)
                                                       : filesAddress);
        ForEachItem(file, [&](const pugi::xml_node& item) {
            auto record = std::make_unique<TWallLastVer>();
            const std::string id = ReadAttr(item, "Id");
            const std::string url = address + "/lastver/" + id + ".xyz";
            record->URL = urlEncode ? urlEncode(url) : url;
            record->FileName = ScrambleDecode(id);
            record->Total = ReadAttr(item, "Total");
            record->Totalxyz = ReadAttr(item, "Totalxyz");
            record->Downloaded = false;
            LastVers.Add(std::move(record));
            return true;
        });
        return true;
    } catch (const std::exception& e) {
        Log(std::string("ReadLastVer: ") + e.what());
        return false;
    }
}

} // namespace paperkit
