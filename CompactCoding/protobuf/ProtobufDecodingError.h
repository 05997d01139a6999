#pragma once

#include "coding/CodingError.h"

#include <string>

namespace coding {

// The typed errors of the protobuf-compatible decoders besides the data-corrupted errors of the
// coding interface.
class ProtobufDecodingError : public CodingError {
public:
    enum class Kind {
        unsupportedType,         // text: the requested type's name followed by ".Type"
        invalidAccess,           // text: the call that is refused
        unexpectedDictionaryKey, // a map entry whose fields are not key 1 and value 2 of usable types
        superNotSupported,
    };

    explicit ProtobufDecodingError(Kind kind, std::string text = {}) : kind_(kind), text_(std::move(text)) {}

    Kind kind() const { return kind_; }
    const std::string& text() const { return text_; }

    friend bool operator==(const ProtobufDecodingError& a, const ProtobufDecodingError& b) {
        return a.kind_ == b.kind_ && a.text_ == b.text_;
    }

protected:
    std::string describe() const override;

private:
    Kind kind_;
    std::string text_;
};

} // namespace coding
