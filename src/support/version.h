#pragma once

#include <string>

namespace paperkit {

/// The program's version text ("1.0.0.1030"); the build's version stands in for the file version
/// resource, so the path is accepted for the callers' sake and otherwise ignored.
std::string FileVersionText(const std::string& path = {});

} // namespace paperkit
