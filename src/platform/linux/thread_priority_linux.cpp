#include "platform/thread_priority.h"

#include <cerrno>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace paperkit {

void LowerCurrentThreadPriority() {
    // On Linux the nice value belongs to the thread (its tid), not to the whole process.
    const auto tid = static_cast<id_t>(syscall(SYS_gettid));
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, tid);
    if (errno != 0)
        return;
    setpriority(PRIO_PROCESS, tid, current + 1);
}

} // namespace paperkit
