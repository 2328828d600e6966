#pragma once

#include <ostream>
#include <string>

namespace paperkit {

/// Prints download progress, one line per album. On a terminal an album's line is rewritten in
/// place until the album is complete or another album's line begins; otherwise every update is a
/// plain line, so that logs and pipes read well.
class ProgressPrinter {
public:
    ProgressPrinter(std::ostream& out, bool terminal) : m_out(out), m_terminal(terminal) {}

    /// Shows the progress line of the thing named by key; `finished` ends its line.
    void Show(const std::string& key, const std::string& text, bool finished);
    /// Prints a line of its own.
    void Note(const std::string& text);

private:
    void CloseLine();

    std::ostream& m_out;
    bool m_terminal;
    std::string m_openKey;
};

} // namespace paperkit
