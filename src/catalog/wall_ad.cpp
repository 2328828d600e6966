#include "catalog/wall_ad.h"

#include <memory>

namespace paperkit {

void TWallAds::Assign(const TWallAds& other) {
    if (&other == this)
        return;
    Clear();
    Interval = other.Interval;
    for (const TWallAd& ad : other)
        Add(std::make_unique<TWallAd>(ad));
}

} // namespace paperkit
