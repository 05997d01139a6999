#include "app/model/BiblePraise.h"

#include "coding/Codable.h"

#include <tuple>
#include <utility>

namespace lumenscroll {

void BiblePraise::setMemoContent(std::string content) {
    Memo note = *memo;
    note.memoContent = std::move(content);
    memo = std::make_shared<const Memo>(std::move(note));
}

void BiblePraise::encode(coding::Encoder& encoder) const {
    auto c = encoder.container(keys);
    c.encode(index, keyIndex);
    c.encode(word, keyWord);
    c.encode(isSelected, keyIsSelected);
    c.encode(hasMemo, keyHasMemo);
    c.encode(memo, keyMemo);
    c.encode(memoTitle, keyMemoTitle);
    c.encode(bgColor, keyBgColor);
    c.encode(hasTheme, keyHasTheme);
    c.encode(theme, keyTheme);
    c.encode(bookmarked, keyBookmarked);
}

BiblePraise BiblePraise::decode(coding::Decoder& decoder) {
    auto c = decoder.container(keys);
    return BiblePraise{
        c.decode<std::int64_t>(keyIndex),
        c.decode<std::string>(keyWord),
        c.decode<bool>(keyIsSelected),
        c.decode<bool>(keyHasMemo),
        c.decode<std::shared_ptr<Memo>>(keyMemo),
        c.decode<std::string>(keyMemoTitle),
        c.decode<std::int64_t>(keyBgColor),
        c.decode<bool>(keyHasTheme),
        c.decode<std::string>(keyTheme),
        c.decode<bool>(keyBookmarked),
    };
}

bool operator==(const BiblePraise& lhs, const BiblePraise& rhs) {
    const bool sameMemo = lhs.memo == rhs.memo || (lhs.memo && rhs.memo && *lhs.memo == *rhs.memo);
    return sameMemo && std::tie(lhs.index, lhs.word, lhs.isSelected, lhs.hasMemo, lhs.memoTitle, lhs.bgColor,
                                lhs.hasTheme, lhs.theme, lhs.bookmarked) ==
                           std::tie(rhs.index, rhs.word, rhs.isSelected, rhs.hasMemo, rhs.memoTitle,
                                    rhs.bgColor, rhs.hasTheme, rhs.theme, rhs.bookmarked);
}

} // namespace lumenscroll
