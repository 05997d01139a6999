#pragma once

// The chapter record with numbered keys, field for field as in chapter.proto, for the
// protobuf-compatible coders, which number a message's fields by its keys' integer values. The
// model's own records keep text keys: their compact page files must not change.

#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"
#include "coding/Coding.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace numbered {

using coding::CodingKey;
using coding::KeySet;

struct Memo {
    std::string id;
    std::int64_t section = 0;
    std::int64_t verse = 0;
    std::int64_t praise = 0;
    std::string memoContent;
    std::string date;
    std::int64_t assent = 0;
    std::string userId;
    std::string nickname;
    std::string userProfileImageURL;
    bool isSharing = false;
    std::int64_t sharingOption = 2;
    std::string assentedUsers;
    std::string userGroupId;
    std::string userGroupName;

    static inline const CodingKey keyId{"id", 1}, keySection{"section", 2}, keyVerse{"verse", 3},
        keyPraise{"praise", 4}, keyMemoContent{"memoContent", 5}, keyDate{"date", 6}, keyAssent{"assent", 7},
        keyUserId{"userId", 8}, keyNickname{"nickname", 9}, keyUserProfileImageURL{"userProfileImageURL", 10},
        keyIsSharing{"isSharing", 11}, keySharingOption{"sharingOption", 12}, keyAssentedUsers{"assentedUsers", 13},
        keyUserGroupId{"userGroupId", 14}, keyUserGroupName{"userGroupName", 15};
    static inline const KeySet keys{keyId,        keySection,       keyVerse,         keyPraise,      keyMemoContent,
                                    keyDate,      keyAssent,        keyUserId,        keyNickname,    keyUserProfileImageURL,
                                    keyIsSharing, keySharingOption, keyAssentedUsers, keyUserGroupId, keyUserGroupName};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(id, keyId);
        c.encode(section, keySection);
        c.encode(verse, keyVerse);
        c.encode(praise, keyPraise);
        c.encode(memoContent, keyMemoContent);
        c.encode(date, keyDate);
        c.encode(assent, keyAssent);
        c.encode(userId, keyUserId);
        c.encode(nickname, keyNickname);
        c.encode(userProfileImageURL, keyUserProfileImageURL);
        c.encode(isSharing, keyIsSharing);
        c.encode(sharingOption, keySharingOption);
        c.encode(assentedUsers, keyAssentedUsers);
        c.encode(userGroupId, keyUserGroupId);
        c.encode(userGroupName, keyUserGroupName);
    }
    static Memo decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return Memo{c.decode<std::string>(keyId),          c.decode<std::int64_t>(keySection),
                    c.decode<std::int64_t>(keyVerse),      c.decode<std::int64_t>(keyPraise),
                    c.decode<std::string>(keyMemoContent), c.decode<std::string>(keyDate),
                    c.decode<std::int64_t>(keyAssent),     c.decode<std::string>(keyUserId),
                    c.decode<std::string>(keyNickname),    c.decode<std::string>(keyUserProfileImageURL),
                    c.decode<bool>(keyIsSharing),          c.decode<std::int64_t>(keySharingOption),
                    c.decode<std::string>(keyAssentedUsers), c.decode<std::string>(keyUserGroupId),
                    c.decode<std::string>(keyUserGroupName)};
    }
    friend bool operator==(const Memo&, const Memo&) = default;
};

struct BiblePraise {
    std::int64_t index = 0;
    std::string word;
    bool isSelected = false;
    bool hasMemo = false;
    std::shared_ptr<Memo> memo = std::make_shared<Memo>(); // a note object of its own, as in the model
    std::string memoTitle;
    std::int64_t bgColor = 0;
    bool hasTheme = false;
    std::string theme;
    bool bookmarked = false;

