#include "commands.h"

#include <exception>
#include <iostream>
#include <string>

namespace paperkit::tool {

void Fail(std::string_view message) {
    std::cerr << "paperkit-catalog: " << message << '\n';
    throw CLI::RuntimeError(1);
}

} // namespace paperkit::tool

int main(int argc, char** argv) {
    using namespace paperkit::tool;
    CLI::App app{"Builds, checks and serves PaperKit picture catalogs.", "paperkit-catalog"};
    app.require_subcommand(1);

    AddPackCommand(app);
    AddUnpackCommand(app);
    AddDumpCommand(app);
    AddListCommand(app);
    AddBuildCommand(app);
    AddGuideCommand(app);
    AddCheckCommand(app);
    AddServeCommand(app);
    AddDemoCommand(app);
    AddSeedCommand(app);

    try {
        CLI11_PARSE(app, argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "paperkit-catalog: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
