#pragma once

#include "app/model/BiblePraise.h"
#include "app/model/Memo.h"
#include "coding/CodingKey.h"
#include "coding/Decoder.h"
#include "coding/Encoder.h"
#include "coding/KeySet.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace lumenscroll {

// The marks a reader put on one verse, apart from any page: its highlight, its bookmark and its
// note, as a verse record (BiblePraise) carries them, and the verse's position in its chapter's
// records, from 0. A verse's text, heading and selection are not marks.
struct MarkedVerse {
    std::int64_t verse = 0;
    std::int64_t bgColor = 0;
    bool bookmarked = false;
    bool hasMemo = false;
    std::string memoTitle;
    // Never null; shared with the verse records that show it, as they share theirs.
    std::shared_ptr<const Memo> memo = std::make_shared<const Memo>();

    static constexpr std::string_view codingTypeName = "MarkedVerse";

    static inline const coding::CodingKey keyVerse{"verse"}, keyBgColor{"bgColor"}, keyBookmarked{"bookmarked"},
        keyHasMemo{"hasMemo"}, keyMemoTitle{"memoTitle"}, keyMemo{"memo"};
    static inline const coding::KeySet keys{keyVerse, keyBgColor, keyBookmarked, keyHasMemo, keyMemoTitle, keyMemo};

    // The marks of `praise`, the verse at position `verse`.
    static MarkedVerse of(std::int64_t verse, const BiblePraise& praise);

    // No mark at all: what every verse the mark book does not name carries.
    bool isBlank() const;
    // `praise` carries exactly these marks.
    bool isShownBy(const BiblePraise& praise) const;
    // Puts these marks on `praise`, in place of its own; its text and heading stay.
    void showOn(BiblePraise& praise) const;

    // A field at its blank value is left out, so that a highlight costs a few bytes, not a note's.
    void encode(coding::Encoder& encoder) const;
    static MarkedVerse decode(coding::Decoder& decoder);

    // Notes compare by content.
    friend bool operator==(const MarkedVerse& lhs, const MarkedVerse& rhs);
};

} // namespace lumenscroll
