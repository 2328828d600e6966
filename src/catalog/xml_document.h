#pragma once

#include <filesystem>
#include <pugixml.hpp>
#include <string>
#include <string_view>

// How catalog documents become XML trees and back. Documents are stored as UTF-8 without a
// declaration or indentation; a server document that declares a GBK-family encoding is converted
// to UTF-8 before parsing.
namespace paperkit {

/// Parses document bytes into `doc`, honouring a declared GBK, GB2312, GB18030 or CP936 encoding.
/// False (and an empty `doc`) when the bytes are not well-formed XML with a document element.
bool LoadDocumentText(pugi::xml_document& doc, std::string_view bytes);

/// Reads a file with LoadDocumentText.
bool LoadDocumentFile(pugi::xml_document& doc, const std::filesystem::path& file);

/// The whole document as UTF-8 text, without declaration or indentation.
std::string DocumentText(const pugi::xml_document& doc);

/// Unpacks the container into the "~pk~" folder of the temporary folder, loads the document and
/// deletes the unpacked file whatever happened. False when any step failed.
bool OpenDocument(pugi::xml_document& doc, const std::filesystem::path& container);

/// Writes the document to a fresh "A000" temporary file and packs that into the container, which
/// is replaced only when packing succeeded. False when anything failed.
bool SaveDocument(const pugi::xml_document& doc, const std::filesystem::path& container);

} // namespace paperkit
