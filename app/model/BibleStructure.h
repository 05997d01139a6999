#pragma once

#include "app/model/BibleKind.h"
#include "app/model/BiblePraise.h"
#include "coding/CodingKey.h"
#include "coding/Decoder.h"
#include "coding/Encoder.h"
#include "coding/KeySet.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumenscroll {

// One chapter of one book in one translation: a page's record, and the unit of every loaded
// text. A default-constructed value is the fresh record every construction starts from.
struct BibleStructure {
    // The chapter: counted from 0 in a page's record, from 1 in the start-up loader's records.
    std::int64_t versesIndex = 0;
    std::int64_t order = -1; // book index; -1 = no book yet
    std::string language = "kr";
    std::string name; // the book's name in `language`
    bool isOldTestment = true;
    std::int64_t sectionIndex = 0; // book index
    BibleKind kindOfBible = BibleKind::kr01;
    std::vector<BiblePraise> praises;
    std::int64_t matchingIndexToMemo = 0;

    static constexpr std::string_view codingTypeName = "BibleStructure";

    static inline const coding::CodingKey keyVersesIndex{"versesIndex"}, keyOrder{"order"},
        keyLanguage{"language"}, keyName{"name"}, keyIsOldTestment{"isOldTestment"},
        keySectionIndex{"sectionIndex"}, keyKindOfBible{"kindOfBible"}, keyPraises{"praises"},
        keyMatchingIndexToMemo{"matchingIndexToMemo"};
    static inline const coding::KeySet keys{keyVersesIndex, keyOrder,         keyLanguage,
                                            keyName,        keyIsOldTestment, keySectionIndex,
                                            keyKindOfBible, keyPraises,       keyMatchingIndexToMemo};

    void encode(coding::Encoder& encoder) const;
    static BibleStructure decode(coding::Decoder& decoder);

    friend bool operator==(const BibleStructure&, const BibleStructure&) = default;
};

// The chapter number (from 1) a page's record stands for: versesIndex + 1, and 1 for a record
// on no chapter yet (a negative versesIndex).
std::int64_t chapterNumber(const BibleStructure& record);

} // namespace lumenscroll
