#include "rotation/self_update.h"

#include "catalog/container.h"
#include "platform/process_launch.h"
#include "support/globals.h"
#include "support/log.h"
#include "support/md5.h"
#include "support/scramble.h"
#include "support/temp_files.h"

#include <system_error>

namespace paperkit {

namespace {

constexpr const char* kApplicationTitle = "青鸾画屏";

std::filesystem::path WithTrailingSeparator(std::filesystem::path folder) {
    if (!folder.empty() && !folder.has_filename())
        return folder;
    return folder / "";
}

std::filesystem::path RunningProgramFile() {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return ProgramFolder / "paperkit";
    return self;
}

} // namespace

std::string UpdaterFileName() {
#ifdef _WIN32
    return "update.exe";
#else
    return "update";
#endif
}

bool IsCurrentVersion(std::string_view version) {
    return !version.empty() && version == strFileVersion;
}

void UnpackUpdater() {
    try {
        const auto container =
            ReceiveFolder / "update" / (ScrambleEncode(UpdaterFileName()) + ".xyz");
        const auto temp = TempFolder();
        const auto unpacked = TMyZip().Unpack(container, temp);
        if (unpacked.empty() || unpacked.filename() != UpdaterFileName()) {
            if (!unpacked.empty()) {
                std::error_code ec;
                std::filesystem::remove(unpacked, ec);
            }
            return;
        }
        const auto installed = ProgramFolder / UpdaterFileName();
        if (DigestEqual(FileDigest(unpacked), FileDigest(installed)))
            return;
        std::error_code ec;
        std::filesystem::copy_file(unpacked, installed,
                                   std::filesystem::copy_options::overwrite_existing, ec);
        if (!ec)
            std::filesystem::permissions(installed, std::filesystem::perms::owner_exec,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove(unpacked, ec);
    } catch (...) {
        // A failed refresh leaves the installed updater as it was.
    }
}

std::vector<std::string> UpdaterArguments(const std::filesystem::path& programFolder,
                                          const std::filesystem::path& receiveFolder,
                                          const std::filesystem::path& programFile) {
    return {(receiveFolder / "update").string(), WithTrailingSeparator(programFolder).string(),
            kApplicationTitle, programFile.string()};
}

std::string WindowsUpdaterCommandLine(std::string_view programFolder,
                                      std::string_view receiveFolder,
                                      std::string_view programFile) {
    std::string line(programFolder);
    line += "\\update.exe ";
    const auto quoted = [](std::string_view text) { return "\"" + std::string(text) + "\""; };
    line += quoted(std::string(receiveFolder) + "update") + " ";
    line += quoted(programFolder) + " ";
    line += quoted(kApplicationTitle) + " ";
    line += quoted(programFile);
    return line;
}

void RunAutoUpdate() {
    const auto updater = ProgramFolder / UpdaterFileName();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(updater, ec)) {
        Log("RunAutoUpdate: no updater at " + updater.string());
        return;
    }
    if (!LaunchDetached(updater,
                        UpdaterArguments(ProgramFolder, ReceiveFolder, RunningProgramFile())))
        Log("RunAutoUpdate: the updater did not start");
}

} // namespace paperkit
