#include "app/model/MarkedChapter.h"

#include "coding/Codable.h"

namespace lumenscroll {

void MarkedChapter::encode(coding::Encoder& encoder) const {
    auto c = encoder.container(keys);
    c.encode(kindOfBible, keyKindOfBible);
    c.encode(sectionIndex, keySectionIndex);
    c.encode(versesIndex, keyVersesIndex);
    c.encode(verses, keyVerses);
}

MarkedChapter MarkedChapter::decode(coding::Decoder& decoder) {
    auto c = decoder.container(keys);
    return MarkedChapter{
        c.decode<BibleKind>(keyKindOfBible),
        c.decode<std::int64_t>(keySectionIndex),
        c.decode<std::int64_t>(keyVersesIndex),
        c.decode<std::vector<MarkedVerse>>(keyVerses),
    };
}

} // namespace lumenscroll
