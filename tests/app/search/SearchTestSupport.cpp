#include "SearchTestSupport.h"

#include "app/model/BibleBook.h"
#include "app/reading/TextResource.h"
#include "testing/platform/BuiltResources.h"
#include "testing/reading/BookText.h"

namespace lumenscroll::testing {

QString builtTextDirectory() {
    return builtResourceDirectory({QStringLiteral("66요한계시록.txt"), QStringLiteral("66Revelation.txt")});
}

std::string bookText(std::int64_t book, const std::map<std::pair<int, int>, std::string>& verses,
                     const std::string& lineEnd) {
    return bookText(*bibleBookFromRaw(book), lineEnd, [&](std::int64_t chapter, std::int64_t verse) {
        const auto given = verses.find({static_cast<int>(chapter), static_cast<int>(verse)});
        return given != verses.end() ? given->second
                                     : " 말씀 " + std::to_string(chapter) + "." + std::to_string(verse);
    });
}

SearchPageTest::SearchPageTest()
    : page(std::make_unique<SearchBibleView>(Binding<std::int64_t>::to(pageIndex),
                                             Binding<bool>::to(openSearch), settings, test.context())) {}

void SearchPageTest::addBook(BibleKind kind, std::int64_t book, const std::string& text) {
    const QString name = QString::fromStdString(TextResource::name(kind, book)) + QStringLiteral(".txt");
    ASSERT_TRUE(test.addResource(name, QByteArray::fromStdString(text)));
}

void SearchPageTest::searchFor(const std::string& query) {
    page->searchWord.set(query);
    page->searchBar.startSearch();
    settle();
}

} // namespace lumenscroll::testing
