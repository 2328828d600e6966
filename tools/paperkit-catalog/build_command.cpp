#include "commands.h"
#include "publish/catalog_builder.h"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace paperkit::tool {

void RunBuild(BuildOptions& options) {
    options.Progress = [](const std::string& line) { std::cout << line << std::endl; };
    BuildReport report;
    std::string error;
    if (!BuildCatalog(options, report, error))
        Fail(error);
    const std::string out = options.Out.string();
    for (const std::string& warning : report.Warnings)
        std::cerr << "paperkit-catalog: warning: " << warning << '\n';
    std::cout << "published " << report.Categories << " categories, " << report.Albums
              << " albums and " << report.Pictures << " pictures into " << out << " ("
              << report.Encoded << " encoded, " << report.Reused << " kept, " << report.Removed
              << " old files removed)\n";
    std::cout << "stamps: Category " << report.Stamps.Category << ", File " << report.Stamps.File
              << ", LastVer " << report.Stamps.LastVer << '\n';
    std::string written;
    for (const std::string& name : report.Written)
        written += " " + name;
    std::cout << "documents written:" << (written.empty() ? " none (unchanged)" : written) << '\n';
}

void AddBuildCommand(CLI::App& app) {
    struct Args {
        std::string pictures;
        std::string out;
        std::string sizes;
        std::string version;
        std::vector<std::string> updates;
        int jobs = 0;
    };
    auto args = std::make_shared<Args>();
    CLI::App* cmd = app.add_subcommand(
        "build", "Publish a picture tree (category/album/pictures) as a catalog");
    cmd->add_option("PICTURES", args->pictures, "one folder per category, one per album inside")
        ->required();
    cmd->add_option("OUT", args->out, "catalog folder to write: the server root")->required();
    cmd->add_option("--sizes", args->sizes,
                    "sizes to make, such as 1920x1200,1366x768 (default: "
                    "1024x768,1280x1024,1366x768,1920x1200)");
    CLI::Option* version =
        cmd->add_option("--version", args->version, "program version to announce");
    cmd->add_option("--update", args->updates, "program update files of that version")
        ->needs(version);
    cmd->add_option("--jobs", args->jobs, "encoding threads (default: one per processor)");
    cmd->callback([args, version] {
        BuildOptions options;
        options.Pictures = args->pictures;
        options.Out = args->out;
        std::string error;
        if (!args->sizes.empty() && !ParseSizeOption(args->sizes, options.Sizes, error))
            Fail(error);
        if (version->count() > 0)
            options.Version = args->version;
        for (const std::string& update : args->updates)
            options.Updates.emplace_back(update);
        options.Jobs = args->jobs;
        RunBuild(options);
    });
}

} // namespace paperkit::tool
