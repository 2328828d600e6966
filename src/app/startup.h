#pragma once

#include <string>

namespace paperkit {

class SettingsStore;

/// The catalog server roots the build was configured with.
std::string ProductionServerRoot();
std::string DevelopmentServerRoot();

/// Computes the start-up globals once, before any other thread runs: debug mode (the machine's
/// integer "Debug" under "\Software\Ravenmoor\PaperKit" is 1, or PAPERKIT_DEBUG=1), the server
/// root and catalog address (the override, else PAPERKIT_SERVER, else the development root in
/// debug mode and the production root otherwise), the data folders (the receive folder is
/// created) and the program's version text.
void StartupInit(const SettingsStore& store, const std::string& serverOverride = {});

} // namespace paperkit
