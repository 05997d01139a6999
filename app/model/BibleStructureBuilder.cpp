#include "app/model/BibleStructureBuilder.h"

#include "app/model/LanguageCode.h"

namespace lumenscroll {

BibleStructureBuilder::BibleStructureBuilder(BibleBook book, BibleKind kind)
    : book_(book) {
    record_.order = rawValue(book);
    record_.language = std::string(kind == BibleKind::en01 ? englishLanguageCode : koreanLanguageCode);
    record_.name = std::string(bookName(record_.language, book));
    record_.isOldTestment = isOldTestament(book);
    record_.sectionIndex = rawValue(book);
    record_.kindOfBible = kind;
}

BibleStructureBuilder& BibleStructureBuilder::nameIn(std::string_view language) {
    record_.name = std::string(bookName(language, book_));
    return *this;
}

} // namespace lumenscroll
