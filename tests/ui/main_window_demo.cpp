// A test program: the main window over a real coordinator against a catalog server, opened from
// a small stand-in for the navigator panel. End-to-end tests and the README screenshot drive it.
//   paperkit-mainwindow-demo --server URL [--open] [--page 2]
#include "app/down_http_thread.h"
#include "app/startup.h"
#include "catalog/download_files.h"
#include "catalog/main_setup_files.h"
#include "platform/settings_store.h"
#include "platform/wallpaper.h"
#include "rotation/wall_rotation.h"
#include "support/globals.h"
#include "transfer/fetch.h"
#include "transfer/task_thread.h"
#include "ui/mainwindow/tfm_main.h"
#include "ui/qt_windows_thread.h"
#include "ui/skin/skin.h"
#include "ui/translations/interface_language.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <iostream>

namespace {

/// The desktop is not ours to change in a test.
class QuietSetter final : public paperkit::WallpaperSetter {
public:
    bool ChangeWallpaper(const std::filesystem::path&) override { return true; }
    bool ClearWallpaper() override { return true; }
};

} // namespace

int main(int argc, char** argv) {
    using namespace paperkit;
    QApplication app(argc, argv);
    InstallInterfaceLanguage(app); // the texts in the locale's language, as in the program
    ApplySkin(app);
    std::string server;
    bool openAtStart = false;
    int page = 0;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--server") && i + 1 < args.size())
            server = args[++i].toStdString();
        else if (args[i] == QLatin1String("--open"))
            openAtStart = true;
        else if (args[i] == QLatin1String("--page") && i + 1 < args.size())
            page = args[++i].toInt() == 2 ? 1 : 0;
    }
    if (server.empty()) {
        std::cerr << "usage: paperkit-mainwindow-demo --server URL [--open] [--page 2]\n";
        return 2;
    }
    const auto store = CreateSettingsStore();
    StartupInit(*store, server);

    QtWindowsThread windows;
    QuietSetter setter;
    TWallRotation rotation(setter);
    TMainSetupFiles mainSetupFiles;
    auto downloadFiles = std::make_unique<TDownLoadFiles>();
    downloadFiles->TaskThread = std::make_shared<TWallTaskThread>();
    CommandLines commandList;
    Fetcher fetcher;
    TDownHttpThread coordinator(windows, {mainSetupFiles, rotation, commandList}, *downloadFiles,
                                fetcher, {});

    QPointer<TFmMain> window;
    const auto open = [&] {
        if (!window) {
            // As the panel does: the coordinator holds still while the window reads the catalog.
            coordinator.Pause();
            window = new TFmMain(mainSetupFiles, commandList, DesktopMainServices());
            window->PageMain->setCurrentIndex(page);
            coordinator.Resume();
        }
        window->show();
        window->raise();
        window->activateWindow();
    };
    const auto showing = [&] { return window && window->isVisible(); };
    auto& events = coordinator.Events;
    events.OnCatalogLoaded = [&] {
        if (showing())
            window->RefreshLists();
    };
    events.OnCatalogChanged = events.OnCatalogLoaded;
    events.OnSubjectDownloaded = [&](const std::string& kind, int id) {
        if (showing() && !kind.empty())
            window->OnSubjectDownloaded(kind[0], id);
    };
    events.OnImageDownloaded = [&](const std::string& kind, int id, int no) {
        if (showing() && !kind.empty())
            window->OnImageDownloaded(kind[0], id, no);
    };
    events.OnDownloadsChanged = [&] {
        open();
        window->ShowLastDownload();
    };

    QWidget panel;
    panel.setWindowTitle(QStringLiteral("PaperKit 导航"));
    auto* layout = new QVBoxLayout(&panel);
    auto* button = new QPushButton(QStringLiteral("打开主窗口"), &panel);
    button->setAccessibleName(button->text());
    layout->addWidget(button);
    QObject::connect(button, &QPushButton::clicked, open);
    panel.move(0, 0);
    panel.show();
    if (openAtStart)
        open();

    coordinator.Start();
    const int code = app.exec();
    delete window.data();
    Closing = true;
    fetcher.Disconnect();
    coordinator.StopAndWait();
    downloadFiles.reset();
    return code;
}
