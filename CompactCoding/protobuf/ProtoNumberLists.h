#pragma once

#include "coding/DecodingError.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace coding {

// What a list read element by element may learn only when it is too late: that the empty
// length-delimited occurrences of its field, which it took for elements (an empty text, a message
// of defaults), are empty packed runs of numbers and hold none. A list whose type names its
// elements knows this from the start (ProtoStorage::withPackedElements); one read by a record's own
// code is asked isAtEnd() before it is told what an element is, and the bytes cannot tell. When
// such a list is then asked for a number and only empty runs are left, it throws Found, and the
// value whose reading opened it reads itself again (readLearning), the list now known to hold
// numbers from the start.
//
// Per thread, and only while the reading that learned it lasts.
class ProtoNumberLists {
public:
    // The list of the repeated field whose first occurrence's bytes start at `list` holds numbers.
    // To whoever does not read again, it is the fault it stands for: "Premature end of data".
    class Found : public DecodingError {
    public:
        Found(DecodingError fault, const std::uint8_t* list) : DecodingError(std::move(fault)), list(list) {}
        const std::uint8_t* list;
    };

    // Whether a reading under way has found the list whose first occurrence starts at `list` to
    // hold numbers.
    static bool contains(const std::uint8_t* list) {
        for (const std::uint8_t* known : known_)
            if (known == list)
                return true;
        return false;
    }

    // Runs `read` and returns what it returns; while it throws Found for a list not known yet, it
    // runs again with that list known. A list known already is not this reading's to mend: Found
    // goes on to the caller.
    template <class Read>
    static decltype(auto) readLearning(Read&& read) {
        Learned learned;
        for (;;) {
            try {
                return read();
            } catch (const Found& found) {
                if (contains(found.list))
                    throw;
                learned.learn(found.list);
            }
        }
    }

private:
    // What one reading learned, forgotten when it ends.
    class Learned {
    public:
        Learned() = default;
        Learned(const Learned&) = delete;
        Learned& operator=(const Learned&) = delete;
        ~Learned() {
            if (count_ != 0)
                known_.resize(known_.size() - count_);
        }
        void learn(const std::uint8_t* list) {
            known_.push_back(list);
            ++count_;
        }

    private:
        std::size_t count_ = 0;
    };

    static inline thread_local std::vector<const std::uint8_t*> known_;
};

} // namespace coding
