#include "ui/mainwindow/album_actions.h"

#include "rotation/completeness.h"
#include "rotation/local_paths.h"
#include "ui/mainwindow/main_window_rules.h"

#include <system_error>

namespace paperkit {
namespace {

void CheckImages(TWallSubject& subject, char pageKind) {
    for (TWallImage& image : subject.Images)
        image.Downloaded = pageKind == '2' ? CheckDownImage(image) : CheckNewImage(image);
}

void AddToRotation(TWallSubject& subject, char pageKind, TWallPapers& wallPapers) {
    subject.InWallList = true;
    auto entry = std::make_unique<TWallPaper>();
    entry->Type = pageKind;
    entry->Id = std::to_string(subject.Id);
    entry->Name = subject.Desc;
    wallPapers.Add(std::move(entry));
}

} // namespace

void RemoveFromRotation(const TWallSubject& subject, char pageKind, TWallPapers& wallPapers) {
    if (TWallPaper* entry = wallPapers.Find(pageKind, std::to_string(subject.Id)))
        wallPapers.Remove(entry);
}

std::string ToggleDownload(TWallSubject& subject, char pageKind, TWallPapers& wallPapers,
                           const ScreenGeometry& screen) {
    subject.Download = !subject.Download;
    if (subject.Download && subject.Size == -1) {
        subject.Size = SizeForList(subject.SizeList, screen.PrimaryWidth, screen.PrimaryHeight);
        if (subject.Size == -1)
            subject.Download = false;
    }
    if (!subject.Download)
        subject.Size = -1;
    if (subject.Download) {
        CheckImages(subject, pageKind);
        if (!subject.InWallList)
            AddToRotation(subject, pageKind, wallPapers);
    } else if (subject.InWallList) {
        subject.InWallList = false;
        RemoveFromRotation(subject, pageKind, wallPapers);
    }
    return AlbumCommand("SubjectSetupSize", pageKind, subject.Id);
}

std::string ToggleWallPaper(TWallSubject& subject, char pageKind, TWallPapers& wallPapers) {
    if (subject.InWallList) {
        subject.InWallList = false;
        RemoveFromRotation(subject, pageKind, wallPapers);
    } else {
        subject.Download = true;
        AddToRotation(subject, pageKind, wallPapers);
    }
    return AlbumCommand("SubjectSetup", pageKind, subject.Id);
}

std::optional<std::string> ChooseSize(TWallSubject& subject, char pageKind, TWallPapers& wallPapers,
                                      const std::string& sizeText) {
    if (!sizeText.empty()) {
        const int size = SizeIndex(sizeText);
        if (size < 0)
            return std::nullopt;
        subject.Size = size;
        subject.Download = true;
        CheckImages(subject, pageKind);
    } else {
        subject.Size = -1;
        subject.Download = false;
        subject.InWallList = false;
        for (TWallImage& image : subject.Images)
            image.Downloaded = false;
        RemoveFromRotation(subject, pageKind, wallPapers);
    }
    return AlbumCommand("SubjectSetupSize", pageKind, subject.Id);
}

std::optional<std::string> ReDownload(TWallSubject& subject, char pageKind) {
    if (subject.Size == -1)
        return std::nullopt;
    CheckImages(subject, pageKind);
    subject.Downloaded = pageKind == '2' ? CheckDownSubject(subject) : CheckNewSubject(subject);
    return AlbumCommand("SubjectSetupSize", pageKind, subject.Id);
}

std::vector<std::filesystem::path> SlideshowFiles(const TWallSubject& subject, char pageKind) {
    std::vector<std::filesystem::path> files;
    for (const TWallImage& image : subject.Images) {
        if (!image.Downloaded)
            continue;
        const auto file = pageKind == '2' ? DownImageFile(image) : NewImageFile(image);
        std::error_code ec;
        if (file && std::filesystem::is_regular_file(*file, ec))
            files.push_back(*file);
    }
    return files;
}

std::optional<std::filesystem::path> CoverFile(const TWallSubject& subject, char pageKind) {
    return pageKind == '2' ? DownSubjectFile(subject) : NewSubjectFile(subject);
}

} // namespace paperkit
