#include "coding/Primitive.h"

namespace coding {

std::string_view primitiveTypeName(PrimitiveKind kind) {
    switch (kind) {
    case PrimitiveKind::Bool: return "Bool";
    case PrimitiveKind::Int8: return "Int8";
    case PrimitiveKind::UInt8: return "UInt8";
    case PrimitiveKind::Int16: return "Int16";
    case PrimitiveKind::UInt16: return "UInt16";
    case PrimitiveKind::Int32: return "Int32";
    case PrimitiveKind::UInt32: return "UInt32";
    case PrimitiveKind::Int64: return "Int64";
    case PrimitiveKind::UInt64: return "UInt64";
    case PrimitiveKind::Float: return "Float";
    case PrimitiveKind::Double: return "Double";
    case PrimitiveKind::String: return "String";
    case PrimitiveKind::Data: return "Data";
    case PrimitiveKind::FixedInt32: return "FixedSize<Int32>";
    case PrimitiveKind::FixedUInt32: return "FixedSize<UInt32>";
    case PrimitiveKind::FixedInt64: return "FixedSize<Int64>";
    case PrimitiveKind::FixedUInt64: return "FixedSize<UInt64>";
    case PrimitiveKind::SignedInt32: return "SignedValue<Int32>";
    case PrimitiveKind::SignedInt64: return "SignedValue<Int64>";
    }
    return "?";
}

} // namespace coding
