#pragma once

#include "catalog/main_setup_files.h"
#include "catalog/size_table.h"
#include "catalog/wall_last_ver.h"
#include "catalog/wall_server.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace paperkit {

class TWallTaskThread;

/// The catalog reader/writer: the coordinator's working catalog, the totals that tell which server
/// documents changed, and every document operation on them. Readers return a success flag and
/// never throw.
class TDownLoadFiles {
public:
    explicit TDownLoadFiles(ScreenGeometry screen = {}) : Screen(screen) {}
    TDownLoadFiles(const TDownLoadFiles&) = delete;
    TDownLoadFiles& operator=(const TDownLoadFiles&) = delete;

    /// Unpacks and loads a container into `Document`; false when it cannot be read as XML.
    bool OpenDocument(const std::filesystem::path& container);
    /// Packs `Document` into the container; false when the container could not be replaced.
    bool SaveDocument(const std::filesystem::path& container);

    /// Reads a filetotal document. Accepted (true) only when its text differs from the last
    /// accepted one; otherwise the new totals become "!".
    bool ReadFileTotal(const std::filesystem::path& container);
    /// Reads "filetotalold.xmz" into the old totals; they are "?" when it cannot be read.
    bool ReadFileTotalOld(const std::filesystem::path& container);
    /// Writes the last accepted filetotal document; false when there is none or saving failed.
    bool WriteFileTotalOld(const std::filesystem::path& container);
    /// Replaces `Categorys` from a category document.
    bool ReadCategory(const std::filesystem::path& container);
    /// Replaces `WallAds` and `Subjects` from a file document. `WallAds.Interval` becomes 10000
    /// first, whatever happens.
    bool ReadFile(const std::filesystem::path& container);
    /// Replaces `LastVers` from a lastver document. Each record's `URL` is the catalog files
    /// address (`CatalogBase` when `filesAddress` is empty), "/lastver/", the scrambled name and
    /// ".xyz", passed through `urlEncode` when one is given.
    bool ReadLastVer(const std::filesystem::path& container, std::string_view filesAddress = {},
                     const std::function<std::string(const std::string&)>& urlEncode = {});

    /// Writes `DSubjects` with their pictures; false when the container could not be written.
    bool WriteDownloadFile(const std::filesystem::path& container);
    /// Rebuilds `DSubjects`; it is emptied first, also when the file cannot be read.
    bool ReadDownloadFile(const std::filesystem::path& container);
    /// Writes the user's choices, rotation list, user values and settings.
    bool WriteSetupFile(const std::filesystem::path& container);
    /// Applies the defaults, then the stored choices, rotation list, user values and settings.
    bool ReadSetupFile(const std::filesystem::path& container);

    /// Puts the choices of a copy taken before `ReadFile` back onto the freshly read albums.
    void CarrySelections(const TMainSetupFiles& snapshot);
    /// Brings new albums and categories into the windows' catalog `main`, applying the category
    /// presets to new albums and keeping the choices made there on known ones.
    void MergeIntoMain(TMainSetupFiles& main);
    /// Replaces each guide file path whose album is among the user's downloads by that album's id
    /// and drops every other path: those whose album is not, and files that cannot be read or
    /// name no album the import would take.
    void MatchGuideFiles(std::vector<std::string>& list);
    /// Takes the albums of the guide files into `DSubjects`; each path becomes the id of the last
    /// album taken from it, and paths that gave none are dropped.
    void ImportGuideFiles(std::vector<std::string>& list);

    /// The album a guide file loaded into `Document` names, as ImportGuideFiles would take it:
    /// the last album before the first one it refuses; nullopt when there is none.
    std::optional<int> GuideAlbumId() const;

    TWallCategorys& Categorys() { return SetupFiles.Categorys; }
    TWallSubjects& Subjects() { return SetupFiles.Subjects; }
    TWallSubjects& DSubjects() { return SetupFiles.DSubjects; }
    TWallPapers& WallPapers() { return SetupFiles.WallPapers; }
    TWallUser& WallUser() { return SetupFiles.WallUser; }
    TWallParas& WallParas() { return SetupFiles.WallParas; }
    TWallAds& WallAds() { return SetupFiles.WallAds; }

    /// The one document object every document passes through.
    pugi::xml_document Document;
    /// The coordinator's working catalog.
    TMainSetupFiles SetupFiles;
    /// The download scheduler with its task list (transfer layer). The start-up code creates it;
    /// a shared_ptr carries its own deleter, so this layer needs only the declaration.
    std::shared_ptr<TWallTaskThread> TaskThread;
    /// Files of the newest program version.
    TWallLastVers LastVers;
    TWallServers Servers;

    /// One flag per task kind ("T", "DS", "I", "DI", "F"): tasks of that kind are queued.
    bool SubjectTasks = false;
    bool DSubjectTasks = false;
    bool ImageTasks = false;
    bool DImageTasks = false;
    bool UpdateRequested = false;

    /// Stamps of the filetotal document last accepted; "!" when none was accepted by the last read.
    std::string CategoryTotal;
    std::string FileTotal;
    std::string LastVer;
    /// Stamps the catalog was last brought up to date with; "?" when there are none.
    std::string OldCategoryTotal;
    std::string OldFileTotal;
    std::string OldLastVer;
    /// The whole text of the filetotal document last accepted.
    std::string FileTotalXml;

    ScreenGeometry Screen;
};

} // namespace paperkit
