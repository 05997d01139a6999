#include "CompactCoding/protobuf/ProtoKeyedDecoder.h"

#include "CompactCoding/protobuf/OneOfDecodingNode.h"
#include "CompactCoding/protobuf/OneOfRunSets.h"
#include "CompactCoding/protobuf/ProtoDecodeValue.h"
#include "CompactCoding/protobuf/ProtoUnkeyedDecoder.h"
#include "CompactCoding/protobuf/ProtobufDecodingError.h"
#include "coding/DecodingError.h"

#include <algorithm>
#include <string>

namespace coding {

namespace {

// Value faults are raised without a path and get the container's path and the key on the way out.
const CodingPath noPath;

std::uint32_t hashOf(const DecodingKey& key) {
    return key.isStringKey() ? keyHash(key.stringValue()) : keyHash(key.intValue());
}

} // namespace

ProtoKeyedDecoder::ProtoKeyedDecoder(const KeySet& keys, ProtoDecodeCall& call, std::uint32_t depth,
                                     bool areRepeatedFields, const NestingLimit& limit)
    : AbstractProtoDecodingNode(call, depth, limit), keys_(&keys), areRepeatedFields_(areRepeatedFields) {}

ProtoKeyedDecoder::ProtoKeyedDecoder(std::span<const std::uint8_t> bytes, const KeySet& keys, ProtoDecodeCall& call,
                                     std::uint32_t depth)
    : ProtoKeyedDecoder(keys, call, protobufMessageDepth(depth), true, protobufMessageNestingLimit) {
    parse(bytes);
    finish();
}

ProtoKeyedDecoder::ProtoKeyedDecoder(std::span<const ProtoOccurrence> parts, const KeySet& keys,
                                     ProtoDecodeCall& call, std::uint32_t depth)
    : ProtoKeyedDecoder(keys, call, parts.empty() ? depth : protobufMessageDepth(depth), true,
                        parts.empty() ? protobufNestingLimit : protobufMessageNestingLimit) {
    for (const ProtoOccurrence& part : parts) {
        if (part.wireType != DataType::variableLength)
            unexpectedWireType(part.wireType, this->codingPath());
        parse(part.bytes());
    }
    finish();
}

std::shared_ptr<ProtoKeyedDecoder> ProtoKeyedDecoder::over(const ProtoStorage& storage, const KeySet& keys,
                                                           ProtoDecodeCall& call, std::uint32_t depth) {
    if (storage.kind() == ProtoStorage::Kind::field)
        return ProtoKeyedDecoder::make(storage.occurrences(), keys, call, depth);
    const auto bytes = storage.standaloneBytes(*call.codingPath());
    return ProtoKeyedDecoder::make(bytes, keys, call, depth);
}

// ---- the table ----

void ProtoKeyedDecoder::parse(std::span<const std::uint8_t> bytes) {
    const CodingPath& path = codingPath();
    std::size_t index = 0;
    while (index < bytes.size()) {
        std::uint32_t number = 0;
        const ProtoOccurrence occurrence = ProtoOccurrence::read(bytes, index, number, path);
        if (number > largestNumber_ && fieldCount_ < inlineFields && occurrenceCount_ < inlineOccurrences) {
            // A number past all others is a new field: records are written in ascending order. The
            // entries are written member by member: a copy of whole ones just built would wait for
            // the stores of their parts.
            largestNumber_ = number;
            Field& field = fields_[fieldCount_];
            field.key = DecodingKey::intKey(number);
            field.first = static_cast<std::uint32_t>(occurrenceCount_);
            field.count = 1;
            ProtoOccurrence& stored = occurrences_[occurrenceCount_];
            stored.data = occurrence.data;
            stored.size = occurrence.size;
            stored.wireType = occurrence.wireType;
            occurrenceFields_[occurrenceCount_++] = static_cast<std::uint32_t>(fieldCount_++);
            if (number < 64)
                smallNumbers_ |= std::uint64_t{1} << number;
            index_.add(keyHash(std::int64_t{number}), fieldCount_, [this](std::size_t i) { return hashOf(fields_[i].key); });
            continue;
        }
        add(DecodingKey::intKey(number), occurrence);
    }
}

std::size_t ProtoKeyedDecoder::add(const DecodingKey& key, const ProtoOccurrence& occurrence) {
    // A repeated field's occurrences mostly follow each other: most keys are the last one's.
    std::size_t field = occurrenceCount_ != 0 ? occurrenceFields_[occurrenceCount_ - 1] : fieldCount_;
    if (field == fieldCount_ || !(fields_[field].key == key)) {
        const std::uint32_t hash = hashOf(key);
        field = index_.find(hash, fieldCount_, [&](std::size_t i) { return fields_[i].key == key; });
        if (field == fieldCount_)
            addField(key, hash);
        else
            needsGrouping_ = true;
    }
    addOccurrence(occurrence, static_cast<std::uint32_t>(field));
    ++fields_[field].count;
    return field;
}

void ProtoKeyedDecoder::addEntry(const DecodingKey& key, std::span<const ProtoOccurrence> value) {
    std::size_t field = 0;
    for (const ProtoOccurrence& occurrence : value)
        field = add(key, occurrence);
    if (lastEntryCounts_.size() <= field)
        lastEntryCounts_.resize(field + 1);
    lastEntryCounts_[field] = static_cast<std::uint32_t>(value.size());
}

void ProtoKeyedDecoder::addField(const DecodingKey& key, std::uint32_t hash) {
    const Field field{key, static_cast<std::uint32_t>(occurrenceCount_), 0};
    if (key.isStringKey()) {
        hasTextKeys_ = true;
    } else {
        if (static_cast<std::uint64_t>(key.intValue()) < 64)
            smallNumbers_ |= std::uint64_t{1} << key.intValue();
        if (key.intValue() > largestNumber_)
            largestNumber_ = key.intValue();
    }
    if (fieldCount_ < inlineFields) {
        fields_[fieldCount_++] = field;
    } else {
        if (spilledFields_.empty())
            spilledFields_.assign(inlineFields_.items, inlineFields_.items + fieldCount_);
        spilledFields_.push_back(field);
        fields_ = spilledFields_.data();
        ++fieldCount_;
    }
    index_.add(hash, fieldCount_, [this](std::size_t i) { return hashOf(fields_[i].key); });
}

void ProtoKeyedDecoder::addOccurrence(const ProtoOccurrence& occurrence, std::uint32_t field) {
    if (occurrenceCount_ < inlineOccurrences) {
        occurrences_[occurrenceCount_] = occurrence;
        occurrenceFields_[occurrenceCount_] = field;
        ++occurrenceCount_;
        return;
    }
    if (spilledOccurrences_.empty()) {
        spilledOccurrences_.assign(inlineOccurrences_.items, inlineOccurrences_.items + occurrenceCount_);
        spilledOccurrenceFields_.assign(inlineOccurrenceFields_.items,
                                        inlineOccurrenceFields_.items + occurrenceCount_);
    }
    spilledOccurrences_.push_back(occurrence);
    spilledOccurrenceFields_.push_back(field);
    occurrences_ = spilledOccurrences_.data();
    occurrenceFields_ = spilledOccurrenceFields_.data();
    ++occurrenceCount_;
}

void ProtoKeyedDecoder::finish() {
    if (!needsGrouping_)
        return;
    // Fields that came back after others: every field's occurrences in a run of their own, in the
    // order they stood.
    std::vector<std::uint32_t> next(fieldCount_);
    std::uint32_t start = 0;
    for (std::size_t f = 0; f < fieldCount_; ++f) {
        fields_[f].first = next[f] = start;
        start += fields_[f].count;
    }
    std::vector<ProtoOccurrence> grouped(occurrenceCount_);
    for (std::size_t i = 0; i < occurrenceCount_; ++i)
        grouped[next[occurrenceFields_[i]]++] = occurrences_[i];
    spilledOccurrences_ = std::move(grouped);
    occurrences_ = spilledOccurrences_.data();
    needsGrouping_ = false;
}

const ProtoKeyedDecoder::Field* ProtoKeyedDecoder::search(const CodingKey& key) const {
    return findByKey(fields_, fieldCount_, index_, hint_, key);
}

std::vector<CodingKey> ProtoKeyedDecoder::keysIn(const KeySet& keys) const {
    std::vector<CodingKey> result;
    for (std::size_t i = 0; i < fieldCount_; ++i) {
        const DecodingKey& key = fields_[i].key;
        auto known = key.isStringKey() ? keys.fromString(key.stringValue()) : keys.fromInt(key.intValue());
        if (known)
            result.push_back(std::move(*known));
    }
    return result;
}

std::span<const ProtoOccurrence> ProtoKeyedDecoder::occurrences(const CodingKey& key,
                                                                std::span<const ProtoOccurrence>* replaced) const {
    const Field* field = find(key);
    if (!field)
        return {};
    const std::span<const ProtoOccurrence> all = occurrencesOf(*field);
    if (lastEntryCounts_.empty())
        return all;
    const std::size_t last = lastEntryCounts_[static_cast<std::size_t>(field - fields_)];
    if (replaced)
        *replaced = all.first(all.size() - last);
    return all.last(last);
}

// ---- the keyed-container role ----

void ProtoKeyedDecoder::rethrowUnderKey(const CodingKey& key) const {
    try {
        throw;
    } catch (DecodingError& error) {
        error.prependKey(key);
        error.prependPath(codingPath());
        throw;
    }
}

void ProtoKeyedDecoder::decodeOneOf(DecodeItem& item) {
    OneOfRunSets runs(*this, item.oneOfCases);
    readOneOf(item, runs);
}

void ProtoKeyedDecoder::readOneOf(DecodeItem& item, OneOfRunSets& runs) {
    // The cases stand as fields of this message; the property's own key is not on the wire. The
    // enumeration reads every run of its cases in turn, as protobuf reads them, so that a fault in
    // a case replaced is one, and keeps the last; the keys it reads through may list more runs
    // than its own. It reads in this record's frame: a value of a case that is not a primitive
    // runs in a frame of its own, and a list the enumeration's own code makes of a case is this
    // record's to mend, as a list of the record's own code is.
    for (std::size_t run = 0; run < runs.reads(); ++run) {
        OneOfDecodingNode node(*this, runs, run, call(), depth() + 1);
        item.decode(node);
    }
}

void ProtoKeyedDecoder::decode(DecodeItem& item, const CodingKey& key) {
    if (item.isOneOf) {
        decodeOneOf(item);
        return;
    }
    std::span<const ProtoOccurrence> replaced;
    const std::span<const ProtoOccurrence> found = occurrences(key, &replaced);
    // The values of a map's entries that a later entry replaced are read all the same, as protobuf
    // reads them, and then left: a fault in them is one.
    if (!replaced.empty())
        decodeValue(item, key, replaced);
    decodeValue(item, key, found);
}

void ProtoKeyedDecoder::decodeValue(DecodeItem& item, const CodingKey& key, std::span<const ProtoOccurrence> found) {
    switch (item.category) {
    case ValueCategory::primitive:
        requireProtobufForm(item);
        try {
            decodeProtobufField(item, found, noPath);
        } catch (const DecodingError&) {
            rethrowUnderKey(key);
        }
        return;
    case ValueCategory::optional:
        if (found.empty()) {
            item.assignNil();
            return;
        }
        break;
    case ValueCategory::other: break;
    }
    decodeProtoNestedValue(item, ProtoStorage::field(found, areRepeatedFields_), *this);
}

bool ProtoKeyedDecoder::decodeIfPresent(DecodeItem& item, const CodingKey& key) {
    if (item.isOneOf) {
        OneOfRunSets runs(*this, item.oneOfCases);
        if (item.oneOfCases && runs.own().runs().empty())
            return false;
        readOneOf(item, runs);
        return true;
    }
    if (!contains(key))
        return false;
    decode(item, key);
    return true;
}

std::shared_ptr<KeyedDecodingContainerBox> ProtoKeyedDecoder::nestedContainer(const KeySet& keys,
                                                                              const CodingKey& key) {
    return over(ProtoStorage::field(occurrences(key), areRepeatedFields_), keys, call(), depth() + 1);
}

std::shared_ptr<UnkeyedDecodingContainerBox> ProtoKeyedDecoder::nestedUnkeyedContainer(const CodingKey& key) {
    const std::span<const ProtoOccurrence> found = occurrences(key);
    if (areRepeatedFields_) {
        // The record may let this container go before it reads the list: the list keeps the
        // field's occurrences itself.
        return std::make_shared<ProtoUnkeyedDecoder>(std::vector<ProtoOccurrence>(found.begin(), found.end()),
                                                     call(), depth() + 1);
    }
    return ProtoUnkeyedDecoder::over(ProtoStorage::field(found, false), call(), depth() + 1);
}

std::shared_ptr<Decoder> ProtoKeyedDecoder::superDecoder() {
    throw ProtobufDecodingError(ProtobufDecodingError::Kind::superNotSupported);
}

std::shared_ptr<Decoder> ProtoKeyedDecoder::superDecoder(const CodingKey&) { return superDecoder(); }

} // namespace coding
