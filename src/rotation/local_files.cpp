#include "rotation/local_files.h"

#include "rotation/completeness.h"
#include "rotation/data_folder_moves.h"
#include "support/globals.h"
#include "support/log.h"

namespace paperkit {

namespace {

std::filesystem::path Received(const char* name) {
    return ReceiveFolder / name;
}

bool Saved(bool ok, const char* name) {
    if (!ok)
        Log(std::string("cannot write ") + name);
    return ok;
}

} // namespace

bool LoadLocalFiles(TDownLoadFiles& files,
                    const std::function<std::string(const std::string&)>& urlEncode) {
    files.ReadFileTotalOld(Received("filetotalold.xmz"));
    files.ReadFileTotal(Received("filetotal.xmz"));
    files.ReadCategory(Received("category.xmz"));
    files.ReadFile(Received("file.xmz"));
    files.ReadLastVer(Received("lastver.xmz"), {}, urlEncode);
    CheckLastVers(files.LastVers, true);
    files.ReadDownloadFile(Received("downloadfile.xmz"));
    if (files.OldCategoryTotal != files.CategoryTotal || files.OldFileTotal != files.FileTotal)
        Log("local catalog: the fetched totals differ from those last acted upon");
    files.ReadSetupFile(Received("setupfile.xmz"));

    TWallParas& paras = files.WallParas();
    // A folder stored on another system ("C:\...\" from Windows) is a relative name here: the
    // pictures would land below whatever the current folder is.
    const std::filesystem::path stored(paras.DownloadPath);
    if (!paras.DownloadPath.empty() && stored.is_absolute()) {
        DownloadFolder = stored;
    } else {
        if (!paras.DownloadPath.empty())
            Log("DownloadPath ignored, not an absolute folder: " + paras.DownloadPath);
        paras.DownloadPath = DownloadFolder.string();
    }
    return true;
}

bool SaveOldTotals(TDownLoadFiles& files) {
    return Saved(files.WriteFileTotalOld(Received("filetotalold.xmz")), "filetotalold.xmz");
}

bool SaveSetupFile(TDownLoadFiles& files) {
    return Saved(files.WriteSetupFile(Received("setupfile.xmz")), "setupfile.xmz");
}

bool SaveDownloadFile(TDownLoadFiles& files) {
    return Saved(files.WriteDownloadFile(Received("downloadfile.xmz")), "downloadfile.xmz");
}

void MoveDataFolders(TDownLoadFiles& files) {
    if (MoveDataFolders(files.WallParas()))
        SaveSetupFile(files);
}

} // namespace paperkit
