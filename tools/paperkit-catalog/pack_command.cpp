#include "catalog/container.h"
#include "commands.h"

#include <memory>
#include <string>

namespace paperkit::tool {

void AddPackCommand(CLI::App& app) {
    struct Args {
        std::string source;
        std::string container;
    };
    auto args = std::make_shared<Args>();
    CLI::App* cmd = app.add_subcommand("pack", "Pack one file into a container (.xmz)");
    cmd->add_option("SOURCE", args->source, "file to pack")->required();
    cmd->add_option("CONTAINER", args->container, "container to write")->required();
    cmd->callback([args] {
        try {
            TMyZip().Pack(args->source, args->container);
        } catch (const std::exception& e) {
            Fail(std::string("cannot pack: ") + e.what());
        }
    });
}

} // namespace paperkit::tool
