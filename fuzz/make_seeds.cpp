// Writes the local documents of the seed corpora with the program's own writers: the user's
// downloads taken in from guide files, with some pictures done, and a setup document with a
// rotation list. Usage: make_seeds SETUPFILE OUTDIR GUIDE...
#include "catalog/download_files.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace paperkit;

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: make_seeds SETUPFILE OUTDIR GUIDE...\n");
        return 2;
    }
    const std::filesystem::path out = argv[2];
    TDownLoadFiles files;
    if (!files.ReadSetupFile(argv[1]))
        return 1;
    std::vector<std::string> guides(argv + 3, argv + argc);
    files.ImportGuideFiles(guides);
    bool done = true;
    for (TWallSubject& album : files.DSubjects()) {
        for (TWallImage& image : album.Images) {
            image.Downloaded = done;
            done = !done;
        }
        auto entry = std::make_unique<TWallPaper>();
        entry->Type = '2';
        entry->Id = std::to_string(album.Id);
        entry->Name = album.Desc;
        files.WallPapers().Add(std::move(entry));
    }
    auto folder = std::make_unique<TWallPaper>();
    folder->Type = '0';
    folder->Id = "/home/user/Pictures";
    folder->Name = "Pictures";
    folder->HasSub = 'Y';
    files.WallPapers().Add(std::move(folder));
    return files.WriteDownloadFile(out / "downloadfile.xmz") &&
                   files.WriteSetupFile(out / "setupfile.xmz")
               ? 0
               : 1;
}
