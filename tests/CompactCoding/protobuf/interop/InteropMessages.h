#pragma once

// The test records of ProtobufTestRecords.h as the messages of interop.proto, libprotobuf's
// generated code for the same definition: for the interop tests and the differential fuzz target.

#include "protobuf/ProtobufTestRecords.h"
#include "interop.pb.h"

#include <google/protobuf/io/coded_stream.h>
#include <google/protobuf/io/zero_copy_stream_impl_lite.h>

#include <string>
#include <variant>

namespace interoptest {

using namespace prototest;

// Map entries in key order, as our coders write them.
inline std::string libprotobufBytes(const google::protobuf::Message& message) {
    std::string out;
    google::protobuf::io::StringOutputStream stream(&out);
    google::protobuf::io::CodedOutputStream coded(&stream);
    coded.SetSerializationDeterministic(true);
    message.SerializeToCodedStream(&coded);
    coded.Trim();
    return out;
}

inline interop::Inner toProto(const Inner& inner) {
    interop::Inner message;
    message.set_number(inner.number);
    message.set_text(inner.text);
    return message;
}

// A nested message is set only when it has something to write: protobuf writes a set message
// even when it is empty, and our record has no notion of an unset one.
inline interop::Everything toProto(const Everything& e) {
    interop::Everything m;
    m.set_flag(e.flag);
    m.set_int32(e.int32);
    m.set_int64(e.int64);
    m.set_uint32(e.uint32);
    m.set_uint64(e.uint64);
    m.set_real32(e.real32);
    m.set_real64(e.real64);
    m.set_text(e.text);
    m.set_blob(std::string(e.blob.view()));
    m.set_sfixed32(e.sfixed32.wrappedValue);
    m.set_sfixed64(e.sfixed64.wrappedValue);
    m.set_fixed32(e.fixed32.wrappedValue);
    m.set_fixed64(e.fixed64.wrappedValue);
    m.set_sint32(e.sint32.wrappedValue);
    m.set_sint64(e.sint64.wrappedValue);
    if (e.inner != Inner{})
        *m.mutable_inner() = toProto(e.inner);
    for (const auto number : e.numbers)
        m.add_numbers(number);
    for (const auto& text : e.texts)
        m.add_texts(text);
    for (const auto& inner : e.inners)
        *m.add_inners() = toProto(inner);
    for (const auto& [name, number] : e.byName)
        (*m.mutable_byname())[name] = number;
    for (const auto& [number, inner] : e.byNumber)
        (*m.mutable_bynumber())[number] = toProto(inner);
    if (e.maybe)
        m.set_maybe(*e.maybe);
    return m;
}

inline interop::Choosing toProto(const Choosing& c) {
    interop::Choosing m;
    m.set_id(c.id);
    if (!c.choice)
        return m;
    if (const auto* number = std::get_if<std::int64_t>(&c.choice->value))
        m.set_number(*number);
    else if (const auto* text = std::get_if<std::string>(&c.choice->value))
        m.set_text(*text);
    else
        *m.mutable_inner() = toProto(std::get<Inner>(c.choice->value));
    return m;
}

inline interop::Unpacked toProto(const Unpacked& u) {
    interop::Unpacked m;
    for (const auto number : u.numbers)
        m.add_numbers(number);
    for (const auto real : u.reals)
        m.add_reals(real);
    for (const bool flag : u.flags)
        m.add_flags(flag);
    return m;
}

inline interop::Everythings toProto(const Everythings& e) {
    interop::Everythings m;
    for (const auto& item : e.items)
        *m.add_items() = toProto(item);
    for (const auto& [number, item] : e.byNumber)
        (*m.mutable_bynumber())[number] = toProto(item);
    return m;
}

inline interop::Branch toProto(const Branch& b) {
    interop::Branch m;
    if (b.fields != Everything{})
        *m.mutable_fields() = toProto(b.fields);
    for (const auto& child : b.children)
        *m.add_children() = toProto(child);
    return m;
}

inline interop::Positives toProto(const Positives& p) {
    interop::Positives m;
    for (const Positive& number : p.typed)
        m.add_typed(number.value);
    for (const Positive& number : p.byHand)
        m.add_byhand(number.value);
    for (const Positives& child : p.children)
        *m.add_children() = toProto(child);
    return m;
}

// ---- Records written other ways than with static keys ----

template <Way how>
interop::PositiveTree toProto(const Tree<how, Positive>& tree) {
    interop::PositiveTree m;
    for (const Positive& number : tree.a)
        m.add_a(number.value);
    for (const auto& child : tree.children)
        *m.add_children() = toProto(child);
    return m;
}

template <Way how>
interop::TextTree toProto(const Tree<how, std::string>& tree) {
    interop::TextTree m;
    for (const std::string& text : tree.a)
        m.add_a(text);
    for (const auto& child : tree.children)
        *m.add_children() = toProto(child);
    return m;
}

inline interop::SharedTrees toProto(const SharedTrees& trees) {
    interop::SharedTrees m;
    if (!trees.numbers.a.empty() || !trees.numbers.children.empty())
        *m.mutable_numbers() = toProto(trees.numbers);
    if (!trees.texts.a.empty() || !trees.texts.children.empty())
        *m.mutable_texts() = toProto(trees.texts);
    return m;
}

// The message of the reading the record chose.
inline interop::SwitchNumbers toSwitchNumbers(const Switch& s) {
    interop::SwitchNumbers m;
    for (const Positive& number : s.numbers)
        m.add_list(number.value);
    return m;
}
inline interop::SwitchTexts toSwitchTexts(const Switch& s) {
    interop::SwitchTexts m;
    for (const std::string& text : s.texts)
        m.add_list(text);
    m.set_astexts(true);
    return m;
}

} // namespace interoptest
