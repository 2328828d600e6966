#pragma once

namespace paperkit {

class Fetcher;
class TDownLoadFiles;

// Each fetches its server document into a fresh "A000" temporary file, reads it with the
// catalog's reader and, only when that succeeds, puts it in ReceiveFolder under its own name. A
// failed fetch or read leaves the document in ReceiveFolder untouched.

/// "filetotal.xmz", read by ReadFileTotal (which also refuses a text it accepted last time).
bool FetchTotals(Fetcher& fetcher, TDownLoadFiles& files);
/// "file.xmz", read by ReadFile.
bool FetchAlbums(Fetcher& fetcher, TDownLoadFiles& files);
/// "category.xmz", read by ReadCategory.
bool FetchCategories(Fetcher& fetcher, TDownLoadFiles& files);
/// "lastver.xmz", read by ReadLastVer.
bool FetchVersions(Fetcher& fetcher, TDownLoadFiles& files);

} // namespace paperkit
