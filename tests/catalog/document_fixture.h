#pragma once

#include "catalog/container.h"
#include "testsupport/temp_dir.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace paperkit::test {

/// Packs document text into a container `name` inside `dir`, as the server or the program would
/// store it; returns the container's path.
inline std::filesystem::path PackXml(const TempDir& dir, const std::string& name,
                                     std::string_view xml) {
    const auto source = dir / (name + ".source");
    WriteFile(source, xml);
    TMyZip().Pack(source, dir / name);
    std::filesystem::remove(source);
    return dir / name;
}

/// The document text inside a container; empty when it cannot be unpacked.
inline std::string UnpackXml(const std::filesystem::path& container) {
    TempDir out("unpack");
    const auto file = TMyZip().Unpack(container, out.path());
    return file.empty() ? std::string() : ReadFile(file);
}

} // namespace paperkit::test
