#include "coding/json/JsonArrayText.h"
#include "coding/json/JsonEncoder.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace coding {
namespace {

std::optional<std::vector<std::string>> elements(std::string_view json) {
    const auto found = JsonArrayText::elements(json);
    if (!found) {
        return std::nullopt;
    }
    return std::vector<std::string>(found->begin(), found->end());
}

using Elements = std::vector<std::string>;

TEST(JsonArrayText, FindsTheElementsOfAnArray) {
    const struct {
        const char* json;
        Elements expected;
    } cases[] = {
        {"[]", {}},
        {" [ ] \n", {}},
        {"[1]", {"1"}},
        {"[{\"a\":1},{\"b\":[2,3]}]", {"{\"a\":1}", "{\"b\":[2,3]}"}},
        {"[ [1, 2] ,\n [] ]", {"[1, 2]", "[]"}},
        // Brackets, braces, commas and escaped quotes inside strings are text.
        {R"(["a,b", "}],[{", "q\"],\\", {"k":"v]"}])",
         {R"("a,b")", R"("}],[{")", R"("q\"],\\")", R"({"k":"v]"})"}},
        // A quote after an odd run of backslashes is escaped, after an even run it closes.
        {R"(["a\\\"b\\\\", 1])", {R"("a\\\"b\\\\")", "1"}},
        {"[\"한글, 본문\",true,null]", {"\"한글, 본문\"", "true", "null"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(elements(c.json), std::optional<Elements>(c.expected)) << c.json;
    }
}

TEST(JsonArrayText, AKnownElementIsFoundAsItWouldBeFollowed) {
    const std::string_view known = R"({"a":[1]})";
    for (const char* json : {R"([{"a":[1]},{"a":[1]} , {"a":[1]}])", R"([{"a":[1]}x,{"a":[1]}])",
                             R"([{"a":[1]}}, 1])", R"([{"a":[1]}, {"a":[1]])", R"([{"a":[1]})", R"([{"a":[1])",
                             R"([[{"a":[1]}],"{"a":[1]}"])"}) {
        EXPECT_EQ(JsonArrayText::elements(json, known), JsonArrayText::elements(json)) << json;
    }
}

TEST(JsonArrayText, RefusesWhatIsNotOneWholeArray) {
    for (const char* json : {"", "  ", "{}", "1", "[", "[1", "[1,", "[1,]", "[,1]", "[1]]", "[1] x", "[1]}",
                             "[{]", "[\"open]", "[\"a\\\"]", "x[1]"}) {
        EXPECT_EQ(elements(json), std::nullopt) << json;
    }
}

TEST(JsonArrayText, RefusesATextHoldingANulByte) {
    // A NUL is never part of JSON text, and the JSON decoder stops reading at one: elements cut
    // off by it would decode where the array does not.
    using namespace std::string_view_literals;
    for (const std::string_view json : {"[{\"a\":1}\0]"sv, "[1\0x,2]"sv, "[1,2]\0"sv, "[\"a\0\"]"sv}) {
        EXPECT_EQ(elements(json), std::nullopt) << json.size();
    }
}

TEST(JsonArrayText, WritesAListOfElementTextsAsTheEncoderWritesTheList) {
    for (const std::vector<std::vector<std::string>>& lists :
         {std::vector<std::vector<std::string>>{}, {{}}, {{"a"}, {}, {"b,\"c\"", "[d]"}}}) {
        std::string written;
        JsonArrayText::write(written, lists.size(), [&](std::size_t i) {
            return std::string(JsonEncoder().encode(lists[i]).view());
        });
        EXPECT_EQ(written, std::string(JsonEncoder().encode(lists).view()));
    }
}

} // namespace
} // namespace coding
