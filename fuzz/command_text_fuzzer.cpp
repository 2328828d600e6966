// Command lines, image keys and the hand-off file between a second start and the running
// instance: any text splits into parts that give the text back, and the hand-off file is always
// taken whole and removed.
#include "app/command_text.h"
#include "app/hand_off.h"
#include "fuzz_support.h"

#include <charconv>

using namespace paperkit;
namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);

    const CommandParts command = SplitCommand(text);
    const std::string joined =
        text.find(':') == std::string_view::npos ? command.Name : command.Name + ":" + command.Arg;
    if (joined != text || command.Name.find(':') != std::string::npos)
        fuzz::Fail("a command line does not split at its first colon");

    const ImageKeyParts key = SplitImageKey(command.Arg);
    const std::string keyJoined =
        command.Arg.find('.') == std::string::npos ? key.Id : key.Id + "." + key.No;
    if (keyJoined != command.Arg || key.Id.find('.') != std::string::npos)
        fuzz::Fail("an image key does not split at its first dot");

    if (const auto number = ParseDecimal(key.Id)) {
        int expected = 0;
        const char* last = key.Id.data() + key.Id.size();
        const auto [end, ec] = std::from_chars(key.Id.data(), last, expected);
        if (ec != std::errc() || end != last || expected != *number)
            fuzz::Fail("a decimal was read wrongly");
    }

    // The file as another start might have left it, then one more argument appended to it.
    static const fs::path file = fuzz::Scratch() / "wdownload.tmp";
    fuzz::WriteBytes(file, text);
    const auto first = TakeHandOff(file);
    if (fs::exists(file))
        fuzz::Fail("the hand-off file stayed after it was taken");
    if (first && first->rfind("WebDownload:", 0) != 0)
        fuzz::Fail("the hand-off command has another name");

    const std::string argument(command.Arg.substr(0, command.Arg.find_first_of("\r\n")));
    if (AppendHandOff(file, argument)) {
        const auto second = TakeHandOff(file);
        if (!argument.empty() && second != "WebDownload:" + argument + "\r\n")
            fuzz::Fail("an appended argument did not come back as it was");
    }
    std::error_code ec;
    fs::remove(file, ec);
    return 0;
}
