#include "app/shell/SplashView.h"

#include "app/model/BibleBook.h"
#include "app/model/BibleStructureBuilder.h"
#include "app/model/LanguageCode.h"
#include "app/platform/AppContext.h"
#include "app/reading/BibleView.h"
#include "app/reading/ChapterText.h"
#include "app/reading/TextResource.h"
#include "app/reading/UserSettings.h"
#include "app/shell/MainView.h"

#include <cstddef>
#include <string_view>

namespace lumenscroll {

SplashView::SplashView(UserSettings& userSettings, AppContext& context, MoviePlayer& player,
                       Binding<bool> pagesRestored)
    : userSettings(userSettings)
    , titlePhotoArray(*this, BibleView::defaultTitlePhotoArray())
    , player(player, context, movieName, movieType)
    , context_(context)
    , pagesRestored_(std::move(pagesRestored)) {}

SplashView::~SplashView() = default;

void SplashView::appear() {
    if (appeared_) {
        return;
    }
    appeared_ = true;
    // The movie first: a start-up that goes on at once pauses it again.
    startIntroMovie();
    startAfterDelay();
}

void SplashView::startIntroMovie() {
    player.start();
}

void SplashView::startAfterDelay() {
    bibleSectionCount.set(userSettings.bibleSectionCount());
    if (isTextLoaded()) {
        player.pause();
        showIndicator.set(false);
        showMain();
        return;
    }
    context_.scheduler().postAfter(this, startupDelay, [this] { finishStartup(); });
}

void SplashView::finishStartup() {
    showIndicator.set(true);
    userSettings.BibleWordsContainer.modify([](std::vector<std::vector<BibleStructure>>& books) {
        if (!books.empty()) {
            books.front().clear();
        }
    });
    loadBibleText(0, 1);
    player.pause();
    showIndicator.set(false);
    showMain();
}

void SplashView::loadBibleText(std::int64_t bookIndex, std::int64_t chapter) {
    selectedBible.modify([&](BibleStructure& record) {
        record.sectionIndex = bookIndex;
        record.praises.clear();
    });
    const std::optional<BibleBook> book = bibleBookFromRaw(bookIndex);
    if (!book) {
        return;
    }

    // Always the Korean text, whatever the pages show; its lines end with a line feed alone.
    std::vector<BiblePraise> verses;
    const std::optional<std::string> text =
        TextResource::read(context_, TextResource::name(BibleKind::kr01, bookIndex));
    if (text) {
        verses = ChapterText::chapterVerses(*text, BibleKind::kr01, *book, chapter);
    }
    selectedBible.modify([&](BibleStructure& record) { record.praises = verses; });

    // A chapter the book does not have is no chapter to keep.
    const auto entry = static_cast<std::size_t>(bookIndex);
    const auto& books = userSettings.BibleWordsContainer();
    if (chapter < 1 || chapter > chaptersPerBook()[entry] || entry >= books.size() ||
        static_cast<std::int64_t>(books[entry].size()) >= chaptersPerBook()[entry]) {
        return;
    }
    BibleStructure record = BibleStructureBuilder(*book, BibleKind::kr01)
                                .chapterNumber(chapter)
                                .nameIn(userSettings.currentBibleLanguage())
                                // Only a page's record names its book in sectionIndex.
                                .sectionIndex(0)
                                .verses(std::move(verses))
                                .build();
    userSettings.BibleWordsContainer.modify(
        [&](std::vector<std::vector<BibleStructure>>& container) { container[entry].push_back(std::move(record)); });
    userSettings.loadedBibleWordsContainers.modify(
        [&](std::map<std::string, std::vector<std::vector<BibleStructure>>>& loaded) {
            loaded[std::string(koreanLanguageCode)] = userSettings.BibleWordsContainer();
        });
}

bool SplashView::isTextLoaded() const {
    const auto& books = userSettings.BibleWordsContainer();
    return !books.empty() && !books.front().empty() && !books.front().front().name.empty();
}

void SplashView::showMain() {
    if (!mainView_) {
        mainView_ = std::make_unique<MainView>(userSettings, context_, pagesRestored_);
    }
    // Hidden behind the main view for the rest of the run: the movie is let go of.
    player.unload();
    goToMain.set(true);
}

} // namespace lumenscroll
