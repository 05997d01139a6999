#include "JsonTestSupport.h"

#include "app/model/Bookmark.h"
#include "app/model/User.h"
#include "app/model/UserGroup.h"

#include <gtest/gtest.h>

namespace lumenscroll {
namespace {

using coding::DecodingError;
using test::decodingError;
using test::fromJson;
using test::jsonRoundTrip;
using test::toJson;
using test::withoutTopLevelKey;

User signedInUser() {
    return User{
        "u-1",     "목자", "shepherd@example.org", "https://example.org/me.png", Date{725846400.5}, true,
        "g-1,g-2", "g-1"};
}

UserGroup prayerGroup() {
    return UserGroup{"g-1", "새벽기도", "목자,양", "u-1,u-2", Date{-86400.25}, "매일 아침", "u-1"};
}

Bookmark psalmBookmark() {
    return Bookmark{"b-1", 18, 22, 0, true, "u-1", "목자", "shepherd@example.org"};
}

TEST(AccountRecords, NewUserIsEmpty) {
    const User user;
    EXPECT_EQ(user, (User{"", "", "", "", std::nullopt, false, "", ""}));
    EXPECT_EQ(toJson(user),
              R"({"id":"","nickname":"","email":"","profileImage":"","loginned":false,"groups":"",)"
              R"("selectedGroup":""})");
}

TEST(AccountRecords, JsonRoundTrips) {
    EXPECT_EQ(jsonRoundTrip(signedInUser()), signedInUser());
    EXPECT_EQ(jsonRoundTrip(User{}), User{});
    EXPECT_EQ(jsonRoundTrip(prayerGroup()), prayerGroup());
    EXPECT_EQ(jsonRoundTrip(UserGroup{}), UserGroup{});
    EXPECT_EQ(jsonRoundTrip(psalmBookmark()), psalmBookmark());
    EXPECT_EQ(jsonRoundTrip(Bookmark{}), Bookmark{});
}

// A date is one number, seconds since 2001-01-01 00:00:00 UTC.
TEST(AccountRecords, DatesAreOneNumber) {
    const std::string json = toJson(signedInUser());
    EXPECT_NE(json.find(R"("profileImage":"https://example.org/me.png","registerDate":725846400.5,)"),
              std::string::npos)
        << json;
    EXPECT_EQ(toJson(Date{12.5}), "12.5");
    EXPECT_EQ(fromJson<Date>("-3.25"), Date{-3.25});
    EXPECT_DOUBLE_EQ(Date::fromTimeIntervalSince1970(978307200.0).timeIntervalSinceReferenceDate, 0.0);
}

TEST(AccountRecords, AbsentDatesWriteNoKeyAndReadAsNone) {
    User user = signedInUser();
    user.registerDate.reset();
    EXPECT_EQ(toJson(user).find("registerDate"), std::string::npos);
    EXPECT_EQ(jsonRoundTrip(user), user);

    UserGroup group = prayerGroup();
    group.groupDate.reset();
    EXPECT_EQ(toJson(group).find("groupDate"), std::string::npos);
    EXPECT_EQ(jsonRoundTrip(group), group);

    // Stored data may also spell an absent date as null.
    std::string withNull = toJson(User{});
    withNull.insert(1, R"("registerDate":null,)");
    EXPECT_EQ(fromJson<User>(withNull).registerDate, std::nullopt);
}

TEST(AccountRecords, AWrongDateFailsTheRecord) {
    std::string json = toJson(User{});
    json.insert(1, R"("registerDate":"yesterday",)");
    EXPECT_EQ(decodingError<User>(json).kind(), DecodingError::Kind::typeMismatch);
}

TEST(AccountRecords, EveryOtherKeyIsRequired) {
    auto checkRequired = [](const auto& record, std::string_view optionalKey) {
        using Record = std::decay_t<decltype(record)>;
        const std::string json = toJson(record);
        for (const auto& key : Record::keys.keys()) {
            const std::string data = withoutTopLevelKey(json, key.stringValue);
            if (key.stringValue == optionalKey) {
                EXPECT_NO_THROW((void)fromJson<Record>(data)) << key.stringValue;
                continue;
            }
            const auto error = decodingError<Record>(data);
            EXPECT_EQ(error.kind(), DecodingError::Kind::keyNotFound) << key.stringValue;
            EXPECT_EQ(error.key().stringValue, key.stringValue);
        }
    };
    checkRequired(signedInUser(), "registerDate");
    checkRequired(prayerGroup(), "groupDate");
    checkRequired(psalmBookmark(), "");
}

TEST(AccountRecords, UnknownKeysAreIgnored) {
    std::string json = toJson(psalmBookmark());
    json.insert(json.size() - 1, R"(,"color":"yellow","tags":[1,2])");
    EXPECT_EQ(fromJson<Bookmark>(json), psalmBookmark());
}

} // namespace
} // namespace lumenscroll
