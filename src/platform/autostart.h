#pragma once

#include <filesystem>
#include <memory>

namespace paperkit {

/// Whether the program starts with the user's session. On Linux an XDG autostart entry, on
/// Windows the machine's Run value "PaperKite".
class Autostart {
public:
    virtual ~Autostart() = default;

    /// True when the entry exists; a store that cannot be read counts as no entry.
    virtual bool IsEnabled() const = 0;
    /// Writes the entry that starts this program file; false when it cannot be written, in which
    /// case any entry already there is left as it was.
    virtual bool Enable(const std::filesystem::path& program) = 0;
    /// Removes the entry; true when it is gone afterwards (also when there was none).
    virtual bool Disable() = 0;
};

/// The platform's own entry. Each platform's implementation file defines this.
std::unique_ptr<Autostart> CreateAutostart();

} // namespace paperkit
