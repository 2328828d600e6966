#pragma once

#include <string>

namespace paperkit {

/// User values that are loaded, copied and stored but not otherwise interpreted.
struct TWallUser {
    /// Copies every field.
    void Assign(const TWallUser& other) { *this = other; }

    /// Stored (scrambled) only while `A` is true.
    std::string B;
    /// Stored only while `C` is true.
    std::string D;
    bool C = false;
    bool A = false;
};

} // namespace paperkit
