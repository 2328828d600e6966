#pragma once

#include "app/coordinator_events.h"

#include <atomic>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

namespace paperkit {

class TDownLoadFiles;
class TWallHttpTaskes;
class TWallRotation;
class WindowsThread;
class Fetcher;
struct TMainSetupFiles;

/// Command lines of the form name[:argument], in order.
using CommandLines = std::deque<std::string>;

/// What of the windows' thread the coordinator reaches, and only inside the dispatcher: the
/// windows' copy of the catalog, the rotation (wallpaper file list and position) and the command
/// list the windows append to.
struct WindowsSide {
    TMainSetupFiles& MainSetupFiles;
    TWallRotation& Rotation;
    CommandLines& CommandList;
};

/// The download coordinator: one thread that owns all work against the server and the
/// coordinator's copy of the working catalog. It loads the catalog, checks the server, queues and
/// drives downloads and carries out the windows' commands in two stages: stage 1 in the windows'
/// thread while it waits, stage 2 in its own thread.
class TDownHttpThread {
public:
    /// Everything handed in must outlive the coordinator. `firstArgument` is the process's guide
    /// file argument, empty for none.
    TDownHttpThread(WindowsThread& windows, WindowsSide side, TDownLoadFiles& downloadFiles,
                    Fetcher& fetcher, std::string firstArgument);
    ~TDownHttpThread();
    TDownHttpThread(const TDownHttpThread&) = delete;
    TDownHttpThread& operator=(const TDownHttpThread&) = delete;

    /// Filled by the mediator before Start.
    CoordinatorEvents Events;
    /// Reload value of the task countdown, in countdown units (10 per cycle).
    int TaskInterval = 20;
    /// Reload value of the server-check countdown.
    int CheckInterval = 6000000;

    /// Starts the thread: its start sequence, then the cycle.
    void Start();
    /// Asks the thread to end after the work under way; returns at once.
    void RequestStop();
    /// Windows' thread: asks the thread to stop and waits for its end, serving its calls into the
    /// windows' thread meanwhile.
    void StopAndWait();
    /// Holds the coordinator at the start of its next cycle until Resume; returns at once.
    void Pause();
    void Resume();

    /// Server checks ended so far, successful or not.
    int ChecksDone() const { return m_checksDone.load(); }
    /// True once a server check has ended and, at the end of a task pass, no task and no stage-2
    /// command was left.
    bool Idle() const { return m_idle.load(); }
    /// Server checks that read a new totals document.
    int ChecksSucceeded() const { return m_checksOk.load(); }
    /// Picture downloads given up after their last attempt failed.
    int TasksDropped() const { return m_dropped.load(); }

    /// Coordinator thread: hands one line to stage 1 and waits until the windows' thread ran it.
    void Post(const std::string& line);

private:
    void Execute();
    void StartSequence();
    void QueueLatestTasks();
    void QueueUpdateTasks();
    void ServerCheck();
    void TaskPass();
    void ResultPass();
    void DispatchCommands();
    /// Windows' thread: DispatchCommands would return at once.
    bool NothingToDispatch() const;
    void RunThreadCommands();
    void RebuildRotation();
    TWallHttpTaskes& Taskes();
    bool Stopping() const { return m_stop.load(); }

    // Stage 1 (windows' thread); true forwards the whole line to stage 2.
    bool Stage1CategorySetup(const std::string& arg);
    bool Stage1SubjectSetup(const std::string& arg);
    bool Stage1SubjectSetupSize(const std::string& arg);
    bool Stage1DSubjectSetup(const std::string& arg);
    bool Stage1DSubjectSetupSize(const std::string& arg);
    bool Stage1Forward(const std::string& arg);
    bool Stage1WallPaperSetup(const std::string& arg);
    bool Stage1SetupToDownloadFiles(const std::string& arg);
    bool Stage1CheckNew(const std::string& arg);
    bool Stage1WebDownload(const std::string& arg);
    bool Stage1InitMainSetupFiles(const std::string& arg);
    bool Stage1NewToMainSetupFiles(const std::string& arg);
    bool Stage1SubjectDownloaded(const std::string& arg);
    bool Stage1DSubjectDownloaded(const std::string& arg);
    bool Stage1ImageDownloaded(const std::string& arg);
    bool Stage1DImageDownloaded(const std::string& arg);
    bool Stage1DSubjectRefresh(const std::string& arg);
    bool Stage1Nothing(const std::string& arg);
    bool CopyAlbumSetup(bool downloads, const std::string& arg, bool withSize);
    bool MarkSubjectDownloaded(bool downloads, const std::string& arg);
    bool MarkImageDownloaded(bool downloads, const std::string& arg);

    // Stage 2 (coordinator thread).
    void Stage2SubjectSetupSize(const std::string& arg);  // algorithm A, latest list
    void Stage2DSubjectSetupSize(const std::string& arg); // algorithm A, downloads list
    void Stage2DSubjectDelete(const std::string& arg);    // algorithm B
    void Stage2WebDownload(const std::string& arg);       // algorithm C
    void RequeueAlbum(bool downloads, int id);

    /// Queues a download at the end or the front; a record without a safe local path is never
    /// downloaded. True when queued.
    static bool AddTask(TWallHttpTaskes& tasks, bool front, const std::string& kind,
                        const std::string& key, const std::optional<std::filesystem::path>& target,
                        const std::string& url);

    struct CommandEntry;
    static const CommandEntry* FindCommand(const std::string& name);

    WindowsThread& m_windows;
    WindowsSide m_side;
    TDownLoadFiles& m_files;
    Fetcher& m_fetcher;
    std::string m_firstArgument;

    int TaskTick = 20;
    int CheckCountdown = 20;
    CommandLines ThreadCommands;
    std::string PostedCommand;
    bool m_updateStepRun = false;

    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_paused{false};
    std::atomic<bool> m_finished{false};
    std::atomic<int> m_checksDone{0};
    std::atomic<bool> m_idle{false};
    std::atomic<int> m_checksOk{0};
    std::atomic<int> m_dropped{0};
    std::thread m_thread;
};

} // namespace paperkit
