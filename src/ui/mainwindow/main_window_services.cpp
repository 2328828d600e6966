#include "ui/mainwindow/main_window_services.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QScreen>
#include <QUrl>

namespace paperkit {

TFmMainServices DesktopMainServices() {
    TFmMainServices services;
    services.AskYesNo = [](const std::string& question) {
        return QMessageBox::question(
                   nullptr, QCoreApplication::translate("paperkit::AskYesNo", "青鸾画屏"),
                   QString::fromStdString(question), QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::No) == QMessageBox::Yes;
    };
    services.OpenUrl = [](const std::string& url) {
        QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(url).trimmed()));
    };
    services.ChooseFiles = [](QWidget* parent, const QString& filter) {
        std::vector<std::string> paths;
        // getOpenFileNames takes only files that exist, several at once.
        for (const QString& path :
             QFileDialog::getOpenFileNames(parent, QString(), QString(), filter))
            paths.push_back(QFile::encodeName(path).toStdString());
        return paths;
    };
    services.Random = [](int bound) {
        return bound > 0 ? static_cast<int>(QRandomGenerator::global()->bounded(bound)) : 0;
    };
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize primary = screen->size() * screen->devicePixelRatio();
        const QSize desktop = screen->virtualSize() * screen->devicePixelRatio();
        services.Screen = {primary.width(), primary.height(), desktop.width(), desktop.height()};
    }
    return services;
}

} // namespace paperkit
