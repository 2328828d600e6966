#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

namespace paperkit {

/// Iterates an owning vector of pointers as if it held the records themselves.
template <typename T, typename Base> class IndirectIterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::remove_const_t<T>;
    using difference_type = std::ptrdiff_t;
    using pointer = T*;
    using reference = T&;

    IndirectIterator() = default;
    explicit IndirectIterator(Base it) : m_it(it) {}

    T& operator*() const { return **m_it; }
    T* operator->() const { return m_it->get(); }
    IndirectIterator& operator++() {
        ++m_it;
        return *this;
    }
    IndirectIterator operator++(int) {
        IndirectIterator old = *this;
        ++m_it;
        return old;
    }
    friend bool operator==(const IndirectIterator& a, const IndirectIterator& b) {
        return a.m_it == b.m_it;
    }

private:
    Base m_it{};
};

/// A list that owns its records, keeps them in the order they were added and never moves them in
/// memory, so a record's address stays valid for as long as the record is in the list. It neither
/// sorts nor refuses duplicates. Lists are not copyable: whole-list copies are deep and explicit
/// (the named lists' `Assign`).
template <typename T> class OwnedList {
    using Storage = std::vector<std::unique_ptr<T>>;

public:
    using iterator = IndirectIterator<T, typename Storage::iterator>;
    using const_iterator = IndirectIterator<const T, typename Storage::const_iterator>;

    OwnedList() = default;
    OwnedList(const OwnedList&) = delete;
    OwnedList& operator=(const OwnedList&) = delete;

    /// Appends the record and takes ownership of it; returns its position, or -1 for no record.
    int Add(std::unique_ptr<T> record) {
        if (!record)
            return -1;
        m_items.push_back(std::move(record));
        return static_cast<int>(m_items.size()) - 1;
    }

    /// Number of records.
    int Count() const { return static_cast<int>(m_items.size()); }

    /// The record at the position; nullptr when the position is outside the list.
    T* Get(int index) {
        return InRange(index) ? m_items[static_cast<std::size_t>(index)].get() : nullptr;
    }
    const T* Get(int index) const {
        return InRange(index) ? m_items[static_cast<std::size_t>(index)].get() : nullptr;
    }

    /// Destroys every record and empties the list.
    void Clear() { m_items.clear(); }

    iterator begin() { return iterator(m_items.begin()); }
    iterator end() { return iterator(m_items.end()); }
    const_iterator begin() const { return const_iterator(m_items.begin()); }
    const_iterator end() const { return const_iterator(m_items.end()); }

protected:
    ~OwnedList() = default;
    OwnedList(OwnedList&&) = default;
    OwnedList& operator=(OwnedList&&) = default;

    /// Destroys the record at the position and closes the gap; a position outside does nothing.
    void Delete(int index) {
        if (InRange(index))
            m_items.erase(m_items.begin() + index);
    }

    /// Takes the record out of the list and destroys it; a record not in the list does nothing.
    void Remove(const T* record) {
        for (auto it = m_items.begin(); it != m_items.end(); ++it) {
            if (it->get() == record) {
                m_items.erase(it);
                return;
            }
        }
    }

    /// Hands every record to the caller and leaves the list empty.
    Storage Detach() { return std::exchange(m_items, {}); }

    /// The first record for which the predicate holds, or nullptr.
    template <typename Pred> T* FindIf(Pred pred) const {
        for (const auto& item : m_items) {
            if (pred(static_cast<const T&>(*item)))
                return item.get();
        }
        return nullptr;
    }

private:
    bool InRange(int index) const { return index >= 0 && index < Count(); }

    Storage m_items;
};

} // namespace paperkit
