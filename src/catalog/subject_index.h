#pragma once

#include "catalog/wall_subject.h"

#include <unordered_map>

namespace paperkit {

/// A lookup of a list's albums by `Id` that finds what `TWallSubjects::Find` finds (the first album
/// with the id) without scanning the list each time. Valid while the list is not changed.
class SubjectIndex {
public:
    explicit SubjectIndex(TWallSubjects& subjects) {
        m_byId.reserve(static_cast<std::size_t>(subjects.Count()));
        for (TWallSubject& album : subjects)
            m_byId.emplace(album.Id, &album);
    }

    /// The first album with that id, or nullptr.
    TWallSubject* Find(int id) const {
        const auto found = m_byId.find(id);
        return found == m_byId.end() ? nullptr : found->second;
    }

private:
    std::unordered_map<int, TWallSubject*> m_byId;
};

} // namespace paperkit
