#include "publish/catalog_check.h"

#include "catalog/decimal.h"
#include "catalog/download_files.h"
#include "catalog/size_table.h"
#include "catalog/wall_category.h"
#include "catalog/wall_last_ver.h"
#include "catalog/wall_subject.h"
#include "catalog/xml_attr.h"
#include "catalog/xml_document.h"
#include "publish/catalog_layout.h"
#include "support/md5.h"
#include "support/scramble.h"

#include <optional>
#include <pugixml.hpp>
#include <set>
#include <system_error>

namespace paperkit {

namespace fs = std::filesystem;

namespace {

class Checker {
public:
    Checker(const fs::path& catalog, CheckReport& report)
        : m_root(catalog), m_docs(catalog / DocumentsFolderName), m_report(report) {}

    void Run() {
        CheckTotals();
        CheckCategories();
        CheckAlbums();
        CheckVersions();
    }

private:
    void Problem(const std::string& text) { m_report.Problems.push_back(text); }

    std::string Name(const char* document) const {
        return std::string(DocumentsFolderName) + "/" + document;
    }

    bool Open(pugi::xml_document& doc, const char* document) {
        const fs::path file = m_docs / document;
        std::error_code ec;
        if (!fs::is_regular_file(file, ec)) {
            Problem(Name(document) + ": missing");
            return false;
        }
        if (!OpenDocument(doc, file)) {
            Problem(Name(document) + ": not a readable catalog document");
            return false;
        }
        return true;
    }

    // The program's own reader must take the document, or the program never sees its content.
    template <typename Reader> void ProgramReads(const char* document, Reader read) {
        if (!(m_files.*read)(m_docs / document))
            Problem(Name(document) + ": the program's reader refuses it");
    }

    void CheckTotals() {
        pugi::xml_document doc;
        if (!Open(doc, FileTotalDocument))
            return;
        ProgramReads(FileTotalDocument, &TDownLoadFiles::ReadFileTotal);
        const pugi::xml_node total = doc.document_element().child("Total");
        for (const char* stamp : {"Category", "File", "LastVer"}) {
            if (ReadAttr(total, stamp).empty())
                Problem(Name(FileTotalDocument) + ": no " + stamp + " stamp");
        }
    }

    void CheckCategories() {
        pugi::xml_document doc;
        if (!Open(doc, CategoryDocument))
            return;
        ProgramReads(CategoryDocument, &TDownLoadFiles::ReadCategory);
        for (pugi::xml_node item : doc.document_element().child("Category").children()) {
            const int id = ReadAttrInt(item, "Id");
            if (!m_categories.insert(id).second)
                Problem(Name(CategoryDocument) + ": the category id " + std::to_string(id) +
                        " is given twice");
            ++m_report.Categories;
        }
    }

    // A path from the documents as the program joins it, checked to stay inside the catalog.
    std::optional<fs::path> File(const std::string& urlPath, const std::string& album) {
        if (urlPath.find("..") != std::string::npos) {
            Problem(album + ": the path " + urlPath + " leaves the catalog");
            return std::nullopt;
        }
        return ServedFile(m_root, urlPath);
    }

    void CompareDigest(const fs::path& file, const std::string& expected, const std::string& what) {
        const std::string shown = file.lexically_relative(m_root).generic_string();
        std::error_code ec;
        ++m_report.Files;
        if (!fs::is_regular_file(file, ec)) {
            Problem(shown + ": missing (" + what + ")");
            return;
        }
        const std::string actual = DigestHex(FileDigest(file));
        if (actual != expected)
            Problem(shown + ": MD5 " + actual + " differs from the catalog's " + expected + " (" +
                    what + ")");
    }

    static bool IsPlainName(const std::string& name) {
        return !name.empty() && name != "." && name != ".." &&
               name.find_first_of("/\\") == std::string::npos;
    }

