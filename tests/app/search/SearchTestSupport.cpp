#include "SearchTestSupport.h"

#include "app/model/BibleBook.h"
#include "app/reading/TextResource.h"

#include <QDir>
#include <QFileInfo>

namespace lumenscroll::testing {

QString builtTextDirectory() {
    const QDir built(QStringLiteral(LUMENSCROLL_RESOURCE_DIR));
    const bool korean = QFileInfo::exists(built.filePath(QStringLiteral("66요한계시록.txt")));
    const bool english = QFileInfo::exists(built.filePath(QStringLiteral("66Revelation.txt")));
    return korean && english ? built.path() : QString();
}

std::string bookText(std::int64_t book, const std::map<std::pair<int, int>, std::string>& verses,
                     const std::string& lineEnd) {
    std::string text;
    const auto counts = versesPerChapter(*bibleBookFromRaw(book));
    for (std::size_t c = 0; c < counts.size(); ++c) {
        for (int v = 1; v <= counts[c]; ++v) {
            const int chapter = static_cast<int>(c) + 1;
            const std::string reference = std::to_string(chapter) + ":" + std::to_string(v);
            const auto given = verses.find({chapter, v});
            text += reference +
                    (given != verses.end() ? given->second
                                           : " 말씀 " + std::to_string(chapter) + "." + std::to_string(v)) +
                    lineEnd;
        }
    }
    return text;
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
