#include "CompactCoding/protobuf/ProtobufDecodingError.h"

namespace coding {

std::string ProtobufDecodingError::describe() const {
    switch (kind_) {
    case Kind::unsupportedType: return "unsupportedType(" + text_ + ")";
    case Kind::invalidAccess: return "invalidAccess(" + text_ + ")";
    case Kind::unexpectedDictionaryKey: return "unexpectedDictionaryKey";
    case Kind::superNotSupported: return "superNotSupported";
    }
    return "ProtobufDecodingError";
}

} // namespace coding
