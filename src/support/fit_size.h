#pragma once

namespace paperkit {

struct FittedSize {
    int width = 0;
    int height = 0;

    bool operator==(const FittedSize&) const = default;
};

/// The size of the picture scaled, keeping its proportions, to fill the screen in one direction
/// and fit within it in the other (remainders dropped). A zero or negative size gives 0 by 0.
FittedSize FitSize(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight);

} // namespace paperkit
