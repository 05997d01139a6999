#include "app/model/Memo.h"

#include "coding/Codable.h"

namespace lumenscroll {

void Memo::encode(coding::Encoder& encoder) const {
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

Memo Memo::decode(coding::Decoder& decoder) {
    auto c = decoder.container(keys);
    // Braces evaluate left to right, so the keys are read in field order.
    return Memo{
        c.decode<std::string>(keyId),
        c.decode<std::int64_t>(keySection),
        c.decode<std::int64_t>(keyVerse),
        c.decode<std::int64_t>(keyPraise),
        c.decode<std::string>(keyMemoContent),
        c.decode<std::string>(keyDate),
        c.decode<std::int64_t>(keyAssent),
        c.decode<std::string>(keyUserId),
        c.decode<std::string>(keyNickname),
        c.decode<std::string>(keyUserProfileImageURL),
        c.decode<bool>(keyIsSharing),
        c.decode<std::int64_t>(keySharingOption),
        c.decode<std::string>(keyAssentedUsers),
        c.decode<std::string>(keyUserGroupId),
        c.decode<std::string>(keyUserGroupName),
    };
}

} // namespace lumenscroll
