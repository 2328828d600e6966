#include "publish/catalog_builder.h"

#include "catalog/container.h"
#include "catalog/size_table.h"
#include "catalog/xml_document.h"
#include "publish/catalog_layout.h"
#include "publish/file_write.h"
#include "publish/publish_state.h"
#include "publish/text_file.h"
#include "publish/url_safe_name.h"
#include "publish/work_queue.h"
#include "support/md5.h"
#include "support/scramble.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <map>
#include <set>
#include <system_error>

namespace paperkit {

namespace fs = std::filesystem;

namespace {

constexpr const char* CoverFileName = "cover.jpg";
constexpr int AdInterval = 60;

// A folder or file of the picture tree as the build found it.
struct SourcePicture {
    std::string Key; // file name inside the album folder
    fs::path File;
    TextInfo Info;
    int No = 0;
    std::string FileName;
    std::array<std::string, ImageSizeCount> Totals;
    bool Ok = false;
};

struct SourceAlbum {
    std::string Key; // "category/album"
    fs::path Folder;
    TextInfo Info;
    int CategoryId = 0;
    int Id = 0;
    std::string Date;
    std::optional<fs::path> CoverFile;
    std::vector<SourcePicture> Pictures;
    std::string CoverTotal;
    bool CoverOk = false;
};

struct SourceCategory {
    std::string Key;
    TextInfo Info;
    int Id = 0;
};

// One source picture encoded into one or more published files.
struct EncodeJob {
    fs::path Source;
    std::string SourceKey;
    std::vector<PixelSize> Sizes;
    std::vector<std::string> Outputs; // paths below the catalog folder
    std::vector<std::string> Md5s;
    std::string SourceSignature;
    std::string Error;
    bool Reused = false;
};

std::string TodayText() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

bool IsPictureFile(const fs::path& file) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".jpg" || ext == ".jpeg" || ext == ".png";
}

bool IsCoverFile(const fs::path& file) {
    std::string stem = file.stem().string();
    std::transform(stem.begin(), stem.end(), stem.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return stem == "cover";
}

// The entries of a folder that pass the filter, hidden ones left out, sorted by name so that a
// fresh build hands out ids in a predictable order.
std::vector<fs::path> SortedEntries(const fs::path& folder, bool wantFolders) {
    std::vector<fs::path> out;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        if (p.filename().string().starts_with("."))
            continue;
        std::error_code typeEc;
        const bool isFolder = it->is_directory(typeEc);
        const bool isFile = it->is_regular_file(typeEc);
        if (wantFolders ? isFolder : isFile)
            out.push_back(p);
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::string Signature(const fs::path& file) {
    std::error_code ec;
    const auto size = fs::file_size(file, ec);
    const auto time = fs::last_write_time(file, ec);
    return std::to_string(size) + ":" + std::to_string(time.time_since_epoch().count()) + ":q" +
           std::to_string(PublishJpegQuality);
}

bool IsInside(const fs::path& inner, const fs::path& outer) {
    std::error_code ec;
    const fs::path a = fs::weakly_canonical(inner, ec);
    const fs::path b = fs::weakly_canonical(outer, ec);
    auto ai = a.begin();
    for (auto bi = b.begin(); bi != b.end(); ++bi, ++ai) {
        if (bi->empty())
            continue;
        if (ai == a.end() || *ai != *bi)
            return false;
    }
    return true;
}

std::string Relative(const fs::path& root, const fs::path& file) {
    return file.lexically_relative(root).generic_string();
}

// Decides for each job whether its files from an earlier build still stand, and encodes the
// others.
void RunEncodeJobs(std::vector<EncodeJob>& jobs, const fs::path& out, const PublishState& state,
                   int threads) {
    RunInParallel(jobs.size(), threads, [&](std::size_t i) {
        EncodeJob& job = jobs[i];
        job.SourceSignature = Signature(job.Source);
        const std::string& signature = job.SourceSignature;
        job.Md5s.assign(job.Outputs.size(), std::string());
        bool reusable = true;
        for (std::size_t k = 0; k < job.Outputs.size() && reusable; ++k) {
            const auto found = state.Outputs.find(job.Outputs[k]);
            reusable = found != state.Outputs.end() && found->second.Source == job.SourceKey &&
                       found->second.Signature == signature &&
                       DigestHex(FileDigest(out / job.Outputs[k])) == found->second.Md5;
            if (reusable)
                job.Md5s[k] = found->second.Md5;
        }
        if (reusable) {
            job.Reused = true;
            return;
        }
        std::string error;
        const std::vector<std::string> jpegs = EncodeJpegSizes(job.Source, job.Sizes, error);
        if (jpegs.size() != job.Outputs.size()) {
            job.Error = error.empty() ? "cannot be encoded" : error;
            return;
        }
        for (std::size_t k = 0; k < jpegs.size(); ++k) {
            if (!WriteFileAtomically(out / job.Outputs[k], jpegs[k])) {
                job.Error = "cannot write " + (out / job.Outputs[k]).string();
                return;
            }
            job.Md5s[k] = DigestHex(DataDigest(jpegs[k]));
        }
    });
}

// Removes the files below `folder` that this build did not produce, then the folders left empty.
int RemoveStaleFiles(const fs::path& folder, const fs::path& root,
                     const std::set<std::string>& keep) {
    int removed = 0;
    std::error_code ec;
    std::vector<fs::path> stale;
    std::vector<fs::path> folders;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (it->is_symlink(typeEc) || !it->is_directory(typeEc)) {
            if (!keep.contains(Relative(root, it->path())))
                stale.push_back(it->path());
        } else {
            folders.push_back(it->path());
        }
    }
    for (const fs::path& file : stale) {
        if (fs::remove(file, ec))
            ++removed;
    }
    std::sort(folders.rbegin(), folders.rend());
    for (const fs::path& f : folders) {
        if (fs::is_empty(f, ec))
            fs::remove(f, ec);
    }
    return removed;
}

bool PublishUpdates(const BuildOptions& options, const fs::path& updatesDir, PublishState& state,
                    std::string& error) {
    std::vector<PublishedUpdate> updates;
    std::set<std::string> names;
    for (const fs::path& file : options.Updates) {
        std::error_code ec;
        if (!fs::is_regular_file(file, ec)) {
            error = "the update file " + file.string() + " does not exist";
            return false;
        }
        const std::string name = file.filename().string();
        // The program learns the name only through the scramble, which cannot carry every
        // byte: a name that would come back different must not be announced.
        if (ScrambleDecode(ScrambleEncode(name)) != name) {
            error = "the update file name " + name + " cannot be announced; rename the file";
            return false;
        }
        if (!names.insert(name).second) {
            error = "the update file name " + name + " is given twice";
            return false;
        }
        const fs::path container = updatesDir / (ScrambleEncode(name) + ".xyz");
        try {
            TMyZip().Pack(file, container);
        } catch (const std::exception& e) {
            error = "cannot pack " + file.string() + ": " + e.what();
            return false;
        }
        updates.push_back({name, DigestHex(FileDigest(file)), DigestHex(FileDigest(container))});
    }
    state.Updates = std::move(updates);
    return true;
}

} // namespace

std::vector<int> DefaultPublishSizes() {
    return {SizeIndex("1024x768"), SizeIndex("1280x1024"), SizeIndex("1366x768"),
            SizeIndex("1920x1200")};
}

bool ParseSizeOption(std::string_view text, std::vector<int>& sizes, std::string& error) {
    std::set<int> chosen;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view item = text.substr(start, end - start);
        while (!item.empty() && item.front() == ' ')
            item.remove_prefix(1);
        while (!item.empty() && item.back() == ' ')
            item.remove_suffix(1);
        if (!item.empty()) {
            const int index = SizeIndex(item);
            if (index < 0) {
                error = "the size " + std::string(item) + " is not in the size table";
                return false;
            }
            chosen.insert(index);
        }
        start = end + 1;
    }
    if (chosen.empty()) {
        error = "no size given";
        return false;
    }
    sizes.assign(chosen.begin(), chosen.end());
    return true;
}

