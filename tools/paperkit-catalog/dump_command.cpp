#include "catalog/container.h"
#include "commands.h"
#include "support/temp_files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

namespace paperkit::tool {

void AddDumpCommand(CLI::App& app) {
    auto container = std::make_shared<std::string>();
    CLI::App* cmd = app.add_subcommand("dump", "Print the document inside a container");
    cmd->add_option("FILE", *container, "container to read (.xmz, .pkd)")->required();
    cmd->callback([container] {
        namespace fs = std::filesystem;
        std::string folder = (TempFolder() / "pk-dump-XXXXXX").string();
        if (!::mkdtemp(folder.data()))
            Fail("cannot make a temporary folder");
        const fs::path written = TMyZip().Unpack(*container, folder);
        std::ifstream in(written, std::ios::binary);
        const bool ok = !written.empty() && in;
        // Streaming an empty buffer would mark std::cout as failed.
        if (ok && in.peek() != std::ifstream::traits_type::eof())
            std::cout << in.rdbuf();
        in.close();
        std::error_code ec;
        fs::remove_all(folder, ec);
        if (!ok)
            Fail(*container + " is missing or damaged");
        std::cout.flush();
    });
}

} // namespace paperkit::tool
