#include "CompactCoding/protobuf/ProtoKeyedEncoder.h"

#include "CompactCoding/protobuf/OneOfEncodingNode.h"
#include "CompactCoding/protobuf/ProtoEncodeValue.h"
#include "CompactCoding/protobuf/ProtoKeyedThrowingEncoder.h"
#include "CompactCoding/protobuf/ProtoUnkeyedEncoder.h"
#include "CompactCoding/protobuf/ProtoUnkeyedThrowingEncoder.h"
#include "CompactCoding/protobuf/ProtobufEncodingError.h"
#include "CompactCoding/SmallBytes.h"
#include "CompactCoding/UserInfoFlag.h"
#include "coding/Fatal.h"

#include <algorithm>
#include <numeric>
#include <optional>

namespace coding {

namespace {

std::uint32_t hashOf(std::uint32_t field) { return keyHash(static_cast<std::int64_t>(field)); }

} // namespace

ProtoKeyedEncoder::ProtoKeyedEncoder(std::shared_ptr<const CodingPath> codingPath,
                                     std::shared_ptr<const UserInfo> userInfo, std::size_t expectedCount,
                                     EncodingArena& arena)
    : AbstractEncodingNode(std::move(codingPath), std::move(userInfo), false, arena),
      sortFields_(userInfoFlag(UserInfoOption::sort, this->userInfo())),
      expectedCount_(expectedCount),
      bytes_(arena),
      entries_(ArenaAllocator<Entry>(arena)),
      index_(ArenaAllocator<std::uint32_t>(arena)) {}

// ---- fields ----

std::size_t ProtoKeyedEncoder::find(std::uint32_t number) {
    if (entries_.size() <= KeyIndex<>::scanLimit) {
        for (std::size_t i = 0; i < entries_.size(); ++i)
            if (entries_[i].field == number)
                return i;
        return entries_.size();
    }
    // Many fields, not set in ascending order: the index catches up with them.
    for (; indexed_ < entries_.size(); ++indexed_)
        index_.add(hashOf(entries_[indexed_].field), indexed_ + 1,
                   [this](std::size_t i) { return hashOf(entries_[i].field); });
    return index_.find(hashOf(number), entries_.size(), [&](std::size_t i) { return entries_[i].field == number; });
}

ProtoKeyedEncoder::Entry& ProtoKeyedEncoder::otherEntryFor(std::uint32_t number) {
    if (number <= maxField_) {
        if (const std::size_t position = find(number); position < entries_.size())
            return entries_[position];
    } else {
        maxField_ = number;
    }
    if (entries_.capacity() == 0) {
        entries_.reserve(std::max<std::size_t>(expectedCount_, 4));
        bytes_.reserve(16 * std::max<std::size_t>(expectedCount_, 1));
    }
    entries_.push_back(Entry{number, 0, 0, Form::primitive, nullptr});
    return entries_.back();
}

void ProtoKeyedEncoder::encodeNil(const CodingKey&) {
    throw ProtobufEncodingError(ProtobufEncodingError::Kind::nilValuesNotSupported);
}

void ProtoKeyedEncoder::encode(const EncodeItem& item, const CodingKey& key) {
    if (item.category == ValueCategory::primitive)
        encodePrimitive(item, key, false);
    else
        encodeValue(item, key, false);
}

void ProtoKeyedEncoder::encodeIfPresent(const EncodeItem* item, const CodingKey& key) {
    if (!item)
        return;
    if (item->category == ValueCategory::primitive)
        encodePrimitive(*item, key, true);
    else
        encodeValue(*item, key, true);
}

void ProtoKeyedEncoder::encodeValue(const EncodeItem& item, const CodingKey& key, bool isPresent) {
    cachedSize_ = unknownSize;
    const std::uint32_t field = IntKeyWrapper(key).number();
    if (item.isOneOf) {
        // The chosen case stands as a field of this message under the case's own number; the
        // property's key only had to be a valid field key.
        OneOfEncodingNode node(sharedCodingPath(), sharedUserInfo(), arena());
        item.encode(node);
        auto [caseField, value] = node.chosenCase();
        setNested(entryFor(caseField.number()), Form::oneOfCase, std::move(value));
        return;
    }
    auto container = encodeProtoNestedValue(item, *this);
    Entry& entry = entryFor(field);
    if (!container) {
        // A value that asked for no container has nothing to write, not even its tag.
        setPrimitive(entry, 0, 0);
        return;
    }
    setNested(entry, isPresent ? Form::present : Form::nested, std::move(container));
}

void ProtoKeyedEncoder::encodePrimitive(const EncodeItem& item, const CodingKey& key, bool isPresent) {
    cachedSize_ = unknownSize;
    const std::uint32_t field = IntKeyWrapper(key).number();
    PrimitiveScratch scratch;
    const ProtobufForm form = protobufPrimitive(item, codingPath(), &key, scratch);
    Entry& entry = entryFor(field);
    if (form.isZero && !isPresent) {
        setPrimitive(entry, 0, 0); // replaces an earlier value with nothing
        return;
    }
    const std::size_t size = form.bytes.size();
    if (size > std::numeric_limits<std::uint32_t>::max() - bytes_.size() - 2 * maxVariableLengthSize)
        fatal("A message of 4 GiB or more cannot be encoded");
    const DataType dataType = dataTypeOf(kindOf(item.primitive));
    std::uint8_t* const start = bytes_.room(2 * maxVariableLengthSize + size);
    std::uint8_t* out = IntKeyWrapper::field(field).writeTag(dataType, start);
    if (dataType == DataType::variableLength)
        out = writeVariableLength(size, out);
    copyBytes(out, form.bytes.data(), size);
    out += size;
    setPrimitive(entry, static_cast<std::uint32_t>(bytes_.size()), static_cast<std::uint32_t>(out - start));
    bytes_.commit(out);
}

std::shared_ptr<KeyedEncodingContainerBox> ProtoKeyedEncoder::nestedContainer(const KeySet& keys,
                                                                              const CodingKey& key) {
    std::optional<IntKeyWrapper> field;
    try {
        field.emplace(key);
    } catch (const ProtobufEncodingError& error) {
        return std::make_shared<ProtoKeyedThrowingEncoder>(codingPathAppending(key), sharedUserInfo(), error);
    }
    cachedSize_ = unknownSize;
    auto container = makeNode<ProtoKeyedEncoder>(codingPathAppending(key), sharedUserInfo(), keys.keys().size());
    setNested(entryFor(field->number()), Form::nested, container);
    return container;
}

std::shared_ptr<UnkeyedEncodingContainerBox> ProtoKeyedEncoder::nestedUnkeyedContainer(const CodingKey& key) {
    std::optional<IntKeyWrapper> field;
    try {
        field.emplace(key);
    } catch (const ProtobufEncodingError& error) {
        return std::make_shared<ProtoUnkeyedThrowingEncoder>(codingPathAppending(key), sharedUserInfo(), error);
    }
    cachedSize_ = unknownSize;
    auto container = makeNode<ProtoUnkeyedEncoder>(codingPathAppending(key), sharedUserInfo());
    setNested(entryFor(field->number()), Form::nested, container);
    return container;
}

std::shared_ptr<Encoder> ProtoKeyedEncoder::superEncoder() {
    return std::make_shared<ProtoThrowingNode>(sharedCodingPath(), sharedUserInfo(),
                                               ProtobufEncodingError(ProtobufEncodingError::Kind::superNotSupported));
}

std::shared_ptr<Encoder> ProtoKeyedEncoder::superEncoder(const CodingKey&) { return superEncoder(); }

void ProtoKeyedEncoder::setPrimitive(Entry& entry, std::uint32_t offset, std::uint32_t length) {
    forget(entry);
    entry.form = Form::primitive;
    entry.offset = offset;
    entry.length = length;
    primitiveSize_ += length;
}

void ProtoKeyedEncoder::setNested(Entry& entry, Form form, std::shared_ptr<EncodingContainer> container) {
    forget(entry);
    entry.form = form;
    entry.length = 0;
    entry.nested = std::move(container);
    ++nestedCount_;
}

void ProtoKeyedEncoder::forget(Entry& entry) {
    if (entry.form != Form::primitive) {
        --nestedCount_;
        entry.nested.reset();
    } else if (entry.length != 0) {
        // The bytes of a value replaced stay in the buffer, unused.
        primitiveSize_ -= entry.length;
        hasGaps_ = true;
    }
}

// ---- bytes ----

std::size_t ProtoKeyedEncoder::entrySize(const Entry& entry) const {
    const IntKeyWrapper field = IntKeyWrapper::field(entry.field);
    switch (entry.form) {
    case Form::primitive: return entry.length;
    case Form::nested: return entry.nested->isEmpty() ? 0 : entry.nested->sizeWithKey(field);
    case Form::present:
        return entry.nested->isEmpty() && entry.nested->isRepeated() ? 0 : entry.nested->sizeWithKey(field);
    case Form::oneOfCase: return entry.nested->occurrenceSize(field);
    }
    return 0;
}

void ProtoKeyedEncoder::appendEntry(const Entry& entry, std::vector<std::uint8_t>& out) const {
    const IntKeyWrapper field = IntKeyWrapper::field(entry.field);
    switch (entry.form) {
    case Form::primitive: {
        const std::uint8_t* start = bytes_.data() + entry.offset;
        out.insert(out.end(), start, start + entry.length);
        return;
    }
    case Form::nested:
        if (!entry.nested->isEmpty())
            entry.nested->appendWithKey(field, out);
        return;
    case Form::present:
        if (!(entry.nested->isEmpty() && entry.nested->isRepeated()))
            entry.nested->appendWithKey(field, out);
        return;
    case Form::oneOfCase: entry.nested->appendOccurrence(field, out); return;
    }
}

std::size_t ProtoKeyedEncoder::dataSize() const {
    if (cachedSize_ != unknownSize)
        return cachedSize_;
    std::size_t size = primitiveSize_;
    if (nestedCount_ != 0)
        for (const Entry& entry : entries_)
            if (entry.form != Form::primitive)
                size += entrySize(entry);
    cachedSize_ = size;
    return size;
}

void ProtoKeyedEncoder::appendData(std::vector<std::uint8_t>& out) const {
    const auto byField = [this](std::uint32_t a, std::uint32_t b) { return entries_[a].field < entries_[b].field; };
    if (sortFields_ && !std::is_sorted(entries_.begin(), entries_.end(),
                                       [](const Entry& a, const Entry& b) { return a.field < b.field; })) {
        std::vector<std::uint32_t> order(entries_.size());
        std::iota(order.begin(), order.end(), 0u);
        std::sort(order.begin(), order.end(), byField);
        for (const std::uint32_t position : order)
            appendEntry(entries_[position], out);
        return;
    }
    // A message of primitives each set once is its buffer as it stands.
    if (nestedCount_ == 0 && !hasGaps_) {
        out.insert(out.end(), bytes_.data(), bytes_.data() + bytes_.size());
        return;
    }
    // Primitive fields that lie one after the other in the buffer go out in one piece.
    ByteRuns runs(bytes_.data(), out);
    for (const Entry& entry : entries_) {
        if (entry.form == Form::primitive) {
            runs.add(entry.offset, entry.length);
        } else {
            runs.flush();
            appendEntry(entry, out);
        }
    }
    runs.flush();
}

} // namespace coding
