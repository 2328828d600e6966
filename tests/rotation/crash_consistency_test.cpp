// The program killed with SIGKILL at random moments while it saves: guide imports, size and
// settings changes, pictures arriving and rotation steps. After every kill the next start must
// find "setupfile.xmz", "downloadfile.xmz" and "fileindex.ini" whole, each holding the last save
// that ended or the one that was under way, and no picture may count as downloaded unless its
// file is whole and matches its digest.
//
// PAPERKIT_CRASH_SEED replays a run (the seed is printed); PAPERKIT_CRASH_ROUNDS changes the
// number of kills (200).
#include "catalog/container.h"
#include "catalog/download_files.h"
#include "rotation/completeness.h"
#include "rotation/file_index.h"
#include "rotation/local_files.h"
#include "rotation/local_paths.h"
#include "rotation_fixture.h"
#include "support/md5.h"
#include "testsupport/temp_dir.h"
#include "transfer/part_file.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <iostream>
#include <poll.h>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace paperkit {
namespace {

namespace fs = std::filesystem;

constexpr int PicturesPerAlbum = 10;
constexpr int FirstAlbum = 1000;

// What the saver tells the test: a save of one file began or ended, with its step number.
struct Report {
    char File;  // 'S' setupfile, 'D' downloadfile, 'I' fileindex.ini
    char Phase; // 'b' began, 'e' ended
    int Step;
    long long Nanos; // steady clock
};

long long NowNanos() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::string PictureBytes(int album, int no) {
    std::string bytes = "picture " + std::to_string(album) + "." + std::to_string(no) + "\n";
    while (bytes.size() < 8192)
        bytes += bytes;
    return bytes;
}

std::string Digest(int album, int no) {
    return DigestHex(DataDigest(PictureBytes(album, no)));
}

// A guide file for one album, as the catalog's web site hands it out, every picture offered in
// three sizes with the same bytes.
fs::path WriteGuide(int album) {
    std::string xml = "<Root><Subject><S Id=\"" + std::to_string(album) + "\" Desc=\"Album " +
                      std::to_string(album) + "\" Category=\"1\" Counts=\"" +
                      std::to_string(PicturesPerAlbum) + "\" SizeList=\"1024x768\" LocalPath=\"/" +
                      std::to_string(album) + "/\" FileName=\"cover.jpg\">";
    for (int no = 1; no <= PicturesPerAlbum; ++no) {
        const std::string digest = Digest(album, no);
        xml += "<I No=\"" + std::to_string(no) + "\" FileName=\"" + std::to_string(no) +
               ".jpg\" Total0=\"" + digest + "\" Total1=\"" + digest + "\" Total2=\"" + digest +
               "\"/>";
    }
    xml += "</S></Subject></Root>";
    const fs::path source = ReceiveFolder / "guide.xml";
    const fs::path guide = ReceiveFolder / (std::to_string(album) + ".pkd");
    test::WriteFile(source, xml);
    TMyZip().Pack(source, guide);
    fs::remove(source);
    return guide;
}

void Tell(int fd, char file, char phase, int step) {
    const Report report{file, phase, step, NowNanos()};
    if (fd >= 0 && ::write(fd, &report, sizeof report) != static_cast<ssize_t>(sizeof report))
        _exit(3);
}

// The step number each file carries: the setup document in the user values, the downloads in
// the first album's description, the position index as the position.
int SetupStep(TDownLoadFiles& files) {
    return files.WallUser().C ? std::atoi(files.WallUser().D.c_str()) : -1;
}

int DownloadStep(TDownLoadFiles& files) {
    if (files.DSubjects().Count() == 0)
        return -1;
    const std::string& desc = files.DSubjects().Get(0)->Desc;
    return desc.rfind("step ", 0) == 0 ? std::atoi(desc.c_str() + 5) : -1;
}

// Delivers the first picture of the user's downloads that is not there yet, through the part
// file the workers use, and lets the completeness check mark it.
void DeliverNextPicture(TDownLoadFiles& files) {
    for (TWallSubject& album : files.DSubjects()) {
        for (TWallImage& image : album.Images) {
            if (image.Downloaded)
                continue;
            const std::string bytes = PictureBytes(album.Id, image.No);
            PartFile part(*DownImageFile(image), bytes.size() + 1);
            if (!part.Open() || !part.Start(0))
                _exit(4);
            for (std::size_t at = 0; at < bytes.size(); at += 1024)
                if (!part.Write(std::string_view(bytes).substr(at, 1024)))
                    _exit(4);
            if (!part.Commit())
                _exit(4);
            CheckDownAlbum(album);
            return;
        }
    }
}

// One round of the program's saves, numbered `step`.
void SaveStep(TDownLoadFiles& files, int step, int reportFd) {
    if (step % PicturesPerAlbum == 0) {
        std::vector<std::string> guides{WriteGuide(FirstAlbum + step / PicturesPerAlbum).string()};
        files.ImportGuideFiles(guides);
    }
    for (TWallSubject& album : files.DSubjects())
        album.Size = step % 3;
    files.WallParas().Interval = 2 + step % 7;
    files.WallUser().C = true;
    files.WallUser().D = std::to_string(step);
    Tell(reportFd, 'S', 'b', step);
    if (!files.WriteSetupFile(ReceiveFolder / "setupfile.xmz"))
        _exit(5);
    Tell(reportFd, 'S', 'e', step);

    DeliverNextPicture(files);
    files.DSubjects().Get(0)->Desc = "step " + std::to_string(step);
    Tell(reportFd, 'D', 'b', step);
    if (!files.WriteDownloadFile(ReceiveFolder / "downloadfile.xmz"))
        _exit(5);
    Tell(reportFd, 'D', 'e', step);

    Tell(reportFd, 'I', 'b', step);
    WriteFileIndex(step);
    Tell(reportFd, 'I', 'e', step);
}

// The program's life between two kills: start as the program does, then save, step after step.
[[noreturn]] void RunSaver(int reportFd) {
    TDownLoadFiles files;
    LoadLocalFiles(files);
    for (TWallSubject& album : files.DSubjects())
        CheckDownAlbum(album);
    int step = std::max({SetupStep(files), DownloadStep(files), ReadFileIndex()}) + 1;
    // A saver whose test has gone away must not run on for ever.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < end)
        SaveStep(files, step++, reportFd);
    _exit(0);
}

// What a file may hold after a kill: the step of its last save that ended, or of the one that
// had begun.
struct Window {
    int Ended = 0;
    int Begun = 0;
    bool Allows(int step) const { return step == Ended || step == Begun; }
};

unsigned SeedFromEnvironment() {
    if (const char* text = std::getenv("PAPERKIT_CRASH_SEED"); text && *text)
        return static_cast<unsigned>(std::strtoul(text, nullptr, 10));
    return std::random_device{}();
}

int RoundsFromEnvironment() {
    if (const char* text = std::getenv("PAPERKIT_CRASH_ROUNDS"); text && *text)
        return std::max(1, std::atoi(text));
    return 200;
}

class CrashConsistencyTest : public ::testing::Test {
protected:
    test::DataFoldersFixture m_folders;
};

TEST_F(CrashConsistencyTest, EveryKillLeavesWholeDocumentsAndOnlyVerifiedPictures) {
    const unsigned seed = SeedFromEnvironment();
    const int rounds = RoundsFromEnvironment();
    std::cout << "crash consistency: seed " << seed << " (PAPERKIT_CRASH_SEED=" << seed
              << " replays it), " << rounds << " kills" << std::endl;
    SCOPED_TRACE("PAPERKIT_CRASH_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> share(0, 1);
    // Kills land anywhere in the first two or three steps after the saver's start-up; the time
    // of a step is measured as the run goes, as it grows with the catalog and differs between
    // builds (sanitizers).
    double stepNanos = 20e6;

    {
        TDownLoadFiles files;
        SaveStep(files, 0, -1);
    }
    Window setup, download, index;
    int picturesSeen = 0;
    int duringSave = 0;

    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE("kill " + std::to_string(round + 1));
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(fds[0]);
            RunSaver(fds[1]);
        }
        ::close(fds[1]);
        std::vector<Report> reports(1);
        pollfd started{fds[0], POLLIN, 0};
        const bool began = ::poll(&started, 1, 60000) == 1 &&
                           ::read(fds[0], &reports[0], sizeof(Report)) == sizeof(Report);
        if (!began)
            reports.clear();
        std::this_thread::sleep_for(
            std::chrono::nanoseconds(static_cast<long long>(share(random) * 2.5 * stepNanos)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the saver ended on its own with status " << status;
        ASSERT_TRUE(began) << "the saver never began to save";

        for (Report report{};
             ::read(fds[0], &report, sizeof report) == static_cast<ssize_t>(sizeof report);)
            reports.push_back(report);
        ::close(fds[0]);
        long long lastEnd = 0;
        for (const Report& report : reports) {
            Window& window = report.File == 'S' ? setup : report.File == 'D' ? download : index;
            (report.Phase == 'b' ? window.Begun : window.Ended) = report.Step;
            if (report.File == 'I' && report.Phase == 'e') {
                if (lastEnd != 0)
                    stepNanos = 0.8 * stepNanos + 0.2 * static_cast<double>(report.Nanos - lastEnd);
                lastEnd = report.Nanos;
            }
        }

        for (const Window* window : {&setup, &download, &index})
            duringSave += window->Begun != window->Ended ? 1 : 0;

        TDownLoadFiles found;
        ASSERT_TRUE(found.ReadDownloadFile(ReceiveFolder / "downloadfile.xmz"));
        ASSERT_TRUE(found.ReadSetupFile(ReceiveFolder / "setupfile.xmz"));
        const int setupStep = SetupStep(found);
        const int downloadStep = DownloadStep(found);
        const int indexStep = ReadFileIndex();
        ASSERT_TRUE(setup.Allows(setupStep))
            << "setupfile.xmz holds step " << setupStep << ", expected " << setup.Ended << " or "
            << setup.Begun;
        ASSERT_TRUE(download.Allows(downloadStep))
            << "downloadfile.xmz holds step " << downloadStep << ", expected " << download.Ended
            << " or " << download.Begun;
        ASSERT_TRUE(index.Allows(indexStep)) << "fileindex.ini holds " << indexStep << ", expected "
                                             << index.Ended << " or " << index.Begun;
        // The settings of a whole document are those its step wrote.
        EXPECT_EQ(found.WallParas().Interval, 2 + setupStep % 7);

        int pictures = 0;
        for (const TWallSubject& album : found.DSubjects()) {
            for (const TWallImage& image : album.Images) {
                if (image.Downloaded) {
                    ASSERT_TRUE(CheckDownImage(image)) << "picture " << album.Id << "." << image.No
                                                       << " counts as downloaded but is not whole";
                    ++pictures;
                }
                // A picture's own name never holds part of its bytes: they arrive beside it.
                const fs::path file = *DownImageFile(image);
                if (fs::exists(file)) {
                    ASSERT_EQ(test::ReadFile(file), PictureBytes(album.Id, image.No)) << file;
                }
            }
        }
        picturesSeen = std::max(picturesSeen, pictures);
        setup = {setupStep, setupStep};
        download = {downloadStep, downloadStep};
        index = {indexStep, indexStep};
    }
    std::cout << "crash consistency: " << duringSave << " kills during a save, last step "
              << download.Ended << ", " << picturesSeen << " pictures" << std::endl;
    // The kills must not all have come before the first save: the run has to have got somewhere.
    EXPECT_GT(picturesSeen, 0);
    EXPECT_GT(download.Ended, rounds / 4);
}

} // namespace
} // namespace paperkit
