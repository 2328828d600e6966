#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace paperkit {

/// Prepares a fresh data folder for the program (the folder that takes the place of
/// $XDG_DATA_HOME): the catalog's categories and a setup document in which the given categories
/// are preset, so the program fetches their new albums unasked on its first run. Refuses, with
/// the reason in `error`, to replace a setup document that is already there: it holds the user's
/// choices.
bool SeedDataFolder(const std::filesystem::path& catalog, const std::filesystem::path& dataHome,
                    const std::vector<int>& presetCategories, std::string& error);

/// The receive folder below a data folder.
std::filesystem::path ReceiveFolderIn(const std::filesystem::path& dataHome);

} // namespace paperkit
