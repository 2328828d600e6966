#include "catalog/wall_category.h"

#include <memory>

namespace paperkit {

TWallCategory* TWallCategorys::Find(int id) const {
    return FindIf([id](const TWallCategory& c) { return c.Id == id; });
}

void TWallCategorys::Assign(const TWallCategorys& other) {
    if (&other == this)
        return;
    Clear();
    for (const TWallCategory& c : other)
        Add(std::make_unique<TWallCategory>(c));
}

} // namespace paperkit
