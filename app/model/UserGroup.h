#pragma once

#include "app/model/Date.h"
#include "coding/CodingKey.h"
#include "coding/Decoder.h"
#include "coding/Encoder.h"
#include "coding/KeySet.h"

#include <optional>
#include <string>
#include <string_view>

namespace lumenscroll {

// A group of users.
struct UserGroup {
    std::string id;
    std::string groupName;
    std::string groupMembers;
    std::string groupMembersIDs;
    std::optional<Date> groupDate; // written only when present
    std::string groupDesc;
    std::string groupOwner;

    static constexpr std::string_view codingTypeName = "UserGroup";

    static inline const coding::CodingKey keyId{"id"}, keyGroupName{"groupName"},
        keyGroupMembers{"groupMembers"}, keyGroupMembersIDs{"groupMembersIDs"}, keyGroupDate{"groupDate"},
        keyGroupDesc{"groupDesc"}, keyGroupOwner{"groupOwner"};
    static inline const coding::KeySet keys{keyId,        keyGroupName, keyGroupMembers, keyGroupMembersIDs,
                                            keyGroupDate, keyGroupDesc, keyGroupOwner};

    void encode(coding::Encoder& encoder) const;
    static UserGroup decode(coding::Decoder& decoder);

    friend bool operator==(const UserGroup&, const UserGroup&) = default;
};

} // namespace lumenscroll
