// The search page's load of a whole translation over arbitrary text files, and a search in it.
// The input is cut into parts (InputParts.h): the query, then up to four book files, each led by a
// byte that names its book. Bit 0 of the first byte chooses the translation (Korean or English).
// Nothing may fail, and:
// - the translation is filed whole: one list per book, each chapter's verses numbered from 0;
// - the hits are exactly the verses that hold a query word, each listed with a locator of its
//   book, chapter and verse;
// - opening a hit leaves a pending hit only for a verse the tables hold.

#include "FuzzApplication.h"
#include "FuzzCheck.h"
#include "InputParts.h"

#include "app/model/BibleBook.h"
#include "app/model/VerseLocator.h"
#include "app/reading/OpenPages.h"
#include "app/reading/TextResource.h"
#include "app/reading/UserSettings.h"
#include "app/search/SearchBibleView.h"
#include "app/search/SearchQuery.h"
#include "testing/platform/TestAppContext.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace lumenscroll;
using fuzzing::check;
using fuzzing::fail;
using Texts = std::vector<std::vector<BibleStructure>>;

// The verses holding a query word, by a plain scan of each verse.
std::size_t versesHolding(const Texts& translation, const std::vector<std::string>& words) {
    std::vector<std::string> lowered;
    for (const std::string& word : words) {
        if (!word.empty()) {
            lowered.push_back(SearchQuery::lowercased(word));
        }
    }
    std::size_t count = 0;
    for (const auto& book : translation) {
        for (const BibleStructure& chapter : book) {
            for (const BiblePraise& verse : chapter.praises) {
                const std::string text = SearchQuery::lowercased(verse.word);
                for (const std::string& word : lowered) {
                    if (text.find(word) != std::string::npos) {
                        ++count;
                        break;
                    }
                }
            }
        }
    }
    return count;
}

void checkTranslation(const Texts& translation) {
    check(static_cast<std::int64_t>(translation.size()) == bibleBookCount, "a book of the translation is missing");
    for (std::size_t b = 0; b < translation.size(); ++b) {
        const auto chapters = static_cast<std::size_t>(chaptersPerBook()[b]);
        check(translation[b].size() >= chapters, "a chapter of the translation is missing");
        for (std::size_t c = 0; c < chapters; ++c) {
            const std::vector<BiblePraise>& verses = translation[b][c].praises;
            for (std::size_t v = 0; v < verses.size(); ++v) {
                check(verses[v].index == static_cast<std::int64_t>(v), "a verse is numbered out of order");
            }
        }
    }
}

void run(BibleKind kind, const std::vector<std::string_view>& parts) {
    TestAppContext test;
    for (std::size_t p = 1; p < parts.size(); ++p) {
        if (parts[p].empty()) {
            continue;
        }
        const std::int64_t book = static_cast<std::uint8_t>(parts[p][0]) % bibleBookCount;
        const std::string_view text = parts[p].substr(1);
        check(test.addResource(QString::fromStdString(TextResource::name(kind, book)) + ".txt",
                               QByteArray(text.data(), static_cast<qsizetype>(text.size()))),
              "a text file could not be written");
    }

    UserSettings settings;
    std::int64_t pageIndex = 0;
    bool openSearch = true;
    SearchBibleView page(Binding<std::int64_t>::to(pageIndex), Binding<bool>::to(openSearch), settings,
                         test.context());
    page.kindOfBible.set(kind);
    const std::string query(parts.empty() ? std::string_view() : parts[0]);
    page.searchWord.set(query);
    page.searchBar.startSearch();
    test.manualScheduler().runReady();

    const std::string name(translationDisplayName(kind));
    check(settings.loadedBibleWordsContainers->contains(name), "the translation is not filed");
    const Texts& translation = settings.loadedBibleWordsContainers->at(name);
    checkTranslation(translation);

    const std::vector<std::string>& hits = page.foundWordArray();
    const std::vector<std::string>& locators = page.foundWordLocation();
    check(hits.size() == locators.size(), "hits and locators differ in number");
    check(hits.size() == versesHolding(translation, SearchQuery::words(query)),
          "the hits are not the verses that hold a query word");
    for (const std::string& locator : locators) {
        const std::optional<VerseLocator::Numbers> numbers = VerseLocator::numbers(locator);
        check(numbers && numbers->bookIndex && numbers->chapterIndex && numbers->verseIndex,
              "a hit's locator names no verse");
        const auto book = static_cast<std::size_t>(*numbers->bookIndex);
        const auto chapter = static_cast<std::size_t>(*numbers->chapterIndex);
        const auto verse = static_cast<std::size_t>(*numbers->verseIndex);
        check(book < translation.size() && chapter < translation[book].size() &&
                  verse < translation[book][chapter].praises.size(),
              "a hit's locator names a verse the translation does not hold");
    }

    // A few hits opened, each from a page of its own.
    for (std::size_t n = 0; n < hits.size() && n < 3; ++n) {
        OpenPages(settings).clearSearchHits();
        openSearch = true;
        page.openHit(static_cast<std::int64_t>(n));
        for (const std::string& pending : settings.foundSectionVerseAndPraiseArray()) {
            check(pending.empty() || VerseLocator::parse(pending).has_value(),
                  "an opened hit leaves a verse the tables do not hold");
        }
    }
    test.manualScheduler().runReady();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzing::initializeApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    run((data[0] & 1) != 0 ? BibleKind::en01 : BibleKind::kr01,
        fuzzing::inputParts(fuzzing::asText(data + 1, size - 1), 5));
    return 0;
}
