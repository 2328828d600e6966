#include "catalog/wall_paper.h"

#include <memory>

namespace paperkit {

TWallPaper* TWallPapers::Find(char type, std::string_view id) const {
    return FindIf([&](const TWallPaper& p) { return p.Type == type && p.Id == id; });
}

void TWallPapers::Assign(const TWallPapers& other) {
    if (&other == this)
        return;
    Clear();
    for (const TWallPaper& p : other)
        Add(std::make_unique<TWallPaper>(p));
}

void TWallPapers::Rebuild(const std::vector<const TWallPaper*>& order) {
    auto records = Detach();
    for (const TWallPaper* wanted : order)
        for (auto& record : records)
            if (record && record.get() == wanted) {
                Add(std::move(record));
                break;
            }
    // what is left in `records` goes now
}

} // namespace paperkit