bool BuildCatalog(const BuildOptions& options, BuildReport& report, std::string& error) {
    report = {};
    auto progress = [&](const std::string& line) {
        if (options.Progress)
            options.Progress(line);
    };
    std::error_code ec;
    if (!fs::is_directory(options.Pictures, ec)) {
        error = "the picture folder " + options.Pictures.string() + " does not exist";
        return false;
    }
    const fs::path out = options.Out;
    const fs::path docsDir = out / DocumentsFolderName;
    const fs::path picturesDir = out / PicturesFolderName;
    const fs::path updatesDir = docsDir / UpdatesFolderName;
    if (IsInside(out, options.Pictures)) {
        error = "the catalog folder must not lie inside the picture folder";
        return false;
    }
    if (IsInside(options.Pictures, picturesDir) || IsInside(options.Pictures, docsDir)) {
        error = "the picture folder must not lie inside the catalog's own folders";
        return false;
    }
    for (const fs::path& own : {docsDir, picturesDir, updatesDir}) {
        if (fs::is_symlink(own, ec)) {
            error = own.string() + " is a symbolic link; the catalog writes only into its folder";
            return false;
        }
    }
    std::vector<int> sizes = options.Sizes.empty() ? DefaultPublishSizes() : options.Sizes;
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    for (int index : sizes) {
        if (SizeName(index).empty()) {
            error = "invalid size index " + std::to_string(index);
            return false;
        }
    }
    fs::create_directories(docsDir, ec);
    if (ec) {
        error = "cannot create " + docsDir.string() + ": " + ec.message();
        return false;
    }

    const fs::path stateFile = out / PublishStateFileName;
    PublishState state;
    if (!LoadPublishState(stateFile, state, error))
        return false;
    const std::string today = options.Today.empty() ? TodayText() : options.Today;

    // Scan the picture tree and hand out ids, numbers and names, keeping those given before.
    std::vector<SourceCategory> categories;
    std::vector<SourceAlbum> albums;
    for (const fs::path& categoryDir : SortedEntries(options.Pictures, true)) {
        SourceCategory category;
        category.Key = categoryDir.filename().string();
        category.Info = ReadTextInfo(categoryDir / "info.txt", category.Key);
        auto [it, added] = state.Categories.try_emplace(category.Key, 0);
        if (added)
            it->second = state.NextCategoryId();
        category.Id = it->second;
        categories.push_back(category);
        for (const fs::path& albumDir : SortedEntries(categoryDir, true)) {
            SourceAlbum album;
            album.Key = category.Key + "/" + albumDir.filename().string();
            album.Folder = albumDir;
            album.Info = ReadTextInfo(albumDir / "info.txt", albumDir.filename().string());
            album.CategoryId = category.Id;
            for (const fs::path& file : SortedEntries(albumDir, false)) {
                if (!IsPictureFile(file))
                    continue;
                if (IsCoverFile(file)) {
                    album.CoverFile = file;
                    continue;
                }
                SourcePicture picture;
                picture.Key = file.filename().string();
                picture.File = file;
                fs::path infoFile = file;
                infoFile.replace_extension(".txt");
                picture.Info = ReadTextInfo(infoFile, file.stem().string());
                album.Pictures.push_back(picture);
            }
            if (album.Pictures.empty()) {
                report.Warnings.push_back("the album " + album.Key + " holds no pictures");
                continue;
            }
            auto [ait, albumAdded] = state.Albums.try_emplace(album.Key);
            PublishedAlbum& known = ait->second;
            if (albumAdded) {
                known.Id = state.NextAlbumId();
                known.Date = today;
            }
            album.Id = known.Id;
            album.Date = known.Date;
            int nextNo = 1;
            std::set<std::string> taken;
            for (const auto& [source, pic] : known.Pictures) {
                nextNo = std::max(nextNo, pic.No + 1);
                taken.insert(pic.FileName);
            }
            for (SourcePicture& picture : album.Pictures) {
                auto pit = known.Pictures.find(picture.Key);
                if (pit == known.Pictures.end()) {
                    const int no = nextNo++;
                    const std::string name =
                        UrlSafeFileName(picture.File.stem().string(), "jpg",
                                        "picture-" + std::to_string(no), taken);
                    pit = known.Pictures.emplace(picture.Key, PublishedPicture{no, name}).first;
                }
                picture.No = pit->second.No;
                picture.FileName = pit->second.FileName;
            }
            std::sort(album.Pictures.begin(), album.Pictures.end(),
                      [](const SourcePicture& a, const SourcePicture& b) { return a.No < b.No; });
            albums.push_back(std::move(album));
        }
    }

    // Encode the pictures in every size, then each album's cover from its first good picture.
    std::vector<EncodeJob> jobs;
    std::vector<PixelSize> pixelSizes;
    for (int index : sizes) {
        int w = 0, h = 0;
        ParseSize(SizeName(index), w, h);
        pixelSizes.push_back({w, h});
    }
    for (const SourceAlbum& album : albums) {
        const std::string base = std::string(PicturesFolderName) + "/" + std::to_string(album.Id);
        for (const SourcePicture& picture : album.Pictures) {
            EncodeJob job;
            job.Source = picture.File;
            job.SourceKey = album.Key + "/" + picture.Key;
            job.Sizes = pixelSizes;
            for (int index : sizes)
                job.Outputs.push_back(base + "/" + SizeName(index) + "/" + picture.FileName);
            jobs.push_back(std::move(job));
        }
    }
    progress("encoding " + std::to_string(jobs.size()) + " pictures in " +
             std::to_string(sizes.size()) + " sizes");
    RunEncodeJobs(jobs, out, state, options.Jobs);
    std::size_t next = 0;
    for (SourceAlbum& album : albums) {
        for (SourcePicture& picture : album.Pictures) {
            const EncodeJob& job = jobs[next++];
            if (!job.Error.empty()) {
                report.Warnings.push_back("skipped " + job.Source.string() + ": " + job.Error);
                continue;
            }
            picture.Ok = true;
            for (std::size_t k = 0; k < sizes.size(); ++k)
                picture.Totals[static_cast<std::size_t>(sizes[k])] = job.Md5s[k];
            ++(job.Reused ? report.Reused : report.Encoded);
        }
        std::erase_if(album.Pictures, [](const SourcePicture& p) { return !p.Ok; });
    }
    std::vector<EncodeJob> coverJobs;
    for (const SourceAlbum& album : albums) {
        EncodeJob job;
        job.Source = album.CoverFile.value_or(album.Pictures.empty() ? fs::path()
                                                                     : album.Pictures.front().File);
        job.SourceKey = album.Key + "/" + job.Source.filename().string();
        job.Sizes = {CoverSize};
        job.Outputs = {std::string(PicturesFolderName) + "/" + std::to_string(album.Id) + "/" +
                       CoverFolderName + "/" + CoverFileName};
        coverJobs.push_back(std::move(job));
    }
    RunEncodeJobs(coverJobs, out, state, options.Jobs);
    for (std::size_t i = 0; i < albums.size(); ++i) {
        SourceAlbum& album = albums[i];
        const EncodeJob& job = coverJobs[i];
        if (album.Pictures.empty()) {
            report.Warnings.push_back("the album " + album.Key + " has no readable pictures");
        } else if (!job.Error.empty()) {
            report.Warnings.push_back("the album " + album.Key +
                                      " has no cover: " + job.Source.string() + ": " + job.Error);
        } else {
            album.CoverOk = true;
            album.CoverTotal = job.Md5s.front();
        }
    }
    std::erase_if(albums, [](const SourceAlbum& a) { return !a.CoverOk; });

    // The records the documents are made of.
    std::string sizeList;
    for (int index : sizes)
        sizeList += (sizeList.empty() ? "" : ",") + SizeName(index);
    TWallCategorys categorys;
    for (const SourceCategory& category : categories) {
        auto record = std::make_unique<TWallCategory>();
        record->Id = category.Id;
        record->Desc = category.Info.Title;
        record->Remark = category.Info.Remark;
        categorys.Add(std::move(record));
    }
    // The latest albums come first, as the program lists them.
    std::sort(albums.begin(), albums.end(),
              [](const SourceAlbum& a, const SourceAlbum& b) { return a.Id > b.Id; });
    TWallSubjects subjects;
    std::set<std::string> produced;
    for (const SourceAlbum& album : albums) {
        auto subject = std::make_unique<TWallSubject>();
        const std::string id = std::to_string(album.Id);
        subject->Id = album.Id;
        subject->Desc = album.Info.Title;
        subject->Remark = album.Info.Remark;
        subject->Category = album.CategoryId;
        subject->Total = album.CoverTotal;
        subject->Counts = static_cast<int>(album.Pictures.size());
        subject->Date = album.Date;
        subject->LocalPath = "/" + id + "/";
        subject->FileName = CoverFileName;
        subject->SizeList = sizeList;
        subject->WebPath = "/" + std::string(PicturesFolderName) + "/" + id + "/";
        produced.insert(std::string(PicturesFolderName) + "/" + id + "/" + CoverFolderName + "/" +
                        CoverFileName);
        for (const SourcePicture& picture : album.Pictures) {
            auto image = std::make_unique<TWallImage>();
            image->No = picture.No;
            image->Desc = picture.Info.Title;
            image->Remark = picture.Info.Remark;
            image->FileName = picture.FileName;
            for (int n = 0; n < ImageSizeCount; ++n)
                image->Totals.Set(n, picture.Totals[static_cast<std::size_t>(n)]);
            subject->Images.Add(std::move(image));
            for (int index : sizes)
                produced.insert(std::string(PicturesFolderName) + "/" + id + "/" + SizeName(index) +
                                "/" + picture.FileName);
            ++report.Pictures;
        }
        subjects.Add(std::move(subject));
    }
    TWallAds ads;
    ads.Interval = AdInterval;
    for (const auto& [text, url] : ReadAdLines(options.Pictures / "ads.txt")) {
        auto ad = std::make_unique<TWallAd>();
        ad->Text = text;
        ad->URL = url;
        ads.Add(std::move(ad));
    }

    // The announced version.
    if (options.Version) {
        state.LastVer = *options.Version;
        state.HasVersion = true;
    } else if (!state.HasVersion) {
        state.LastVer = PAPERKIT_VERSION;
        state.HasVersion = true;
    }
    if (!options.Updates.empty() && !PublishUpdates(options, updatesDir, state, error))
        return false;
    TWallLastVers lastVers;
    lastVers.LastVer = state.LastVer;
    std::set<std::string> updateFiles;
    for (const PublishedUpdate& update : state.Updates) {
        auto record = std::make_unique<TWallLastVer>();
        record->FileName = update.FileName;
        record->Total = update.Total;
        record->Totalxyz = update.Totalxyz;
        lastVers.Add(std::move(record));
        const std::string container = std::string(DocumentsFolderName) + "/" + UpdatesFolderName +
                                      "/" + ScrambleEncode(update.FileName) + ".xyz";
        updateFiles.insert(container);
        if (!fs::is_regular_file(out / container, ec))
            report.Warnings.push_back("the update container " + container + " is missing");
    }

    if (!PublishServerDocuments(docsDir, {categorys, subjects, ads, lastVers}, report.Stamps,
                                report.Written, error))
        return false;

    // Files no album lists any more go, and so does what the state knew of them.
    report.Removed = RemoveStaleFiles(picturesDir, out, produced);
    if (fs::is_directory(updatesDir, ec))
        report.Removed += RemoveStaleFiles(updatesDir, out, updateFiles);
    std::map<std::string, PublishedOutput> outputs;
    for (const std::vector<EncodeJob>* list : {&jobs, &coverJobs}) {
        for (const EncodeJob& job : *list) {
            if (!job.Error.empty())
                continue;
            for (std::size_t k = 0; k < job.Outputs.size(); ++k) {
                if (produced.contains(job.Outputs[k]))
                    outputs[job.Outputs[k]] = {job.SourceKey, job.SourceSignature, job.Md5s[k]};
            }
        }
    }
    state.Outputs = std::move(outputs);
    if (!SavePublishState(stateFile, state, error))
        return false;

    report.Categories = categorys.Count();
    report.Albums = subjects.Count();
    return true;
}

} // namespace paperkit
