#pragma once

#include "app/model/BibleKind.h"
#include "app/model/MarkedVerse.h"
#include "coding/CodingKey.h"
#include "coding/Decoder.h"
#include "coding/Encoder.h"
#include "coding/KeySet.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace lumenscroll {

// The marked verses of one chapter of one translation, as the mark book keeps them: the
// translation, the book (0-65) and the chapter counted from 0 as a page's record names them, and
// the verses that carry a mark, in verse order.
struct MarkedChapter {
    BibleKind kindOfBible = BibleKind::kr01;
    std::int64_t sectionIndex = 0;
    std::int64_t versesIndex = 0;
    std::vector<MarkedVerse> verses;

    static constexpr std::string_view codingTypeName = "MarkedChapter";

    static inline const coding::CodingKey keyKindOfBible{"kindOfBible"}, keySectionIndex{"sectionIndex"},
        keyVersesIndex{"versesIndex"}, keyVerses{"verses"};
    static inline const coding::KeySet keys{keyKindOfBible, keySectionIndex, keyVersesIndex, keyVerses};

    void encode(coding::Encoder& encoder) const;
    static MarkedChapter decode(coding::Decoder& decoder);

    friend bool operator==(const MarkedChapter&, const MarkedChapter&) = default;
};

} // namespace lumenscroll
