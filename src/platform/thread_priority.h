#pragma once

namespace paperkit {

/// Lowers the calling thread's scheduling priority one step below normal, so that background
/// transfers leave the desktop responsive. Failures are ignored.
void LowerCurrentThreadPriority();

} // namespace paperkit
