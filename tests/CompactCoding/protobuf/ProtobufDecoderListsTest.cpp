// Lists whose element type the decoder cannot tell from the bytes alone: an empty length-delimited
// occurrence is an empty packed run of numbers, holding nothing, or an empty text or message.

#include "ProtobufTestRecords.h"

#include "coding/DecodingError.h"

#include <gtest/gtest.h>

#include <typeinfo>

namespace {

using namespace prototest;
using coding::DecodingError;

using Int64Field = Field<1, std::int64_t>;

enum class Shade : std::int64_t { dark = 1, light = 2 };

} // namespace

template <>
struct coding::RawValueEnum<Shade> {
    static constexpr bool enabled = true;
    static constexpr std::string_view name = "Shade";
    static bool isValid(std::int64_t raw) { return raw == 1 || raw == 2; }
};

namespace {

// A record that reads its list, field 1, element by element.
template <class T>
struct OwnList {
    std::vector<T> elements;
    static OwnList decode(coding::Decoder& decoder) {
        auto list = decoder.container(Int64Field::keys).nestedUnkeyedContainer(Int64Field::key);
        OwnList result;
        while (!list.isAtEnd())
            result.elements.push_back(list.decode<T>());
        return result;
    }
};

// A list that reads its elements itself.
template <class T>
struct ListOfItsOwn {
    std::vector<T> elements;
    static ListOfItsOwn decode(coding::Decoder& decoder) {
        auto list = decoder.unkeyedContainer();
        ListOfItsOwn result;
        while (!list.isAtEnd())
            result.elements.push_back(list.decode<T>());
        return result;
    }
};

// A repeated field of `T` whose one element is written as `element`: its packed runs may be empty.
template <class T>
void expectEmptyRunsHoldNothing(const Bytes& element, const T& value) {
    using List = Field<1, std::vector<T>>;
    const Bytes empty = bytes({0x0A, 0x00});
    const Bytes run = bytes({0x0A, static_cast<int>(element.size())}) + element;
    EXPECT_EQ(decoded<List>(empty).value, std::vector<T>{}) << typeid(T).name();
    EXPECT_EQ(decoded<List>(empty + empty).value, std::vector<T>{}) << typeid(T).name();
    EXPECT_EQ(decoded<List>(run + empty).value, std::vector<T>{value}) << typeid(T).name();
    EXPECT_EQ(decoded<List>(empty + run + empty).value, std::vector<T>{value}) << typeid(T).name();
}

TEST(ProtobufDecoding, AnEmptyPackedRunHoldsNoElements) {
    expectEmptyRunsHoldNothing<bool>(bytes({0x01}), true);
    expectEmptyRunsHoldNothing<std::int32_t>(bytes({0x05}), 5);
    expectEmptyRunsHoldNothing<std::int64_t>(bytes({0x05}), 5);
    expectEmptyRunsHoldNothing<std::uint32_t>(bytes({0x05}), 5u);
    expectEmptyRunsHoldNothing<std::uint64_t>(bytes({0x05}), 5u);
    expectEmptyRunsHoldNothing<float>(bytes({0x00, 0x00, 0xC0, 0x3F}), 1.5f);
    expectEmptyRunsHoldNothing<double>(bytes({0, 0, 0, 0, 0, 0, 0xF8, 0x3F}), 1.5);
    expectEmptyRunsHoldNothing(bytes({5, 0, 0, 0}), coding::FixedSize<std::int32_t>(5));
    expectEmptyRunsHoldNothing(bytes({5, 0, 0, 0}), coding::FixedSize<std::uint32_t>(5u));
    expectEmptyRunsHoldNothing(bytes({5, 0, 0, 0, 0, 0, 0, 0}), coding::FixedSize<std::int64_t>(5));
    expectEmptyRunsHoldNothing(bytes({5, 0, 0, 0, 0, 0, 0, 0}), coding::FixedSize<std::uint64_t>(5u));
    expectEmptyRunsHoldNothing(bytes({0x09}), coding::SignedValue<std::int32_t>(-5));
    expectEmptyRunsHoldNothing(bytes({0x09}), coding::SignedValue<std::int64_t>(-5));
    expectEmptyRunsHoldNothing(bytes({0x02}), Shade::light);
    // A list read through a container of its own learns what its elements are at the first one.
    probe(bytes({0x0A, 0x01, 0x05, 0x0A, 0x00}), [](coding::Decoder& decoder) {
        auto list = decoder.container(Int64Field::keys).nestedUnkeyedContainer(Int64Field::key);
        EXPECT_EQ(list.decode<std::int64_t>(), 5);
        EXPECT_TRUE(list.isAtEnd());
    });
    // Empty text, bytes and messages are elements.
    using Texts = Field<1, std::vector<std::string>>;
    EXPECT_EQ(decoded<Texts>(bytes({0x0A, 0x00})).value, std::vector<std::string>{""});
    // Lists read element by element, by a record's own code or by a list type of its own, which ask
    // whether the list is at its end before they say what its elements are.
    using Numbers = std::vector<std::int64_t>;
    using NumbersOfTheirOwn = Field<1, ListOfItsOwn<std::int64_t>>;
    using MaybeNumbersOfTheirOwn = Field<1, std::optional<ListOfItsOwn<std::int64_t>>>;
    for (const Bytes& input : {bytes({0x0A, 0x00}), bytes({0x0A, 0x00, 0x0A, 0x00}),
                               bytes({0x0A, 0x00, 0x0A, 0x01, 0x05, 0x0A, 0x00})}) {
        const Numbers expected = input.size() > 4 ? Numbers{5} : Numbers{};
        EXPECT_EQ(decoded<OwnList<std::int64_t>>(input).elements, expected);
        EXPECT_EQ(decoded<NumbersOfTheirOwn>(input).value.elements, expected);
        EXPECT_EQ(decoded<MaybeNumbersOfTheirOwn>(input).value->elements, expected);
        const auto inList = decoded<std::vector<OwnList<std::int64_t>>>(bytes({static_cast<int>(input.size())}) + input);
        ASSERT_EQ(inList.size(), 1u);
        EXPECT_EQ(inList.front().elements, expected);
    }
    using Strings = std::vector<std::string>;
    EXPECT_EQ(decoded<OwnList<std::string>>(bytes({0x0A, 0x00})).elements, Strings{""});
    using TextsOfTheirOwn = Field<1, ListOfItsOwn<std::string>>;
    EXPECT_EQ(decoded<TextsOfTheirOwn>(bytes({0x0A, 0x00})).value.elements, Strings{""});
}

// A record that reads its nested records (field 2) and then its own list of numbers (field 1),
// element by element; it counts how often its decode runs.
struct Nesting {
    std::vector<Nesting> children;
    std::vector<std::int64_t> numbers;

