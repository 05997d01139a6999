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

// The user of this installation. The shared state holds the one of a run through a shared
// pointer, so whoever holds it sees the sign-in the reading page records.
struct User {
    std::string id;
    std::string nickname;
    std::string email;
    std::string profileImage;
    std::optional<Date> registerDate; // written only when present
    bool loginned = false;
    std::string groups;
    std::string selectedGroup;

    static constexpr std::string_view codingTypeName = "User";

    static inline const coding::CodingKey keyId{"id"}, keyNickname{"nickname"}, keyEmail{"email"},
        keyProfileImage{"profileImage"}, keyRegisterDate{"registerDate"}, keyLoginned{"loginned"},
        keyGroups{"groups"}, keySelectedGroup{"selectedGroup"};
    static inline const coding::KeySet keys{keyId,           keyNickname, keyEmail,  keyProfileImage,
                                            keyRegisterDate, keyLoginned, keyGroups, keySelectedGroup};

    void encode(coding::Encoder& encoder) const;
    static User decode(coding::Decoder& decoder);

    friend bool operator==(const User&, const User&) = default;
};

} // namespace lumenscroll
