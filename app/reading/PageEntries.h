#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace lumenscroll {

// At most one entry for each page index: what a save of this run noted about one page's part of
// the stored page state.
template <class Entry> class PageEntries {
public:
    // Page `index`'s entry; null when it has none.
    const Entry* find(std::size_t index) const {
        return index < entries_.size() && entries_[index] ? &*entries_[index] : nullptr;
    }
    void put(std::size_t index, Entry entry) {
        if (entries_.size() <= index) {
            entries_.resize(index + 1);
        }
        entries_[index] = std::move(entry);
    }
    void forget(std::size_t index) {
        if (index < entries_.size()) {
            entries_[index].reset();
        }
    }
    // Forgets the entries of the pages at or past `count`.
    void keep(std::size_t count) {
        if (entries_.size() > count) {
            entries_.resize(count);
        }
    }

private:
    std::vector<std::optional<Entry>> entries_;
};

} // namespace lumenscroll
