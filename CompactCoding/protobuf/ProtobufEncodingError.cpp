#include "CompactCoding/protobuf/ProtobufEncodingError.h"

namespace coding {

std::string ProtobufEncodingError::describe() const {
    switch (kind_) {
    case Kind::unsupportedType: return "unsupportedType(" + text_ + ")";
    case Kind::missingIntegerKey: return "missingIntegerKey(" + text_ + ")";
    case Kind::integerKeyOutOfRange: return "integerKeyOutOfRange(" + std::to_string(integer_) + ")";
    case Kind::invalidAccess: return "invalidAccess(" + text_ + ")";
    case Kind::protobufDefinitionUnavailable: return "protobufDefinitionUnavailable(" + text_ + ")";
    case Kind::multipleValuesInSingleValueContainer: return "multipleValuesInSingleValueContainer";
    case Kind::noValueInSingleValueContainer: return "noValueInSingleValueContainer";
    case Kind::nilValuesNotSupported: return "nilValuesNotSupported";
    case Kind::superNotSupported: return "superNotSupported";
    case Kind::multipleTypesInUnkeyedContainer: return "multipleTypesInUnkeyedContainer";
    case Kind::multipleContainersAccessed: return "multipleContainersAccessed";
    case Kind::noContainersAccessed: return "noContainersAccessed";
    case Kind::rootIsNotKeyedContainer: return "rootIsNotKeyedContainer";
    }
    return "ProtobufEncodingError";
}

} // namespace coding
