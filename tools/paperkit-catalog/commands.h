#pragma once

#include <CLI/CLI.hpp>
#include <string_view>

namespace paperkit {
struct BuildOptions;
}

// Each subcommand lives in a file of its own and is added to the tool by main.cpp.
namespace paperkit::tool {

/// Ends the tool with exit code 1 after writing the message to stderr.
[[noreturn]] void Fail(std::string_view message);

/// Publishes the catalog the options describe, with its progress on stdout, and prints what was
/// published; ends the tool when the build fails. Used by "build" and "demo".
void RunBuild(BuildOptions& options);

/// "pack SOURCE CONTAINER": packs one file into a container.
void AddPackCommand(CLI::App& app);
/// "unpack CONTAINER FOLDER": unpacks a container and prints the path written.
void AddUnpackCommand(CLI::App& app);
/// "dump FILE": prints the document inside a container.
void AddDumpCommand(CLI::App& app);
/// "list FILE [--kind K] [--screen WxH]": reads a catalog document with the program's readers and
/// prints the records it then holds, one JSON object a line, and a last line with the result.
void AddListCommand(CLI::App& app);
/// "build PICTURES OUT": publishes a picture tree as a catalog.
void AddBuildCommand(CLI::App& app);
/// "guide CATALOG ALBUM_ID... -o DIR": writes download guide files.
void AddGuideCommand(CLI::App& app);
/// "check OUT": validates a published catalog.
void AddCheckCommand(CLI::App& app);
/// "serve OUT": serves a catalog over HTTP.
void AddServeCommand(CLI::App& app);
/// "demo OUT": draws the demo pictures and publishes them.
void AddDemoCommand(CLI::App& app);
/// "seed CATALOG DATA_HOME": prepares a program data folder with preset categories.
void AddSeedCommand(CLI::App& app);

} // namespace paperkit::tool