    static inline const CodingKey keyIndex{"index", 1}, keyWord{"word", 2}, keyIsSelected{"isSelected", 3},
        keyHasMemo{"hasMemo", 4}, keyMemo{"memo", 5}, keyMemoTitle{"memoTitle", 6}, keyBgColor{"bgColor", 7},
        keyHasTheme{"hasTheme", 8}, keyTheme{"theme", 9}, keyBookmarked{"bookmarked", 10};
    static inline const KeySet keys{keyIndex,     keyWord,    keyIsSelected, keyHasMemo, keyMemo,
                                    keyMemoTitle, keyBgColor, keyHasTheme,   keyTheme,   keyBookmarked};

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(index, keyIndex);
        c.encode(word, keyWord);
        c.encode(isSelected, keyIsSelected);
        c.encode(hasMemo, keyHasMemo);
        c.encode(memo, keyMemo);
        c.encode(memoTitle, keyMemoTitle);
        c.encode(bgColor, keyBgColor);
        c.encode(hasTheme, keyHasTheme);
        c.encode(theme, keyTheme);
        c.encode(bookmarked, keyBookmarked);
    }
    static BiblePraise decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return BiblePraise{c.decode<std::int64_t>(keyIndex),        c.decode<std::string>(keyWord),
                           c.decode<bool>(keyIsSelected),           c.decode<bool>(keyHasMemo),
                           c.decode<std::shared_ptr<Memo>>(keyMemo), c.decode<std::string>(keyMemoTitle),
                           c.decode<std::int64_t>(keyBgColor),      c.decode<bool>(keyHasTheme),
                           c.decode<std::string>(keyTheme),         c.decode<bool>(keyBookmarked)};
    }
    friend bool operator==(const BiblePraise& a, const BiblePraise& b) {
        return a.index == b.index && a.word == b.word && a.isSelected == b.isSelected && a.hasMemo == b.hasMemo &&
               *a.memo == *b.memo && a.memoTitle == b.memoTitle && a.bgColor == b.bgColor &&
               a.hasTheme == b.hasTheme && a.theme == b.theme && a.bookmarked == b.bookmarked;
    }
};

struct BibleStructure {
    std::int64_t versesIndex = 0;
    std::int64_t order = -1;
    std::string language = "kr";
    std::string name;
    bool isOldTestment = true;
    std::int64_t sectionIndex = 0;
    lumenscroll::BibleKind kindOfBible = lumenscroll::BibleKind::kr01;
    std::vector<BiblePraise> praises;
    std::int64_t matchingIndexToMemo = 0;

    static inline const CodingKey keyVersesIndex{"versesIndex", 1}, keyOrder{"order", 2}, keyLanguage{"language", 3},
        keyName{"name", 4}, keyIsOldTestment{"isOldTestment", 5}, keySectionIndex{"sectionIndex", 6},
        keyKindOfBible{"kindOfBible", 7}, keyPraises{"praises", 8}, keyMatchingIndexToMemo{"matchingIndexToMemo", 9};
    static inline const KeySet keys{keyVersesIndex,  keyOrder,       keyLanguage, keyName,
                                    keyIsOldTestment, keySectionIndex, keyKindOfBible, keyPraises,
                                    keyMatchingIndexToMemo};

    // The same chapter as the model's record.
    static BibleStructure from(const lumenscroll::BibleStructure& record) {
        BibleStructure chapter{record.versesIndex,   record.order,       record.language, record.name,
                               record.isOldTestment, record.sectionIndex, record.kindOfBible, {},
                               record.matchingIndexToMemo};
        for (const auto& verse : record.praises) {
            const auto& m = *verse.memo;
            chapter.praises.push_back(BiblePraise{
                verse.index, verse.word, verse.isSelected, verse.hasMemo,
                std::make_shared<Memo>(Memo{m.id, m.section, m.verse, m.praise, m.memoContent, m.date, m.assent,
                                            m.userId, m.nickname, m.userProfileImageURL, m.isSharing,
                                            m.sharingOption, m.assentedUsers, m.userGroupId, m.userGroupName}),
                verse.memoTitle, verse.bgColor, verse.hasTheme, verse.theme, verse.bookmarked});
        }
        return chapter;
    }

    void encode(coding::Encoder& encoder) const {
        auto c = encoder.container(keys);
        c.encode(versesIndex, keyVersesIndex);
        c.encode(order, keyOrder);
        c.encode(language, keyLanguage);
        c.encode(name, keyName);
        c.encode(isOldTestment, keyIsOldTestment);
        c.encode(sectionIndex, keySectionIndex);
        c.encode(kindOfBible, keyKindOfBible);
        c.encode(praises, keyPraises);
        c.encode(matchingIndexToMemo, keyMatchingIndexToMemo);
    }
    static BibleStructure decode(coding::Decoder& decoder) {
        auto c = decoder.container(keys);
        return BibleStructure{c.decode<std::int64_t>(keyVersesIndex),
                              c.decode<std::int64_t>(keyOrder),
                              c.decode<std::string>(keyLanguage),
                              c.decode<std::string>(keyName),
                              c.decode<bool>(keyIsOldTestment),
                              c.decode<std::int64_t>(keySectionIndex),
                              c.decode<lumenscroll::BibleKind>(keyKindOfBible),
                              c.decode<std::vector<BiblePraise>>(keyPraises),
                              c.decode<std::int64_t>(keyMatchingIndexToMemo)};
    }
    friend bool operator==(const BibleStructure&, const BibleStructure&) = default;
};

} // namespace numbered
