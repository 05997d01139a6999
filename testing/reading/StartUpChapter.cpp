#include "testing/reading/StartUpChapter.h"

#include "app/model/BibleBook.h"
#include "app/model/BibleStructureBuilder.h"
#include "app/reading/ChapterText.h"
#include "app/reading/TextResource.h"
#include "app/reading/UserSettings.h"

#include <optional>
#include <string>
#include <vector>

namespace lumenscroll::testing {

void loadStartUpChapter(UserSettings& settings, const AppContext& context) {
    const std::optional<std::string> text =
        TextResource::read(context, TextResource::name(BibleKind::kr01, 0));
    const BibleStructure record =
        BibleStructureBuilder(BibleBook::genesis, BibleKind::kr01)
            .chapterNumber(1)
            .verses(ChapterText::chapterVerses(text.value_or(std::string()), BibleKind::kr01,
                                               BibleBook::genesis, 1))
            .build();
    settings.BibleWordsContainer.modify(
        [&](std::vector<std::vector<BibleStructure>>& books) { books.front() = {record}; });
}

} // namespace lumenscroll::testing
