#include "app/model/User.h"

#include "coding/Codable.h"

namespace lumenscroll {

void User::encode(coding::Encoder& encoder) const {
    auto c = encoder.container(keys);
    c.encode(id, keyId);
    c.encode(nickname, keyNickname);
    c.encode(email, keyEmail);
    c.encode(profileImage, keyProfileImage);
    c.encodeIfPresent(registerDate, keyRegisterDate);
    c.encode(loginned, keyLoginned);
    c.encode(groups, keyGroups);
    c.encode(selectedGroup, keySelectedGroup);
}

User User::decode(coding::Decoder& decoder) {
    auto c = decoder.container(keys);
    return User{
        c.decode<std::string>(keyId),
        c.decode<std::string>(keyNickname),
        c.decode<std::string>(keyEmail),
        c.decode<std::string>(keyProfileImage),
        c.decodeIfPresent<Date>(keyRegisterDate),
        c.decode<bool>(keyLoginned),
        c.decode<std::string>(keyGroups),
        c.decode<std::string>(keySelectedGroup),
    };
}

} // namespace lumenscroll
