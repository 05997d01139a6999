#pragma once

#include "CompactCoding/protobuf/ProtoListField.h"
#include "coding/CodingKey.h"
#include "coding/KeySet.h"
#include "coding/UserInfo.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace coding {

// What the nodes of one protobuf decode share: the call's path and options, and what the call has
// learned about the fields whose lists hold numbers.
//
// A list read element by element by a record's own code, or by a list type of its own, is asked
// isAtEnd() before it is told what its elements are, and the bytes cannot always tell: an empty
// length-delimited occurrence is an element of a list of texts, bytes or messages, but an empty
// packed run, holding nothing, of a list of numbers. Such a list takes it for an element. When it is
// then asked for a number where only empty runs are left, it has guessed wrong: it says so
// (guessedWrong), hands out a zero and stands at its end, and the value is read on, no error passing
// through the record's code. The zero may still make the record's code fail (an element type that
// refuses it); the pass then ends there.
//
// What a wrong guess teaches holds for its field (ProtoListField), not only for the one list: when
// a pass guessed wrong, the call reads the whole input once more, every list of a field that
// guessed wrong known to hold numbers from the start (read()). A field once known never guesses
// wrong again, so each further pass learns a field that no pass before it knew, and the passes
// are bounded by the list fields of the types read, not by the lists in the input: a thousand
// records of one type, each holding such lists, cost as many passes as one does.
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
                if (!learnGuesses())
                    throw;
                continue;
            }
            if (!learnGuesses())
                return std::move(*value);
        }
    }

    // Whether an earlier pass found the lists of `field` to hold numbers.
    bool holdsNumbers(const ProtoListField& field) const { return !known_.empty() && isKnown(field); }
    // This pass took empty runs of a list of `field` for elements.
    void guessedWrong(const ProtoListField& field);

private:
    // A field as the call knows it: by its keys' identity, which the copy of them it keeps keeps
    // from being another set's while the call lasts.
    struct Learned {
        const void* keys;
        std::int64_t number;
        KeySet keptKeys;

        bool isBefore(const void* otherKeys, std::int64_t otherNumber) const {
            return keys != otherKeys ? std::less<const void*>()(keys, otherKeys) : number < otherNumber;
        }
        bool is(const void* otherKeys, std::int64_t otherNumber) const {
            return keys == otherKeys && number == otherNumber;
        }
    };
    // The place in `fields` (sorted) where `field` is or would go.
    static std::vector<Learned>::const_iterator find(const std::vector<Learned>& fields, const ProtoListField& field);
    bool isKnown(const ProtoListField& field) const;
    // Makes this pass's wrong guesses known to the next; false when there were none.
    bool learnGuesses();

    std::shared_ptr<const CodingPath> codingPath_;
    std::shared_ptr<const UserInfo> userInfo_;
    std::vector<Learned> known_;   // sorted
    std::vector<Learned> guessed_; // sorted, none known
};

} // namespace coding
