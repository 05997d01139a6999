#pragma once

// The chapter record through nlohmann-json's CBOR writer and reader, for comparing the compact
// coders with a coder of self-describing keyed records: every record is a map with the model's
// own text keys, built as a document and written, or read as a document and taken apart into the
// model's own records, as nlohmann-json is used.

#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <vector>

namespace cborChapter {

using lumenscroll::BiblePraise;
using lumenscroll::BibleStructure;
using lumenscroll::Memo;
using nlohmann::json;

inline json document(const Memo& memo) {
    return {{"id", memo.id},
            {"section", memo.section},
            {"verse", memo.verse},
            {"praise", memo.praise},
            {"memoContent", memo.memoContent},
            {"date", memo.date},
            {"assent", memo.assent},
            {"userId", memo.userId},
            {"nickname", memo.nickname},
            {"userProfileImageURL", memo.userProfileImageURL},
            {"isSharing", memo.isSharing},
            {"sharingOption", memo.sharingOption},
            {"assentedUsers", memo.assentedUsers},
            {"userGroupId", memo.userGroupId},
            {"userGroupName", memo.userGroupName}};
}

inline json document(const BiblePraise& verse) {
    return {{"index", verse.index},         {"word", verse.word},         {"isSelected", verse.isSelected},
            {"hasMemo", verse.hasMemo},     {"memo", document(*verse.memo)}, {"memoTitle", verse.memoTitle},
            {"bgColor", verse.bgColor},     {"hasTheme", verse.hasTheme}, {"theme", verse.theme},
            {"bookmarked", verse.bookmarked}};
}

inline std::vector<std::uint8_t> encode(const BibleStructure& chapter) {
    json praises = json::array();
    for (const BiblePraise& verse : chapter.praises)
        praises.push_back(document(verse));
    const json root{{"versesIndex", chapter.versesIndex},
                    {"order", chapter.order},
                    {"language", chapter.language},
                    {"name", chapter.name},
                    {"isOldTestment", chapter.isOldTestment},
                    {"sectionIndex", chapter.sectionIndex},
                    {"kindOfBible", lumenscroll::rawValue(chapter.kindOfBible)},
                    {"praises", std::move(praises)},
                    {"matchingIndexToMemo", chapter.matchingIndexToMemo}};
    return json::to_cbor(root);
}

inline Memo memoOf(const json& map) {
    Memo memo;
    map.at("id").get_to(memo.id);
    map.at("section").get_to(memo.section);
    map.at("verse").get_to(memo.verse);
    map.at("praise").get_to(memo.praise);
    map.at("memoContent").get_to(memo.memoContent);
    map.at("date").get_to(memo.date);
    map.at("assent").get_to(memo.assent);
    map.at("userId").get_to(memo.userId);
    map.at("nickname").get_to(memo.nickname);
    map.at("userProfileImageURL").get_to(memo.userProfileImageURL);
    map.at("isSharing").get_to(memo.isSharing);
    map.at("sharingOption").get_to(memo.sharingOption);
    map.at("assentedUsers").get_to(memo.assentedUsers);
    map.at("userGroupId").get_to(memo.userGroupId);
    map.at("userGroupName").get_to(memo.userGroupName);
    return memo;
}

inline BiblePraise verseOf(const json& map) {
    BiblePraise verse;
    map.at("index").get_to(verse.index);
    map.at("word").get_to(verse.word);
    map.at("isSelected").get_to(verse.isSelected);
    map.at("hasMemo").get_to(verse.hasMemo);
    verse.memo = std::make_shared<Memo>(memoOf(map.at("memo")));
    map.at("memoTitle").get_to(verse.memoTitle);
    map.at("bgColor").get_to(verse.bgColor);
    map.at("hasTheme").get_to(verse.hasTheme);
    map.at("theme").get_to(verse.theme);
    map.at("bookmarked").get_to(verse.bookmarked);
    return verse;
}

inline BibleStructure decode(std::span<const std::uint8_t> bytes) {
    const json root = json::from_cbor(bytes.begin(), bytes.end());
    BibleStructure chapter;
    root.at("versesIndex").get_to(chapter.versesIndex);
    root.at("order").get_to(chapter.order);
    root.at("language").get_to(chapter.language);
    root.at("name").get_to(chapter.name);
    root.at("isOldTestment").get_to(chapter.isOldTestment);
    root.at("sectionIndex").get_to(chapter.sectionIndex);
    const auto kind = lumenscroll::bibleKindFromRaw(root.at("kindOfBible").get<std::int64_t>());
    if (!kind)
        throw std::runtime_error("not a kind of Bible");
    chapter.kindOfBible = *kind;
    const json& praises = root.at("praises");
    chapter.praises.reserve(praises.size());
    for (const json& verse : praises)
        chapter.praises.push_back(verseOf(verse));
    root.at("matchingIndexToMemo").get_to(chapter.matchingIndexToMemo);
    return chapter;
}

} // namespace cborChapter
