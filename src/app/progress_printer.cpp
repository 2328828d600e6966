#include "app/progress_printer.h"

namespace paperkit {

void ProgressPrinter::CloseLine() {
    if (!m_openKey.empty())
        m_out << '\n';
    m_openKey.clear();
}

void ProgressPrinter::Show(const std::string& key, const std::string& text, bool finished) {
    if (!m_terminal) {
        m_out << text << '\n' << std::flush;
        return;
    }
    if (m_openKey != key)
        CloseLine();
    m_out << '\r' << text << "\x1b[K";
    m_openKey = key;
    if (finished)
        CloseLine();
    m_out << std::flush;
}

void ProgressPrinter::Note(const std::string& text) {
    if (m_terminal)
        CloseLine();
    m_out << text << '\n' << std::flush;
}

} // namespace paperkit
