#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace paperkit {

struct CheckReport {
    int Categories = 0;
    int Albums = 0;
    int Pictures = 0;
    /// Picture and update files whose digest was compared.
    int Files = 0;
    int Updates = 0;
    /// One line per fault, naming the file or album it concerns.
    std::vector<std::string> Problems;
};

/// Checks a published catalog as the program will meet it: each document reads with the
/// program's readers and loses no album on the way, every album's category exists, ids are
/// unique, paths stay inside the catalog, and every cover, picture and update container listed
/// exists with the digest the documents give.
CheckReport CheckCatalog(const std::filesystem::path& catalog);

} // namespace paperkit
