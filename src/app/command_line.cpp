#include "app/command_line.h"

#include "support/globals.h"

#include <CLI/CLI.hpp>
#include <array>
#include <sstream>
#include <utility>

namespace paperkit {

namespace {

constexpr std::array<std::pair<RemoteStep, const char*>, 5> kSteps{{
    {RemoteStep::Next, "next"},
    {RemoteStep::Prev, "prev"},
    {RemoteStep::NextAlbum, "next-album"},
    {RemoteStep::PrevAlbum, "prev-album"},
    {RemoteStep::Clear, "clear"},
}};

} // namespace

std::string StepMessage(RemoteStep step) {
    for (const auto& [s, name] : kSteps)
        if (s == step)
            return name;
    return {};
}

RemoteStep StepFromMessage(const std::string& message) {
    for (const auto& [s, name] : kSteps)
        if (message == name)
            return s;
    return RemoteStep::None;
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CLI::App app("PaperKit: a desktop wallpaper manager with its own picture catalog.", "paperkit");
    app.set_version_flag("--version", "PaperKit " + strFileVersion);

    CommandLine options;
    app.add_flag("--headless", options.headless, "Run without windows");
    app.add_option("--server", options.server,
                   "Catalog server root address (default: the built-in one, or PAPERKIT_SERVER)");
    app.add_flag("--exit-when-idle", options.exitWhenIdle,
                 "End once the first server check is over and nothing is left to download (runs "
                 "without windows)");
    app.add_option("guide", options.guideFile, "A download guide file (.pkd) to take in");

    auto* steps = app.add_option_group("steps", "Hand a navigator step to the running instance");
    std::array<bool, kSteps.size()> chosen{};
    for (size_t i = 0; i < kSteps.size(); ++i) {
        static const std::array<const char*, 5> help{
            "Next wallpaper", "Previous wallpaper", "First picture of the next album",
            "First picture of the previous album", "Clear the desktop wallpaper"};
        steps->add_flag(std::string("--") + kSteps[i].second, chosen[i], help[i]);
    }
    steps->require_option(0, 1);

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    if (!reversed.empty())
        reversed.pop_back(); // the program name
    ParsedCommandLine result;
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        std::ostringstream out, err;
        result.exitCode = app.exit(e, out, err);
        result.output = out.str() + err.str();
        return result;
    }
    for (size_t i = 0; i < kSteps.size(); ++i)
        if (chosen[i])
            options.step = kSteps[i].first;
    if (options.step != RemoteStep::None && !options.guideFile.empty()) {
        result.exitCode = 2;
        result.output = "A navigator step takes no guide file.\n";
        return result;
    }
    result.options = options;
    return result;
}

} // namespace paperkit