    static inline const CodingKey keyNumbers{"numbers", 1}, keyChildren{"children", 2};
    static inline const KeySet keys{keyNumbers, keyChildren};
    static inline int decodes = 0;

    static Nesting decode(coding::Decoder& decoder) {
        ++decodes;
        auto c = decoder.container(keys);
        Nesting result{c.decode<std::vector<Nesting>>(keyChildren), {}};
        auto list = c.nestedUnkeyedContainer(keyNumbers);
        while (!list.isAtEnd())
            result.numbers.push_back(list.decode<std::int64_t>());
        return result;
    }
    // How deep it nests, when no list holds a number; -1 otherwise.
    int emptyDepth() const {
        if (!numbers.empty() || children.size() > 1)
            return -1;
        const int below = children.empty() ? -1 : children.front().emptyDepth();
        return children.empty() ? 0 : below < 0 ? -1 : 1 + below;
    }
};

// `depth` records within each other, each holding an empty packed run as its own list.
Bytes nestedEmptyRuns(int depth) {
    Bytes node = bytes({0x0A, 0x00});
    for (int level = 1; level <= depth; ++level)
        node = lengthDelimited(0x12, node) + bytes({0x0A, 0x00});
    return node;
}

// A record that reads its list element by element and falls back to no numbers when that fails.
struct Forgiving {
    std::vector<std::int64_t> numbers;
    bool fellBack = false;

    static Forgiving decode(coding::Decoder& decoder) {
        auto list = decoder.container(Int64Field::keys).nestedUnkeyedContainer(Int64Field::key);
        Forgiving result;
        try {
            while (!list.isAtEnd())
                result.numbers.push_back(list.decode<std::int64_t>());
        } catch (const DecodingError&) {
            result = Forgiving{{}, true};
        }
        return result;
    }
};

// A record that reads a second list (field 2) only when its first (field 1) holds no number: which
// lists it reads depends on what an earlier one held.
struct Choosy {
    std::vector<std::int64_t> first;
    std::vector<std::int64_t> second;

