#pragma once

#include "coding/CodingKey.h"
#include "coding/UserInfo.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace coding {

// What the nodes of one protobuf decode share: the call's path and options, and what the call has
// learned about lists whose elements are numbers.
//
// A list read element by element by a record's own code, or by a list type of its own, is asked
// isAtEnd() before it is told what its elements are, and the bytes cannot always tell: an empty
// length-delimited occurrence is an element of a list of texts, bytes or messages, but an empty
// packed run, holding nothing, of a list of numbers. Such a list takes it for an element. When it is
// then asked for a number where only empty runs are left, it has guessed wrong: it says so
// (guessedWrong), hands out a zero and stands at its end, and the value is read on to its end, no
// error passing through the record's code. The call then reads the whole input once more, every
// list that guessed wrong known to hold numbers from the start (read()).
//
// So a decode reads its input at most twice, whatever the shape and the depth: the first pass learns
// every list that is read in it, and the second knows them all. A list that the second pass meets
// for the first time and guesses wrong as well (only record code that chooses which lists to read by
// what a list of empty runs held, or whose element type refuses a zero, can make one) ends the
// decode with "Premature end of data".
//
// Lists are known by where their first occurrence's bytes start, which is the same in every pass.
class ProtoDecodeCall {
public:
    explicit ProtoDecodeCall(const UserInfo& userInfo);
    ProtoDecodeCall(const ProtoDecodeCall&) = delete;
    ProtoDecodeCall& operator=(const ProtoDecodeCall&) = delete;

    // The nodes of one call, and the containers they hand out, live no longer than the call: they
    // borrow its path and options instead of counting references to them.
    const std::shared_ptr<const CodingPath>& codingPath() const { return codingPath_; }
    const std::shared_ptr<const UserInfo>& userInfo() const { return userInfo_; }

    // Runs `pass`, which reads the value from the whole input, and returns what it returns or throws
    // what it throws; when it guessed a list wrong, whatever it did, it runs once more.
    template <class Pass>
    auto read(Pass&& pass) -> decltype(pass()) {
        for (;;) {
            std::optional<decltype(pass())> value;
            try {
                value.emplace(pass());
            } catch (const std::exception&) {
                if (guessed_.empty())
                    throw;
            }
            if (guessed_.empty())
                return std::move(*value);
            learnGuesses();
        }
    }

    // Whether an earlier pass found the list whose first occurrence starts at `list` to hold
    // numbers.
    bool holdsNumbers(const std::uint8_t* list) const { return !known_.empty() && isKnown(list); }
    // This pass took empty runs of the list whose first occurrence starts at `list` for elements.
    void guessedWrong(const std::uint8_t* list) { guessed_.push_back(list); }

private:
    bool isKnown(const std::uint8_t* list) const;
    // Makes this pass's wrong guesses known to the next; throws when the pass was the last.
    void learnGuesses();

    std::shared_ptr<const CodingPath> codingPath_;
    std::shared_ptr<const UserInfo> userInfo_;
    std::vector<const std::uint8_t*> known_; // sorted
    std::vector<const std::uint8_t*> guessed_;
    int passes_ = 1;
};

} // namespace coding
