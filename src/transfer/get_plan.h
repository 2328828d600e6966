#pragma once

#include <cstdint>

namespace paperkit {

/// The read time-out for a resource of this many bytes: length x 0.5 + 20000 ms, a half rounded
/// to the even neighbour.
std::int64_t ReadTimeoutFor(std::int64_t length);

/// How the GET phase of a fetch waits and retries.
struct GetPlan {
    /// The read time-out of every GET: the computed one, at most 50000 ms.
    std::int64_t readTimeoutMs;
    /// Resume attempts after a failed first GET: 10 up to 50000 ms, else timeout x 10 / 50000.
    std::int64_t tries;
};

/// The plan for a resource of this many bytes.
GetPlan PlanGet(std::int64_t length);

} // namespace paperkit
