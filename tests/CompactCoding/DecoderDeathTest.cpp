// Misuse of the containers by code stops the program, in release builds too.

#include "DecoderProbe.h"
#include "DecoderTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace decodertest;

const char* const nilIndicesMessage = "Use option `containsNilIndexSetForUnkeyedContainers` to use `decodeNil\\(\\)`";

TEST(DecoderDeathTest, DecodeNilOnAListNeedsTheNilIndexOption) {
    EXPECT_DEATH(probe({}, [](coding::Decoder& decoder) { decoder.unkeyedContainer().decodeNil(); }),
                 nilIndicesMessage);
    EXPECT_DEATH(probe(Bytes{0x02}, [](coding::Decoder& decoder) { decoder.unkeyedContainer().decodeNil(); }),
                 nilIndicesMessage);
}

TEST(DecoderDeathTest, DecodeIfPresentOnAListAsksForNil) {
    EXPECT_DEATH(probe(Bytes{0x02},
                       [](coding::Decoder& decoder) { (void)decoder.unkeyedContainer().decodeIfPresent<std::int64_t>(); }),
                 nilIndicesMessage);
    // At the end there is nothing to ask.
    probe({}, [](coding::Decoder& decoder) {
        EXPECT_EQ(decoder.unkeyedContainer().decodeIfPresent<std::int64_t>(), std::nullopt);
    });
}

} // namespace
