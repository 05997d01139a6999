#include "app/model/BibleStructure.h"

#include "coding/Codable.h"

namespace lumenscroll {

void BibleStructure::encode(coding::Encoder& encoder) const {
    auto c = encoder.container(keys);
    c.encode(versesIndex, keyVersesIndex);
    c.encode(order, keyOrder);
    c.encode(language, keyLanguage);
    c.encode(name, keyName);
    c.encode(isOldTestment, keyIsOldTestment);
    c.encode(sectionIndex, keySectionIndex);
    c.encode(kindOfBible, keyKindOfBible);
    c.encode(praises, keyPraises);
    c.encode(matchingIndexToMemo, keyMatchingIndexToMemo);
}

BibleStructure BibleStructure::decode(coding::Decoder& decoder) {
    auto c = decoder.container(keys);
    return BibleStructure{
        c.decode<std::int64_t>(keyVersesIndex),
        c.decode<std::int64_t>(keyOrder),
        c.decode<std::string>(keyLanguage),
        c.decode<std::string>(keyName),
        c.decode<bool>(keyIsOldTestment),
        c.decode<std::int64_t>(keySectionIndex),
        c.decode<BibleKind>(keyKindOfBible),
        c.decode<std::vector<BiblePraise>>(keyPraises),
        c.decode<std::int64_t>(keyMatchingIndexToMemo),
    };
}

std::int64_t chapterNumber(const BibleStructure& record) {
    return record.versesIndex < 0 ? 1 : record.versesIndex + 1;
}

} // namespace lumenscroll
