#pragma once

#include "CompactCoding/protobuf/ProtoElementReader.h"
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
    static ProtoStorage field(std::span<const ProtoOccurrence> occurrences, bool isRepeatedField) {
        ProtoStorage storage(Kind::field);
        storage.occurrences_ = occurrences;
        storage.isRepeatedField_ = isRepeatedField;
        return storage;
    }
    static ProtoStorage element(ProtoElementReader& reader) {
        ProtoStorage storage(Kind::element);
        storage.reader_ = &reader;
        return storage;
    }

    // The same storage for a list whose type tells what its elements are: numbers, packed when they
    // come in runs (an empty run holds no element), or length-delimited values, of which an empty
    // occurrence is one.
    ProtoStorage withElements(ProtoElementReader::Elements elements) const {
        ProtoStorage storage = *this;
        storage.elements_ = elements;
        return storage;
    }

    Kind kind() const { return kind_; }
    ProtoElementReader::Elements elements() const { return elements_; }
    std::span<const std::uint8_t> bytes() const { return kind_ == Kind::bytes ? bytes_ : std::span<const std::uint8_t>(); }
    std::span<const ProtoOccurrence> occurrences() const { return occurrences_; }
    bool isRepeatedField() const { return isRepeatedField_; }
    ProtoElementReader& reader() const { return *reader_; }

    // The bytes of a list or map that stands alone: the bytes, the last occurrence's payload (none
    // when the field is absent), or the next element's payload. An occurrence that is not
    // length-delimited is the data-corrupted error "Unexpected data type N".
    std::span<const std::uint8_t> standaloneBytes(const CodingPath& path) const;

private:
    explicit ProtoStorage(Kind kind) : kind_(kind) {}

    Kind kind_;
    bool isRepeatedField_ = false;
    ProtoElementReader::Elements elements_ = ProtoElementReader::Elements::unknown;
    std::span<const std::uint8_t> bytes_;
    std::span<const ProtoOccurrence> occurrences_;
    ProtoElementReader* reader_ = nullptr;
};

} // namespace coding