    static inline const CodingKey keyFirst{"first", 1}, keySecond{"second", 2};
    static inline const KeySet keys{keyFirst, keySecond};

    static Choosy decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        Choosy result;
        auto first = c.nestedUnkeyedContainer(keyFirst);
        while (!first.isAtEnd())
            result.first.push_back(first.decode<std::int64_t>());
        if (result.first.empty()) {
            auto second = c.nestedUnkeyedContainer(keySecond);
            while (!second.isAtEnd())
                result.second.push_back(second.decode<std::int64_t>());
        }
        return result;
    }
};

TEST(ProtobufDecoding, AListThatTookEmptyRunsForElementsCostsOneMoreReading) {
    // Every level's list learns too late that it holds numbers; the input is read twice, not once
    // more for every level within every other.
    for (const int depth : {20, 60}) {
        Nesting::decodes = 0;
        EXPECT_EQ(decoded<Nesting>(nestedEmptyRuns(depth)).emptyDepth(), depth);
        EXPECT_EQ(Nesting::decodes, 2 * (depth + 1)) << depth;
    }
    // No error passes through the record's code on the way: a record that catches one reads an
    // empty run as empty all the same, and still falls back on a fault of the data.
    EXPECT_EQ(decoded<Forgiving>(bytes({0x0A, 0x00})).fellBack, false);
    EXPECT_EQ(decoded<Forgiving>(bytes({0x0A, 0x00, 0x0A, 0x01, 0x05, 0x0A, 0x00})).numbers,
              std::vector<std::int64_t>{5});
    const auto inList = decoded<std::vector<Forgiving>>(bytes({0x02, 0x0A, 0x00, 0x02, 0x0A, 0x00}));
    ASSERT_EQ(inList.size(), 2u);
    EXPECT_FALSE(inList[0].fellBack || inList[1].fellBack);
    EXPECT_EQ(decoded<Forgiving>(bytes({0x0A, 0x01, 0x80})).fellBack, true);
}

TEST(ProtobufDecoding, ListsOfNumbersTheirTypeCannotTellAreReadAsProtobufReadsThem) {
    // Whatever the record's code does with what it read, even failing on a zero handed out for an
    // element that is not there, or choosing its lists by what an earlier one held.
    const Bytes none = bytes({0x0A, 0x00, 0x12, 0x00});
    const std::vector<Positive> no, seven{{7}}, five{{5}};
    struct Case {
        Bytes input;
        std::vector<Positive> typed, byHand;
        int children;
    };
    const Case cases[] = {
        {none, no, no, 0},
        {bytes({0x0A, 0x00, 0x12, 0x01, 0x07, 0x12, 0x00}), no, seven, 0},
        {bytes({0x12, 0x00, 0x0A, 0x00, 0x0A, 0x01, 0x05, 0x0A, 0x00}), five, no, 0},
        {bytes({0x08, 0x05, 0x10, 0x07}), five, seven, 0},
        {lengthDelimited(0x1A, none) + none + lengthDelimited(0x1A, lengthDelimited(0x1A, none)), no, no, 2},
    };
    for (const Case& c : cases) {
        const Positives read = decoded<Positives>(c.input);
        EXPECT_EQ(read.typed, c.typed);
        EXPECT_EQ(read.byHand, c.byHand);
        EXPECT_EQ(read.children.size(), static_cast<std::size_t>(c.children));
    }
    // A zero that is there is refused.
    for (const Bytes& input : {bytes({0x0A, 0x01, 0x00}), none + bytes({0x12, 0x01, 0x00}), lengthDelimited(0x1A, none + bytes({0x10, 0x00}))}) {
        const auto error = thrown<DecodingError>([&] { decoded<Positives>(input); });
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->debugDescription(), "Cannot initialize Positive from invalid Int value 0");
    }
    EXPECT_EQ(decoded<Choosy>(none).second, std::vector<std::int64_t>{});
    EXPECT_EQ(decoded<Choosy>(bytes({0x0A, 0x00, 0x12, 0x01, 0x07})).second, std::vector<std::int64_t>{7});
}

