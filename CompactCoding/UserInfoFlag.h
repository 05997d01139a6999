#pragma once

#include "coding/UserInfo.h"

#include <any>
#include <string_view>

namespace coding {

// The two options of the compact coders, carried to every node in the user-info dictionary.
enum class UserInfoOption {
    sort,       // keyed entries in key order (encoder)
    nilIndices, // lists begin with the set of their nil positions (encoder and decoder)
};

inline constexpr std::string_view sortUserInfoKey = "sort";
inline constexpr std::string_view nilIndicesUserInfoKey = "nilIndices";

constexpr std::string_view userInfoKey(UserInfoOption option) {
    return option == UserInfoOption::sort ? sortUserInfoKey : nilIndicesUserInfoKey;
}

// The Bool stored under the option's key; false when there is none or it is not a Bool.
inline bool userInfoFlag(UserInfoOption option, const UserInfo& userInfo) {
    auto entry = userInfo.find(userInfoKey(option));
    if (entry == userInfo.end())
        return false;
    const bool* flag = std::any_cast<bool>(&entry->second);
    return flag && *flag;
}

} // namespace coding
