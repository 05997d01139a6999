#pragma once

// How each type describes itself to a coder. `Codable<T>` is the one customisation point: by
// default it calls the type's own `encode(Encoder&) const` and `static T decode(Decoder&)`;
// the specialisations below cover the primitives and the standard types.

#include "coding/DecodeItem.h"
#include "coding/Decoder.h"
#include "coding/DecodingError.h"
#include "coding/EncodeItem.h"
#include "coding/Encoder.h"
#include "coding/EncodingError.h"
#include "coding/Fatal.h"
#include "coding/KeySet.h"
#include "coding/Primitive.h"
#include "coding/RawValueEnum.h"
#include "coding/TypeName.h"
#include "coding/ValueCategory.h"

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

namespace coding {

namespace detail {

template <class T>
struct IsOptional : std::false_type {};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {};

template <class T>
struct SharedPointee {
    static constexpr bool value = false;
};
template <class T>
struct SharedPointee<std::shared_ptr<T>> {
    static constexpr bool value = true;
    using type = T;
};

template <class T>
constexpr bool declaresOneOf() {
    if constexpr (DeclaresOneOf<T>)
        return T::isOneOf;
    else
        return false;
}

// A oneof names the keys of its cases `keys`, as a record names its own.
template <class T>
const KeySet& oneOfCasesOf() {
    static_assert(requires {
        { T::keys } -> std::convertible_to<const KeySet&>;
    }, "A oneof names the keys of its cases `keys`");
    return T::keys;
}

// The primitive kind a value of T codes as, when it codes as one primitive.
template <class T>
constexpr std::optional<PrimitiveKind> singlePrimitiveKind() {
    if constexpr (Primitive<T>)
        return PrimitiveTraits<T>::kind;
    else if constexpr (RawValueEnumType<T>)
        return PrimitiveKind::Int64;
    else
        return std::nullopt;
}

// "Name<Inner>" built once per instantiation.
template <class Inner>
std::string_view wrappedTypeName(std::string_view outer) {
    static const std::string name = std::string(outer) + "<" + std::string(Inner::typeName()) + ">";
    return name;
}

} // namespace detail

template <class T>
struct Codable {
    static constexpr ValueCategory category = ValueCategory::other;
    static constexpr bool isMap = false;
    static constexpr bool isOneOf = detail::declaresOneOf<T>();
    static std::string_view typeName() { return typeNameOf<T>(); }
    static void encode(const T& value, Encoder& encoder) { value.encode(encoder); }
    static T decode(Decoder& decoder) { return T::decode(decoder); }
};

template <Primitive T>
struct Codable<T> {
    static constexpr ValueCategory category = ValueCategory::primitive;
    static constexpr PrimitiveKind primitiveKind = PrimitiveTraits<T>::kind;
    static constexpr bool isMap = false;
    static constexpr bool isOneOf = false;
    static std::string_view typeName() { return primitiveTypeName(primitiveKind); }
    static void encode(const T& value, Encoder& encoder) { encoder.singleValueContainer().encode(value); }
    static T decode(Decoder& decoder) { return decoder.singleValueContainer().decode<T>(); }
};

template <class T>
struct Codable<std::optional<T>> {
    static constexpr ValueCategory category = ValueCategory::optional;
    static constexpr bool isMap = false;
    static constexpr bool isOneOf = false;
    static std::string_view typeName() { return detail::wrappedTypeName<Codable<T>>("Optional"); }
    static void encode(const std::optional<T>& value, Encoder& encoder) {
        auto container = encoder.singleValueContainer();
        if (value)
            container.encode(*value);
        else
            container.encodeNil();
    }
    static std::optional<T> decode(Decoder& decoder) {
        auto container = decoder.singleValueContainer();
        if (container.decodeNil())
            return std::nullopt;
        return container.decode<T>();
    }
};

// Shared by reference in memory, coded as the value it points to; decoding makes a new object.
template <class T>
struct Codable<std::shared_ptr<T>> {
    static constexpr ValueCategory category = Codable<T>::category;
    static constexpr bool isMap = Codable<T>::isMap;
    static constexpr bool isOneOf = Codable<T>::isOneOf;
    static std::string_view typeName() { return Codable<T>::typeName(); }
    static void encode(const std::shared_ptr<T>& value, Encoder& encoder) {
        if (!value)
            throw EncodingError::invalidValue(std::string("null"),
                                              ErrorContext{encoder.codingPath(), "A shared value is null", nullptr});
        Codable<T>::encode(*value, encoder);
    }
    static std::shared_ptr<T> decode(Decoder& decoder) { return std::make_shared<T>(Codable<T>::decode(decoder)); }
};

template <class T, class Allocator>
struct Codable<std::vector<T, Allocator>> {
    static constexpr ValueCategory category = ValueCategory::other;
    static constexpr bool isMap = false;
    static constexpr bool isOneOf = false;
    static constexpr std::optional<PrimitiveKind> elementKind = detail::singlePrimitiveKind<T>();
    static std::string_view typeName() { return detail::wrappedTypeName<Codable<T>>("Array"); }
    static void encode(const std::vector<T, Allocator>& value, Encoder& encoder) {
        auto container = encoder.unkeyedContainer();
        for (const T& element : value)
            container.encode(element);
    }
    static std::vector<T, Allocator> decode(Decoder& decoder) {
        auto container = decoder.unkeyedContainer();
        std::vector<T, Allocator> result; // never reserved from a count the data claims
        if (container.isAtEnd())
            return result;
        // Where the bytes left are known, room for as many more elements as are likely to lie in
        // them, judged by the first, and never more memory than those bytes: a list's elements
        // are moved once, not at every growth.
        const std::size_t unread = container.unreadByteCount();
        result.push_back(container.decode<T>());
        const std::size_t left = container.unreadByteCount();
        if (left > 0 && left < unread) {
            const std::size_t likely = left / (unread - left) + left / (unread - left) / 4 + 1;
            result.reserve(1 + std::min(likely, left / sizeof(T)));
        }
        while (!container.isAtEnd())
            result.push_back(container.decode<T>());
        return result;
    }
};

template <class Allocator>
struct Codable<std::vector<bool, Allocator>> {
    static constexpr ValueCategory category = ValueCategory::other;
    static constexpr bool isMap = false;
    static constexpr bool isOneOf = false;
    static constexpr std::optional<PrimitiveKind> elementKind = PrimitiveKind::Bool;
    static std::string_view typeName() { return "Array<Bool>"; }
    static void encode(const std::vector<bool, Allocator>& value, Encoder& encoder) {
        auto container = encoder.unkeyedContainer();
        for (bool element : value)
            container.encode(element);
    }
    static std::vector<bool, Allocator> decode(Decoder& decoder) {
        auto container = decoder.unkeyedContainer();
        std::vector<bool, Allocator> result;
        while (!container.isAtEnd())
            result.push_back(container.decode<bool>());
        return result;
    }
};

template <class T, class Compare, class Allocator>
struct Codable<std::set<T, Compare, Allocator>> {
    static constexpr ValueCategory category = ValueCategory::other;
    static constexpr bool isMap = false;
    static constexpr bool isOneOf = false;
    static constexpr std::optional<PrimitiveKind> elementKind = detail::singlePrimitiveKind<T>();
    static std::string_view typeName() { return detail::wrappedTypeName<Codable<T>>("Set"); }
    static void encode(const std::set<T, Compare, Allocator>& value, Encoder& encoder) {
        auto container = encoder.unkeyedContainer();
        for (const T& element : value)
            container.encode(element);
    }
    static std::set<T, Compare, Allocator> decode(Decoder& decoder) {
        auto container = decoder.unkeyedContainer();
        std::set<T, Compare, Allocator> result;
        while (!container.isAtEnd())
            result.insert(container.decode<T>());
        return result;
    }
};

// Dictionaries: string keys and integer keys become keyed containers; any other key type an
// unkeyed list of key, value, key, value.
template <class K, class V, class Compare, class Allocator>
struct Codable<std::map<K, V, Compare, Allocator>> {
    using Map = std::map<K, V, Compare, Allocator>;
    static constexpr bool stringKeys = std::is_same_v<K, std::string>;
    static constexpr bool integerKeys = std::is_same_v<K, std::int64_t>;

