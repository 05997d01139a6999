#pragma once

#include "coding/CodingKey.h"
#include "coding/Decoder.h"
#include "coding/Encoder.h"
#include "coding/KeySet.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lumenscroll {

// The note of one verse. Never changed once made: verses hold it through a shared pointer to a
// const note, shared by every copy of a verse, and a changed note is a new one that takes the old
// one's place (BiblePraise::setMemoContent).
struct Memo {
    std::string id;
    std::int64_t section = 0; // book
    std::int64_t verse = 0;   // chapter
    std::int64_t praise = 0;  // verse
    std::string memoContent;
    std::string date; // free text, not a Date
    std::int64_t assent = 0;
    std::string userId;
    std::string nickname;
    std::string userProfileImageURL;
    bool isSharing = false;
    std::int64_t sharingOption = 2;
    std::string assentedUsers;
    std::string userGroupId;
    std::string userGroupName;

    static constexpr std::string_view codingTypeName = "Memo";

    static inline const coding::CodingKey keyId{"id"}, keySection{"section"}, keyVerse{"verse"},
        keyPraise{"praise"}, keyMemoContent{"memoContent"}, keyDate{"date"}, keyAssent{"assent"},
        keyUserId{"userId"}, keyNickname{"nickname"}, keyUserProfileImageURL{"userProfileImageURL"},
        keyIsSharing{"isSharing"}, keySharingOption{"sharingOption"}, keyAssentedUsers{"assentedUsers"},
        keyUserGroupId{"userGroupId"}, keyUserGroupName{"userGroupName"};
    static inline const coding::KeySet keys{
        keyId,        keySection,       keyVerse,         keyPraise,      keyMemoContent,
        keyDate,      keyAssent,        keyUserId,        keyNickname,    keyUserProfileImageURL,
        keyIsSharing, keySharingOption, keyAssentedUsers, keyUserGroupId, keyUserGroupName};

    void encode(coding::Encoder& encoder) const;
    static Memo decode(coding::Decoder& decoder);

    friend bool operator==(const Memo&, const Memo&) = default;
};

} // namespace lumenscroll
