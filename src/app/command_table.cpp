// The command table: what each command line does in the windows' thread (stage 1) and in the
// coordinator thread (stage 2).
#include "app/command_text.h"
#include "app/down_http_thread.h"
#include "catalog/download_files.h"
#include "catalog/main_setup_files.h"
#include "rotation/completeness.h"
#include "rotation/file_index.h"
#include "rotation/local_files.h"
#include "rotation/local_paths.h"
#include "rotation/old_files.h"
#include "rotation/wall_rotation.h"
#include "support/log.h"
#include "transfer/task_thread.h"
#include "transfer/url_layout.h"

#include <array>
#include <sstream>
#include <system_error>
#include <vector>

namespace paperkit {

struct TDownHttpThread::CommandEntry {
    std::string_view Name;
    bool (TDownHttpThread::*Stage1)(const std::string& arg);
    /// nullptr: a forwarded line saves the setup document.
    void (TDownHttpThread::*Stage2)(const std::string& arg);
};

namespace {

using T = TDownHttpThread;

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

/// The album id part of a task key ("1057" or "1057.3").
std::optional<int> KeyAlbum(const std::string& key) {
    return ParseDecimal(SplitImageKey(key).Id);
}

/// Deletes, from the last task to the first, every task of these two kinds whose key names one of
/// the albums.
void DeleteAlbumTasks(TWallHttpTaskes& tasks, const std::string& cover, const std::string& image,
                      const std::vector<int>& ids) {
    for (int i = tasks.Count() - 1; i >= 0; --i) {
        const auto* task = tasks.Get(i);
        if (!task || (task->Kind != cover && task->Kind != image))
            continue;
        const auto album = KeyAlbum(task->Key);
        for (int id : ids) {
            if (album && *album == id) {
                tasks.Delete(i);
                break;
            }
        }
    }
}

void RemoveQuietly(const std::optional<std::filesystem::path>& file, bool withFolder) {
    if (!file)
        return;
    std::error_code ec;
    std::filesystem::remove(*file, ec);
    if (withFolder)
        std::filesystem::remove(file->parent_path(), ec);
}

} // namespace

const TDownHttpThread::CommandEntry* TDownHttpThread::FindCommand(const std::string& name) {
    static const std::array<CommandEntry, 18> table{{
        {"CategorySetup", &T::Stage1CategorySetup, nullptr},
        {"SubjectSetup", &T::Stage1SubjectSetup, nullptr},
        {"SubjectSetupSize", &T::Stage1SubjectSetupSize, &T::Stage2SubjectSetupSize},
        {"DSubjectSetup", &T::Stage1DSubjectSetup, nullptr},
        {"DSubjectSetupSize", &T::Stage1DSubjectSetupSize, &T::Stage2DSubjectSetupSize},
        {"DSubjectDelete", &T::Stage1Forward, &T::Stage2DSubjectDelete},
        {"WallPaperSetup", &T::Stage1WallPaperSetup, nullptr},
        {"SetupToDownloadFiles", &T::Stage1SetupToDownloadFiles, nullptr},
        {"CheckNew", &T::Stage1CheckNew, nullptr},
        {"WebDownload", &T::Stage1WebDownload, &T::Stage2WebDownload},
        {"InitMainSetupFiles", &T::Stage1InitMainSetupFiles, nullptr},
        {"NewToMainSetupFiles", &T::Stage1NewToMainSetupFiles, nullptr},
        {"SubjectDownloaded", &T::Stage1SubjectDownloaded, nullptr},
        {"DSubjectDownloaded", &T::Stage1DSubjectDownloaded, nullptr},
        {"ImageDownloaded", &T::Stage1ImageDownloaded, nullptr},
        {"DImageDownloaded", &T::Stage1DImageDownloaded, nullptr},
        {"DSubjectRefresh", &T::Stage1DSubjectRefresh, nullptr},
        {"DownloadEnd", &T::Stage1Nothing, nullptr},
    }};
    for (const auto& entry : table)
        if (entry.Name == name)
            return &entry;
    return nullptr;
}

bool TDownHttpThread::NothingToDispatch() const {
    return PostedCommand.empty() && m_side.CommandList.empty();
}

void TDownHttpThread::DispatchCommands() {
    auto& list = m_side.CommandList;
    // The posted line goes first: it carries what the coordinator has just done, and a window's
    // line queued meanwhile would otherwise copy the windows' older state over it (a waiting
    // "WallPaperSetup" would drop the albums a "NewToMainSetupFiles" brings).
    if (!PostedCommand.empty()) {
        list.push_front(std::move(PostedCommand));
        PostedCommand.clear();
    }
    while (!list.empty()) {
        const std::string line = std::move(list.front());
        list.pop_front();
        const auto parts = SplitCommand(line);
        const auto* entry = FindCommand(parts.Name);
        if (!entry)
            continue;
        // The actions raise the windows' events, and a window's handler may throw anything; the
        // line is lost, never the dispatcher or the process.
        try {
            if ((this->*entry->Stage1)(parts.Arg))
                ThreadCommands.push_back(line);
        } catch (const std::exception& e) {
            Log("command " + parts.Name + ": " + e.what());
        } catch (...) {
            Log("command " + parts.Name + ": unknown failure");
        }
    }
}

void TDownHttpThread::RunThreadCommands() {
    while (!ThreadCommands.empty()) {
        const std::string line = std::move(ThreadCommands.front());
        ThreadCommands.pop_front();
        const auto parts = SplitCommand(line);
        const auto* entry = FindCommand(parts.Name);
        try {
            if (entry && entry->Stage2)
                (this->*entry->Stage2)(parts.Arg);
            else
                SaveSetupFile(m_files);
        } catch (const std::exception& e) {
            Log("command " + parts.Name + ": " + e.what());
        } catch (...) {
            Log("command " + parts.Name + ": unknown failure");
        }
    }
}

bool TDownHttpThread::Stage1CategorySetup(const std::string&) {
    for (const auto& category : m_side.MainSetupFiles.Categorys)
        if (auto* mine = m_files.Categorys().Find(category.Id))
            mine->Preset = category.Preset;
    return true;
}

bool TDownHttpThread::CopyAlbumSetup(bool downloads, const std::string& arg, bool withSize) {
    const auto id = ParseDecimal(arg);
    if (!id) {
        Log("command dropped, not an album id: " + arg);
        return false;
    }
    auto& theirs = downloads ? m_side.MainSetupFiles.DSubjects : m_side.MainSetupFiles.Subjects;
    auto& mine = downloads ? m_files.DSubjects() : m_files.Subjects();
    const auto* from = theirs.Find(*id);
    auto* to = mine.Find(*id);
    if (from && to) {
        to->Download = from->Download;
        if (withSize) {
            to->Size = from->Size;
            to->Downloaded = from->Downloaded;
            for (auto& image : to->Images)
                if (const auto* other = from->Images.Find(image.No))
                    image.Downloaded = other->Downloaded;
        } else {
            to->InWallList = from->InWallList;
        }
    }
    m_files.WallPapers().Assign(m_side.MainSetupFiles.WallPapers);
    RebuildRotation();
    return true;
}

bool TDownHttpThread::Stage1SubjectSetup(const std::string& arg) {
    return CopyAlbumSetup(false, arg, false);
}
bool TDownHttpThread::Stage1SubjectSetupSize(const std::string& arg) {
    return CopyAlbumSetup(false, arg, true);
}
bool TDownHttpThread::Stage1DSubjectSetup(const std::string& arg) {
    return CopyAlbumSetup(true, arg, false);
}
bool TDownHttpThread::Stage1DSubjectSetupSize(const std::string& arg) {
    return CopyAlbumSetup(true, arg, true);
}

bool TDownHttpThread::Stage1Forward(const std::string& arg) {
    if (!ParseDecimal(arg)) {
        Log("command dropped, not an album id: " + arg);
        return false;
    }
    return true;
}

bool TDownHttpThread::Stage1WallPaperSetup(const std::string&) {
    m_files.WallPapers().Assign(m_side.MainSetupFiles.WallPapers);
    m_files.Subjects().Assign(m_side.MainSetupFiles.Subjects);
    RebuildRotation();
    return true;
}

bool TDownHttpThread::Stage1SetupToDownloadFiles(const std::string&) {
    m_files.WallUser().Assign(m_side.MainSetupFiles.WallUser);
    m_files.WallParas().Assign(m_side.MainSetupFiles.WallParas);
    Raise(Events.OnSettingsChanged);
    return true;
}

bool TDownHttpThread::Stage1CheckNew(const std::string&) {
    CheckCountdown = 0;
    return false;
}

bool TDownHttpThread::Stage1WebDownload(const std::string& arg) {
    return !arg.empty();
}

bool TDownHttpThread::Stage1InitMainSetupFiles(const std::string&) {
    auto& rotation = m_side.Rotation;
    rotation.SetPosition(ReadFileIndex());
    m_side.MainSetupFiles.Assign(m_files.SetupFiles);
    Raise(Events.OnCatalogLoaded);
    rotation.LoadWallFiles(m_files.SetupFiles);
    Raise(Events.OnWallpaperRestore);
    return false;
}

bool TDownHttpThread::Stage1NewToMainSetupFiles(const std::string&) {
    m_files.MergeIntoMain(m_side.MainSetupFiles);
    Raise(Events.OnCatalogChanged);
    RebuildRotation();
    return true;
}

bool TDownHttpThread::MarkSubjectDownloaded(bool downloads, const std::string& arg) {
    const auto id = ParseDecimal(arg);
    auto& list = downloads ? m_side.MainSetupFiles.DSubjects : m_side.MainSetupFiles.Subjects;
    if (auto* subject = id ? list.Find(*id) : nullptr) {
        subject->Downloaded = true;
        Raise(Events.OnSubjectDownloaded, std::string(downloads ? "2" : "1"), *id);
    }
    return false;
}

bool TDownHttpThread::MarkImageDownloaded(bool downloads, const std::string& arg) {
    const auto parts = SplitImageKey(arg);
    const auto id = ParseDecimal(parts.Id);
    const auto no = ParseDecimal(parts.No);
    auto& list = downloads ? m_side.MainSetupFiles.DSubjects : m_side.MainSetupFiles.Subjects;
    if (auto* image = id && no ? list.FindImage(*id, *no) : nullptr) {
        image->Downloaded = true;
        Raise(Events.OnImageDownloaded, std::string(downloads ? "2" : "1"), *id, *no);
    }
    return false;
}

bool TDownHttpThread::Stage1SubjectDownloaded(const std::string& arg) {
    return MarkSubjectDownloaded(false, arg);
}
bool TDownHttpThread::Stage1DSubjectDownloaded(const std::string& arg) {
    return MarkSubjectDownloaded(true, arg);
}
bool TDownHttpThread::Stage1ImageDownloaded(const std::string& arg) {
    return MarkImageDownloaded(false, arg);
}
bool TDownHttpThread::Stage1DImageDownloaded(const std::string& arg) {
    return MarkImageDownloaded(true, arg);
}

bool TDownHttpThread::Stage1DSubjectRefresh(const std::string&) {
    m_side.MainSetupFiles.DSubjects.Assign(m_files.DSubjects());
    Raise(Events.OnDownloadsChanged);
    return false;
}

bool TDownHttpThread::Stage1Nothing(const std::string&) {
    return false;
}

void TDownHttpThread::RequeueAlbum(bool downloads, int id) {
    auto& list = downloads ? m_files.DSubjects() : m_files.Subjects();
    auto& tasks = Taskes();
    if (auto* subject = list.Find(id)) {
        const std::string cover = downloads ? "DS" : "T";
        const std::string image = downloads ? "DI" : "I";
        DeleteAlbumTasks(tasks, cover, image, {id});
        if (!subject->Downloaded &&
            AddTask(tasks, false, cover, std::to_string(id),
                    downloads ? DownSubjectFile(*subject) : NewSubjectFile(*subject),
                    ThumbnailUrl(*subject)))
            (downloads ? m_files.DSubjectTasks : m_files.SubjectTasks) = true;
        if (subject->Download && subject->Size >= 0) {
            for (auto& picture : subject->Images) {
                if (!picture.Downloaded &&
                    AddTask(tasks, false, image,
                            std::to_string(id) + "." + std::to_string(picture.No),
                            downloads ? DownImageFile(picture) : NewImageFile(picture),
                            ImageUrl(picture)))
                    (downloads ? m_files.DImageTasks : m_files.ImageTasks) = true;
            }
        }
    }
    SaveSetupFile(m_files);
}

void TDownHttpThread::Stage2SubjectSetupSize(const std::string& arg) {
    if (const auto id = ParseDecimal(arg))
        RequeueAlbum(false, *id);
}

void TDownHttpThread::Stage2DSubjectSetupSize(const std::string& arg) {
    if (const auto id = ParseDecimal(arg))
        RequeueAlbum(true, *id);
}

void TDownHttpThread::Stage2DSubjectDelete(const std::string& arg) {
    const auto id = ParseDecimal(arg);
    auto* subject = id ? m_files.DSubjects().Find(*id) : nullptr;
    if (!subject)
        return;
    DeleteAlbumTasks(Taskes(), "DS", "DI", {*id});
    for (int i = subject->Images.Count() - 1; i >= 0; --i)
        RemoveQuietly(DownImageFile(*subject->Images.Get(i)), i == 0);
    RemoveQuietly(DownSubjectFile(*subject), true);
    if (subject->InWallList) {
        if (auto* entry = m_files.WallPapers().Find('2', std::to_string(*id)))
            m_files.WallPapers().Remove(entry);
    }
    m_files.DSubjects().Remove(subject);
    SaveDownloadFile(m_files);
    SaveSetupFile(m_files);
}

void TDownHttpThread::Stage2WebDownload(const std::string& arg) {
    Log("OpenFile: " + arg);
    auto lines = SplitLines(arg);
    m_files.MatchGuideFiles(lines);
    std::vector<int> known;
    for (const auto& line : lines)
        if (const auto id = ParseDecimal(line))
            known.push_back(*id);
    DeleteAlbumTasks(Taskes(), "DS", "DI", known);

    lines = SplitLines(arg);
    m_files.ImportGuideFiles(lines);
    std::vector<int> ids;
    for (const auto& line : lines)
        if (const auto id = ParseDecimal(line))
            ids.push_back(*id);
    auto& tasks = Taskes();
    for (int id : ids) {
        auto* subject = m_files.DSubjects().Find(id);
        if (!subject)
            continue;
        CheckDownAlbum(*subject);
        if (!subject->Download || subject->Size < 0)
            continue;
        for (auto& picture : subject->Images) {
            if (Stopping())
                break;
            if (!picture.Downloaded &&
                AddTask(tasks, true, "DI", std::to_string(id) + "." + std::to_string(picture.No),
                        DownImageFile(picture), ImageUrl(picture)))
                m_files.DImageTasks = true;
        }
    }
    for (int id : ids) {
        auto* subject = m_files.DSubjects().Find(id);
        if (!subject)
            continue;
        CheckDownAlbum(*subject);
        if (!subject->Downloaded && AddTask(tasks, true, "DS", std::to_string(id),
                                            DownSubjectFile(*subject), ThumbnailUrl(*subject)))
            m_files.DSubjectTasks = true;
    }
    SaveDownloadFile(m_files);
    Post("DSubjectRefresh");
}

} // namespace paperkit
