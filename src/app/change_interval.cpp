#include "app/change_interval.h"

#include "catalog/wall_paras.h"

#include <algorithm>
#include <cstdint>

namespace paperkit {

std::chrono::milliseconds ChangeInterval(const TWallParas& paras) {
    if (!paras.Change)
        return std::chrono::milliseconds(0);
    const std::int64_t hours = std::clamp(paras.Hour, 0, 24);
    const std::int64_t minutes = std::clamp(paras.Minute, 0, 59);
    const std::int64_t seconds = std::clamp(paras.Second, 0, 59);
    return std::chrono::milliseconds(((hours * 60 + minutes) * 60 + seconds) * 1000);
}

} // namespace paperkit
