#include "rotation/file_index.h"

#include "support/globals.h"
#include "support/ini_file.h"
#include "support/log.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <string_view>

namespace paperkit {

namespace {

constexpr std::string_view Section = "WallParas";

// Empty until the receive folder is known: the index is never read from or written to
// whatever the current folder happens to be.
std::filesystem::path IndexFile() {
    if (ReceiveFolder.empty())
        return {};
    return ReceiveFolder / "fileindex.ini";
}

int ToInt(const std::optional<std::string>& text, int fallback) {
    if (!text || text->empty())
        return fallback;
    int value = 0;
    const char* first = text->data();
    const char* last = first + text->size();
    if (*first == '+')
        ++first;
    auto [end, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && end == last ? value : fallback;
}

int ReadInt(std::string_view key, int fallback) {
    return ToInt(ReadIniValue(IndexFile(), Section, key), fallback);
}

void WriteValue(std::string_view key, std::string_view value) {
    if (!WriteIniValue(IndexFile(), Section, key, value))
        Log("fileindex.ini: cannot write " + std::string(key));
}

} // namespace

int ReadFileIndex() {
    return ReadInt("FileIndex", -1);
}

void WriteFileIndex(int index) {
    WriteValue("FileIndex", std::to_string(index));
}

std::string ReadDownloadDir() {
    return ReadIniValue(IndexFile(), Section, "DownloadDir").value_or(std::string());
}

void WriteDownloadDir(const std::string& folder) {
    if (folder.empty()) {
        if (!DeleteIniValue(IndexFile(), Section, "DownloadDir"))
            Log("fileindex.ini: cannot clear DownloadDir");
        return;
    }
    WriteValue("DownloadDir", folder);
}

PanelPos ReadPanelPos() {
    IniFile ini;
    if (!ini.Load(IndexFile()))
        return {};
    return {ToInt(ini.Value(Section, "X"), -1), ToInt(ini.Value(Section, "Y"), -1)};
}

void WritePanelPos(PanelPos pos) {
    IniFile ini;
    if (!ini.Load(IndexFile()) || !ini.SetValue(Section, "X", std::to_string(pos.X)) ||
        !ini.SetValue(Section, "Y", std::to_string(pos.Y)) || !ini.Save(IndexFile()))
        Log("fileindex.ini: cannot write the panel position");
}

} // namespace paperkit
