#include "JsonTestSupport.h"

#include "app/model/BibleStructure.h"

#include <gtest/gtest.h>

namespace lumenscroll {
namespace {

using coding::DecodingError;
using test::decodingError;
using test::fromJson;
using test::jsonRoundTrip;
using test::toJson;
using test::withoutTopLevelKey;

const std::string freshMemoJson =
    R"({"id":"","section":0,"verse":0,"praise":0,"memoContent":"","date":"","assent":0,"userId":"",)"
    R"("nickname":"","userProfileImageURL":"","isSharing":false,"sharingOption":2,"assentedUsers":"",)"
    R"("userGroupId":"","userGroupName":""})";

Memo filledMemo() {
    return Memo{"m-1",        18, 22,        1,      "여호와는 나의 목자시니 \"quoted\"\n둘째 줄",
                "2024-03-01", 3,  "u-7",     "목자", "https://example.org/p.png",
                true,         0,  "u-1,u-2", "g-1",  "새벽기도"};
}

BibleStructure psalm23() {
    BibleStructure chapter;
    chapter.versesIndex = 22;
    chapter.order = 18;
    chapter.language = "kr";
    chapter.name = "시편";
    chapter.isOldTestment = true;
    chapter.sectionIndex = 18;
    chapter.kindOfBible = BibleKind::kr01;
    chapter.matchingIndexToMemo = 5;

    BiblePraise first;
    first.index = 0;
    first.word = "여호와는 나의 목자시니 내게 부족함이 없으리로다";
    first.hasMemo = true;
    first.memo = std::make_shared<Memo>(filledMemo());
    first.memoTitle = "묵상";
    first.hasTheme = true;
    first.theme = "다윗의 시";
    first.bgColor = 11;
    first.bookmarked = true;

    BiblePraise second;
    second.index = 1;
    second.word = "그가 나를 푸른 초장에 누이시며";
    second.isSelected = true;
    chapter.praises = {first, second};
    return chapter;
}

TEST(ChapterRecords, FreshValues) {
    const BibleStructure chapter;
    EXPECT_EQ(chapter.versesIndex, 0);
    EXPECT_EQ(chapter.order, -1);
    EXPECT_EQ(chapter.language, "kr");
    EXPECT_EQ(chapter.name, "");
    EXPECT_TRUE(chapter.isOldTestment);
    EXPECT_EQ(chapter.sectionIndex, 0);
    EXPECT_EQ(chapter.kindOfBible, BibleKind::kr01);
    EXPECT_TRUE(chapter.praises.empty());
    EXPECT_EQ(chapter.matchingIndexToMemo, 0);

    const Memo memo;
    EXPECT_EQ(memo.sharingOption, 2);
    EXPECT_EQ(memo.section + memo.verse + memo.praise + memo.assent, 0);
    EXPECT_FALSE(memo.isSharing);
    EXPECT_EQ(toJson(memo), freshMemoJson);
}

// The layout is a stored format: every key, in field order, even for empty texts.
TEST(ChapterRecords, JsonLayout) {
    BibleStructure chapter;
    chapter.praises.push_back(BiblePraise{});
    EXPECT_EQ(
        toJson(chapter),
        R"({"versesIndex":0,"order":-1,"language":"kr","name":"","isOldTestment":true,"sectionIndex":0,)"
        R"("kindOfBible":0,"praises":[{"index":0,"word":"","isSelected":false,"hasMemo":false,"memo":)" +
            freshMemoJson +
            R"(,"memoTitle":"","bgColor":0,"hasTheme":false,"theme":"","bookmarked":false}],)"
            R"("matchingIndexToMemo":0})");
}

TEST(ChapterRecords, JsonRoundTrip) {
    const BibleStructure chapter = psalm23();
    const BibleStructure decoded = jsonRoundTrip(chapter);
    EXPECT_EQ(decoded, chapter);
    ASSERT_EQ(decoded.praises.size(), 2u);
    EXPECT_EQ(*decoded.praises[0].memo, filledMemo());

    EXPECT_EQ(jsonRoundTrip(BibleStructure{}), BibleStructure{});
    EXPECT_EQ(jsonRoundTrip(BibleStructure{}).order, -1);

    BibleStructure english;
    english.language = "en";
    english.name = "Revelation";
    english.kindOfBible = BibleKind::en03;
    english.versesIndex = -1;
    EXPECT_EQ(jsonRoundTrip(english), english);

    const std::vector<std::vector<BibleStructure>> container{{chapter, english}, {BibleStructure{}}};
    EXPECT_EQ(jsonRoundTrip(container), container);
}

TEST(ChapterRecords, EqualityComparesNotesByContent) {
    BiblePraise a;
    BiblePraise b;
    EXPECT_NE(a.memo, b.memo);
    EXPECT_EQ(a, b);
    b.setMemoContent("다름");
    EXPECT_NE(a, b);
}

TEST(SharedNotes, CopiesShareTheirNoteUntilOneTakesANewOne) {
    const BibleStructure original = psalm23();
    BibleStructure copy = original;
    EXPECT_EQ(original.praises[0].memo, copy.praises[0].memo);
    copy.praises[0].setMemoContent("고쳐 쓴 묵상");
    Memo changed = filledMemo();
    changed.memoContent = "고쳐 쓴 묵상";
    EXPECT_EQ(*copy.praises[0].memo, changed);
    EXPECT_EQ(*original.praises[0].memo, filledMemo());

    // Each new verse starts with a note of its own.
    EXPECT_NE(BiblePraise{}.memo, BiblePraise{}.memo);
}

TEST(SharedNotes, DecodedVersesEachGetTheirOwn) {
    BibleStructure chapter;
    BiblePraise verse;
    verse.setMemoContent("같은 노트");
    chapter.praises = {verse, verse};
    ASSERT_EQ(chapter.praises[0].memo, chapter.praises[1].memo);

    const BibleStructure decoded = jsonRoundTrip(chapter);
    ASSERT_EQ(decoded.praises.size(), 2u);
    EXPECT_NE(decoded.praises[0].memo, decoded.praises[1].memo);
    EXPECT_NE(decoded.praises[0].memo, chapter.praises[0].memo);
}

TEST(ChapterRecordsDecoding, EveryKeyIsRequired) {
    BibleStructure chapter = psalm23();
    const std::string chapterJson = toJson(chapter);
    for (const auto& key : BibleStructure::keys.keys()) {
        const auto error = decodingError<BibleStructure>(withoutTopLevelKey(chapterJson, key.stringValue));
        EXPECT_EQ(error.kind(), DecodingError::Kind::keyNotFound) << key.stringValue;
        EXPECT_EQ(error.key().stringValue, key.stringValue);
    }
    const std::string verseJson = toJson(chapter.praises[0]);
    for (const auto& key : BiblePraise::keys.keys()) {
        const auto error = decodingError<BiblePraise>(withoutTopLevelKey(verseJson, key.stringValue));
        EXPECT_EQ(error.kind(), DecodingError::Kind::keyNotFound) << key.stringValue;
    }
    const std::string memoJson = toJson(filledMemo());
    for (const auto& key : Memo::keys.keys()) {
        const auto error = decodingError<Memo>(withoutTopLevelKey(memoJson, key.stringValue));
        EXPECT_EQ(error.kind(), DecodingError::Kind::keyNotFound) << key.stringValue;
    }
}

TEST(ChapterRecordsDecoding, AMissingKeyDeepInsideFailsTheWholeRecord) {
    BibleStructure chapter;
    chapter.praises.push_back(BiblePraise{});
    std::string json = toJson(chapter);
    const std::string member = R"("sharingOption":2,)";
    json.erase(json.find(member), member.size());
    const auto error = decodingError<BibleStructure>(json);
    EXPECT_EQ(error.kind(), DecodingError::Kind::keyNotFound);
    EXPECT_EQ(error.key().stringValue, "sharingOption");
    ASSERT_FALSE(error.codingPath().empty());
    EXPECT_EQ(error.codingPath().front().stringValue, "praises");
}

TEST(ChapterRecordsDecoding, UnknownKeysAreIgnored) {
    const BibleStructure chapter = psalm23();
    std::string json = toJson(chapter);
    json.insert(1, R"("future":{"nested":[1,"two",null]},)");
    const std::string memoStart = R"("memo":{)";
    json.insert(json.find(memoStart) + memoStart.size(), R"("likes":12,)");
    EXPECT_EQ(fromJson<BibleStructure>(json), chapter);
}

TEST(ChapterRecordsDecoding, WrongTypesFail) {
    const std::string json = toJson(BibleStructure{});
    auto replaced = [&](std::string_view from, std::string_view to) {
        std::string text = json;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    EXPECT_EQ(decodingError<BibleStructure>(replaced(R"("order":-1)", R"("order":"-1")")).kind(),
              DecodingError::Kind::typeMismatch);
    EXPECT_EQ(
        decodingError<BibleStructure>(replaced(R"("isOldTestment":true)", R"("isOldTestment":1)")).kind(),
        DecodingError::Kind::typeMismatch);
    EXPECT_EQ(decodingError<BibleStructure>(replaced(R"("praises":[])", R"("praises":{})")).kind(),
              DecodingError::Kind::typeMismatch);
    EXPECT_EQ(decodingError<BibleStructure>(replaced(R"("name":"")", R"("name":null)")).kind(),
              DecodingError::Kind::valueNotFound);
}

TEST(ChapterRecordsDecoding, KindOfBibleMustBeAKnownTranslation) {
    const std::string json = toJson(BibleStructure{});
    auto withKind = [&](std::string_view kind) {
        std::string text = json;
        const std::string member = R"("kindOfBible":0)";
        text.replace(text.find(member), member.size(), R"("kindOfBible":)" + std::string(kind));
        return text;
    };
    EXPECT_EQ(fromJson<BibleStructure>(withKind("6")).kindOfBible, BibleKind::en03);
    for (const auto* bad : {"7", "-1"}) {
        const auto error = decodingError<BibleStructure>(withKind(bad));
        EXPECT_EQ(error.kind(), DecodingError::Kind::dataCorrupted) << bad;
        EXPECT_EQ(error.debugDescription(),
                  "Cannot initialize BibleKind from invalid Int value " + std::string(bad));
    }
    EXPECT_EQ(toJson(BibleKind::en02), "5");
    EXPECT_EQ(fromJson<BibleKind>("1"), BibleKind::en01);
    EXPECT_EQ(decodingError<BibleKind>("7").kind(), DecodingError::Kind::dataCorrupted);
}

} // namespace
} // namespace lumenscroll
