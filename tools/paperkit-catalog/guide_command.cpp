#include "commands.h"
#include "publish/guide_files.h"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace paperkit::tool {

void AddGuideCommand(CLI::App& app) {
    struct Args {
        std::string catalog;
        std::vector<int> ids;
        std::string out;
    };
    auto args = std::make_shared<Args>();
    CLI::App* cmd =
        app.add_subcommand("guide", "Write a download guide file (.pkd) for each album");
    cmd->add_option("CATALOG", args->catalog, "published catalog folder")->required();
    cmd->add_option("ALBUM_ID", args->ids, "album ids")->required();
    cmd->add_option("-o,--output", args->out, "folder to write the guide files into")->required();
    cmd->callback([args] {
        std::vector<std::filesystem::path> written;
        std::string error;
        const bool ok = WriteGuideFiles(args->catalog, args->ids, args->out, written, error);
        for (const auto& file : written)
            std::cout << file.string() << '\n';
        if (!ok)
            Fail(error);
    });
}

} // namespace paperkit::tool
