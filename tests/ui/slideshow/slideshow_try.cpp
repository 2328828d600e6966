// A small program for the end-to-end test: shows an album folder's pictures in the slideshow, as
// the main window will, and says "closed" when the slideshow has closed.
//   slideshow_try FOLDER [--interval N] [--loop] [--effects] [--music] [--program-folder DIR]
#include "support/globals.h"
#include "ui/media/qt_media_commands.h"
#include "ui/slideshow/slideshow_launcher.h"

#include <QApplication>
#include <QDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: slideshow_try FOLDER [options]\n");
        return 2;
    }
    paperkit::TWallParas paras;
    paras.Interval = 5;
    paras.MusicType = '1';
    paperkit::ProgramFolder = std::filesystem::path(argv[0]).parent_path();
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--interval" && i + 1 < argc)
            paras.Interval = std::max(2, std::atoi(argv[++i]));
        else if (arg == "--loop")
            paras.PlayRecycle = true;
        else if (arg == "--effects")
            paras.SpecialStyle = true;
        else if (arg == "--music")
            paras.PlayMusic = true;
        else if (arg == "--program-folder" && i + 1 < argc)
            paperkit::ProgramFolder = argv[++i];
    }
    std::vector<std::filesystem::path> pictures;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const QString& name :
         folder.entryList({"*.jpg", "*.png", "*.bmp"}, QDir::Files, QDir::Name))
        pictures.emplace_back(folder.filePath(name).toStdString());
    paperkit::QtMediaCommands media;
    paperkit::FmShowImageLauncher launcher(paras, media);
    launcher.ShowPictures(pictures);
    std::printf("closed\n");
    return 0;
}
