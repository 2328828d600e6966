#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Handing over to the separate updater program when the catalog announces a newer version. The
// updater lies beside the program; none ships for Linux, and without it nothing is started.
namespace paperkit {

/// The updater's file name beside the program: "update.exe" on Windows, "update" elsewhere.
std::string UpdaterFileName();

/// True exactly when the text is not empty and equals the program's own version text.
bool IsCurrentVersion(std::string_view version);

/// Refreshes the updater beside the program from its downloaded container when the two differ.
/// Every failure is swallowed.
void UnpackUpdater();

/// The updater's arguments, in order: the folder of the downloaded containers (receive folder +
/// "update"), the program folder with its trailing separator, the application title, and the
/// running program's full path.
std::vector<std::string> UpdaterArguments(const std::filesystem::path& programFolder,
                                          const std::filesystem::path& receiveFolder,
                                          const std::filesystem::path& programFile);

/// The Windows command line text for the same start, from folders that end with a backslash:
/// programFolder + "\update.exe", a blank, then the four arguments, each in quote characters.
/// The updater splits at quotes and blanks, so the backslash before a closing quote is no escape.
std::string WindowsUpdaterCommandLine(std::string_view programFolder,
                                      std::string_view receiveFolder, std::string_view programFile);

/// Starts the updater without waiting for it. When the updater is missing it logs and does
/// nothing.
void RunAutoUpdate();

} // namespace paperkit
