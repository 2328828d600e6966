#pragma once

#include "platform/wallpaper/linux/desktop.h"
#include "platform/wallpaper/linux/picture.h"
#include "platform/wallpaper/wallpaper_style.h"

#include <chrono>
#include <string>

namespace paperkit {

/// Drives a desktop's own tools (gsettings, dbus-send, xfconf-query, pcmanfm-qt, pcmanfm,
/// swaymsg), each run with a time limit. On failure `reason` tells which tool refused and why.
class DesktopTools {
public:
    DesktopTools(WallpaperCache& cache, std::chrono::milliseconds limit);

    /// Shows the picture on this desktop in this style.
    bool Set(Desktop desktop, const Picture& picture, WallpaperStyle style, std::string& reason);
    /// Leaves this desktop without a picture.
    bool Clear(Desktop desktop, std::string& reason);
    /// Runs a user's command template with the picture's own path in place of %f and the style
    /// in place of %s.
    bool RunTemplate(const std::string& commandTemplate, const Picture& picture,
                     WallpaperStyle style, std::string& reason);

private:
    bool Run(const std::vector<std::string>& argv, std::string& reason,
             std::string* output = nullptr);
    bool SetGsettings(const char* schema, const char* key, const std::string& value,
                      std::string& reason);
    bool Apply(Desktop desktop, const std::filesystem::path& copy, WallpaperStyle style,
               std::string& reason);
    bool SetXfce(const std::string& image, int imageStyle, std::string& reason);
    bool Plasma(const std::string& script, std::string& reason);

    WallpaperCache& m_cache;
    std::chrono::milliseconds m_limit;
};

/// A file:// URI with every byte but unreserved ones and '/' percent-encoded.
std::string FileUri(const std::filesystem::path& path);

/// The text as a GVariant string literal, as gsettings parses its value argument.
std::string GVariantString(std::string_view text);

/// The text as a single-quoted JavaScript string literal.
std::string JavaScriptString(std::string_view text);

} // namespace paperkit
