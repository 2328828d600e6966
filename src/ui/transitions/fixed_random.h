#pragma once

#include <cstdint>

namespace paperkit {

/// The program's pseudo-random generator (xorshift64*). It starts from a fixed seed and is never
/// seeded from the clock, so every run draws the same sequence: slideshows and effect patterns
/// look the same from one run to the next, and tests can rely on them.
class FixedRandom {
public:
    static constexpr std::uint64_t kSeed = 0x9E3779B97F4A7C15ull;

    explicit FixedRandom(std::uint64_t seed = kSeed) : m_state(seed ? seed : kSeed) {}

    std::uint64_t Next() {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return m_state * 0x2545F4914F6CDD1Dull;
    }

    /// A number from 0 to bound - 1 (0 when bound is not positive).
    int Below(int bound) {
        if (bound <= 0)
            return 0;
        return static_cast<int>((Next() >> 11) % static_cast<std::uint64_t>(bound));
    }

private:
    std::uint64_t m_state;
};

} // namespace paperkit
