// The wallpaper library on Windows: the system's own wallpaper call, which reads the style from
// the two values under "Control Panel\Desktop". Pictures the call does not take (GIF, PNG) are
// converted to a BMP first with GDI+.
#include "platform/settings_store.h"
#include "platform/wallpaper/utils.h"
#include "platform/wallpaper/wallpaper_style.h"

#include <cstdio>
#include <exception>
#include <string>
// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <shlobj.h>
// clang-format on

namespace paperkit {
namespace {

// The library logs like the program: to the file PAPERKIT_LOG names, when it names one.
void Note(const std::string& line) {
    wchar_t target[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"PAPERKIT_LOG", target, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    if (FILE* file = _wfopen(target, L"ab")) {
        std::fprintf(file, "wallpaper: %s\n", line.c_str());
        std::fclose(file);
    }
}

std::wstring Wide(const char* utf8) {
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, nullptr, 0);
    if (size <= 1)
        return {};
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, wide.data(), size);
    wide.resize(static_cast<std::size_t>(size - 1));
    return wide;
}

enum class Kind { Unknown, Jpeg, Bmp, Gif, Png };

// The kind from the first bytes; the extension may say anything.
Kind Sniff(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Kind::Unknown;
    unsigned char head[8] = {};
    DWORD read = 0;
    const BOOL ok = ReadFile(file, head, sizeof head, &read, nullptr);
    CloseHandle(file);
    if (!ok || read < 4)
        return Kind::Unknown;
    if (head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF)
        return Kind::Jpeg;
    if (head[0] == 'B' && head[1] == 'M')
        return Kind::Bmp;
    if (head[0] == 'G' && head[1] == 'I' && head[2] == 'F' && head[3] == '8')
        return Kind::Gif;
    if (head[0] == 0x89 && head[1] == 'P' && head[2] == 'N' && head[3] == 'G')
        return Kind::Png;
    return Kind::Unknown;
}

class GdiPlus {
public:
    GdiPlus() {
        Gdiplus::GdiplusStartupInput input;
        m_ok = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiPlus() {
        if (m_ok)
            Gdiplus::GdiplusShutdown(m_token);
    }
    GdiPlus(const GdiPlus&) = delete;
    GdiPlus& operator=(const GdiPlus&) = delete;
    bool Ok() const { return m_ok; }

private:
    ULONG_PTR m_token = 0;
    bool m_ok = false;
};

bool BmpEncoder(CLSID& clsid) {
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0)
        return false;
    std::string buffer(bytes, '\0');
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i)
        if (std::wstring(codecs[i].MimeType) == L"image/bmp") {
            clsid = codecs[i].Clsid;
            return true;
        }
    return false;
}

std::wstring CacheFolder() {
    wchar_t* local = nullptr;
    std::wstring folder;
    if (SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &local) == S_OK)
        folder = std::wstring(local) + L"\\PaperKit";
    CoTaskMemFree(local);
    if (folder.empty())
        return {};
    CreateDirectoryW(folder.c_str(), nullptr);
    folder += L"\\wallpaper-cache";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// Decodes the whole picture, so that a damaged file never reaches the desktop, and writes the
// first frame as a BMP when the system call would not take the original.
bool Prepare(const std::wstring& path, Kind kind, std::wstring& shown, std::string& reason) {
    GdiPlus gdiplus;
    if (!gdiplus.Ok()) {
        reason = "GDI+ did not start";
        return false;
    }
    Gdiplus::Bitmap bitmap(path.c_str());
    if (bitmap.GetLastStatus() != Gdiplus::Ok || bitmap.GetWidth() == 0) {
        reason = "damaged picture";
        return false;
    }
    if (kind == Kind::Jpeg || kind == Kind::Bmp) {
        shown = path;
        return true;
    }
    CLSID bmp;
    const std::wstring folder = CacheFolder();
    if (folder.empty() || !BmpEncoder(bmp)) {
        reason = "no place or encoder for the converted copy";
        return false;
    }
    const std::wstring part = folder + L"\\wallpaper.bmp.part";
    shown = folder + L"\\wallpaper.bmp";
    if (bitmap.Save(part.c_str(), &bmp, nullptr) != Gdiplus::Ok ||
        !MoveFileExW(part.c_str(), shown.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(part.c_str());
        reason = "cannot write the converted copy";
        return false;
    }
    return true;
}

// The style values are written back as one of the three known pairs, so that an odd pair
// shows centred as the program promises.
void WriteStyle(SettingsStore& store) {
    const WallpaperStyle style = ReadWallpaperStyle(store);
    const char* tile = style == WallpaperStyle::Tile ? "1" : "0";
    const char* stretch = style == WallpaperStyle::Stretch ? "2" : "0";
    if (!store.WriteString(Hive::CurrentUser, kDesktopKey, "TileWallpaper", tile) ||
        !store.WriteString(Hive::CurrentUser, kDesktopKey, "WallpaperStyle", stretch))
        Note("cannot write the wallpaper style");
}

bool SetDesktop(const wchar_t* path) {
    return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(path),
                                 SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) != FALSE;
}

int Change(const char* utf8) {
    const std::wstring path = utf8 ? Wide(utf8) : std::wstring();
    const DWORD attributes =
        path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        Note(std::string("picture refused: not an existing file: ") + (utf8 ? utf8 : ""));
        return 0;
    }
    const Kind kind = Sniff(path);
    if (kind == Kind::Unknown) {
        Note(std::string("picture refused: not a JPEG, BMP, GIF or PNG picture: ") + utf8);
        return 0;
    }
    std::wstring shown;
    std::string reason;
    if (!Prepare(path, kind, shown, reason)) {
        Note("picture refused: " + reason + ": " + utf8);
        return 0;
    }
    const auto store = CreateSettingsStore();
    WriteStyle(*store);
    if (!SetDesktop(shown.c_str())) {
        Note("the system refused the wallpaper (error " + std::to_string(GetLastError()) + ")");
        return 0;
    }
    return 1;
}

} // namespace
} // namespace paperkit

extern "C" int PAPERKIT_UTILS_CALL ChangeWallpaper(const char* path) {
    try {
        return paperkit::Change(path);
    } catch (const std::exception& e) {
        paperkit::Note(std::string("failed: ") + e.what());
    } catch (...) {
        paperkit::Note("failed");
    }
    return 0;
}

extern "C" int PAPERKIT_UTILS_CALL ClearWallpaper(void) {
    if (paperkit::SetDesktop(L""))
        return 1;
    paperkit::Note("the system refused to clear the wallpaper");
    return 0;
}
