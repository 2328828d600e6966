#include "platform/wallpaper/linux/desktop_tools.h"

#include "platform/wallpaper/linux/command_template.h"
#include "platform/wallpaper/linux/process.h"
#include "support/log.h"

#include <cstdio>
#include <sstream>

namespace paperkit {
namespace fs = std::filesystem;
namespace {

const char* GnomeOption(WallpaperStyle style) {
    switch (style) {
    case WallpaperStyle::Stretch:
        return "stretched";
    case WallpaperStyle::Tile:
        return "wallpaper";
    case WallpaperStyle::Centre:
        break;
    }
    return "centered";
}

int PlasmaFillMode(WallpaperStyle style) {
    switch (style) {
    case WallpaperStyle::Stretch:
        return 0;
    case WallpaperStyle::Tile:
        return 3;
    case WallpaperStyle::Centre:
        break;
    }
    return 6;
}

int XfceImageStyle(WallpaperStyle style) {
    switch (style) {
    case WallpaperStyle::Stretch:
        return 3;
    case WallpaperStyle::Tile:
        return 2;
    case WallpaperStyle::Centre:
        break;
    }
    return 1;
}

// pcmanfm, pcmanfm-qt and sway share these names.
const char* ModeName(WallpaperStyle style) {
    switch (style) {
    case WallpaperStyle::Stretch:
        return "stretch";
    case WallpaperStyle::Tile:
        return "tile";
    case WallpaperStyle::Centre:
        break;
    }
    return "center";
}

// The words a command template gets for %s.
const char* TemplateStyleName(WallpaperStyle style) {
    switch (style) {
    case WallpaperStyle::Stretch:
        return "stretch";
    case WallpaperStyle::Tile:
        return "tile";
    case WallpaperStyle::Centre:
        break;
    }
    return "centre";
}

std::string Hex(unsigned char c, const char* format) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, format, c);
    return buffer;
}

// sway reads the path through its own command parser and a word expansion: a path with quotes,
// backslashes, dollars or backquotes cannot be handed over safely.
bool SafeForSway(const std::string& path) {
    for (const unsigned char c : path)
        if (c < 0x20 || c == 0x7f || c == '"' || c == '\'' || c == '\\' || c == '$' || c == '`')
            return false;
    return true;
}

} // namespace

std::string FileUri(const fs::path& path) {
    std::string uri = "file://";
    for (const unsigned char c : path.string()) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           c == '/';
        uri += plain ? std::string(1, static_cast<char>(c)) : Hex(c, "%%%02X");
    }
    return uri;
}

std::string GVariantString(std::string_view text) {
    std::string quoted = "'";
    for (const unsigned char c : text) {
        if (c == '\'' || c == '\\')
            quoted += '\\';
        if (c < 0x20 || c == 0x7f)
            quoted += Hex(c, "\\u%04x");
        else
            quoted += static_cast<char>(c);
    }
    return quoted + "'";
}

std::string JavaScriptString(std::string_view text) {
    std::string quoted = "'";
    for (const unsigned char c : text) {
        if (c == '\'' || c == '\\' || c == '"')
            quoted += '\\';
        if (c < 0x20 || c == 0x7f)
            quoted += Hex(c, "\\x%02x");
        else
            quoted += static_cast<char>(c);
    }
    return quoted + "'";
}

DesktopTools::DesktopTools(WallpaperCache& cache, std::chrono::milliseconds limit)
    : m_cache(cache), m_limit(limit) {}

bool DesktopTools::Run(const std::vector<std::string>& argv, std::string& reason,
                       std::string* output) {
    ProcessResult result = RunProcess(argv, m_limit);
    if (!result.Succeeded()) {
        reason = argv.front() + " " + result.Reason();
        return false;
    }
    if (output)
        *output = std::move(result.output);
    return true;
}

bool DesktopTools::SetGsettings(const char* schema, const char* key, const std::string& value,
                                std::string& reason) {
    return Run({"gsettings", "set", schema, key, GVariantString(value)}, reason);
}

bool DesktopTools::Plasma(const std::string& script, std::string& reason) {
    return Run({"dbus-send", "--session", "--print-reply",
                "--reply-timeout=" + std::to_string(m_limit.count()), "--dest=org.kde.plasmashell",
                "/PlasmaShell", "org.kde.PlasmaShell.evaluateScript", "string:" + script},
               reason);
}

