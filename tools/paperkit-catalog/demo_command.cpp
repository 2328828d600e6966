#include "commands.h"
#include "publish/catalog_builder.h"
#include "publish/demo_pictures.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

namespace paperkit::tool {

void AddDemoCommand(CLI::App& app) {
    struct Args {
        std::string out;
        std::string sizes = "1024x768,1366x768,1920x1200";
        std::string pictureSize = "1920x1200";
        int jobs = 0;
    };
    auto args = std::make_shared<Args>();
    CLI::App* cmd = app.add_subcommand(
        "demo", "Draw the demo pictures into OUT/source (once) and publish them into OUT");
    cmd->add_option("OUT", args->out, "catalog folder to write: the server root")->required();
    cmd->add_option("--sizes", args->sizes, "sizes to make")->capture_default_str();
    cmd->add_option("--picture-size", args->pictureSize, "size of the drawn source pictures")
        ->capture_default_str();
    cmd->add_option("--jobs", args->jobs, "threads (default: one per processor)");
    cmd->callback([args] {
        namespace fs = std::filesystem;
        BuildOptions options;
        std::string error;
        if (!ParseSizeOption(args->sizes, options.Sizes, error))
            Fail(error);
        DemoPictureOptions demo;
        demo.Jobs = args->jobs;
        const std::size_t x = args->pictureSize.find('x');
        try {
            demo.Width = std::stoi(args->pictureSize.substr(0, x));
            demo.Height = std::stoi(args->pictureSize.substr(x + 1));
        } catch (const std::exception&) {
            Fail("the picture size must read WIDTHxHEIGHT");
        }
        if (x == std::string::npos || demo.Width < 16 || demo.Height < 16 || demo.Width > 8000 ||
            demo.Height > 8000)
            Fail("the picture size must read WIDTHxHEIGHT, each from 16 to 8000");
        const fs::path source = fs::path(args->out) / "source";
        std::error_code ec;
        if (!fs::is_directory(source, ec)) {
            std::cout << "drawing the demo pictures into " << source.string() << std::endl;
            DemoPictureSummary summary;
            if (!GenerateDemoPictures(source, demo, summary, error))
                Fail(error);
            std::cout << "drew " << summary.Pictures << " pictures in " << summary.Albums
                      << " albums of " << summary.Categories << " categories" << std::endl;
        }
        options.Pictures = source;
        options.Out = args->out;
        options.Jobs = args->jobs;
        RunBuild(options);
    });
}

} // namespace paperkit::tool
