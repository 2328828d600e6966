#include "catalog/download_files.h"
#include "commands.h"
#include "json_line.h"
#include "platform/screen.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace paperkit::tool {

namespace {

namespace fs = std::filesystem;

constexpr std::array<std::string_view, 8> kKinds = {"filetotal", "filetotalold", "category",
                                                    "file",      "lastver",      "downloadfile",
                                                    "setupfile", "guide"};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The kind of document a file is, by its name: "file.xmz" is "file", a ".pkd" file a guide.
std::string KindOf(const fs::path& file) {
    const std::string name = Lower(file.filename().string());
    if (Lower(file.extension().string()) == ".pkd")
        return "guide";
    for (const auto kind : kKinds)
        if (name == std::string(kind) + ".xmz")
            return std::string(kind);
    return {};
}

ScreenGeometry ParseScreen(const std::string& text) {
    int width = 0, height = 0;
    const auto x = text.find('x');
    const char* end = text.data() + text.size();
    if (x != std::string::npos) {
        const auto w = std::from_chars(text.data(), text.data() + x, width);
        const auto h = std::from_chars(text.data() + x + 1, end, height);
        if (w.ptr == text.data() + x && h.ptr == end && width > 0 && height > 0)
            return {width, height, width, height};
    }
    Fail("--screen wants WIDTHxHEIGHT, such as 1280x1024, not '" + text + "'");
}

ScreenGeometry PlatformScreen() {
    const auto screen = CreateScreenInfo();
    const ScreenSize primary = screen->PrimarySize();
    const ScreenSize desktop = screen->DesktopSize();
    return {primary.Width, primary.Height, desktop.Width, desktop.Height};
}

void Print(const JsonLine& line) {
    std::cout << line.str() << '\n';
}

std::string ImagesJson(const TWallSubject& album) {
    std::string json = "[";
    for (const TWallImage& image : album.Images) {
        std::string totals = "[";
        for (int n = 0; n < image.Totals.size(); ++n)
            totals += (n ? "," : "") + JsonLine::Quote(image.Totals[n]);
        totals += "]";
        JsonLine line;
        line.Int("No", image.No)
            .Text("Desc", image.Desc)
            .Text("Remark", image.Remark)
            .Text("FileName", image.FileName)
            .Raw("Totals", totals)
            .Text("CRC", image.CRC)
            .Flag("Downloaded", image.Downloaded);
        json += (json.size() > 1 ? "," : "") + line.str();
    }
    return json + "]";
}

void PrintSubjects(const TWallSubjects& subjects, std::string_view list) {
    for (const TWallSubject& album : subjects) {
        JsonLine line;
        line.Text("Record", list)
            .Int("Id", album.Id)
            .Text("Desc", album.Desc)
            .Text("Remark", album.Remark)
            .Int("Category", album.Category)
            .Text("Total", album.Total)
            .Int("Counts", album.Counts)
            .Text("Date", album.Date)
            .Text("LocalPath", album.LocalPath)
            .Text("FileName", album.FileName)
            .Text("GoURL", album.GoURL)
            .Text("SizeType", album.SizeType)
            .Text("SizeList", album.SizeList)
            .Text("Author", album.Author)
            .Text("CRC", album.CRC)
            .Text("WebPath", album.WebPath)
            .Flag("Download", album.Download)
            .Int("Size", album.Size)
            .Flag("Downloaded", album.Downloaded)
            .Flag("InWallList", album.InWallList)
            .Raw("Images", ImagesJson(album));
        Print(line);
    }
}

void PrintCategorys(const TWallCategorys& categorys) {
    for (const TWallCategory& category : categorys)
        Print(JsonLine()
                  .Text("Record", "Categorys")
                  .Int("Id", category.Id)
                  .Text("Desc", category.Desc)
                  .Text("Remark", category.Remark)
                  .Flag("Preset", category.Preset));
}

void PrintServers(const TWallServers& servers) {
    for (const TWallServer& server : servers)
        Print(JsonLine()
                  .Text("Record", "Servers")
                  .Text("Address", server.Address)
                  .Int("Timeout", server.Timeout));
}

void PrintSettings(TDownLoadFiles& files) {
    for (const TWallPaper& paper : files.WallPapers())
        Print(JsonLine()
                  .Text("Record", "WallPapers")
                  .Text("Type", std::string(1, paper.Type))
                  .Text("Id", paper.Id)
                  .Text("Name", paper.Name)
                  .Text("HasSub", paper.HasSub ? std::string(1, paper.HasSub) : std::string()));
    const TWallUser& user = files.WallUser();
    Print(JsonLine()
              .Text("Record", "WallUser")
              .Text("B", user.B)
              .Text("D", user.D)
              .Flag("C", user.C)
              .Flag("A", user.A));
    const TWallParas& p = files.WallParas();
    Print(JsonLine()
              .Text("Record", "WallParas")
              .Flag("Change", p.Change)
              .Int("Hour", p.Hour)
              .Int("Minute", p.Minute)
              .Int("Second", p.Second)
              .Text("Option", p.Option)
              .Text("WallTypes", p.WallTypes)
              .Text("DownloadPath", p.DownloadPath)
              .Flag("PlayMusic", p.PlayMusic)
              .Text("MusicType", p.MusicType ? std::string(1, p.MusicType) : std::string())
              .Text("MusicFile", p.MusicFile)
              .Flag("SpecialStyle", p.SpecialStyle)
              .Flag("PlayRecycle", p.PlayRecycle)
              .Int("Interval", p.Interval)
              .Text("ServerIP", p.ServerIP));
}

// Reads the document as the program would and prints what it then holds; returns the reader's
// result.
bool List(const std::string& kind, const fs::path& file, TDownLoadFiles& files) {
    if (kind == "filetotal" || kind == "filetotalold") {
        const bool old = kind == "filetotalold";
        const bool ok = old ? files.ReadFileTotalOld(file) : files.ReadFileTotal(file);
        PrintServers(files.Servers);
        Print(JsonLine()
                  .Flag("Result", ok)
                  .Text("CategoryTotal", old ? files.OldCategoryTotal : files.CategoryTotal)
                  .Text("FileTotal", old ? files.OldFileTotal : files.FileTotal)
                  .Text("LastVer", old ? files.OldLastVer : files.LastVer));
        return ok;
    }
    if (kind == "category") {
        const bool ok = files.ReadCategory(file);
        PrintCategorys(files.Categorys());
        Print(JsonLine().Flag("Result", ok));
        return ok;
    }
    if (kind == "file") {
        const bool ok = files.ReadFile(file);
        for (const TWallAd& ad : files.WallAds())
            Print(JsonLine().Text("Record", "WallAds").Text("Text", ad.Text).Text("URL", ad.URL));
        PrintSubjects(files.Subjects(), "Subjects");
        Print(JsonLine().Flag("Result", ok).Int("WallAds.Interval", files.WallAds().Interval));
        return ok;
    }
    if (kind == "lastver") {
        const bool ok = files.ReadLastVer(file);
        for (const TWallLastVer& v : files.LastVers)
            Print(JsonLine()
                      .Text("Record", "LastVers")
                      .Text("FileName", v.FileName)
                      .Text("Total", v.Total)
                      .Text("Totalxyz", v.Totalxyz)
                      .Text("URL", v.URL)
                      .Flag("Downloaded", v.Downloaded));
        Print(JsonLine().Flag("Result", ok).Text("LastVer", files.LastVers.LastVer));
        return ok;
    }
    if (kind == "downloadfile") {
        const bool ok = files.ReadDownloadFile(file);
        PrintSubjects(files.DSubjects(), "DSubjects");
        Print(JsonLine().Flag("Result", ok));
        return ok;
    }
    if (kind == "setupfile") {
        // The setup document puts choices onto the lists the other documents fill, so the
        // working catalog beside it is read first, in the program's start-up order.
        const fs::path folder = file.parent_path();
        files.ReadCategory(folder / "category.xmz");
        files.ReadFile(folder / "file.xmz");
        files.ReadDownloadFile(folder / "downloadfile.xmz");
        const bool ok = files.ReadSetupFile(file);
        PrintCategorys(files.Categorys());
        PrintSubjects(files.Subjects(), "Subjects");
        PrintSubjects(files.DSubjects(), "DSubjects");
        PrintSettings(files);
        Print(JsonLine().Flag("Result", ok));
        return ok;
    }
    std::vector<std::string> list{file.string()};
    files.ImportGuideFiles(list);
    PrintSubjects(files.DSubjects(), "DSubjects");
    Print(JsonLine().Flag("Result", !list.empty()));
    return !list.empty();
}

} // namespace

