#include "app/model/MarkedVerse.h"

#include "coding/Codable.h"

#include <optional>
#include <tuple>
#include <utility>

namespace lumenscroll {

namespace {

const Memo& blankMemo() {
    static const Memo memo;
    return memo;
}

} // namespace

MarkedVerse MarkedVerse::of(std::int64_t verse, const BiblePraise& praise) {
    return MarkedVerse{verse, praise.bgColor, praise.bookmarked, praise.hasMemo, praise.memoTitle,
                       praise.memo ? praise.memo : std::make_shared<const Memo>()};
}

bool MarkedVerse::isBlank() const {
    return bgColor == 0 && !bookmarked && !hasMemo && memoTitle.empty() && *memo == blankMemo();
}

bool MarkedVerse::isShownBy(const BiblePraise& praise) const {
    const bool sameMemo = praise.memo == memo || (praise.memo ? *praise.memo : blankMemo()) == *memo;
    return sameMemo && praise.bgColor == bgColor && praise.bookmarked == bookmarked &&
           praise.hasMemo == hasMemo && praise.memoTitle == memoTitle;
}

void MarkedVerse::showOn(BiblePraise& praise) const {
    praise.bgColor = bgColor;
    praise.bookmarked = bookmarked;
    praise.hasMemo = hasMemo;
    praise.memoTitle = memoTitle;
    praise.memo = memo;
}

void MarkedVerse::encode(coding::Encoder& encoder) const {
    auto c = encoder.container(keys);
    c.encode(verse, keyVerse);
    if (bgColor != 0) {
        c.encode(bgColor, keyBgColor);
    }
    if (bookmarked) {
        c.encode(bookmarked, keyBookmarked);
    }
    if (hasMemo) {
        c.encode(hasMemo, keyHasMemo);
    }
    if (!memoTitle.empty()) {
        c.encode(memoTitle, keyMemoTitle);
    }
    if (*memo != blankMemo()) {
        c.encode(memo, keyMemo);
    }
}

MarkedVerse MarkedVerse::decode(coding::Decoder& decoder) {
    auto c = decoder.container(keys);
    MarkedVerse marks;
    marks.verse = c.decode<std::int64_t>(keyVerse);
    marks.bgColor = c.decodeIfPresent<std::int64_t>(keyBgColor).value_or(0);
    marks.bookmarked = c.decodeIfPresent<bool>(keyBookmarked).value_or(false);
    marks.hasMemo = c.decodeIfPresent<bool>(keyHasMemo).value_or(false);
    marks.memoTitle = c.decodeIfPresent<std::string>(keyMemoTitle).value_or(std::string());
    if (std::optional<std::shared_ptr<Memo>> memo = c.decodeIfPresent<std::shared_ptr<Memo>>(keyMemo)) {
        marks.memo = std::move(*memo);
    }
    return marks;
}

bool operator==(const MarkedVerse& lhs, const MarkedVerse& rhs) {
    const bool sameMemo = lhs.memo == rhs.memo || *lhs.memo == *rhs.memo;
    return sameMemo && std::tie(lhs.verse, lhs.bgColor, lhs.bookmarked, lhs.hasMemo, lhs.memoTitle) ==
                           std::tie(rhs.verse, rhs.bgColor, rhs.bookmarked, rhs.hasMemo, rhs.memoTitle);
}

} // namespace lumenscroll
