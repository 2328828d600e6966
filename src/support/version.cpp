#include "support/version.h"

namespace paperkit {

std::string FileVersionText(const std::string& /*path*/) {
    return PAPERKIT_VERSION;
}

} // namespace paperkit
