#include "app/down_http_thread.h"

#include "app/command_text.h"
#include "app/windows_thread.h"
#include "catalog/download_files.h"
#include "catalog/main_setup_files.h"
#include "rotation/completeness.h"
#include "rotation/local_files.h"
#include "rotation/local_paths.h"
#include "rotation/old_files.h"
#include "rotation/self_update.h"
#include "rotation/wall_rotation.h"
#include "support/globals.h"
#include "support/jpeg.h"
#include "support/log.h"
#include "transfer/catalog_fetch.h"
#include "transfer/task_thread.h"
#include "transfer/url_layout.h"

#include <chrono>
#include <exception>

namespace paperkit {

namespace {

/// Runs one piece of the coordinator's work; a failure inside it is logged and the cycle goes on.
template <typename Work> void Guarded(const char* what, Work&& work) {
    try {
        work();
    } catch (const std::exception& e) {
        Log(std::string(what) + ": " + e.what());
    } catch (...) {
        Log(std::string(what) + ": unknown failure");
    }
}

/// The `Downloaded` flag of the album (a cover's key) or the picture (an image key) a task names;
/// nullptr when the list no longer holds it.
bool* DownloadedFlag(TWallSubjects& list, bool cover, const std::string& key) {
    if (cover) {
        const auto id = ParseDecimal(key);
        auto* subject = id ? list.Find(*id) : nullptr;
        return subject ? &subject->Downloaded : nullptr;
    }
    const auto parts = SplitImageKey(key);
    const auto id = ParseDecimal(parts.Id);
    const auto no = ParseDecimal(parts.No);
    auto* image = id && no ? list.FindImage(*id, *no) : nullptr;
    return image ? &image->Downloaded : nullptr;
}

} // namespace

bool TDownHttpThread::AddTask(TWallHttpTaskes& tasks, bool front, const std::string& kind,
                              const std::string& key,
                              const std::optional<std::filesystem::path>& target,
                              const std::string& url) {
    if (!target)
        return false;
    if (front)
        tasks.AddFirst(kind, key, *target, url);
    else
        tasks.Add(kind, key, *target, url);
    return true;
}

TDownHttpThread::TDownHttpThread(WindowsThread& windows, WindowsSide side,
                                 TDownLoadFiles& downloadFiles, Fetcher& fetcher,
                                 std::string firstArgument)
    : m_windows(windows), m_side(side), m_files(downloadFiles), m_fetcher(fetcher),
      m_firstArgument(std::move(firstArgument)) {}

TDownHttpThread::~TDownHttpThread() {
    RequestStop();
    if (m_thread.joinable())
        m_thread.join();
}

void TDownHttpThread::Start() {
    TaskTick = TaskInterval;
    m_thread = std::thread([this] { Execute(); });
}

void TDownHttpThread::RequestStop() {
    m_stop = true;
}

void TDownHttpThread::StopAndWait() {
    RequestStop();
    if (!m_thread.joinable())
        return;
    m_windows.ServeUntil([this] { return m_finished.load(); });
    m_thread.join();
}

void TDownHttpThread::Pause() {
    m_paused = true;
}
void TDownHttpThread::Resume() {
    m_paused = false;
}

void TDownHttpThread::Post(const std::string& line) {
    PostedCommand = line;
    m_windows.RunSync([this] { DispatchCommands(); });
}

void TDownHttpThread::Execute() {
    StartSequence();
    const auto dispatch = [this] {
        Guarded("dispatcher", [&] {
            m_windows.RunSyncUnlessIdle([this] { return NothingToDispatch(); },
                                        [this] { DispatchCommands(); });
        });
    };
    while (!Stopping()) {
        while (m_paused && !Stopping())
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (Stopping())
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        dispatch();
        TaskTick -= 10;
        CheckCountdown -= 10;
        if (CheckCountdown <= 0)
            Guarded("server check", [&] { ServerCheck(); });
        if (TaskTick <= 0)
            Guarded("task pass", [&] { TaskPass(); });
    }
    dispatch();
    m_finished = true;
}

void TDownHttpThread::StartSequence() {
    // Each step on its own: a failure in one must not cost the windows their catalog or the run
    // its start-up downloads.
    Guarded("load local files", [&] {
        LoadLocalFiles(m_files, [](const std::string& url) { return UrlEncode(url); });
    });
    m_files.FileTotalXml.clear();
    Guarded("move data folders", [&] { MoveDataFolders(m_files); });
    Guarded("InitMainSetupFiles", [&] { Post("InitMainSetupFiles"); });
    Log("Init strServerURL: " + strServerURL);
    if (!m_firstArgument.empty())
        Guarded("WebDownload", [&] { Post("WebDownload:" + m_firstArgument); });
    Guarded("queue latest tasks", [&] { QueueLatestTasks(); });
    Guarded("queue update tasks", [&] { QueueUpdateTasks(); });
    CheckCountdown = TaskTick;
}

void TDownHttpThread::QueueLatestTasks() {
    auto& tasks = Taskes();
    for (auto& subject : m_files.Subjects()) {
        if (Stopping())
            return;
        if (!subject.Downloaded && AddTask(tasks, false, "T", std::to_string(subject.Id),
                                           NewSubjectFile(subject), ThumbnailUrl(subject)))
            m_files.SubjectTasks = true;
    }
    for (auto& subject : m_files.Subjects()) {
        if (Stopping())
            return;
        if (!subject.Download || subject.Size < 0)
            continue;
        for (auto& image : subject.Images) {
            if (Stopping())
                return;
            if (!image.Downloaded &&
                AddTask(tasks, false, "I",
                        std::to_string(subject.Id) + "." + std::to_string(image.No),
                        NewImageFile(image), ImageUrl(image)))
                m_files.ImageTasks = true;
        }
    }
}

void TDownHttpThread::QueueUpdateTasks() {
    m_files.UpdateRequested = false;
    for (auto& version : m_files.LastVers) {
        if (Stopping())
            return;
        if (version.Downloaded)
            continue;
        Taskes().Add("F", version.FileName, UpdateFile(version), version.URL);
        m_files.UpdateRequested = true;
    }
}

void TDownHttpThread::ServerCheck() {
    CheckCountdown = CheckInterval;
    if (Stopping())
        return;
    struct CountCheck {
        std::atomic<int>& done;
        ~CountCheck() { ++done; }
    } counted{m_checksDone};

    if (!FetchTotals(m_fetcher, m_files))
        return;
    ++m_checksOk;
    bool categoriesOk = true;
    bool filesOk = true;
    Log("DownloadFiles.OldCategoryTotal: " + m_files.OldCategoryTotal);
    Log("DownloadFiles.CategoryTotal: " + m_files.CategoryTotal);
    Log("DownloadFiles.OldFileTotal: " + m_files.OldFileTotal);
    Log("DownloadFiles.FileTotal: " + m_files.FileTotal);

    if (!Stopping() && m_files.OldCategoryTotal != m_files.CategoryTotal)
        categoriesOk = FetchCategories(m_fetcher, m_files);
    if (!Stopping() && m_files.OldFileTotal != m_files.FileTotal) {
        Taskes().DeleteKinds("T,I");
        TMainSetupFiles snapshot;
        snapshot.Assign(m_files.SetupFiles);
        filesOk = FetchAlbums(m_fetcher, m_files);
        m_files.CarrySelections(snapshot);
        CheckNewAlbums(m_files.Subjects(), true);
    }
    if (!Stopping() && (m_files.CategoryTotal != m_files.OldCategoryTotal ||
                        m_files.FileTotal != m_files.OldFileTotal)) {
        Post("NewToMainSetupFiles");
        if (!Stopping() && m_files.OldFileTotal != m_files.FileTotal)
            QueueLatestTasks();
        if (categoriesOk && filesOk) {
            m_files.OldCategoryTotal = m_files.CategoryTotal;
            m_files.OldFileTotal = m_files.FileTotal;
            SaveOldTotals(m_files);
        } else {
            // Forgetting the accepted text lets the next check take the same totals again and
            // repeat the update, and keeps the task pass from storing totals never acted upon.
            m_files.FileTotalXml.clear();
        }
    }
    if (!Stopping() && m_files.OldLastVer != m_files.LastVer) {
        Taskes().DeleteKinds("F");
        FetchVersions(m_fetcher, m_files);
        CheckLastVers(m_files.LastVers, true);
        Log("LastVer Count: " + std::to_string(m_files.LastVers.Count()));
        QueueUpdateTasks();
        m_files.OldLastVer = m_files.LastVer;
    }
}

void TDownHttpThread::TaskPass() {
    TaskTick = TaskInterval;
    RunThreadCommands();
    auto& tasks = Taskes();
    m_files.TaskThread->Schedule();
    const int countBefore = tasks.Count();
    ResultPass();

    if (countBefore > 0 && tasks.Count() == 0) {
        Log("下载全部完成");
        if (!m_files.FileTotalXml.empty())
            SaveOldTotals(m_files);
        ClearOldFiles(m_files.Subjects(), m_files.LastVers);
        Post("DownloadEnd");
    }
    if (tasks.Count() == 0 && !m_updateStepRun) {
        m_updateStepRun = true;
        CheckLastVers(m_files.LastVers, true);
        bool allPresent = true;
        for (const auto& version : m_files.LastVers)
            allPresent = allPresent && version.Downloaded;
        // Nothing announced means nothing to update to: an empty version text never starts the
        // updater, even though it differs from the program's own.
        const auto& lastVer = m_files.LastVers.LastVer;
        if (allPresent && !lastVer.empty() && !IsCurrentVersion(lastVer)) {
            Log("RunAutoUpdate 2");
            RunAutoUpdate();
        }
    }
    m_idle = m_checksDone.load() > 0 && tasks.Count() == 0 && ThreadCommands.empty();
}

void TDownHttpThread::ResultPass() {
    auto& tasks = Taskes();
    bool pendingT = false, pendingI = false, pendingDS = false, pendingDI = false;
    bool pendingF = false;
    for (int i = tasks.Count() - 1; i >= 0; --i) {
        auto* task = tasks.Get(i);
        if (!task)
            continue;
        const std::string kind = task->Kind;
        if (task->State != "end") {
            pendingT |= kind == "T";
            pendingI |= kind == "I";
            pendingDS |= kind == "DS";
            pendingDI |= kind == "DI";
            pendingF |= kind == "F";
            continue;
        }
        if (kind == "F") {
            if (task->Success)
                tasks.Delete(i);
            else
                task->State.clear();
            continue;
        }
        const bool downloads = kind == "DS" || kind == "DI";
        const bool cover = kind == "T" || kind == "DS";
        const std::string key = task->Key;
        if (task->Success) {
            // A record that left the copy meanwhile gets nothing posted.
            if (bool* downloaded = DownloadedFlag(
                    downloads ? m_files.DSubjects() : m_files.Subjects(), cover, key)) {
                *downloaded = true;
                if (!IsJpegFile(task->Target))
                    WriteBadPicture(task->Target);
                SaveSetupFile(m_files);
                const char* line = cover
                                       ? (downloads ? "DSubjectDownloaded:" : "SubjectDownloaded:")
                                       : (downloads ? "DImageDownloaded:" : "ImageDownloaded:");
                Post(line + key);
            }
        } else {
            task->State.clear();
            if (!downloads) {
                Log((cover ? "Subject Image Fail: " : "Image Fail: ") + task->URL);
                Log("task.TryCounts: " + std::to_string(task->TryCounts) + "/5");
            }
        }
        // The posts above may have let the windows append work; the task stays where it was.
        task = tasks.Get(i);
        if (task && (task->TryCounts > 5 || task->Success)) {
            if (!task->Success)
                ++m_dropped;
            tasks.Delete(i);
        } else
            tasks.MoveToEnd(i);
    }
    if (!pendingT)
        m_files.SubjectTasks = false;
    if (!pendingI)
        m_files.ImageTasks = false;
    if (!pendingDS)
        m_files.DSubjectTasks = false;
    if (!pendingDI)
        m_files.DImageTasks = false;
    if (m_files.UpdateRequested && !pendingF) {
        m_files.UpdateRequested = false;
        UnpackUpdater();
        if (!m_updateStepRun) {
            m_updateStepRun = true;
            Log("RunAutoUpdate 1");
            RunAutoUpdate();
        }
    }
}

TWallHttpTaskes& TDownHttpThread::Taskes() {
    return m_files.TaskThread->Taskes();
}

void TDownHttpThread::RebuildRotation() {
    m_side.Rotation.ReloadWallFiles(m_files.SetupFiles);
    if (m_side.Rotation.Position() == -1)
        Raise(Events.OnPositionLost);
}

} // namespace paperkit
