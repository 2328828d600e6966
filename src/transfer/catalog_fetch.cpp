#include "transfer/catalog_fetch.h"

#include "catalog/download_files.h"
#include "support/globals.h"
#include "support/temp_files.h"
#include "transfer/fetch.h"
#include "transfer/url_layout.h"

#include <functional>
#include <system_error>

namespace paperkit {

namespace {

namespace fs = std::filesystem;

// Copies beside the destination and renames, so that a failed copy never leaves half a document
// where the catalog is loaded from.
bool PutInPlace(const fs::path& source, const fs::path& destination) {
    std::error_code ec;
    fs::create_directories(destination.parent_path(), ec);
    const fs::path staging = destination.native() + ".new";
    if (!fs::copy_file(source, staging, fs::copy_options::overwrite_existing, ec) || ec) {
        fs::remove(staging, ec);
        return false;
    }
    fs::rename(staging, destination, ec);
    if (ec) {
        fs::remove(staging, ec);
        return false;
    }
    return true;
}

bool FetchDocument(Fetcher& fetcher, const char* name,
                   const std::function<bool(const fs::path&)>& read) {
    const fs::path temp = MakeTempFile("A000");
    if (temp.empty())
        return false;
    bool ok = fetcher.FetchToFile(CatalogBase + "/" + name, temp);
    if (ok) {
        try {
            ok = read(temp);
        } catch (...) {
            ok = false;
        }
    }
    if (ok)
        PutInPlace(temp, ReceiveFolder / name);
    // Also after a failure: nothing reads the temporary file again, and a server check that fails
    // every time must not fill the temporary folder.
    std::error_code ec;
    fs::remove(temp, ec);
    return ok;
}

} // namespace

bool FetchTotals(Fetcher& fetcher, TDownLoadFiles& files) {
    return FetchDocument(fetcher, "filetotal.xmz",
                         [&](const fs::path& path) { return files.ReadFileTotal(path); });
}

bool FetchAlbums(Fetcher& fetcher, TDownLoadFiles& files) {
    return FetchDocument(fetcher, "file.xmz",
                         [&](const fs::path& path) { return files.ReadFile(path); });
}

bool FetchCategories(Fetcher& fetcher, TDownLoadFiles& files) {
    return FetchDocument(fetcher, "category.xmz",
                         [&](const fs::path& path) { return files.ReadCategory(path); });
}

bool FetchVersions(Fetcher& fetcher, TDownLoadFiles& files) {
    return FetchDocument(fetcher, "lastver.xmz", [&](const fs::path& path) {
        return files.ReadLastVer(path, CatalogBase,
                                 [](const std::string& url) { return UrlEncode(url); });
    });
}

} // namespace paperkit
