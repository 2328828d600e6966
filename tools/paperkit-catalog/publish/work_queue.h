#pragma once

#include <cstddef>
#include <functional>

namespace paperkit {

/// Calls `work` once for each index below `count`, spread over `jobs` threads (0: one per
/// processor, at most four), and returns when all calls have returned. `work` must not throw.
void RunInParallel(std::size_t count, int jobs, const std::function<void(std::size_t)>& work);

} // namespace paperkit
