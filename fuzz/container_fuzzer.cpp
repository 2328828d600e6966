// Arbitrary bytes as a catalog container: unpacking gives a clear result, writes at most one
// plain file inside the target folder and keeps the bytes it reports. Each input is tried twice:
// as the container's bytes, and compressed, as the container's payload (file, trailer and the
// trailer's length), so that the fuzzer reaches the trailer without having to forge zlib.
#include "catalog/container.h"
#include "fuzz_support.h"

#include <cstdlib>
#include <string>
#include <zlib.h>

using namespace paperkit;
namespace fs = std::filesystem;

namespace {

std::string Compressed(const std::uint8_t* data, std::size_t size) {
    uLongf length = compressBound(static_cast<uLong>(size));
    std::string out(length, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &length, data, static_cast<uLong>(size),
                  Z_BEST_SPEED) != Z_OK)
        fuzz::Fail("zlib could not compress");
    out.resize(length);
    return out;
}

void UnpackChecked(std::string_view bytes) {
    static const fs::path input = fuzz::Scratch() / "input.xmz";
    static const fs::path out = [] {
        fs::create_directories(fuzz::Scratch() / "out");
        return fuzz::Scratch() / "out";
    }();
    fuzz::WriteBytes(input, bytes);

    // A small cap keeps decompression bombs quick; the cap itself is part of what is tested.
    const TMyZip zip(std::size_t{4} << 20);
    const fs::path file = zip.Unpack(input, out);
    if (!file.empty() && file.parent_path() != out)
        fuzz::Fail("unpacked outside the target folder");

    std::size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(out)) {
        (void)entry;
        ++entries;
    }
    if (entries != (file.empty() ? 0u : 1u))
        fuzz::Fail("unpack left other files than the one it reported");
    fuzz::Clear(out);

    const UnpackedFile kept = zip.Unpack(input, out, PayloadMemory{std::malloc, std::free});
    if (kept.File.empty() != file.empty())
        fuzz::Fail("the two unpack forms disagree");
    if (!kept.File.empty()) {
        const std::string onDisk = fuzz::ReadBytes(kept.File);
        if (!kept.Bytes || onDisk.size() != kept.Size ||
            onDisk.compare(0, kept.Size, std::string_view(kept.Bytes.get(), kept.Size)) != 0)
            fuzz::Fail("the bytes kept in memory differ from the file");
    }
    fuzz::Clear(out);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    UnpackChecked(fuzz::AsText(data, size));
    UnpackChecked(Compressed(data, size));
    return 0;
}
