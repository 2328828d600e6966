#include "rotation/wall_rotation.h"

#include "platform/wallpaper.h"
#include "rotation/file_index.h"
#include "rotation/local_paths.h"
#include "support/file_list.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

namespace paperkit {

namespace fs = std::filesystem;

namespace {

std::optional<int> AlbumId(const std::string& text) {
    int id = 0;
    const char* last = text.data() + text.size();
    auto [end, ec] = std::from_chars(text.data(), last, id);
    if (text.empty() || ec != std::errc() || end != last)
        return std::nullopt;
    return id;
}

bool IsPictureName(const std::string& name) {
    const size_t dot = name.find_last_of("./");
    if (dot == std::string::npos || name[dot] != '.' || name.size() - dot != 4)
        return false;
    std::string ext = name.substr(dot + 1);
    for (char& c : ext)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    return ext == "JPG" || ext == "BMP" || ext == "GIF";
}

using FileRecords = std::vector<std::unique_ptr<TWallFileInfo>>;

void AddFile(FileRecords& files, std::string path, const TWallPaper& entry) {
    auto file = std::make_unique<TWallFileInfo>();
    file->FileName = std::move(path);
    file->SourceId = entry.Id;
    file->SourceType = entry.Type;
    files.push_back(std::move(file));
}

template <typename PathOf>
void AddAlbum(FileRecords& files, const TWallSubjects& albums, const TWallPaper& entry,
              PathOf pathOf) {
    const std::optional<int> id = AlbumId(entry.Id);
    const TWallSubject* album = id ? albums.Find(*id) : nullptr;
    if (!album)
        return;
    for (const TWallImage& image : album->Images) {
        // A picture without a safe path could never be opened; it is left out.
        if (std::optional<fs::path> path = pathOf(image))
            AddFile(files, path->string(), entry);
    }
}

void AddFolder(FileRecords& files, const TWallPaper& entry) {
    std::vector<fs::path> listed;
    ListFiles(fs::path(entry.Id), listed, entry.HasSub == 'Y');
    for (const fs::path& path : listed) {
        std::string text = path.string();
        if (IsPictureName(text))
            AddFile(files, std::move(text), entry);
    }
}

} // namespace

std::string AlbumKey(const TWallFileInfo& file) {
    std::string key;
    key.reserve(file.SourceId.size() + 2);
    key.push_back(file.SourceType);
    key.push_back(':');
    key.append(file.SourceId);
    return key;
}

FileRecords BuildWallFiles(const TMainSetupFiles& catalog) {
    FileRecords files;
    for (const TWallPaper& entry : catalog.WallPapers) {
        switch (entry.Type) {
        case '1':
            AddAlbum(files, catalog.Subjects, entry, NewImageFile);
            break;
        case '2':
            AddAlbum(files, catalog.DSubjects, entry, DownImageFile);
            break;
        case '0':
            AddFolder(files, entry);
            break;
        default:
            break;
        }
    }
    return files;
}

bool IsOpenable(const std::string& file) {
    // A regular file only: opening a pipe or device named like a picture could block or read
    // endlessly.
    std::error_code ec;
    if (file.empty() || !fs::is_regular_file(fs::path(file), ec))
        return false;
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (!f)
        return false;
    std::fclose(f);
    return true;
}

std::string TWallRotation::CurrentAlbumKey() const {
    return KeyAt(m_position);
}

void TWallRotation::LoadWallFiles(const TMainSetupFiles& catalog) {
    FileRecords built = BuildWallFiles(catalog);
    m_files.Clear();
    for (auto& file : built)
        m_files.Add(std::move(file));
}

void TWallRotation::ReloadWallFiles(const TMainSetupFiles& catalog) {
    std::string current;
    if (const TWallFileInfo* file = m_files.Get(m_position))
        current = file->FileName;
    LoadWallFiles(catalog);
    m_position = IndexOfWallFile(current);
}

int TWallRotation::IndexOfWallFile(std::string_view path) const {
    if (path.empty())
        return 0;
    const int index = m_files.IndexOf(path);
    return index < 0 ? 0 : index;
}

void TWallRotation::Advance() {
    m_position = (m_position >= -1 && m_position < m_files.Count() - 1) ? m_position + 1 : 0;
}

void TWallRotation::StepBack() {
    m_position = (m_position <= 0 || m_position > m_files.Count() - 1) ? m_files.Count() - 1
                                                                       : m_position - 1;
}

std::string TWallRotation::KeyAt(int index) const {
    const TWallFileInfo* file = m_files.Get(index);
    return file ? AlbumKey(*file) : std::string();
}

bool TWallRotation::OpenableAt(int index) const {
    const TWallFileInfo* file = m_files.Get(index);
    return file && IsOpenable(file->FileName);
}

void TWallRotation::Apply() {
    // The library's answer is not looked at: a picture that opens but cannot be shown still
    // becomes the position.
    m_setter.ChangeWallpaper(fs::path(m_files.Get(m_position)->FileName));
    WriteFileIndex(m_position);
}

void TWallRotation::NextWallpaper() {
    for (int tries = m_files.Count(); tries > 0; --tries) {
        Advance();
        if (OpenableAt(m_position)) {
            Apply();
            return;
        }
    }
}

void TWallRotation::PriorWallpaper() {
    for (int tries = m_files.Count(); tries > 0; --tries) {
        StepBack();
        if (OpenableAt(m_position)) {
            Apply();
            return;
        }
    }
}

void TWallRotation::NextTitle() {
    const bool hasCurrent = InList(m_position);
    const std::string current = KeyAt(m_position);
    for (int tries = m_files.Count(); tries > 0; --tries) {
        Advance();
        if ((!hasCurrent || KeyAt(m_position) != current) && OpenableAt(m_position)) {
            Apply();
            return;
        }
    }
}

void TWallRotation::PriorTitle() {
    const bool hasCurrent = InList(m_position);
    const std::string current = KeyAt(m_position);
    std::optional<std::string> found;
    int chosen = -1;
    for (int tries = m_files.Count(); tries > 0; --tries) {
        StepBack();
        std::string key = KeyAt(m_position);
        if (hasCurrent && key == current)
            continue;
        // Walking backwards, the previous album is passed whole once another key shows up.
        if (found && key != *found)
            break;
        if (OpenableAt(m_position)) {
            if (!found)
                found = std::move(key);
            chosen = m_position;
        }
    }
    if (!found)
        return;
    m_position = chosen;
    Apply();
}

void TWallRotation::GotoTitle(std::string_view albumKey) {
    for (int index = 0; index < m_files.Count(); ++index) {
        if (KeyAt(index) == albumKey && OpenableAt(index)) {
            m_position = index;
            Apply();
            return;
        }
    }
}

void TWallRotation::ShowWallpaper() {
    if (m_files.Count() == 0)
        return;
    if (!InList(m_position))
        m_position = 0;
    for (int tries = m_files.Count(); tries > 0; --tries) {
        if (OpenableAt(m_position)) {
            Apply();
            return;
        }
        Advance();
    }
}

} // namespace paperkit
