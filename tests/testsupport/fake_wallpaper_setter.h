#pragma once

#include "platform/wallpaper.h"

#include <filesystem>
#include <vector>

namespace paperkit::test {

/// A wallpaper setter that only records what it was asked to do.
class FakeWallpaperSetter : public WallpaperSetter {
public:
    bool ChangeWallpaper(const std::filesystem::path& picture) override {
        applied.push_back(picture);
        return answer;
    }
    bool ClearWallpaper() override {
        ++clears;
        return answer;
    }

    /// Every picture applied, in order.
    std::vector<std::filesystem::path> applied;
    int clears = 0;
    /// What both calls answer.
    bool answer = true;
};

} // namespace paperkit::test
