#include "publish/work_queue.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace paperkit {

void RunInParallel(std::size_t count, int jobs, const std::function<void(std::size_t)>& work) {
    if (jobs <= 0)
        jobs = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
    const std::size_t threads = std::min<std::size_t>(static_cast<std::size_t>(jobs), count);
    std::atomic<std::size_t> next{0};
    auto loop = [&] {
        for (std::size_t i = next++; i < count; i = next++)
            work(i);
    };
    if (threads <= 1) {
        loop();
        return;
    }
    std::vector<std::jthread> pool;
    for (std::size_t t = 1; t < threads; ++t)
        pool.emplace_back(loop);
    loop();
}

} // namespace paperkit