// `count` Positives records side by side, or within each other, each holding `0A 00 12 00`.
Bytes positivesSideBySide(int count) {
    Bytes input;
    for (int i = 0; i < count; ++i)
        input = input + lengthDelimited(0x1A, bytes({0x0A, 0x00, 0x12, 0x00}));
    return input;
}
Bytes positivesWithin(int depth) {
    Bytes input = bytes({0x0A, 0x00, 0x12, 0x00});
    for (int i = 0; i < depth; ++i)
        input = lengthDelimited(0x1A, input) + bytes({0x0A, 0x00, 0x12, 0x00});
    return input;
}

TEST(ProtobufDecoding, AWrongGuessIsMendedByTheDecodeThatMadeTheList) {
    // Side by side, each record's wrong guesses run that record again. Within each other, a record
    // that fails on a zero after reading its nested records reads them again (with nothing more to
    // learn there): at most its two lists and the depth per record.
    Positives::decodes = 0;
    decoded<Positives>(positivesSideBySide(2000));
    EXPECT_LE(Positives::decodes, 2 * 2001);
    Positives::decodes = 0;
    decoded<Positives>(positivesWithin(90));
    EXPECT_LE(Positives::decodes, 91 * (2 + 90));
}

// What a Tree of `A` reads from the bytes `0A 00`, field 1 once, empty: no number, else one element.
template <class A>
std::vector<A> fromOneEmptyOccurrence() {
    if constexpr (std::is_same_v<A, std::string> || std::is_same_v<A, Inner>)
        return {A{}};
    else
        return {};
}

