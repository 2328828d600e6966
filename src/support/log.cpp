#include "support/log.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>

namespace paperkit {

void Log(std::string_view line) {
    static std::mutex mutex;
    const char* target = std::getenv("PAPERKIT_LOG");
    if (!target || !*target)
        return;

    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);

    std::lock_guard lock(mutex);
    if (std::FILE* f = std::fopen(target, "ab")) {
        std::fprintf(f, "%s.%03d %.*s\n", stamp, static_cast<int>(millis),
                     static_cast<int>(line.size()), line.data());
        std::fclose(f);
    }
}

} // namespace paperkit
