#include "CompactCoding/protobuf/ProtobufDefinition.h"

#include "CompactCoding/protobuf/IntKeyWrapper.h"
#include "CompactCoding/protobuf/KeyedProtoEncoder.h"
#include "CompactCoding/protobuf/ProtoPrimitive.h"
#include "CompactCoding/protobuf/UnkeyedProtoEncoder.h"
#include "CompactCoding/protobuf/ValueProtoEncoder.h"

#include <cctype>
#include <map>
#include <set>
#include <string_view>
#include <vector>

namespace coding {

namespace {

using Kind = ProtobufEncodingError::Kind;

[[noreturn]] void unavailable(const std::string& why) { throw ProtobufEncodingError(Kind::protobufDefinitionUnavailable, why); }

// A name protobuf accepts: letters, digits and underscores, not beginning with a digit.
std::string identifier(std::string_view text, std::string_view fallback) {
    std::string name;
    for (const char c : text)
        name += std::isalnum(static_cast<unsigned char>(c)) || c == '_' ? c : '_';
    if (name.empty())
        return std::string(fallback);
    if (std::isdigit(static_cast<unsigned char>(name[0])))
        name.insert(0, fallback);
    return name;
}

// A field's type: "repeated" for a list, and the scalar, message or map type. A list or map that
// held nothing gives no name: another instance of its message may.
struct FieldType {
    std::string label;
    std::string name;
    bool isMap = false;

    bool isKnown() const { return !name.empty(); }
    // The same kind of field, one of them perhaps not yet known.
    bool fits(const FieldType& other) const {
        return label == other.label && isMap == other.isMap && (!isKnown() || !other.isKnown() || name == other.name);
    }
};

class Renderer {
public:
    std::string render(const ProtoNode& root) {
        check(root);
        if (!root.container())
            throw ProtobufEncodingError(Kind::noContainersAccessed);
        const auto* message = dynamic_cast<const KeyedProtoEncoder*>(root.container().get());
        if (!message || root.isMap())
            throw ProtobufEncodingError(Kind::rootIsNotKeyedContainer);
        define(identifier(message->encodedType(), "Message"), *message);
        std::string text = "syntax = \"proto3\";\n";
        for (const std::string& name : order_) {
            text += "\nmessage " + name + " {\n";
            for (const auto& [number, field] : messages_.at(name).fields)
                text += "  " + lineOf(known(field), number) + "\n";
            text += "}\n";
        }
        return text;
    }

private:
    // One field of a message, as every instance of the message describes it.
    struct Field {
        std::string name;
        std::string label; // "repeated", "optional" or none
        FieldType type;
        std::string nestedName; // of the value's messages, for the failure of a type never known
    };
    // A message's fields by number, and the numbers its field names stand for.
    struct Message {
        std::map<std::int64_t, Field> fields;
        std::map<std::string, std::int64_t> numbers;
    };

    static void check(const ProtoContainer& container) {
        if (const auto* node = dynamic_cast<const AbstractProtoNode*>(&container); node && node->encodingError())
            throw *node->encodingError();
    }

    static std::string lineOf(const Field& field, std::int64_t number) {
        return (field.label.empty() ? "" : field.label + " ") + (field.type.isKnown() ? field.type.name : "?") + " " +
               field.name + " = " + std::to_string(number) + ";";
    }

    // The field once every instance is walked: a list or map no instance gave a type to fails.
    static const Field& known(const Field& field) {
        if (field.type.isKnown())
            return field;
        if (field.type.isMap)
            unavailable("The value type of an empty map in " + field.nestedName + " is unknown");
        unavailable("The element type of an empty list in " + field.nestedName + " is unknown");
    }

