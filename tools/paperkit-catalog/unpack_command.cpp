#include "catalog/container.h"
#include "commands.h"

#include <iostream>
#include <memory>
#include <string>

namespace paperkit::tool {

void AddUnpackCommand(CLI::App& app) {
    struct Args {
        std::string container;
        std::string folder;
    };
    auto args = std::make_shared<Args>();
    CLI::App* cmd = app.add_subcommand("unpack", "Unpack a container into a folder");
    cmd->add_option("CONTAINER", args->container, "container to read")->required();
    cmd->add_option("FOLDER", args->folder, "folder to write the packed file into")->required();
    cmd->callback([args] {
        const auto written = TMyZip().Unpack(args->container, args->folder);
        if (written.empty())
            Fail(args->container + " is missing, damaged or names no plain file");
        std::cout << written.string() << '\n';
    });
}

} // namespace paperkit::tool
