#include "catalog/wall_file_info.h"

namespace paperkit {

int TWallFiles::IndexOf(std::string_view fileName) const {
    int index = 0;
    for (const TWallFileInfo& f : *this) {
        if (f.FileName == fileName)
            return index;
        ++index;
    }
    return -1;
}

} // namespace paperkit
