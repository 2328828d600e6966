#include "rotation/completeness.h"

#include "rotation/local_paths.h"
#include "support/globals.h"
#include "support/md5.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

namespace paperkit {

namespace fs = std::filesystem;

namespace {

bool Matches(const std::optional<fs::path>& file, std::string_view digest) {
    std::error_code ec;
    if (!file || !fs::is_regular_file(*file, ec))
        return false;
    return DigestHex(FileDigest(*file)) == digest;
}

/// The picture's digest in its album's chosen size; empty for no size or a size out of range.
std::string_view SizedDigest(const TWallImage& image) {
    return image.Subject ? image.Totals[image.Subject->Size] : std::string_view();
}

bool ImageMatches(const std::optional<fs::path>& file, const TWallImage& image) {
    const std::string_view digest = SizedDigest(image);
    return !digest.empty() && Matches(file, digest);
}

} // namespace

bool CheckNewSubject(const TWallSubject& subject) {
    return Matches(NewSubjectFile(subject), subject.Total);
}

bool CheckDownSubject(const TWallSubject& subject) {
    return Matches(DownSubjectFile(subject), subject.Total);
}

bool CheckNewImage(const TWallImage& image) {
    return ImageMatches(NewImageFile(image), image);
}

bool CheckDownImage(const TWallImage& image) {
    return ImageMatches(DownImageFile(image), image);
}

bool CheckUpdateFile(const TWallLastVer& version) {
    return Matches(UpdateFile(version), version.Totalxyz);
}

void CheckNewAlbums(TWallSubjects& subjects, bool force) {
    for (TWallSubject& subject : subjects) {
        if (Closing)
            return;
        if (force || !subject.Downloaded)
            subject.Downloaded = CheckNewSubject(subject);
        for (TWallImage& image : subject.Images) {
            if (Closing)
                return;
            if (force || !image.Downloaded)
                image.Downloaded = CheckNewImage(image);
        }
    }
}

void CheckDownAlbum(TWallSubject& subject) {
    subject.Downloaded = CheckDownSubject(subject);
    for (TWallImage& image : subject.Images)
        image.Downloaded = CheckDownImage(image);
}

void CheckLastVers(TWallLastVers& versions, bool force) {
    for (TWallLastVer& version : versions) {
        if (Closing)
            return;
        if (force || !version.Downloaded)
            version.Downloaded = CheckUpdateFile(version);
    }
}

int CountDoneImages(const TWallSubject& subject) {
    int done = 0;
    for (const TWallImage& image : subject.Images)
        done += image.Downloaded ? 1 : 0;
    return done;
}

} // namespace paperkit
