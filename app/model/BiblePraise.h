#pragma once

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

// One verse of a chapter with the user's marks on it.
struct BiblePraise {
    std::int64_t index = 0;
    std::string word; // the verse text
    bool isSelected = false;
    bool hasMemo = false;
    // Never null, and never changed: a new note takes its place (setMemoContent). Copies of the
    // verse share it; a decoded verse gets one of its own.
    std::shared_ptr<const Memo> memo = std::make_shared<const Memo>();
    std::string memoTitle;
    std::int64_t bgColor = 0; // index into the verse background colours, 0 = white
    bool hasTheme = false;
    std::string theme; // the heading the text line carried
    bool bookmarked = false;

    static constexpr std::string_view codingTypeName = "BiblePraise";

    static inline const coding::CodingKey keyIndex{"index"}, keyWord{"word"}, keyIsSelected{"isSelected"},
        keyHasMemo{"hasMemo"}, keyMemo{"memo"}, keyMemoTitle{"memoTitle"}, keyBgColor{"bgColor"},
        keyHasTheme{"hasTheme"}, keyTheme{"theme"}, keyBookmarked{"bookmarked"};
    static inline const coding::KeySet keys{keyIndex, keyWord,      keyIsSelected, keyHasMemo,
                                            keyMemo,  keyMemoTitle, keyBgColor,    keyHasTheme,
                                            keyTheme, keyBookmarked};

    // Gives the verse a note like its own with `content` as its text. The note it had stays as it
    // was, so every copy of the verse made before keeps it: a note typed into a page reaches the
    // page's record only through a write to the record, announced like any other.
    void setMemoContent(std::string content);

    void encode(coding::Encoder& encoder) const;
    static BiblePraise decode(coding::Decoder& decoder);

    // Notes compare by content: a decoded verse equals the one encoded although its note is a
    // new object.
    friend bool operator==(const BiblePraise& lhs, const BiblePraise& rhs);
};

} // namespace lumenscroll