bool DesktopTools::SetXfce(const std::string& image, int imageStyle, std::string& reason) {
    std::string listing;
    if (!Run({"xfconf-query", "-c", "xfce4-desktop", "-p", "/backdrop", "-l"}, reason, &listing))
        return false;
    std::vector<std::string> properties;
    std::istringstream lines(listing);
    const std::string leaf = "/last-image";
    for (std::string line; std::getline(lines, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (line.size() > leaf.size() &&
            line.compare(line.size() - leaf.size(), leaf.size(), leaf) == 0 && line.front() == '/')
            properties.push_back(line);
    }
    if (properties.empty()) {
        reason = "xfconf-query lists no backdrop last-image property";
        return false;
    }
    for (const std::string& property : properties) {
        const std::string styleProperty =
            property.substr(0, property.size() - leaf.size()) + "/image-style";
        // Setting "" first makes xfdesktop load the picture again even when the name is the same.
        if (!Run({"xfconf-query", "-c", "xfce4-desktop", "-p", property, "-s", ""}, reason) ||
            !Run({"xfconf-query", "-c", "xfce4-desktop", "-p", styleProperty, "-n", "-t", "int",
                  "-s", std::to_string(imageStyle)},
                 reason))
            return false;
        if (!image.empty() &&
            !Run({"xfconf-query", "-c", "xfce4-desktop", "-p", property, "-s", image}, reason))
            return false;
    }
    return true;
}

bool DesktopTools::Apply(Desktop desktop, const fs::path& copy, WallpaperStyle style,
                         std::string& reason) {
    const std::string path = copy.string();
    switch (desktop) {
    case Desktop::Gnome: {
        const char* schema = "org.gnome.desktop.background";
        if (!SetGsettings(schema, "picture-options", GnomeOption(style), reason) ||
            !SetGsettings(schema, "picture-uri", FileUri(copy), reason))
            return false;
        // GNOME before 42 has no dark key: the light one is what counts there.
        std::string darkReason;
        if (!SetGsettings(schema, "picture-uri-dark", FileUri(copy), darkReason))
            Log("wallpaper: " + darkReason);
        return true;
    }
    case Desktop::Cinnamon:
        return SetGsettings("org.cinnamon.desktop.background", "picture-options",
                            GnomeOption(style), reason) &&
               SetGsettings("org.cinnamon.desktop.background", "picture-uri", FileUri(copy),
                            reason);
    case Desktop::Mate:
        return SetGsettings("org.mate.background", "picture-options", GnomeOption(style), reason) &&
               SetGsettings("org.mate.background", "picture-filename", path, reason);
    case Desktop::Kde: {
        const std::string script =
            "var uri = " + JavaScriptString(FileUri(copy)) +
            ";\nvar all = desktops();\nfor (var i = 0; i < all.length; i++) {\n"
            "    var d = all[i];\n    d.wallpaperPlugin = 'org.kde.image';\n"
            "    d.currentConfigGroup = Array('Wallpaper', 'org.kde.image', 'General');\n"
            "    d.writeConfig('Image', uri);\n    d.writeConfig('FillMode', " +
            std::to_string(PlasmaFillMode(style)) + ");\n}\n";
        return Plasma(script, reason);
    }
    case Desktop::Xfce:
        return SetXfce(path, XfceImageStyle(style), reason);
    case Desktop::Lxqt:
        return Run({"pcmanfm-qt", "--set-wallpaper", path, "--wallpaper-mode", ModeName(style)},
                   reason);
    case Desktop::Lxde:
        return Run({"pcmanfm", "--set-wallpaper", path,
                    std::string("--wallpaper-mode=") + ModeName(style)},
                   reason);
    case Desktop::Sway:
        if (!SafeForSway(path)) {
            reason = "sway cannot be handed the path " + path;
            return false;
        }
        return Run({"swaymsg", "output", "*", "bg", "\"" + path + "\"", ModeName(style)}, reason);
    case Desktop::X11:
    case Desktop::Unknown:
        break;
    }
    reason = "no wallpaper tool for " + std::string(DesktopName(desktop));
    return false;
}

bool DesktopTools::Set(Desktop desktop, const Picture& picture, WallpaperStyle style,
                       std::string& reason) {
    // swaybg takes PNG in every build; the others read all four formats.
    const std::string format = desktop == Desktop::Sway ? "png" : "";
    const auto copy = m_cache.Add(picture, format, reason);
    if (!copy)
        return false;
    if (!Apply(desktop, *copy, style, reason)) {
        m_cache.Discard(*copy);
        return false;
    }
    m_cache.Keep(*copy);
    return true;
}

bool DesktopTools::Clear(Desktop desktop, std::string& reason) {
    switch (desktop) {
    case Desktop::Gnome: {
        const char* schema = "org.gnome.desktop.background";
        if (!SetGsettings(schema, "picture-options", "none", reason) ||
            !SetGsettings(schema, "picture-uri", "", reason))
            return false;
        std::string darkReason;
        if (!SetGsettings(schema, "picture-uri-dark", "", darkReason))
            Log("wallpaper: " + darkReason);
        return true;
    }
    case Desktop::Cinnamon:
        return SetGsettings("org.cinnamon.desktop.background", "picture-options", "none", reason) &&
               SetGsettings("org.cinnamon.desktop.background", "picture-uri", "", reason);
    case Desktop::Mate:
        // MATE has no "none" option; an empty file name leaves only the colour.
        return SetGsettings("org.mate.background", "picture-filename", "", reason);
    case Desktop::Kde:
        return Plasma("var all = desktops();\nfor (var i = 0; i < all.length; i++) {\n"
                      "    var d = all[i];\n    d.wallpaperPlugin = 'org.kde.color';\n"
                      "    d.currentConfigGroup = Array('Wallpaper', 'org.kde.color', "
                      "'General');\n    d.writeConfig('Color', '0,0,0');\n}\n",
                      reason);
    case Desktop::Xfce:
        return SetXfce("", 0, reason);
    case Desktop::Lxqt:
        return Run({"pcmanfm-qt", "--wallpaper-mode", "color"}, reason);
    case Desktop::Lxde:
        return Run({"pcmanfm", "--wallpaper-mode=color"}, reason);
    case Desktop::Sway:
        return Run({"swaymsg", "output", "*", "bg", "#000000", "solid_color"}, reason);
    case Desktop::X11:
    case Desktop::Unknown:
        break;
    }
    reason = "no wallpaper tool for " + std::string(DesktopName(desktop));
    return false;
}

bool DesktopTools::RunTemplate(const std::string& commandTemplate, const Picture& picture,
                               WallpaperStyle style, std::string& reason) {
    const auto words = SplitCommandTemplate(commandTemplate);
    if (!words || words->empty()) {
        reason = "the wallpaper command is not a valid command line: " + commandTemplate;
        return false;
    }
    return Run(ExpandCommandTemplate(*words, picture.path.string(), TemplateStyleName(style)),
               reason);
}

} // namespace paperkit
