#include "commands.h"
#include "publish/catalog_check.h"

#include <iostream>
#include <memory>
#include <string>

namespace paperkit::tool {

void AddCheckCommand(CLI::App& app) {
    auto catalog = std::make_shared<std::string>();
    CLI::App* cmd = app.add_subcommand(
        "check", "Check that a published catalog reads and that every file it lists matches");
    cmd->add_option("OUT", *catalog, "published catalog folder")->required();
    cmd->callback([catalog] {
        const CheckReport report = CheckCatalog(*catalog);
        std::cout << report.Categories << " categories, " << report.Albums << " albums, "
                  << report.Pictures << " pictures, " << report.Updates << " update files; "
                  << report.Files << " files compared\n";
        if (report.Problems.empty()) {
            std::cout << "no problems found\n";
            return;
        }
        for (const std::string& problem : report.Problems)
            std::cout << "problem: " << problem << '\n';
        std::cout.flush();
        Fail(std::to_string(report.Problems.size()) + " problems in " + *catalog);
    });
}

} // namespace paperkit::tool
