#pragma once
// The JSON object of a project file: its members in the order they were
// read or added (the order a saved file keeps), found by name through a
// hash index once an object has more than a few members. Without it every
// member read or added searches all the members before it, and a file with
// a hundred thousand keys in one object takes minutes to read.
#include <cstddef>
#include <functional>
#include <memory>
#include <stdexcept>
#include <nlohmann/ordered_map.hpp>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace dralun {

// The key comparisons of the object lookups of this thread, for the tests
// that show reading is linear.
inline thread_local std::size_t tProjectKeyComparisons = 0;

template <class Key, class T, class IgnoredLess = std::less<Key>,
          class Allocator = std::allocator<std::pair<const Key, T>>>
struct ProjectJsonMap : nlohmann::ordered_map<Key, T, IgnoredLess, Allocator> {
    using Base = nlohmann::ordered_map<Key, T, IgnoredLess, Allocator>;
    using typename Base::const_iterator;
    using typename Base::iterator;
    using typename Base::key_type;
    using typename Base::size_type;
    using typename Base::value_type;
    using key_compare = typename Base::key_compare;

    ProjectJsonMap() = default;
    explicit ProjectJsonMap(const Allocator& alloc) : Base(alloc) {}
    template <class It>
    ProjectJsonMap(It first, It last, const Allocator& alloc = Allocator()) : Base(first, last, alloc)
    {
    }
    ProjectJsonMap(std::initializer_list<value_type> init, const Allocator& alloc = Allocator()) : Base(init, alloc) {}
    // A copy builds its own index when it needs one.
    ProjectJsonMap(const ProjectJsonMap& other) : Base(other) {}
    ProjectJsonMap(ProjectJsonMap&&) noexcept = default;
    ProjectJsonMap& operator=(const ProjectJsonMap& other)
    {
        Base::operator=(other);
        Forget();
        return *this;
    }
    ProjectJsonMap& operator=(ProjectJsonMap&&) noexcept = default;

    template <class K>
    iterator find(const K& key)
    {
        return this->begin() + static_cast<std::ptrdiff_t>(Position(key));
    }
    template <class K>
    const_iterator find(const K& key) const
    {
        return this->begin() + static_cast<std::ptrdiff_t>(Position(key));
    }
    template <class K>
    size_type count(const K& key) const
    {
        return Position(key) == this->size() ? 0 : 1;
    }
    template <class K>
    T& at(const K& key)
    {
        const std::size_t at = Position(key);
        if (at == this->size())
            throw std::out_of_range("key not found");
        return this->begin()[static_cast<std::ptrdiff_t>(at)].second;
    }
    template <class K>
    const T& at(const K& key) const
    {
        const std::size_t at = Position(key);
        if (at == this->size())
            throw std::out_of_range("key not found");
        return this->begin()[static_cast<std::ptrdiff_t>(at)].second;
    }

    template <class K>
    std::pair<iterator, bool> emplace(K&& key, T&& t)
    {
        const std::size_t at = Position(key);
        if (at != this->size())
            return {this->begin() + static_cast<std::ptrdiff_t>(at), false};
        this->emplace_back(std::forward<K>(key), std::forward<T>(t));
        if (m_index && m_indexed + 1 == this->size()) {
            m_index->emplace(Hash(this->back().first), m_indexed);
            ++m_indexed;
        }
        return {std::prev(this->end()), true};
    }
    template <class K>
    T& operator[](K&& key)
    {
        return emplace(std::forward<K>(key), T{}).first->second;
    }

    template <class K>
    size_type erase(const K& key)
    {
        const std::size_t at = Position(key);
        if (at == this->size())
            return 0;
        erase(this->begin() + static_cast<std::ptrdiff_t>(at));
        return 1;
    }
    iterator erase(iterator pos) { return erase(pos, std::next(pos)); }
    iterator erase(iterator first, iterator last)
    {
        Forget();
        return Base::erase(first, last);
    }

    std::pair<iterator, bool> insert(value_type&& value) { return emplace(value.first, std::move(value.second)); }
    std::pair<iterator, bool> insert(const value_type& value)
    {
        T copy = value.second;
        return emplace(value.first, std::move(copy));
    }
    template <class InputIt>
    void insert(InputIt first, InputIt last)
    {
        for (; first != last; ++first)
            insert(*first);
    }

    void clear() noexcept
    {
        Base::clear();
        Forget();
    }

private:
    // Below this many members a search is as quick as the index.
    static constexpr std::size_t kIndexFrom = 16;

    const Key& KeyAt(std::size_t i) const { return this->begin()[static_cast<std::ptrdiff_t>(i)].first; }
    static std::size_t Hash(std::string_view key) { return std::hash<std::string_view>{}(key); }

    // The member's position, or size() when there is none.
    template <class K>
    std::size_t Position(const K& key) const
    {
        const std::string_view wanted(key);
        const std::size_t n = this->size();
        if (n < kIndexFrom) {
            for (std::size_t i = 0; i < n; ++i) {
                ++tProjectKeyComparisons;
                if (std::string_view(KeyAt(i)) == wanted)
                    return i;
            }
            return n;
        }
        // Members added or removed past the index (through the vector's own
        // functions) make it be built again.
        if (!m_index || m_indexed != n) {
            m_index = std::make_unique<std::unordered_multimap<std::size_t, std::size_t>>();
            m_index->reserve(n);
            for (std::size_t i = 0; i < n; ++i)
                m_index->emplace(Hash(KeyAt(i)), i);
            m_indexed = n;
        }
        const auto [from, to] = m_index->equal_range(Hash(wanted));
        for (auto it = from; it != to; ++it) {
            ++tProjectKeyComparisons;
            if (it->second < n && std::string_view(KeyAt(it->second)) == wanted)
                return it->second;
        }
        return n;
    }

    void Forget()
    {
        m_index.reset();
        m_indexed = 0;
    }

    mutable std::unique_ptr<std::unordered_multimap<std::size_t, std::size_t>> m_index;
    mutable std::size_t m_indexed = 0;
};

} // namespace dralun
