#include "app/model/Bookmark.h"

#include "coding/Codable.h"

namespace lumenscroll {

void Bookmark::encode(coding::Encoder& encoder) const {
    auto c = encoder.container(keys);
    c.encode(id, keyId);
    c.encode(section, keySection);
    c.encode(verse, keyVerse);
    c.encode(praise, keyPraise);
    c.encode(bookmarked, keyBookmarked);
    c.encode(userId, keyUserId);
    c.encode(nickname, keyNickname);
    c.encode(email, keyEmail);
}

Bookmark Bookmark::decode(coding::Decoder& decoder) {
    auto c = decoder.container(keys);
    return Bookmark{
        c.decode<std::string>(keyId),       c.decode<std::int64_t>(keySection),
        c.decode<std::int64_t>(keyVerse),   c.decode<std::int64_t>(keyPraise),
        c.decode<bool>(keyBookmarked),      c.decode<std::string>(keyUserId),
        c.decode<std::string>(keyNickname), c.decode<std::string>(keyEmail),
    };
}

} // namespace lumenscroll
