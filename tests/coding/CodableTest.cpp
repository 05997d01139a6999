#include "coding/Coding.h"

#include <gtest/gtest.h>

namespace {

struct Pair {
    std::int64_t a = 0;
    std::string b;

    static inline const coding::CodingKey keyA{"a"}, keyB{"b"};
    static inline const coding::KeySet keys{keyA, keyB};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(a, keyA);
        c.encode(b, keyB);
    }
    static Pair decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Pair{c.decode<std::int64_t>(keyA), c.decode<std::string>(keyB)};
    }
};

TEST(CodableTraits, ClassifiesValues) {
    using namespace coding;
    EXPECT_EQ(Codable<std::int64_t>::category, ValueCategory::primitive);
    EXPECT_EQ(Codable<std::optional<Pair>>::category, ValueCategory::optional);
    EXPECT_EQ(Codable<Pair>::category, ValueCategory::other);
    EXPECT_EQ(Codable<Pair>::typeName(), "Pair");
    EXPECT_EQ(Codable<std::vector<std::optional<std::int32_t>>>::typeName(), "Array<Optional<Int32>>");
    EXPECT_TRUE((Codable<std::map<std::string, Pair>>::isMap));
    EXPECT_EQ(Codable<std::shared_ptr<std::string>>::category, ValueCategory::primitive);
}

} // namespace