void AddListCommand(CLI::App& app) {
    struct Args {
        std::string file;
        std::string kind;
        std::string screen;
    };
    auto args = std::make_shared<Args>();
    CLI::App* cmd = app.add_subcommand(
        "list", "Read a catalog document as the program does and print one JSON object a line");
    cmd->add_option("FILE", args->file, "catalog document (.xmz) or download guide file (.pkd)")
        ->required();
    cmd->add_option("--kind", args->kind,
                    "filetotal, filetotalold, category, file, lastver, downloadfile, setupfile "
                    "or guide; by default taken from the file name");
    cmd->add_option("--screen", args->screen,
                    "WIDTHxHEIGHT of the screen that picture sizes are chosen for");
    cmd->callback([args] {
        const std::string kind = args->kind.empty() ? KindOf(args->file) : Lower(args->kind);
        if (std::find(kKinds.begin(), kKinds.end(), kind) == kKinds.end())
            Fail(args->kind.empty() ? "cannot tell the kind of " + args->file + "; use --kind"
                                    : "unknown kind '" + args->kind + "'");
        TDownLoadFiles files(args->screen.empty() ? PlatformScreen() : ParseScreen(args->screen));
        if (!List(kind, args->file, files)) {
            std::cout.flush();
            throw CLI::RuntimeError(1);
        }
    });
}

} // namespace paperkit::tool
