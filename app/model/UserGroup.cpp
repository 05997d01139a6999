#include "app/model/UserGroup.h"

#include "coding/Codable.h"

namespace lumenscroll {

void UserGroup::encode(coding::Encoder& encoder) const {
    auto c = encoder.container(keys);
    c.encode(id, keyId);
    c.encode(groupName, keyGroupName);
    c.encode(groupMembers, keyGroupMembers);
    c.encode(groupMembersIDs, keyGroupMembersIDs);
    c.encodeIfPresent(groupDate, keyGroupDate);
    c.encode(groupDesc, keyGroupDesc);
    c.encode(groupOwner, keyGroupOwner);
}

UserGroup UserGroup::decode(coding::Decoder& decoder) {
    auto c = decoder.container(keys);
    return UserGroup{
        c.decode<std::string>(keyId),           c.decode<std::string>(keyGroupName),
        c.decode<std::string>(keyGroupMembers), c.decode<std::string>(keyGroupMembersIDs),
        c.decodeIfPresent<Date>(keyGroupDate),  c.decode<std::string>(keyGroupDesc),
        c.decode<std::string>(keyGroupOwner),
    };
}

} // namespace lumenscroll