    // Adds the message's fields under `name`. Every instance of a message adds to one
    // description: a field it writes that others left out (an absent optional value), or the type
    // of a list or map that others held empty. A field described otherwise than before fails.
    void define(const std::string& name, const KeyedProtoEncoder& message) {
        if (!messages_.contains(name))
            order_.push_back(name);
        // Stays where it is while the walk of a value defines other messages (or this one again).
        Message& fields = messages_[name];
        for (const auto& entry : message.content()) {
            if (!entry.key.intValue || !IntKeyWrapper::isFieldNumber(*entry.key.intValue))
                unavailable("Field " + entry.key.stringValue + " of " + name + " has no field number");
            const std::int64_t number = *entry.key.intValue;
            std::string fieldName = identifier(entry.key.stringValue, "field_");
            if (const auto taken = fields.numbers.find(fieldName); taken != fields.numbers.end() && taken->second != number)
                fieldName += "_" + std::to_string(number);
            fields.numbers.emplace(fieldName, number);
            const std::string nestedName = name + "_" + fieldName;
            Field field{fieldName, "", typeOf(*entry.value, nestedName), nestedName};
            field.label = field.type.label;
            if (entry.isOptional && field.label.empty() && !field.type.isMap)
                field.label = "optional";
            const auto [slot, added] = fields.fields.emplace(number, field);
            Field& kept = slot->second;
            if (added)
                continue;
            if (kept.name != field.name || kept.label != field.label || !kept.type.fits(field.type))
                unavailable("Message " + name + " is described in two ways: " + lineOf(kept, number) + " and " +
                            lineOf(field, number));
            if (!kept.type.isKnown())
                kept.type = field.type;
        }
    }

    // `nestedName` names a message that a record wrote into a nested container of its own.
    FieldType typeOf(const ProtoContainer& container, const std::string& nestedName) {
        check(container);
        if (const auto* primitive = dynamic_cast<const ProtoPrimitive*>(&container))
            return {"", primitive->protoTypeName()};
        if (const auto* node = dynamic_cast<const ProtoNode*>(&container)) {
            if (!node->container())
                unavailable("A value of " + node->encodedType() + " writes nothing");
            if (node->isMap())
                return mapOf(*node->container(), nestedName);
            if (const auto* message = dynamic_cast<const KeyedProtoEncoder*>(node->container().get())) {
                const std::string name = identifier(node->encodedType(), "Message");
                define(name, *message);
                return {"", name};
            }
            return typeOf(*node->container(), nestedName);
        }
        if (const auto* value = dynamic_cast<const ValueProtoEncoder*>(&container)) {
            if (!value->container())
                unavailable("A value of " + value->encodedType() + " writes nothing");
            return typeOf(*value->container(), nestedName);
        }
        if (const auto* message = dynamic_cast<const KeyedProtoEncoder*>(&container)) {
            define(nestedName, *message);
            return {"", nestedName};
        }
        const auto& list = dynamic_cast<const UnkeyedProtoEncoder&>(container);
        FieldType type{"repeated", ""};
        // Every element is walked: each may write fields of its message that others leave out.
        for (const auto& element : list.content()) {
            const FieldType elementType = typeOf(*element, nestedName);
            if (!elementType.label.empty() || elementType.isMap)
                unavailable("A list of lists or maps in " + nestedName + " has no protobuf form");
            type.name = elementType.name;
        }
        return type;
    }

    FieldType mapOf(const ProtoContainer& container, const std::string& nestedName) {
        FieldType key, value;
        if (const auto* entries = dynamic_cast<const KeyedProtoEncoder*>(&container)) {
            if (entries->content().empty())
                return {"", "", true};
            key.name = entries->content().front().key.intValue ? "int64" : "string";
            for (const auto& entry : entries->content())
                value = typeOf(*entry.value, nestedName + "Value");
        } else {
            const auto& pairs = dynamic_cast<const UnkeyedProtoEncoder&>(container);
            if (pairs.content().size() < 2)
                return {"", "", true};
            for (std::size_t i = 0; i + 1 < pairs.content().size(); i += 2) {
                key = typeOf(*pairs.content()[i], nestedName + "Key");
                value = typeOf(*pairs.content()[i + 1], nestedName + "Value");
            }
        }
        static const std::set<std::string, std::less<>> keyTypes{
            "int32", "int64", "uint32", "uint64", "sint32", "sint64", "fixed32",
            "fixed64", "sfixed32", "sfixed64", "bool", "string"};
        if (!key.label.empty() || key.isMap || !keyTypes.contains(key.name))
            unavailable("A map in " + nestedName + " has keys of a type protobuf maps cannot have");
        if (!value.label.empty() || value.isMap)
            unavailable("A map in " + nestedName + " has lists or maps as values");
        return {"", "map<" + key.name + ", " + value.name + ">", true};
    }

    std::vector<std::string> order_;
    std::map<std::string, Message> messages_;
};

} // namespace

std::string ProtobufDefinition::render(const ProtoNode& root) { return Renderer().render(root); }

} // namespace coding
