#include "ui/program/desktop_program.h"

#include "app/announcing_setter.h"
#include "app/command_line.h"
#include "app/down_http_thread.h"
#include "app/hand_off.h"
#include "app/progress_printer.h"
#include "app/screen_geometry.h"
#include "catalog/download_files.h"
#include "catalog/main_setup_files.h"
#include "platform/autostart.h"
#include "platform/desktop_placement.h"
#include "platform/global_hotkeys.h"
#include "platform/maximized_window.h"
#include "platform/settings_store.h"
#include "platform/single_instance.h"
#include "platform/termination_signals.h"
#include "platform/wallpaper.h"
#include "rotation/file_index.h"
#include "rotation/local_paths.h"
#include "rotation/wall_rotation.h"
#include "support/globals.h"
#include "support/language.h"
#include "transfer/fetch.h"
#include "transfer/task_thread.h"
#include "ui/dialogs/dialog_services.h"
#include "ui/form_showing.h"
#include "ui/mainwindow/tfm_main.h"
#include "ui/media/qt_media_commands.h"
#include "ui/mediator/ask_yes_no.h"
#include "ui/mediator/do_between.h"
#include "ui/navigator/fm_bk.h"
#include "ui/navigator/fm_navigator.h"
#include "ui/qt_windows_thread.h"
#include "ui/skin/skin.h"
#include "ui/slideshow/slideshow_launcher.h"
#include "ui/svg_picture.h"
#include "ui/translations/interface_language.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

namespace paperkit {

namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

/// The long-lived objects of the windowed program, made in the bootstrap's order and released
/// in the shutdown's.
class TDesktopProgram {
public:
    TDesktopProgram(QtWindowsThread& windows, const CommandLine& options)
        : m_windows(windows), m_options(options), m_progress(std::cout, isatty(STDOUT_FILENO) != 0),
          m_desktop(CreateWallpaperSetter()), m_setter(*m_desktop, m_progress),
          m_probe(CreateMaximizedWindowProbe()), m_placement(CreateDesktopPlacement()),
          m_rotation(m_setter), m_mediator(m_main, m_rotation),
          m_slideshow(m_main.WallParas, m_media) {}

    ~TDesktopProgram() {
        Shutdown();
        // A main window still open goes first (the windows made on demand free themselves when
        // closed); the backdrop goes last and writes its place.
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->testAttribute(Qt::WA_DeleteOnClose))
                delete window;
        m_navigator.reset();
        m_backdrop.reset();
    }

    void Start() {
        const QSize screen = QGuiApplication::primaryScreen()
                                 ? QGuiApplication::primaryScreen()->geometry().size()
                                 : QSize(1920, 1080);
        m_backdrop =
            std::make_unique<TFmBk>(ScreenSize{screen.width(), screen.height()}, m_placement.get());
        m_navigator = std::make_unique<TFmNavigator>(
            *m_backdrop, NavigatorSide{m_main, m_rotation, m_commandList, m_setter, *m_probe},
            m_placement.get());
        m_navigator->OnOpenMainWindow = [this] { OpenMainWindow(); };
        m_navigator->OnExit = [this] { Exit(); };
        m_backdrop->Reshape();
        SetFormRegion(*m_navigator);
        SetAskYesNoOwner(m_navigator.get());
        m_navigator->AddTrayIcon(QString::fromStdString(m_language.GetText(0)));

        m_downloadFiles = std::make_unique<TDownLoadFiles>(PlatformScreenGeometry());
        m_downloadFiles->TaskThread = std::make_shared<TWallTaskThread>();
        m_coordinator = std::make_unique<TDownHttpThread>(
            m_windows, WindowsSide{m_main, m_rotation, m_commandList}, *m_downloadFiles, m_fetcher,
            m_options.guideFile);
        m_mediator.SetNavigator(m_navigator.get());
        m_mediator.SetMainWindowMaker([this] { return MakeMainWindow(); });
        m_mediator.Fill(m_coordinator->Events);
        m_coordinator->Start();

        QPointer<TFmNavigator> navigator = m_navigator.get();
        m_hotkeys = CreateGlobalHotkeys([this, navigator](int id) {
            m_windows.Post([navigator, id] {
                if (navigator)
                    navigator->HotkeyPressed(id);
            });
        });
        m_navigator->RegisterHotkeys(*m_hotkeys);

        m_backdrop->show();
        // The panel follows once the event loop runs, over the backdrop.
        QTimer::singleShot(10, m_navigator.get(), [this] { m_navigator->show(); });
    }

    /// A message from a later start: the hand-off of a guide file, or a navigator step.
    void Receive(const std::string& message) {
        if (m_exiting)
            return;
        if (message == kHandOffMessage) {
            if (auto command = TakeHandOff(HandOffFile()))
                m_commandList.push_back(std::move(*command));
            return;
        }
        switch (StepFromMessage(message)) {
        case RemoteStep::Next:
            m_navigator->ImgNextClick();
            break;
        case RemoteStep::Prev:
            m_navigator->ImgPriorClick();
            break;
        case RemoteStep::NextAlbum:
            m_navigator->ImgNextTitleClick();
            break;
        case RemoteStep::PrevAlbum:
            m_navigator->ImgPriorTitleClick();
            break;
        case RemoteStep::Clear:
            m_navigator->ClearWallpaper();
            break;
        case RemoteStep::None:
            break;
        }
    }