    static constexpr ValueCategory category = ValueCategory::other;
    static constexpr bool isMap = true;
    static constexpr bool isOneOf = false;
    static std::string_view typeName() {
        static const std::string name =
            "Dictionary<" + std::string(Codable<K>::typeName()) + ", " + std::string(Codable<V>::typeName()) + ">";
        return name;
    }

    static void encode(const Map& value, Encoder& encoder) {
        if constexpr (stringKeys) {
            auto container = encoder.container(KeySet::stringDictionaryKeys());
            for (const auto& [key, element] : value)
                container.encode(element, CodingKey(key));
        } else if constexpr (integerKeys) {
            auto container = encoder.container(KeySet::integerDictionaryKeys());
            for (const auto& [key, element] : value)
                container.encode(element, CodingKey(std::to_string(key), key));
        } else {
            auto container = encoder.unkeyedContainer();
            for (const auto& [key, element] : value) {
                container.encode(key);
                container.encode(element);
            }
        }
    }

    static Map decode(Decoder& decoder) {
        Map result;
        if constexpr (stringKeys) {
            auto container = decoder.container(KeySet::stringDictionaryKeys());
            for (const auto& key : container.allKeys())
                result.insert_or_assign(key.stringValue, container.template decode<V>(key));
        } else if constexpr (integerKeys) {
            auto container = decoder.container(KeySet::integerDictionaryKeys());
            for (const auto& key : container.allKeys()) {
                if (!key.intValue) {
                    CodingPath path = container.codingPath();
                    path.push_back(key);
                    throw DecodingError::typeMismatch(
                        "Int64", ErrorContext{std::move(path), "Expected Int key but found String key instead.", nullptr});
                }
                result.insert_or_assign(*key.intValue, container.template decode<V>(key));
            }
        } else {
            auto container = decoder.unkeyedContainer();
            while (!container.isAtEnd()) {
                K key = container.template decode<K>();
                if (container.isAtEnd())
                    throw DecodingError::dataCorrupted(container.codingPath(),
                                                       "Unkeyed container reached end before value in key-value pair.");
                result.insert_or_assign(std::move(key), container.template decode<V>());
            }
        }
        return result;
    }
};

template <RawValueEnumType E>
struct Codable<E> {
    static constexpr ValueCategory category = ValueCategory::other;
    static constexpr bool isMap = false;
    static constexpr bool isOneOf = false;
    static std::string_view typeName() { return RawValueEnum<E>::name; }
    static void encode(const E& value, Encoder& encoder) {
        encoder.singleValueContainer().encode(static_cast<std::int64_t>(value));
    }
    static E decode(Decoder& decoder) {
        auto container = decoder.singleValueContainer();
        const auto raw = container.decode<std::int64_t>();
        if (!RawValueEnum<E>::isValid(raw))
            throw DecodingError::dataCorrupted(container.codingPath(),
                                               "Cannot initialize " + std::string(RawValueEnum<E>::name) +
                                                   " from invalid Int value " + std::to_string(raw));
        return static_cast<E>(raw);
    }
};

// ---- type erasure for the containers' template fronts ----

namespace detail {

// One named result and one return, so the item is built in the caller's slot: this runs for
// every field a record encodes.
template <class T>
EncodeItem makeEncodeItemOf(const T& value) {
    EncodeItem item;
    item.category = Codable<T>::category;
    item.isMap = Codable<T>::isMap;
    item.isOneOf = Codable<T>::isOneOf;
    item.typeName = Codable<T>::typeName();
    if constexpr (Primitive<T>)
        item.primitive = primitiveRef(value);
    if constexpr (IsOptional<T>::value)
        item.isNil = !value.has_value();
    item.value = &value;
    item.encodeFunction = [](const void* erased, Encoder& encoder) {
        Codable<T>::encode(*static_cast<const T*>(erased), encoder);
    };
    return item;
}

// A null pointer goes to the container like any record, so that the error its coding throws
// carries the container's full path, key included.
template <class T>
EncodeItem makeNullSharedItem(const std::shared_ptr<T>& value) {
    EncodeItem item;
    item.typeName = Codable<T>::typeName();
    item.value = &value;
    item.encodeFunction = [](const void* erased, Encoder& encoder) {
        Codable<std::shared_ptr<T>>::encode(*static_cast<const std::shared_ptr<T>*>(erased), encoder);
    };
    return item;
}

// Converts to what `make` returns, built right where the conversion's result goes: an optional's
// emplace() then builds a decoded record in place instead of moving every field of it. Only for
// aggregates, which no constructor of their own could take this for.
template <class Make>
struct BuiltInPlace {
    Make make;
    operator decltype(make())() { return make(); }
};
template <class Make>
BuiltInPlace(Make) -> BuiltInPlace<Make>;

} // namespace detail

template <class T>
EncodeItem makeEncodeItem(const T& value) {
    if constexpr (detail::SharedPointee<T>::value)
        return value ? makeEncodeItem(*value) : detail::makeNullSharedItem(value);
    else
        return detail::makeEncodeItemOf(value);
}

// The item's slot is `slot` itself: coders may fill a primitive's slot directly.
template <class T>
DecodeItem makeDecodeItem(std::optional<T>& slot) {
    DecodeItem item;
    item.category = Codable<T>::category;
    item.isMap = Codable<T>::isMap;
    item.isOneOf = Codable<T>::isOneOf;
    if constexpr (Codable<T>::isOneOf)
        item.oneOfCases = &detail::oneOfCasesOf<T>();
    item.typeName = Codable<T>::typeName();
    if constexpr (Primitive<T>)
        item.primitiveKind = PrimitiveTraits<T>::kind;
    if constexpr (requires { Codable<T>::elementKind; })
        item.elementKind = Codable<T>::elementKind;
    item.slot = &slot;
    item.decodeFunction = [](void* erased, Decoder& decoder) {
        auto& slot = *static_cast<std::optional<T>*>(erased);
        if constexpr (std::is_aggregate_v<T>)
            slot.emplace(detail::BuiltInPlace{[&] { return Codable<T>::decode(decoder); }});
        else
            slot.emplace(Codable<T>::decode(decoder));
    };
    item.assignFunction = [](void* erased, PrimitiveValue&& value) {
        if constexpr (Primitive<T>) {
            auto* primitive = std::get_if<T>(&value);
            if (!primitive)
                fatal("A coder assigned a primitive of another kind");
            static_cast<std::optional<T>*>(erased)->emplace(std::move(*primitive));
        } else {
            fatal("A coder assigned a primitive to a value that is not one");
        }
    };
    item.assignNilFunction = [](void* erased) {
        if constexpr (detail::IsOptional<T>::value)
            static_cast<std::optional<T>*>(erased)->emplace(std::nullopt);
        else
            fatal("A coder assigned nil to a value that is not optional");
    };
    return item;
}

template <class T, class Run>
T decodeThrough(Run&& run) {
    if constexpr (detail::SharedPointee<T>::value) {
        // Decoded straight into the shared block: a record moved there would move every field.
        using Pointee = typename detail::SharedPointee<T>::type;
        auto slot = std::make_shared<std::optional<Pointee>>();
        DecodeItem item = makeDecodeItem<Pointee>(*slot);
        run(item);
        if (!*slot)
            fatal("A coder returned without producing a value");
        return std::shared_ptr<Pointee>(slot, &**slot);
    } else {
        std::optional<T> slot;
        DecodeItem item = makeDecodeItem<T>(slot);
        run(item);
        if (!slot)
            fatal("A coder returned without producing a value");
        return std::move(*slot);
    }
}

template <class T, class Run>
std::optional<T> decodeIfPresentThrough(Run&& run) {
    if constexpr (detail::SharedPointee<T>::value) {
        using Pointee = typename detail::SharedPointee<T>::type;
        auto value = decodeIfPresentThrough<Pointee>(std::forward<Run>(run));
        if (!value)
            return std::nullopt;
        return std::make_shared<Pointee>(std::move(*value));
    } else {
        std::optional<T> slot;
        DecodeItem item = makeDecodeItem<T>(slot);
        if (!run(item))
            return std::nullopt;
        if (!slot)
            fatal("A coder returned without producing a value");
        return slot;
    }
}

} // namespace coding
