#pragma once

#include "catalog/owned_list.h"

#include <string>

namespace paperkit {

/// One advertisement line of the main window.
struct TWallAd {
    std::string Text;
    std::string URL;
};

class TWallAds : public OwnedList<TWallAd> {
public:
    /// Replaces the interval and the lines with copies of the other's.
    void Assign(const TWallAds& other);

    /// Seconds between two advertisement lines.
    int Interval = 0;
};

} // namespace paperkit
