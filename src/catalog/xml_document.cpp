#include "catalog/xml_document.h"

#include "catalog/container.h"
#include "support/gbk.h"
#include "support/log.h"
#include "support/temp_files.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace paperkit {

namespace {

namespace fs = std::filesystem;

constexpr unsigned kParseOptions = pugi::parse_default;
constexpr unsigned kFormat = pugi::format_raw | pugi::format_no_declaration;

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The encoding named in the XML declaration, or empty when there is none.
std::string_view DeclaredEncoding(std::string_view bytes) {
    if (bytes.substr(0, 5) != "<?xml")
        return {};
    const auto end = bytes.find("?>");
    if (end == std::string_view::npos)
        return {};
    const std::string_view decl = bytes.substr(5, end - 5);
    const auto key = decl.find("encoding");
    if (key == std::string_view::npos)
        return {};
    std::string_view rest = decl.substr(key + 8);
    const auto notSpace = [](std::string_view s) {
        return s.find_first_not_of(" \t\r\n") == std::string_view::npos
                   ? s.size()
                   : s.find_first_not_of(" \t\r\n");
    };
    rest.remove_prefix(notSpace(rest));
    if (rest.empty() || rest.front() != '=')
        return {};
    rest.remove_prefix(1);
    rest.remove_prefix(notSpace(rest));
    if (rest.empty() || (rest.front() != '"' && rest.front() != '\''))
        return {};
    const char quote = rest.front();
    rest.remove_prefix(1);
    const auto close = rest.find(quote);
    return close == std::string_view::npos ? std::string_view{} : rest.substr(0, close);
}

bool IsGbkFamily(std::string_view encoding) {
    constexpr std::array<std::string_view, 4> names = {"GBK", "GB2312", "GB18030", "CP936"};
    return std::any_of(names.begin(), names.end(),
                       [&](std::string_view n) { return EqualsNoCase(encoding, n); });
}

// The unpack folder is a fixed name in a shared temporary folder, so it must be a real folder of
// ours: a link planted there would make us write and delete files somewhere else.
bool UsableUnpackFolder(const fs::path& folder) {
    std::error_code ec;
    fs::create_directory(folder, ec);
    struct stat st {};
    return ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
}

} // namespace

bool LoadDocumentText(pugi::xml_document& doc, std::string_view bytes) {
    pugi::xml_parse_result result;
    if (IsGbkFamily(DeclaredEncoding(bytes))) {
        const std::string utf8 = GbkToUtf8(bytes);
        result = doc.load_buffer(utf8.data(), utf8.size(), kParseOptions, pugi::encoding_utf8);
    } else {
        result = doc.load_buffer(bytes.data(), bytes.size(), kParseOptions, pugi::encoding_auto);
    }
    if (!result || !doc.document_element()) {
        doc.reset();
        return false;
    }
    return true;
}

bool LoadDocumentFile(pugi::xml_document& doc, const fs::path& file) {
    doc.reset();
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    const std::streamoff size = in.tellg();
    if (size <= 0)
        return false;
    in.seekg(0);
    // Large catalogs are parsed in place in a buffer the document then owns, so the text is held
    // once rather than twice.
    void* buffer = pugi::get_memory_allocation_function()(static_cast<size_t>(size));
    if (!buffer)
        return false;
    if (!in.read(static_cast<char*>(buffer), size)) {
        pugi::get_memory_deallocation_function()(buffer);
        return false;
    }
    const std::string_view bytes(static_cast<const char*>(buffer), static_cast<size_t>(size));
    if (IsGbkFamily(DeclaredEncoding(bytes))) {
        const bool loaded = LoadDocumentText(doc, bytes);
        pugi::get_memory_deallocation_function()(buffer);
        return loaded;
    }
    const auto result = doc.load_buffer_inplace_own(buffer, static_cast<size_t>(size),
                                                    kParseOptions, pugi::encoding_auto);
    if (!result || !doc.document_element()) {
        doc.reset();
        return false;
    }
    return true;
}

std::string DocumentText(const pugi::xml_document& doc) {
    struct Writer : pugi::xml_writer {
        std::string text;
        void write(const void* data, size_t size) override {
            text.append(static_cast<const char*>(data), size);
        }
    } writer;
    doc.save(writer, "", kFormat, pugi::encoding_utf8);
    return std::move(writer.text);
}

bool OpenDocument(pugi::xml_document& doc, const fs::path& container) {
    doc.reset();
    const fs::path folder = TempFolder() / "~pk~";
    if (!UsableUnpackFolder(folder)) {
        Log("OpenDocument: unusable unpack folder " + folder.string());
        return false;
    }
    const fs::path unpacked = TMyZip().Unpack(container, folder);
    if (unpacked.empty())
        return false;
    const bool loaded = LoadDocumentFile(doc, unpacked);
    std::error_code ec;
    fs::remove(unpacked, ec);
    return loaded;
}

bool SaveDocument(const pugi::xml_document& doc, const fs::path& container) {
    const fs::path temp = MakeTempFile("A000");
    if (temp.empty())
        return false;
    bool saved = false;
    try {
        if (doc.save_file(temp.c_str(), "", kFormat, pugi::encoding_utf8)) {
            TMyZip().Pack(temp, container);
            saved = true;
        }
    } catch (const std::exception& e) {
        Log(std::string("SaveDocument: ") + e.what());
    }
    std::error_code ec;
    fs::remove(temp, ec);
    return saved;
}

} // namespace paperkit
