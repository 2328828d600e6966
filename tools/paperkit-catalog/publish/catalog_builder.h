#pragma once

#include "publish/server_documents.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace paperkit {

struct BuildOptions {
    /// One folder per category, one per album inside, the pictures inside those.
    std::filesystem::path Pictures;
    /// The catalog folder: the server root.
    std::filesystem::path Out;
    /// Size table indices to make; empty for DefaultPublishSizes().
    std::vector<int> Sizes;
    /// The program version to announce; nullopt keeps the one announced before (or, the first
    /// time, this build's own version, so that no program is told to update).
    std::optional<std::string> Version;
    /// Program update files; when not empty they replace the announced files.
    std::vector<std::filesystem::path> Updates;
    /// Worker threads for encoding; 0 picks one per processor.
    int Jobs = 0;
    /// Publication date given to new albums, "YYYY-MM-DD"; empty for today.
    std::string Today;
    /// Receives a line for each step worth telling.
    std::function<void(const std::string&)> Progress;
};

struct BuildReport {
    int Categories = 0;
    int Albums = 0;
    int Pictures = 0;
    /// Picture files encoded afresh, and those kept from an earlier build.
    int Encoded = 0;
    int Reused = 0;
    /// Files of earlier builds that no album lists any more.
    int Removed = 0;
    FileTotals Stamps;
    /// Documents that were written because their content changed.
    std::vector<std::string> Written;
    /// Input that was skipped, each with its reason.
    std::vector<std::string> Warnings;
};

/// The sizes made when none are asked for: four common screens of different shapes.
std::vector<int> DefaultPublishSizes();

/// Reads a list such as "1920x1200,1366x768" into size table indices, in table order without
/// repeats. False, naming the culprit in `error`, for a size the table does not hold.
bool ParseSizeOption(std::string_view text, std::vector<int>& sizes, std::string& error);

/// Publishes the pictures as a catalog in `Out`: the four server documents in "wallfiles", each
/// album's covers and pictures below "pictures/<Id>/", and the state that keeps ids, numbers and
/// names stable across builds. Documents whose content is unchanged are left as they are, so
/// their stamps stay. False, with the reason in `error`, when nothing could be published.
bool BuildCatalog(const BuildOptions& options, BuildReport& report, std::string& error);

} // namespace paperkit
