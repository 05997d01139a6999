#pragma once

#include "coding/CodingKey.h"
#include "coding/Decoder.h"
#include "coding/Encoder.h"
#include "coding/KeySet.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lumenscroll {

// A bookmark of one verse by one user.
struct Bookmark {
    std::string id;
    std::int64_t section = 0; // book
    std::int64_t verse = 0;   // chapter
    std::int64_t praise = 0;  // verse
    bool bookmarked = false;
    std::string userId;
    std::string nickname;
    std::string email;

    static constexpr std::string_view codingTypeName = "Bookmark";

    static inline const coding::CodingKey keyId{"id"}, keySection{"section"}, keyVerse{"verse"},
        keyPraise{"praise"}, keyBookmarked{"bookmarked"}, keyUserId{"userId"}, keyNickname{"nickname"},
        keyEmail{"email"};
    static inline const coding::KeySet keys{keyId,         keySection, keyVerse,    keyPraise,
                                            keyBookmarked, keyUserId,  keyNickname, keyEmail};

    void encode(coding::Encoder& encoder) const;
    static Bookmark decode(coding::Decoder& decoder);

    friend bool operator==(const Bookmark&, const Bookmark&) = default;
};

} // namespace lumenscroll
