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

// A field's type: "repeated" for a list, and the scalar, message or map type.
struct FieldType {
    std::string label;
    std::string name;
    bool isMap = false;
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
            for (const auto& [number, line] : messages_.at(name).lines)
                text += "  " + line + "\n";
            text += "}\n";
        }
        return text;
    }

private:
    static void check(const ProtoContainer& container) {
        if (const auto* node = dynamic_cast<const AbstractProtoNode*>(&container); node && node->encodingError())
            throw *node->encodingError();
    }

    // Adds the message's fields under `name`; a name met again must describe the same fields, or
    // more of them (a record whose optional fields were absent the first time).
    void define(const std::string& name, const KeyedProtoEncoder& message) {
        if (!messages_.contains(name))
            order_.push_back(name);
        Message& fields = messages_[name];
        for (const auto& entry : message.content()) {
            if (!entry.key.intValue || !IntKeyWrapper::isFieldNumber(*entry.key.intValue))
                unavailable("Field " + entry.key.stringValue + " of " + name + " has no field number");
            const std::int64_t number = *entry.key.intValue;
            std::string fieldName = identifier(entry.key.stringValue, "field_");
            if (const auto taken = fields.numbers.find(fieldName); taken != fields.numbers.end() && taken->second != number)
                fieldName += "_" + std::to_string(number);
            fields.numbers.emplace(fieldName, number);
            const FieldType type = typeOf(*entry.value, name + "_" + fieldName);
            std::string label = type.label;
            if (entry.isOptional && label.empty() && !type.isMap)
                label = "optional";
            const std::string line = (label.empty() ? "" : label + " ") + type.name + " " + fieldName + " = " +
                                     std::to_string(number) + ";";
            const auto [slot, added] = fields.lines.emplace(number, line);
            if (!added && slot->second != line)
                unavailable("Message " + name + " is described in two ways: " + slot->second + " and " + line);
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
        if (list.content().empty())
            unavailable("The element type of an empty list in " + nestedName + " is unknown");
        const FieldType element = typeOf(*list.content().front(), nestedName);
        if (!element.label.empty() || element.isMap)
            unavailable("A list of lists or maps in " + nestedName + " has no protobuf form");
        return {"repeated", element.name};
    }

    FieldType mapOf(const ProtoContainer& container, const std::string& nestedName) {
        FieldType key, value;
        if (const auto* entries = dynamic_cast<const KeyedProtoEncoder*>(&container)) {
            if (entries->content().empty())
                unavailable("The value type of an empty map in " + nestedName + " is unknown");
            key.name = entries->content().front().key.intValue ? "int64" : "string";
            value = typeOf(*entries->content().front().value, nestedName + "Value");
        } else {
            const auto& pairs = dynamic_cast<const UnkeyedProtoEncoder&>(container);
            if (pairs.content().size() < 2)
                unavailable("The key and value types of an empty map in " + nestedName + " are unknown");
            key = typeOf(*pairs.content()[0], nestedName + "Key");
            value = typeOf(*pairs.content()[1], nestedName + "Value");
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

    // A message's field lines by number, and the numbers its field names stand for.
    struct Message {
        std::map<std::int64_t, std::string> lines;
        std::map<std::string, std::int64_t> numbers;
    };
    std::vector<std::string> order_;
    std::map<std::string, Message> messages_;
};

} // namespace

std::string ProtobufDefinition::render(const ProtoNode& root) { return Renderer().render(root); }

} // namespace coding