template <Way how, class A>
void expectReadAsProtobufReadsIt() {
    using T = Tree<how, A>;
    const std::vector<A> x = fromOneEmptyOccurrence<A>();
    const Bytes empty = bytes({0x0A, 0x00});
    struct Case {
        Bytes input;
        T expected;
    };
    const Case cases[] = {
        {empty, T{x, {}}},
        {empty + bytes({0x12, 0x00}), T{x, {T{}}}},
        {bytes({0x12, 0x00, 0x0A, 0x00, 0x12, 0x02, 0x0A, 0x00}), T{x, {T{}, T{x, {}}}}},
        {empty + empty, T{x.empty() ? x : std::vector<A>{A{}, A{}}, {}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decoded<T>(c.input), c.expected) << static_cast<int>(how) << " " << typeid(A).name();
}

template <Way how>
void expectEveryElementTypeReadAsProtobufReadsIt() {
    expectReadAsProtobufReadsIt<how, std::int64_t>();
    expectReadAsProtobufReadsIt<how, Positive>();
    expectReadAsProtobufReadsIt<how, std::string>();
    expectReadAsProtobufReadsIt<how, Inner>();
}

TEST(ProtobufDecoding, EveryWayOfWritingARecordReadsItsListsAsProtobufReadsThem) {
    // Empty runs of numbers, whether the elements take a zero or refuse it, and empty texts and
    // messages, each read by a record that makes its keys in decode (read in a bounded number of
    // runs), lets them die before its lists are read, shares them, takes them from the data, catches
    // the errors of its lists, or reads typed lists.
    expectEveryElementTypeReadAsProtobufReadsIt<Way::staticKeys>();
    expectEveryElementTypeReadAsProtobufReadsIt<Way::keysInDecode>();
    expectEveryElementTypeReadAsProtobufReadsIt<Way::keysThatDie>();
    expectEveryElementTypeReadAsProtobufReadsIt<Way::sharedKeys>();
    expectEveryElementTypeReadAsProtobufReadsIt<Way::dictionaryKeys>();
    expectEveryElementTypeReadAsProtobufReadsIt<Way::catchingAll>();
    expectEveryElementTypeReadAsProtobufReadsIt<Way::typed>();
    // One key set read as numbers by one record and as texts by another: each list by its own place.
    const SharedTrees shared = decoded<SharedTrees>(bytes({0x0A, 0x02, 0x0A, 0x00, 0x12, 0x02, 0x0A, 0x00}));
    EXPECT_EQ(shared.numbers.a, std::vector<Positive>{});
    EXPECT_EQ(shared.texts.a, std::vector<std::string>{""});
    // A field read as numbers or texts by the value of another, records of both kinds side by side.
    using Switches = Field<1, std::vector<Switch>>;
    const Bytes numbers = lengthDelimited(0x0A, bytes({0x0A, 0x00})), texts = lengthDelimited(0x0A, bytes({0x0A, 0x00, 0x18, 0x01}));
    EXPECT_EQ(decoded<Switches>(numbers + texts + numbers).value,
              (std::vector<Switch>{Switch{}, Switch{{}, {""}}, Switch{}}));
}

template <Way how, class A>
void expectConstantDecodesPerRecord(const char* elements) {
    using T = Tree<how, A>;
    const Bytes node = bytes({0x0A, 0x00, 0x12, 0x00});
    Bytes sideBySide, within = node;
    for (int i = 0; i < 2000; ++i)
        sideBySide = sideBySide + lengthDelimited(0x12, node);
    for (int i = 0; i < 90; ++i)
        within = lengthDelimited(0x12, within) + bytes({0x0A, 0x00});
    T::decodes = 0;
    decoded<T>(sideBySide);
    EXPECT_LE(T::decodes, 2 * 4001) << static_cast<int>(how) << " side by side, " << elements;
    T::decodes = 0;
    decoded<T>(within);
    // Taking a zero, twice per record; refusing it, at most the depth per record (each record read
    // again by every record around it that fails on its own list).
    EXPECT_LE(T::decodes, (std::is_same_v<A, Positive> ? 92 : 2) * 92) << static_cast<int>(how) << " within, " << elements;
}

template <Way how>
void expectConstantDecodes() {
    expectConstantDecodesPerRecord<how, std::int64_t>("taking a zero");
    expectConstantDecodesPerRecord<how, Positive>("refusing it");
}

TEST(ProtobufDecoding, ARecordIsDecodedABoundedNumberOfTimesWhateverWayItIsWritten) {
    expectConstantDecodes<Way::staticKeys>();
    expectConstantDecodes<Way::keysInDecode>();
    expectConstantDecodes<Way::keysThatDie>();
    expectConstantDecodes<Way::sharedKeys>();
    expectConstantDecodes<Way::dictionaryKeys>();
    expectConstantDecodes<Way::catchingAll>();
    expectConstantDecodes<Way::typed>();
}

// A message read through the dictionary keys, each field a list read by hand.
template <class A>
struct ListsByNumber {
    std::size_t lists = 0, elements = 0;
    static inline int decodes = 0;

    static ListsByNumber decode(coding::Decoder& decoder) {
        ++decodes;
        auto c = decoder.container(KeySet::integerDictionaryKeys());
        ListsByNumber result;
        for (const CodingKey& key : c.allKeys()) {
            auto list = c.nestedUnkeyedContainer(key);
            ++result.lists;
            while (!list.isAtEnd())
                result.elements += (list.decode<A>(), 1);
        }
        return result;
    }
};

TEST(ProtobufDecoding, AMessageOfDictionaryKeysIsReadInRunsBoundedByItsLists) {
    // Elements that take a zero: two runs of the record, however many lists; each refusing one
    // costs at most one run more.
    const auto emptyRuns = [](int count) {
        Bytes input;
        for (int number = 1; number <= count; ++number)
            input = input + bytes({0x80 | (number << 3 & 0x7F) | 2, number >> 4, 0x00});
        return input;
    };
    ListsByNumber<std::int64_t>::decodes = 0;
    const auto many = decoded<ListsByNumber<std::int64_t>>(emptyRuns(2000) + emptyRuns(2000));
    EXPECT_EQ(many.lists, 2000u);
    EXPECT_EQ(many.elements, 0u);
    EXPECT_EQ(ListsByNumber<std::int64_t>::decodes, 2);
    ListsByNumber<Positive>::decodes = 0;
    EXPECT_EQ(decoded<ListsByNumber<Positive>>(emptyRuns(100)).elements, 0u);
    EXPECT_LE(ListsByNumber<Positive>::decodes, 101);
    // Messages side by side, each with a refusing list of a number of its own: every message mends
    // its own list, and none is read again for another's.
    Bytes messages;
    for (int number = 1; number <= 300; ++number)
        messages = messages + bytes({0x0A, 3, 0x80 | (number << 3 & 0x7F) | 2, number >> 4, 0x00});
    using SideBySide = Field<1, std::vector<ListsByNumber<Positive>>>;
    ListsByNumber<Positive>::decodes = 0;
    EXPECT_EQ(decoded<SideBySide>(messages).value.size(), 300u);
    EXPECT_LE(ListsByNumber<Positive>::decodes, 2 * 300);
}

} // namespace