    void CheckAlbums() {
        pugi::xml_document doc;
        if (!Open(doc, FileDocument))
            return;
        ProgramReads(FileDocument, &TDownLoadFiles::ReadFile);
        std::set<int> ids;
        int position = 0;
        for (pugi::xml_node item : doc.document_element().child("Subject").children()) {
            ++position;
            const int id = ReadAttrInt(item, "Id");
            const std::string album = "album " + std::to_string(id);
            const std::optional<int> category = ParseDecimal(ReadAttr(item, "Category"));
            if (!category) {
                Problem(Name(FileDocument) + ": the album at position " + std::to_string(position) +
                        " has no numeric Category; the program drops it and every album after it");
                break;
            }
            ++m_report.Albums;
            if (!ids.insert(id).second)
                Problem(album + ": the id is given twice");
            if (!m_categories.contains(*category))
                Problem(album + ": its category " + std::to_string(*category) + " is not in " +
                        Name(CategoryDocument));
            const std::string webPath = ReadAttr(item, "WebPath");
            const std::string localPath = ReadAttr(item, "LocalPath");
            const std::string cover = ReadAttr(item, "FileName");
            if (!webPath.starts_with("/") || !webPath.ends_with("/"))
                Problem(album + ": WebPath " + webPath + " must begin and end with /");
            if (localPath.find("..") != std::string::npos)
                Problem(album + ": LocalPath " + localPath + " leaves the download folder");
            if (!IsPlainName(cover))
                Problem(album + ": the cover name " + cover + " is not a plain file name");
            else if (auto file = File(webPath + CoverFolderName + "/" + cover, album))
                CompareDigest(*file, ReadAttr(item, "Total"), album + " cover");

            std::vector<int> sizes;
            const std::string sizeList = ReadAttr(item, "SizeList");
            std::size_t start = 0;
            while (start < sizeList.size()) {
                std::size_t end = sizeList.find(',', start);
                if (end == std::string::npos)
                    end = sizeList.size();
                const std::string size = sizeList.substr(start, end - start);
                if (SizeIndex(size) < 0)
                    Problem(album + ": the size " + size + " is not in the size table");
                else
                    sizes.push_back(SizeIndex(size));
                start = end + 1;
            }
            if (sizes.empty())
                Problem(album + ": SizeList names no size");

            int pictures = 0;
            std::set<int> numbers;
            for (pugi::xml_node image : item.children()) {
                ++pictures;
                const int no = ReadAttrInt(image, "No");
                const std::string picture = album + " picture " + std::to_string(no);
                if (!numbers.insert(no).second)
                    Problem(picture + ": the number is given twice");
                const std::string name = ReadAttr(image, "FileName");
                if (!IsPlainName(name)) {
                    Problem(picture + ": " + name + " is not a plain file name");
                    continue;
                }
                for (int size : sizes) {
                    const std::string total =
                        ReadAttr(image, ("Total" + std::to_string(size)).c_str());
                    if (total.empty()) {
                        Problem(picture + ": no digest for the listed size " + SizeName(size));
                        continue;
                    }
                    if (auto file = File(webPath + SizeName(size) + "/" + name, album))
                        CompareDigest(*file, total, picture + " in " + SizeName(size));
                }
            }
            m_report.Pictures += pictures;
            if (ReadAttrInt(item, "Counts") != pictures)
                Problem(album + ": Counts says " + ReadAttr(item, "Counts") + " but it lists " +
                        std::to_string(pictures) + " pictures");
        }
        if (m_files.Subjects().Count() != m_report.Albums)
            Problem(Name(FileDocument) + ": the program reads " +
                    std::to_string(m_files.Subjects().Count()) + " of its albums");
    }

    void CheckVersions() {
        pugi::xml_document doc;
        if (!Open(doc, LastVerDocument))
            return;
        if (!m_files.ReadLastVer(m_docs / LastVerDocument, "http://server/wallfiles"))
            Problem(Name(LastVerDocument) + ": the program's reader refuses it");
        const pugi::xml_node file = doc.document_element().child("File");
        if (!file.attribute("LastVer")) {
            Problem(Name(LastVerDocument) + ": no LastVer; the program reads no version from it");
            return;
        }
        for (pugi::xml_node item : file.children()) {
            ++m_report.Updates;
            const std::string id = ReadAttr(item, "Id");
            const std::string name = ScrambleDecode(id);
            if (ScrambleEncode(name) != id || !IsPlainName(name)) {
                Problem(Name(LastVerDocument) + ": the update id " + id +
                        " does not decode to a plain file name");
                continue;
            }
            CompareDigest(m_docs / UpdatesFolderName / (id + ".xyz"), ReadAttr(item, "Totalxyz"),
                          "update " + name);
        }
    }

    fs::path m_root;
    fs::path m_docs;
    CheckReport& m_report;
    TDownLoadFiles m_files;
    std::set<int> m_categories;
};

} // namespace

CheckReport CheckCatalog(const fs::path& catalog) {
    CheckReport report;
    Checker(catalog, report).Run();
    return report;
}

} // namespace paperkit
