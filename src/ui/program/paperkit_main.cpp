// The paperkit program: the running instance with its windows (ui/program/desktop_program.cpp)
// or, with --headless, without them; or a second start that hands its argument or a navigator
// step to the running instance.
#include "app/announcing_setter.h"
#include "app/command_line.h"
#include "app/down_http_thread.h"
#include "app/event_loop.h"
#include "app/hand_off.h"
#include "app/headless_mediator.h"
#include "app/progress_printer.h"
#include "app/screen_geometry.h"
#include "app/startup.h"
#include "catalog/download_files.h"
#include "catalog/main_setup_files.h"
#include "platform/maximized_window.h"
#include "platform/settings_store.h"
#include "platform/single_instance.h"
#include "platform/termination_signals.h"
#include "platform/wallpaper.h"
#include "rotation/file_index.h"
#include "rotation/local_paths.h"
#include "rotation/wall_rotation.h"
#include "support/globals.h"
#include "support/log.h"
#include "transfer/fetch.h"
#include "transfer/task_thread.h"
#ifdef PAPERKIT_DESKTOP
#include "ui/program/desktop_program.h"
#endif

#include <chrono>
#include <iostream>
#include <system_error>
#include <unistd.h>

namespace paperkit {
namespace {

std::filesystem::path ProgramFile(const char* argv0) {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return self;
    return std::filesystem::absolute(argv0, ec);
}

/// A second start: the running instance gets the guide file or the step. 0 when it was handed
/// over.
int HandOver(SingleInstance& instance, const CommandLine& options) {
    if (options.step != RemoteStep::None) {
        if (instance.Send(StepMessage(options.step)))
            return 0;
        std::cerr << "paperkit: no running instance to hand the step to.\n";
        return 1;
    }
    Log("Find Navigator");
    if (options.guideFile.empty())
        return 0;
    // The running instance has its own working folder: it needs the full path.
    std::error_code ec;
    auto guide = std::filesystem::absolute(options.guideFile, ec);
    if (ec)
        guide = options.guideFile;
    const auto file = HandOffFile();
    std::filesystem::create_directories(file.parent_path(), ec);
    AppendHandOff(file, guide.string());
    if (instance.Send(kHandOffMessage))
        return 0;
    std::cerr << "paperkit: the running instance did not answer.\n";
    return 1;
}

void ApplyStep(RemoteStep step, TWallRotation& rotation, WallpaperSetter& setter) {
    switch (step) {
    case RemoteStep::Next:
        rotation.NextWallpaper();
        break;
    case RemoteStep::Prev:
        rotation.PriorWallpaper();
        break;
    case RemoteStep::NextAlbum:
        rotation.NextTitle();
        break;
    case RemoteStep::PrevAlbum:
        rotation.PriorTitle();
        break;
    case RemoteStep::Clear:
        setter.ClearWallpaper();
        break;
    case RemoteStep::None:
        break;
    }
}

int RunInstance(std::unique_ptr<SingleInstance>& instance, const CommandLine& options) {
    EventLoop loop;
    auto probe = CreateMaximizedWindowProbe();
    ProgressPrinter progress(std::cout, isatty(STDOUT_FILENO) != 0);
    auto desktop = CreateWallpaperSetter();
    AnnouncingSetter setter(*desktop, progress);

    TWallRotation rotation(setter);
    TMainSetupFiles mainSetupFiles;
    auto downloadFiles = std::make_unique<TDownLoadFiles>(PlatformScreenGeometry());
    downloadFiles->TaskThread = std::make_shared<TWallTaskThread>();
    CommandLines commandList;
    Fetcher fetcher;
    HeadlessMediator mediator(loop, mainSetupFiles, rotation, *probe, progress);

    const auto listening = instance->Listen([&](const std::string& message) {
        loop.Post([&, message] {
            if (message == kHandOffMessage) {
                if (auto command = TakeHandOff(HandOffFile()))
                    commandList.push_back(std::move(*command));
            } else {
                ApplyStep(StepFromMessage(message), rotation, setter);
            }
        });
    });
    if (listening == SingleInstance::ListenResult::OtherInstance)
        return HandOver(*instance, options);
    if (listening == SingleInstance::ListenResult::Failed) {
        std::cerr << "paperkit: cannot become the running instance: " << instance->FailureReason()
                  << "\n";
        return 1;
    }

    bool interrupted = false;
    auto signals = WatchTerminationSignals([&] {
        loop.Post([&] {
            interrupted = true;
            loop.Quit();
        });
    });

    TDownHttpThread coordinator(loop, {mainSetupFiles, rotation, commandList}, *downloadFiles,
                                fetcher, options.guideFile);
    mediator.Fill(coordinator.Events);
    if (options.exitWhenIdle) {
        loop.StartTimer(std::chrono::milliseconds(100), [&] {
            if (coordinator.Idle() && commandList.empty())
                loop.Quit();
        });
    }
    coordinator.Start();
    loop.Run();

    instance.reset(); // no more hand-offs into what is being torn down
    Closing = true;
    fetcher.Disconnect();
    coordinator.StopAndWait();
    WriteFileIndex(rotation.Position());
    downloadFiles.reset(); // stops and awaits the download workers
    signals.reset();

    if (!options.exitWhenIdle || interrupted)
        return interrupted && options.exitWhenIdle ? 1 : 0;
    if (coordinator.ChecksSucceeded() == 0) {
        std::cerr << "paperkit: the catalog server could not be checked (" << strServerURL
                  << ").\n";
        return 1;
    }
    if (coordinator.TasksDropped() > 0) {
        std::cerr << "paperkit: " << coordinator.TasksDropped()
                  << " downloads failed and were given up.\n";
        return 1;
    }
    return 0;
}

} // namespace
} // namespace paperkit

int main(int argc, char** argv) {
    using namespace paperkit;
    const auto parsed = ParseCommandLine(std::vector<std::string>(argv, argv + argc));
    if (!parsed.options) {
        (parsed.exitCode == 0 ? std::cout : std::cerr) << parsed.output;
        return parsed.exitCode;
    }
    const auto& options = *parsed.options;
    ProgramFolder = ProgramFile(argv[0]).parent_path();
    const auto store = CreateSettingsStore();
    StartupInit(*store, options.server);

    auto instance = CreateSingleInstance(ReceiveFolder);
    if (options.step != RemoteStep::None)
        return HandOver(*instance, options);
#ifdef PAPERKIT_DESKTOP
    if (!options.headless && !options.exitWhenIdle) {
        if (DesktopAvailable())
            return RunDesktop(instance, options, [&] { return HandOver(*instance, options); });
        std::cerr << "paperkit: no display found; running without windows.\n";
    }
#endif
    return RunInstance(instance, options);
}
