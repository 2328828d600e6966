#include "support/file_tree.h"

#include <string>
#include <system_error>

namespace paperkit {

namespace fs = std::filesystem;

namespace {

enum class Mode { Copy, Move };

/// True when the path names something, a dangling link included.
bool Occupied(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

/// Copies one entry that is not a real folder. True when the target holds it afterwards: copied
/// now, or a regular file of that name was there already.
bool CopyEntry(const fs::directory_entry& entry, const fs::path& to) {
    std::error_code ec;
    if (Occupied(to))
        return fs::is_regular_file(fs::symlink_status(to, ec)) &&
               fs::is_regular_file(entry.status(ec));
    const fs::file_status linkStatus = entry.symlink_status(ec);
    if (fs::is_symlink(linkStatus) && !fs::is_regular_file(entry.status(ec))) {
        fs::copy_symlink(entry.path(), to, ec);
        return !ec;
    }
    if (!fs::is_regular_file(entry.status(ec)))
        return false; // devices, pipes and sockets are not ours to copy
    if (!fs::copy_file(entry.path(), to, fs::copy_options::none, ec) || ec) {
        fs::remove(to, ec); // no half-written file at the target
        return false;
    }
    return true;
}

/// Copies (or moves) the folder's entries into the target folder. False when the source cannot
/// be listed or the target cannot be created; `complete` is cleared when any entry is left at
/// the source by a move.
bool TransferFolder(const fs::path& source, const fs::path& target, Mode mode, bool& complete) {
    std::error_code ec;
    fs::directory_iterator it(source, ec);
    if (ec)
        return false;
    fs::create_directories(target, ec);
    if (!fs::is_directory(target, ec))
        return false;

    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        const fs::directory_entry& entry = *it;
        const fs::path to = target / entry.path().filename();
        std::error_code statusError;
        if (fs::is_directory(entry.symlink_status(statusError))) {
            bool subComplete = true;
            const bool listed = TransferFolder(entry.path(), to, mode, subComplete);
            if (mode == Mode::Move) {
                std::error_code removeError;
                if (!listed || !subComplete || !fs::remove(entry.path(), removeError))
                    complete = false;
            }
            continue;
        }
        const bool there = CopyEntry(entry, to);
        if (mode == Mode::Move) {
            std::error_code removeError;
            if (!there || !fs::remove(entry.path(), removeError))
                complete = false;
        }
    }
    if (ec)
        complete = false;
    return true;
}

/// True when `inner` is `outer` or lies below it, after resolving links and dot segments.
bool IsWithin(const fs::path& inner, const fs::path& outer) {
    std::error_code ec;
    std::string a = fs::weakly_canonical(inner, ec).string();
    if (ec)
        return true; // cannot tell: refuse rather than risk copying a tree into itself
    std::string b = fs::weakly_canonical(outer, ec).string();
    if (ec)
        return true;
    for (std::string* s : {&a, &b})
        while (s->size() > 1 && s->back() == '/')
            s->pop_back();
    return a == b || a.starts_with(b == "/" ? b : b + "/");
}

bool Transfer(const fs::path& source, const fs::path& target, Mode mode, bool& complete) {
    std::error_code ec;
    if (source.empty() || target.empty())
        return false;
    const fs::path from = fs::absolute(source, ec);
    const fs::path to = fs::absolute(target, ec);
    if (ec || !fs::is_directory(from, ec) || IsWithin(to, from))
        return false;
    return TransferFolder(from, to, mode, complete);
}

void DeleteContents(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entryError;
        if (fs::is_directory(it->symlink_status(entryError)))
            DeleteContents(it->path());
        fs::remove(it->path(), entryError);
    }
}

} // namespace

bool ForceFileFolder(const fs::path& file) {
    const fs::path folder = file.parent_path();
    if (folder.empty())
        return true;
    std::error_code ec;
    fs::create_directories(folder, ec);
    return fs::is_directory(folder, ec);
}

bool CopyTree(const fs::path& source, const fs::path& target) {
    bool complete = true;
    return Transfer(source, target, Mode::Copy, complete);
}

bool DeleteTree(const fs::path& folder) {
    std::error_code ec;
    const fs::path path = fs::absolute(folder, ec);
    if (ec)
        return false;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (!fs::exists(status))
        return !ec || ec == std::errc::no_such_file_or_directory;
    if (fs::is_directory(status)) {
        fs::directory_iterator probe(path, ec);
        if (ec)
            return false;
        DeleteContents(path);
    } else if (!fs::is_symlink(status)) {
        return false; // not a folder
    }
    fs::remove(path, ec);
    return !ec && !Occupied(path);
}

bool MoveTree(const fs::path& source, const fs::path& target) {
    bool complete = true;
    if (!Transfer(source, target, Mode::Move, complete) || !complete)
        return false;
    std::error_code ec;
    fs::remove(fs::absolute(source, ec), ec);
    return !ec;
}

} // namespace paperkit
