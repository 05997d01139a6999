#include "coding/json/JsonDocumentBuilder.h"
#include "coding/json/JsonPlainReader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace jsontest {
namespace {

using coding::JsonDocumentBuilder;
using coding::JsonPlainReader;
using Json = nlohmann::ordered_json;

std::optional<Json> general(const std::string& text) {
    try {
        return JsonDocumentBuilder::parseGenerally(text);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// Every text the plain reader takes it reads as the general parser does; those it leaves are
// the general parser's, JSON or not (errors included: they come from there alone).
TEST(JsonPlainReader, ReadsWhatItTakesAsTheGeneralParserDoes) {
    const std::string many = [] {
        std::string object = "{";
        for (int i = 0; i <= 32; ++i)
            object += "\"k" + std::to_string(i) + "\":" + std::to_string(i) + (i < 32 ? "," : "}");
        return object;
    }();
    const struct {
        std::string text;
        bool taken;
    } cases[] = {
        // Stored shapes: records, lists, Korean texts, the plain escapes, repeated keys.
        {R"( [{"versesIndex":0,"name":"창세기","praises":[{"index":-3,"bgColor":0,"memo":{}}]}] )", true},
        {R"({"a":1,"b":[true,false,null],"a":2,"c":{"d":[]}})", true},
        {R"(["q\"\\\/\b\f\n\r\t", ""])", true},
        {R"(["\u007f"])", false},
        {"[\"\x7f\", \"tab\\tend\"]", true},
        {"[0,-0,18,-999999999999999999,999999999999999999]", true},
        {"\t\r\n 7 \n", true},
        {"{}", true},
        {"[[[]]]", true},
        // Left to the general parser, which reads them.
        {"[1.5]", false},
        {"[1e3]", false},
        {"[1E3]", false},
        {"[1000000000000000000]", false},
        {"[-9223372036854775808]", false},
        {"[18446744073709551616]", false},
        {"\xEF\xBB\xBF[1]", false},
        {many, false},
        // Not JSON: refused by both.
        {"", false},
        {"[01]", false},
        {"[-]", false},
        {"[+1]", false},
        {"[1,]", false},
        {"{\"a\":1,}", false},
        {"{\"a\" 1}", false},
        {"{a:1}", false},
        {"[nul]", false},
        {"[truex]", false},
        {"[1] [2]", false},
        {"[\"a\nb\"]", false},
        {"[\"\\x\"]", false},
        {"[\"\\u12\"]", false},
        {"[\"open]", false},
        {"[\"\xC3\x28\"]", false},
        {"[\"\xED\xA0\x80\"]", false},
        {std::string("[\"a\0\"]", 6), false},
        {std::string(513, '[') + std::string(513, ']'), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<Json> plain = JsonPlainReader::read(c.text);
        EXPECT_EQ(plain.has_value(), c.taken);
        if (plain) {
            const std::optional<Json> expected = general(c.text);
            ASSERT_TRUE(expected);
            EXPECT_TRUE(JsonPlainReader::sameDocument(*plain, *expected)) << plain->dump() << " / " << expected->dump();
        }
    }
}

} // namespace
} // namespace jsontest
