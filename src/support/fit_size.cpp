#include "support/fit_size.h"

#include <cstdint>

namespace paperkit {

FittedSize FitSize(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || screenWidth <= 0 || screenHeight <= 0)
        return {};
    const std::int64_t pw = pictureWidth, ph = pictureHeight, sw = screenWidth, sh = screenHeight;
    // ph / sh >= pw / sw, compared exactly by cross-multiplying
    if (ph * sw >= pw * sh)
        return {static_cast<int>(pw * sh / ph), screenHeight};
    return {screenWidth, static_cast<int>(ph * sw / pw)};
}

} // namespace paperkit
