// The program's own documents ("downloadfile.xmz", "setupfile.xmz") as they might be found after
// damage or a hand edit. Whatever reads must write, and what was written must read again to the
// same lists: the second write equals the first. The first byte picks the document.
#include "catalog/container.h"
#include "catalog/download_files.h"
#include "fuzz_support.h"

using namespace paperkit;
namespace fs = std::filesystem;

namespace {

std::string DocumentIn(const fs::path& container) {
    static const fs::path out = [] {
        fs::create_directories(fuzz::Scratch() / "out");
        return fuzz::Scratch() / "out";
    }();
    const fs::path file = TMyZip().Unpack(container, out);
    if (file.empty())
        fuzz::Fail("a document the program wrote does not unpack");
    std::string text = fuzz::ReadBytes(file);
    fuzz::Clear(out);
    return text;
}

bool Read(TDownLoadFiles& files, bool setup, const fs::path& container) {
    return setup ? files.ReadSetupFile(container) : files.ReadDownloadFile(container);
}

bool Write(TDownLoadFiles& files, bool setup, const fs::path& container) {
    return setup ? files.WriteSetupFile(container) : files.WriteDownloadFile(container);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return -1;
    static const fs::path source = fuzz::Scratch() / "document.xml";
    static const fs::path input = fuzz::Scratch() / "input.xmz";
    static const fs::path first = fuzz::Scratch() / "first.xmz";
    static const fs::path second = fuzz::Scratch() / "second.xmz";
    const bool setup = data[0] % 2 == 1;
    fuzz::WriteBytes(source, fuzz::AsText(data + 1, size - 1));
    TMyZip().Pack(source, input);

    TDownLoadFiles found;
    if (Read(found, setup, input)) {
        if (!Write(found, setup, first))
            fuzz::Fail("a document that read could not be written");
        TDownLoadFiles reread;
        if (!Read(reread, setup, first))
            fuzz::Fail("a document the program wrote does not read");
        if (!Write(reread, setup, second))
            fuzz::Fail("a reread document could not be written");
        if (DocumentIn(first) != DocumentIn(second))
            fuzz::Fail("writing what was read changed the lists");
    }
    fuzz::Clear(fuzz::Scratch() / "tmp");
    return 0;
}
