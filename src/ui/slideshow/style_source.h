#pragma once

#include "ui/transitions/fixed_random.h"

namespace paperkit {

/// Where the slideshow's transition styles come from.
class StyleSource {
public:
    virtual ~StyleSource() = default;
    /// A style from 0 to kRandomStyles - 1.
    virtual int Next() = 0;

    /// The styles drawn at random: 0 to 171.
    static constexpr int kRandomStyles = 172;
};

/// The program's generator: fixed seed, never the clock, so every run draws the same sequence.
class FixedStyleSource final : public StyleSource {
public:
    int Next() override { return m_random.Below(kRandomStyles); }

private:
    FixedRandom m_random;
};

} // namespace paperkit
