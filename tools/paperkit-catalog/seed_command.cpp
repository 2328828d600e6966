#include "commands.h"
#include "publish/data_seed.h"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace paperkit::tool {

void AddSeedCommand(CLI::App& app) {
    struct Args {
        std::string catalog;
        std::string dataHome;
        std::vector<int> presets;
    };
    auto args = std::make_shared<Args>();
    CLI::App* cmd = app.add_subcommand(
        "seed", "Prepare a program data folder whose first run presets some categories");
    cmd->add_option("CATALOG", args->catalog, "published catalog folder")->required();
    cmd->add_option("DATA_HOME", args->dataHome,
                    "data folder the program runs with (its XDG_DATA_HOME)")
        ->required();
    cmd->add_option("--preset", args->presets, "ids of the categories to preset");
    cmd->callback([args] {
        std::string error;
        if (!SeedDataFolder(args->catalog, args->dataHome, args->presets, error))
            Fail(error);
        std::cout << "seeded " << ReceiveFolderIn(args->dataHome).string() << '\n';
    });
}

} // namespace paperkit::tool
