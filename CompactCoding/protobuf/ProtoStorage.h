#pragma once

#include "CompactCoding/protobuf/ProtoElementReader.h"
#include "CompactCoding/protobuf/ProtoListField.h"
#include "CompactCoding/protobuf/ProtoOccurrence.h"

#include <cstdint>
#include <span>

namespace coding {

// What a protobuf decoding node reads its value from:
//  - bytes: exactly the value's bytes (the whole input at the root, the payload of a list element
//    or of a map entry's key or value read from a list);
//  - field: the occurrences of one field of a message or map entry. A message merges all of
//    them and a single value takes the last; a list or map reads them as a repeated field when
//    they are a message's field (`isRepeatedField`), and otherwise (a map entry's value, a oneof's
//    case) takes the last occurrence's payload as a list or map standing alone;
//  - element: the next element of a list, read through the list's reader when the value asks for
//    a container or a value.
// Views only: the input outlives every node, and the containers and readers a storage views
// outlive the nodes made inside their calls; a node handed out past that (a list's super decoder)
// keeps what its storage views alive itself.
class ProtoStorage {
public:
    enum class Kind : std::uint8_t { bytes, field, element };

    static ProtoStorage bytes(std::span<const std::uint8_t> bytes) {
        ProtoStorage storage(Kind::bytes);
        storage.bytes_ = bytes;
        return storage;
    }
    // `listField`: the message's field, that a repeated field is read as a list of.
    static ProtoStorage field(std::span<const ProtoOccurrence> occurrences, bool isRepeatedField,
                              const ProtoListField& listField = {}) {
        ProtoStorage storage(Kind::field);
        storage.occurrences_ = occurrences;
        storage.isRepeatedField_ = isRepeatedField;
        storage.listField_ = listField;
        return storage;
    }
    static ProtoStorage element(ProtoElementReader& reader) {
        ProtoStorage storage(Kind::element);
        storage.reader_ = &reader;
        return storage;
    }

    // The same storage for a list whose elements are packed when they come in runs (numbers): an
    // empty run then holds no element, where an empty occurrence of a text or a message is one.
    ProtoStorage withPackedElements() const {
        ProtoStorage storage = *this;
        storage.packedElements_ = true;
        return storage;
    }

    Kind kind() const { return kind_; }
    bool hasPackedElements() const { return packedElements_; }
    std::span<const std::uint8_t> bytes() const { return kind_ == Kind::bytes ? bytes_ : std::span<const std::uint8_t>(); }
    std::span<const ProtoOccurrence> occurrences() const { return occurrences_; }
    bool isRepeatedField() const { return isRepeatedField_; }
    ProtoListField listField() const { return kind_ == Kind::field ? listField_ : ProtoListField{}; }
    ProtoElementReader& reader() const { return *reader_; }

    // The bytes of a list or map that stands alone: the bytes, the last occurrence's payload (none
    // when the field is absent), or the next element's payload. An occurrence that is not
    // length-delimited is the data-corrupted error "Unexpected data type N".
    std::span<const std::uint8_t> standaloneBytes(const CodingPath& path) const;

private:
    explicit ProtoStorage(Kind kind) : kind_(kind) {}

    Kind kind_;
    bool isRepeatedField_ = false;
    bool packedElements_ = false;
    // A node's storage is copied for every value read: what only one kind has shares its place.
    union {
        std::span<const std::uint8_t> bytes_{}; // of bytes
        ProtoListField listField_;              // of a field
    };
    std::span<const ProtoOccurrence> occurrences_;
    ProtoElementReader* reader_ = nullptr;
};

} // namespace coding
