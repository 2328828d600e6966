// Server documents and guide files as they arrive: XML of any shape, packed into a container the
// way the server stores it, then read by the program's reader. The first byte picks the reader.
#include "catalog/container.h"
#include "catalog/download_files.h"
#include "fuzz_support.h"

#include <string>
#include <vector>

using namespace paperkit;
namespace fs = std::filesystem;

namespace {

fs::path Pack(std::string_view xml) {
    static const fs::path source = fuzz::Scratch() / "document.xml";
    static const fs::path container = fuzz::Scratch() / "document.xmz";
    fuzz::WriteBytes(source, xml);
    TMyZip().Pack(source, container);
    return container;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return -1;
    const fs::path container = Pack(fuzz::AsText(data + 1, size - 1));

    TDownLoadFiles files;
    switch (data[0] % 6) {
    case 0:
        files.ReadFileTotal(container);
        break;
    case 1:
        files.ReadFileTotalOld(container);
        break;
    case 2:
        files.ReadCategory(container);
        break;
    case 3:
        files.ReadFile(container);
        break;
    case 4:
        files.ReadLastVer(container, "http://127.0.0.1/catalog",
                          [](const std::string& url) { return url + "?"; });
        break;
    default: {
        std::vector<std::string> list{container.string()};
        files.ImportGuideFiles(list);
        // Every id handed back names an album that was taken in.
        for (const std::string& id : list)
            if (id == container.string())
                fuzz::Fail("a guide path was kept though the guide gave no album");
        std::vector<std::string> again{container.string()};
        files.MatchGuideFiles(again);
        break;
    }
    }
    fuzz::Clear(fuzz::Scratch() / "tmp");
    return 0;
}