    /// Ends the program in order; a second request while ending does nothing.
    void Exit() {
        if (m_exiting)
            return;
        Shutdown();
        QCoreApplication::quit();
    }

private:
    /// The shutdown order: tray icon, coordinator, rotation position and catalog objects,
    /// hotkeys. The backdrop writes its place last, when it goes.
    void Shutdown() {
        if (m_exiting)
            return;
        m_exiting = true;
        m_navigator->StopTimer();
        m_navigator->RemoveTrayIcon();
        Closing = true;
        m_fetcher.Disconnect();
        if (m_coordinator)
            m_coordinator->StopAndWait(); // serves the coordinator's calls meanwhile
        m_coordinator.reset();
        WriteFileIndex(m_rotation.Position());
        m_downloadFiles.reset(); // stops and awaits the download workers
        m_navigator->UnregisterHotkeys();
        m_hotkeys.reset();
    }

    void OpenMainWindow() {
        if (QWidget* shown = ShowingForm("TFmMain")) {
            shown->showNormal();
            shown->raise();
            shown->activateWindow();
            return;
        }
        // The new window fills its lists from the windows' catalog while the coordinator holds.
        if (m_coordinator)
            m_coordinator->Pause();
        QWidget* window = MakeMainWindow();
        if (m_coordinator)
            m_coordinator->Resume();
        window->show();
    }

    TFmMain* MakeMainWindow() {
        TFmMainServices services = DesktopMainServices();
        services.ShowSlideshow = [this](const std::vector<std::filesystem::path>& paths) {
            m_slideshow.ShowPictures(paths);
        };
        services.AskYesNo = [](const std::string& question) {
            return paperkit::AskYesNo(question) == kAnswerYes;
        };
        services.Language = m_language;
        AddDialogServices(services, {m_main, m_commandList, *m_store, *m_autoRun, m_media,
                                     m_slideshow, [this] { m_rotation.ShowWallpaper(); }});
        return new TFmMain(m_main, m_commandList, std::move(services));
    }

    QtWindowsThread& m_windows;
    const CommandLine& m_options;
    TLanguage m_language;
    ProgressPrinter m_progress;
    std::unique_ptr<WallpaperSetter> m_desktop;
    AnnouncingSetter m_setter;
    std::unique_ptr<MaximizedWindowProbe> m_probe;
    std::unique_ptr<DesktopPlacement> m_placement;
    TWallRotation m_rotation;
    TMainSetupFiles m_main;
    CommandLines m_commandList;
    Fetcher m_fetcher;
    TDoBetween m_mediator;
    QtMediaCommands m_media;
    std::unique_ptr<SettingsStore> m_store = CreateSettingsStore();
    std::unique_ptr<Autostart> m_autoRun = CreateAutostart();
    FmShowImageLauncher m_slideshow;
    std::unique_ptr<TDownLoadFiles> m_downloadFiles;
    std::unique_ptr<TFmBk> m_backdrop;
    std::unique_ptr<TFmNavigator> m_navigator;
    std::unique_ptr<TDownHttpThread> m_coordinator;
    std::unique_ptr<GlobalHotkeys> m_hotkeys;
    bool m_exiting = false;
};

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(RenderPicture(QStringLiteral(":/pictures/paperkit.svg"), {size, size}));
    return icon;
}

} // namespace

bool DesktopAvailable() {
    return IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

int RunDesktop(std::unique_ptr<SingleInstance>& instance, const CommandLine& options,
               const std::function<int()>& handOver) {
    // The panel needs what only X11 offers (a place below all windows, global keys), so a
    // Wayland session runs it through XWayland unless the user chose a platform.
    if (!IsSet("QT_QPA_PLATFORM") && IsSet("WAYLAND_DISPLAY") && IsSet("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    // Music plays through Qt Multimedia's ffmpeg backend: it needs no system plugins and fails
    // quietly without a sound device. The user may still choose another.
    if (!IsSet("QT_MEDIA_BACKEND"))
        setenv("QT_MEDIA_BACKEND", "ffmpeg", 1);

    // Listening comes before the window system, so that a second start never needs a display.
    QtWindowsThread windows;
    TDesktopProgram* program = nullptr;
    std::vector<std::string> early;
    const auto listening = instance->Listen([&windows, &program, &early](const std::string& m) {
        windows.Post([&program, &early, m] {
            if (program)
                program->Receive(m);
            else
                early.push_back(m);
        });
    });
    if (listening == SingleInstance::ListenResult::OtherInstance)
        return handOver();
    if (listening == SingleInstance::ListenResult::Failed) {
        std::cerr << "paperkit: cannot become the running instance: " << instance->FailureReason()
                  << "\n";
        return 1;
    }

    static int argc = 1;
    static char name[] = "paperkit";
    static char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("PaperKit"));
    QApplication::setOrganizationName(QStringLiteral("Ravenmoor"));
    QApplication::setQuitOnLastWindowClosed(false);
    InstallInterfaceLanguage(app);
    InitPictures();
    ApplySkin(app);
    QApplication::setWindowIcon(ApplicationIcon());

    int status = 0;
    {
        TDesktopProgram desktop(windows, options);
        desktop.Start();
        program = &desktop;
        for (const auto& message : early)
            desktop.Receive(message);
        auto watcher = WatchTerminationSignals([&windows, &program] {
            windows.Post([&program] {
                if (program)
                    program->Exit();
            });
        });
        status = QApplication::exec();
        instance.reset(); // no more hand-offs into what is being torn down
        watcher.reset();
        program = nullptr;
    }
    return status;
}

} // namespace paperkit
