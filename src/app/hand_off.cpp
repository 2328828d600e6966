#include "app/hand_off.h"

#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

namespace paperkit {

bool AppendHandOff(const std::filesystem::path& file, std::string_view argument) {
    // A line break inside the argument would turn one path into two at the receiver.
    if (argument.find_first_of("\r\n") != std::string_view::npos)
        return false;
    std::ofstream out(file, std::ios::binary | std::ios::app);
    if (!out)
        return false;
    out << argument << "\r\n";
    out.flush();
    return static_cast<bool>(out);
}

std::optional<std::string> TakeHandOff(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    {
        std::ifstream in(file, std::ios::binary);
        std::string line;
        while (in && std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
        }
    }
    std::error_code ec;
    std::filesystem::remove(file, ec);
    if (lines.empty())
        return std::nullopt;
    std::string command = "WebDownload:";
    for (const auto& line : lines)
        command += line + "\r\n";
    return command;
}

} // namespace paperkit
