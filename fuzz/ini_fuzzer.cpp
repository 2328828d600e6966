// INI text as found in "fileindex.ini" and the settings store's files: any bytes parse, lookups
// give a clear answer, and a value that was set reads back while the rest survives a write. The
// position index and the settings store then read the same text from disk.
#include "fuzz_support.h"
#include "platform/linux/ini_settings_store.h"
#include "rotation/file_index.h"
#include "support/globals.h"
#include "support/ini_file.h"

using namespace paperkit;
namespace fs = std::filesystem;

namespace {

// Names compare as the INI file compares them: without the blanks around them and regardless
// of ASCII letter case.
bool SameName(std::string_view a, std::string_view b) {
    const auto trim = [](std::string_view s) {
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
            s.remove_prefix(1);
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
            s.remove_suffix(1);
        return s;
    };
    a = trim(a);
    b = trim(b);
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);

    IniFile ini;
    ini.Parse(text);
    const std::string written = ini.Text();
    IniFile again;
    again.Parse(written);
    if (again.Text() != written)
        fuzz::Fail("the written text does not parse to itself");
    for (const char* key : {"FileIndex", "X", "Y", "DownloadDir"})
        if (ini.Value("WallParas", key) != again.Value("WallParas", key))
            fuzz::Fail("a value changed across a write");

    // Names and values from the input itself, cut at the first two NULs.
    const std::size_t a = text.find('\0');
    const std::size_t b = a == std::string_view::npos ? a : text.find('\0', a + 1);
    const std::string_view section = a == std::string_view::npos ? "WallParas" : text.substr(0, a);
    const std::string_view key =
        b == std::string_view::npos ? "FileIndex" : text.substr(a + 1, b - a - 1);
    const std::string_view value = b == std::string_view::npos ? "7" : text.substr(b + 1, 40);
    const auto other = again.Value("Other", "Key");
    if (again.SetValue(section, key, value)) {
        IniFile reparsed;
        reparsed.Parse(again.Text());
        const auto read = reparsed.Value(section, key);
        if (!read)
            fuzz::Fail("a value that was set is missing");
        if (!(SameName(section, "Other") && SameName(key, "Key")) &&
            reparsed.Value("Other", "Key") != other)
            fuzz::Fail("setting one value changed another");
        if (reparsed.RemoveValue(section, key) && reparsed.Value(section, key))
            fuzz::Fail("a removed value is still there");
    }

    // The same text as the files on disk behind the position index and the settings store.
    static const fs::path receive = [] {
        fs::create_directories(fuzz::Scratch() / "receive");
        return fuzz::Scratch() / "receive";
    }();
    ReceiveFolder = receive;
    fuzz::WriteBytes(receive / "fileindex.ini", text);
    // Reads only: every write flushes to the disk, which would slow the run a hundredfold, and
    // what a write does to the text is checked above through SetValue and Text.
    if (ReadIniValue(receive / "fileindex.ini", "WallParas", "FileIndex") !=
        ini.Value("WallParas", "FileIndex"))
        fuzz::Fail("the file reads otherwise than its text");
    (void)ReadFileIndex();
    (void)ReadDownloadDir();
    (void)ReadPanelPos();

    fuzz::WriteBytes(receive / "user.ini", text);
    const IniSettingsStore store(receive / "user.ini", receive / "machine.ini");
    (void)store.ReadString(Hive::CurrentUser, "Software\\Ravenmoor\\PaperKit", "Debug");
    (void)store.ReadInteger(Hive::CurrentUser, "Control Panel\\Desktop", "WallpaperStyle");
    (void)store.ReadString(Hive::LocalMachine, "Software\\Ravenmoor\\PaperKit", "Debug");
    fuzz::Clear(receive);
    return 0;
}
