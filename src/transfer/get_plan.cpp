#include "transfer/get_plan.h"

namespace paperkit {

std::int64_t ReadTimeoutFor(std::int64_t length) {
    // Integer arithmetic keeps the half exact for every length.
    std::int64_t half = length / 2;
    if (length % 2 != 0 && half % 2 != 0)
        half += length > 0 ? 1 : -1;
    return half + 20000;
}

GetPlan PlanGet(std::int64_t length) {
    constexpr std::int64_t cap = 50000;
    const std::int64_t timeout = ReadTimeoutFor(length);
    if (timeout <= cap)
        return {timeout, 10};
    return {cap, timeout * 10 / cap};
}

} // namespace paperkit
