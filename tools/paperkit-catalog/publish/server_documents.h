#pragma once

#include "catalog/wall_ad.h"
#include "catalog/wall_category.h"
#include "catalog/wall_last_ver.h"
#include "catalog/wall_subject.h"

#include <filesystem>
#include <pugixml.hpp>
#include <string>
#include <vector>

// The catalog documents a server publishes, built from the catalog records. Each builder starts
// the document afresh; `SaveDocument` packs it into its container.
namespace paperkit {

/// The stamps of the totals document: one per document, changed whenever that document's
/// content changes.
struct FileTotals {
    std::string Category;
    std::string File;
    std::string LastVer;
};

/// "filetotal.xmz": the stamps and an empty server list.
void BuildFileTotalDocument(pugi::xml_document& doc, const FileTotals& totals);

/// "category.xmz".
void BuildCategoryDocument(pugi::xml_document& doc, const TWallCategorys& categorys);

/// "file.xmz": the advertisements and the albums with their pictures. Pictures carry their
/// `Remark` too, so that guide files can be cut from this document; the program's reader ignores
/// it.
void BuildFileDocument(pugi::xml_document& doc, const TWallSubjects& subjects, const TWallAds& ads);

/// "lastver.xmz": the version and its files, each named by the scrambled `FileName`.
void BuildLastVerDocument(pugi::xml_document& doc, const TWallLastVers& lastVers);

/// A download guide file (.pkd) naming these albums.
void BuildGuideDocument(pugi::xml_document& doc, const TWallSubjects& subjects);

/// Appends one album item, with its pictures, to a "Subject" section.
void AppendSubjectItem(pugi::xml_node& section, const TWallSubject& subject);

/// Writes a guide file for one album; false when it cannot be written.
bool WriteGuideFile(const TWallSubject& subject, const std::filesystem::path& file);

/// What the four server documents carry.
struct ServerCatalog {
    const TWallCategorys& Categorys;
    const TWallSubjects& Subjects;
    const TWallAds& Ads;
    const TWallLastVers& LastVers;
};

/// Writes "category.xmz", "file.xmz", "lastver.xmz" and, last, "filetotal.xmz" into the folder,
/// so that a program that sees new stamps finds the documents ready. A container that already
/// holds the same text is left as it is. Fills `stamps`, appends the names of the documents it
/// wrote to `written`; false with `error` when one cannot be written.
bool PublishServerDocuments(const std::filesystem::path& folder, const ServerCatalog& catalog,
                            FileTotals& stamps, std::vector<std::string>& written,
                            std::string& error);

/// The stamp of a document: the MD5 of its text, so it changes exactly when the text does.
std::string DocumentStamp(const pugi::xml_document& doc);

} // namespace paperkit
