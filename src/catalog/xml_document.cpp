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
#include <memory>
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

using OwnedBytes = std::unique_ptr<char, void (*)(void*)>;

// Large catalogs are parsed in place in a buffer from pugixml's allocator that the document then
// owns, so the text is held once rather than twice.
bool LoadOwnedBuffer(pugi::xml_document& doc, OwnedBytes buffer, size_t size) {
    const std::string_view bytes(buffer.get(), size);
    if (size == 0 || IsGbkFamily(DeclaredEncoding(bytes)))
        return LoadDocumentText(doc, bytes);
    const auto result =
        doc.load_buffer_inplace_own(buffer.release(), size, kParseOptions, pugi::encoding_auto);
    if (!result || !doc.document_element()) {
        doc.reset();
        return false;
    }
    return true;
}

} // namespace

bool LoadDocumentText(pugi::xml_document& doc, std::string_view bytes) {
    pugi::xml_parse_result result;
    if (const auto encoding = DeclaredEncoding(bytes); IsGbkFamily(encoding)) {
        // GB18030 is GBK with four-byte sequences on top, which CP936 would lose.
        const std::string utf8 =
            EqualsNoCase(encoding, "GB18030") ? Gb18030ToUtf8(bytes) : GbkToUtf8(bytes);
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
    OwnedBytes buffer(
        static_cast<char*>(pugi::get_memory_allocation_function()(static_cast<size_t>(size))),
        pugi::get_memory_deallocation_function());
    if (!buffer || !in.read(buffer.get(), size))
        return false;
    return LoadOwnedBuffer(doc, std::move(buffer), static_cast<size_t>(size));
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
    // The bytes just written are parsed from memory rather than read back.
    const PayloadMemory memory{pugi::get_memory_allocation_function(),
                               pugi::get_memory_deallocation_function()};
    UnpackedFile unpacked = TMyZip().Unpack(container, folder, memory);
    if (unpacked.File.empty())
        return false;
    std::error_code ec;
    fs::remove(unpacked.File, ec);
    return LoadOwnedBuffer(doc, std::move(unpacked.Bytes), unpacked.Size);
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
