#pragma once

#include "coding/CodingError.h"

#include <cstdint>
#include <string>

namespace coding {

// The typed errors of the protobuf-compatible encoders and of the type-description walk; the
// decoders also report a field number out of range with integerKeyOutOfRange. Each case carries at
// most one payload: a text (a type name, a key's text, a message) or an integer (a field number).
class ProtobufEncodingError : public CodingError {
public:
    enum class Kind {
        unsupportedType,                      // text: the value's type name
        missingIntegerKey,                    // text: the key's string value
        integerKeyOutOfRange,                 // integer: the key's or field's number
        invalidAccess,                        // text: the call that is refused
        protobufDefinitionUnavailable,        // text: why
        multipleValuesInSingleValueContainer,
        noValueInSingleValueContainer,
        nilValuesNotSupported,
        superNotSupported,
        multipleTypesInUnkeyedContainer,
        multipleContainersAccessed,
        noContainersAccessed,
        rootIsNotKeyedContainer,
    };

    explicit ProtobufEncodingError(Kind kind, std::string text = {}) : kind_(kind), text_(std::move(text)) {}
    static ProtobufEncodingError integerKeyOutOfRange(std::int64_t number) {
        ProtobufEncodingError error(Kind::integerKeyOutOfRange);
        error.integer_ = number;
        return error;
    }

    Kind kind() const { return kind_; }
    const std::string& text() const { return text_; }
    std::int64_t integer() const { return integer_; }

    friend bool operator==(const ProtobufEncodingError& a, const ProtobufEncodingError& b) {
        return a.kind_ == b.kind_ && a.text_ == b.text_ && a.integer_ == b.integer_;
    }

protected:
    std::string describe() const override;

private:
    Kind kind_;
    std::string text_;
    std::int64_t integer_ = 0;
};

} // namespace coding
