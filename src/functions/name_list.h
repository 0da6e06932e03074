#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "util/text.h"

namespace functions {

// An ordered list of (name, object) in insertion order that owns its objects. A name is looked up
// as the first entry whose name equals it without regard to case; duplicates are kept.
template <typename T>
class NameList {
public:
    struct Entry {
        std::string name;
        std::unique_ptr<T> object;
    };

    T& add(std::string name, std::unique_ptr<T> object) {
        entries_.push_back(Entry{std::move(name), std::move(object)});
        return *entries_.back().object;
    }

    // The object of the first entry named `name` (case ignored), or nullptr.
    T* find(std::string_view name) const {
        for (const Entry& entry : entries_)
            if (util::equalsIgnoreCase(entry.name, name)) return entry.object.get();
        return nullptr;
    }

    // Frees every object.
    void clear() { entries_.clear(); }

    std::size_t count() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const std::string& name(std::size_t i) const { return entries_[i].name; }
    T& object(std::size_t i) const { return *entries_[i].object; }

    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

private:
    std::vector<Entry> entries_;
};

}  // namespace functions
