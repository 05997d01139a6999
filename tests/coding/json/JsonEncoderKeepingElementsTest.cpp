#include "JsonTestRecords.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace jsontest {
namespace {

using coding::JsonEncoder;

Person earlierPerson() {
    return Person{
        "Ada", 36, true, 0.5, {{"London", "St James's Square"}, {"Paris", std::nullopt}, {"서울", "종로"}},
        3};
}

std::string keeping(const Person& value, const Person& earlier, const std::string& earlierJson,
                    const std::function<bool(std::size_t)>& unchanged) {
    return text(
        JsonEncoder().encodeKeepingElements(value, Person::keyAddresses, earlier, earlierJson, unchanged));
}

// Element by element, as a caller that knows what changed says it.
std::string keeping(const Person& value, const Person& earlier, const std::string& earlierJson) {
    return keeping(value, earlier, earlierJson, [&](std::size_t i) {
        return i < value.addresses.size() && value.addresses[i] == earlier.addresses[i];
    });
}

TEST(JsonEncoderKeepingElements, WritesWhatEncodeWritesWhateverChanged) {
    const std::vector<std::function<void(Person&)>> changes = {
        [](Person&) {},
        [](Person& p) { p.addresses[1].street = "Rue \"de\" Rivoli"; },
        [](Person& p) {
            p.addresses.push_back({"Berlin", std::nullopt});
        },
        [](Person& p) { p.addresses.erase(p.addresses.begin()); },
        [](Person& p) {
            p.name = "addresses\":[]";
            p.rank.reset();
        },
        [](Person& p) { p.addresses.clear(); },
        [](Person& p) {
            p.addresses = {{"Rome", "Via Appia"}};
        },
    };
    const Person earlier = earlierPerson();
    const std::string earlierJson = encodeToText(earlier);
    for (std::size_t c = 0; c < changes.size(); ++c) {
        Person value = earlier;
        changes[c](value);
        EXPECT_EQ(keeping(value, earlier, earlierJson), encodeToText(value)) << c;
    }
}

TEST(JsonEncoderKeepingElements, AnUnchangedElementKeepsItsTextAChangedOneIsEncoded) {
    const Person earlier = earlierPerson();
    std::string earlierJson = encodeToText(earlier);
    const std::string london = R"({"city":"London","street":"St James's Square"})";
    const std::string spacedLondon = R"({ "city" : "London", "street" : "St James's Square" })";
    ASSERT_NE(earlierJson.find(london), std::string::npos);
    earlierJson.replace(earlierJson.find(london), london.size(), spacedLondon);

    Person value = earlier;
    value.addresses[2].city = "부산";
    std::string expected = encodeToText(value);
    expected.replace(expected.find(london), london.size(), spacedLondon);
    EXPECT_EQ(keeping(value, earlier, earlierJson), expected);
}

// A caller that says every element is unchanged shows which earlier texts are taken: none.
TEST(JsonEncoderKeepingElements, EncodesEveryElementWhereTheEarlierTextIsNotTheEncodersAroundTheList) {
    const Person earlier = earlierPerson();
    const std::string earlierJson = encodeToText(earlier);
    Person value = earlier;
    value.addresses[0].city = "Lyon";
    const auto everyElement = [](std::size_t) { return true; };
    std::string spaced = earlierJson;
    spaced.replace(spaced.find("\"addresses\":"), 12, "\"addresses\" : ");
    Person shorter = earlier;
    shorter.addresses.pop_back();
    for (const std::string& otherJson :
         {spaced, encodeToText(shorter), std::string(), std::string("[]"), earlierJson + " "}) {
        EXPECT_EQ(keeping(value, earlier, otherJson, everyElement), encodeToText(value)) << otherJson;
    }
    Person empty = earlier;
    empty.addresses.clear();
    EXPECT_EQ(keeping(value, empty, encodeToText(empty), everyElement), encodeToText(value));
}

} // namespace
} // namespace jsontest
