#pragma once

namespace paperkit {

/// Our home page: behind the panel's info line when no album gives a link, the main window's link
/// labels and its default ad line.
inline constexpr const char* kHomePage = "https://paperkit.example/";

} // namespace paperkit
