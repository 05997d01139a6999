#include "app/reading/UserSettings.h"
#include "app/model/FontSizes.h"
#include "app/reading/BibleView.h"
#include "testing/platform/TestAppContext.h"

#include "ReadingTestSupport.h"

#include <QObject>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumenscroll {
namespace {

TEST(UserSettings, StartsWithNoPageAndPlaceholderTexts) {
    const UserSettings settings;
    EXPECT_TRUE(settings.roles->empty());
    EXPECT_TRUE(settings.selectedBibleArray->empty());
    EXPECT_EQ(settings.bookmarkArray.get(), (std::vector<std::vector<bool>>{{}}));
    ASSERT_EQ(settings.BibleWordsContainer->size(), 66u);
    ASSERT_EQ(settings.loadedBiblesArray->size(), 66u);
    for (const auto& book : settings.BibleWordsContainer.get()) {
        ASSERT_EQ(book.size(), 1u);
        EXPECT_EQ(book[0], BibleStructure{});
        EXPECT_EQ(book[0].order, -1);
    }
    EXPECT_EQ(settings.memoLoaded.get(), std::vector<bool>{false});
    EXPECT_EQ(settings.pickerIndex(), 2);
    EXPECT_EQ(fontSizeForIndex(settings.pickerIndex()), 14);
    // A stored choice outside the table reads as the default size.
    EXPECT_EQ(fontSizeForIndex(17), 14);
    EXPECT_EQ(fontSizeForIndex(-1), 14);
    EXPECT_EQ(settings.loadingSection(), "Loading...");
    EXPECT_EQ(settings.kindOfBible(), BibleKind::kr01);
    EXPECT_EQ(settings.currentlyProvidedBibleNumber(), 2);
    EXPECT_EQ(settings.bibleSectionCount(), 66);
    EXPECT_EQ(settings.currentBibleLanguage(), "kr");
    ASSERT_NE(settings.user(), nullptr);
    EXPECT_EQ(*settings.user(), User{});
}

TEST(UserSettings, EveryWriteNotifiesOnceBeforeTheChangeAndReadsNever) {
    TestAppContext app;
    UserSettings settings;
    testing::openPages(settings, app.context(), {testing::chapterRecord(0, 0, BibleKind::kr01, 3)});

    std::vector<std::string> wordSeenByNotification;
    int emitted = 0;
    Subscription listening = settings.publisher().sink(
        [&] { wordSeenByNotification.push_back(settings.selectedBibleArray()[0].praises[1].word); });
    QObject::connect(&settings, &ObservableObject::objectWillChange, [&] { ++emitted; });

    // Reads of every kind.
    (void)settings.selectedBibleArray()[0].praises[1].word;
    (void)settings.roles->size();
    (void)settings.BibleWordsContainer.get();
    (void)settings.user()->email;
    EXPECT_EQ(emitted, 0);

    // One verse deep inside the page list: one notification, sent while the old text stands.
    settings.selectedBibleArray.modify(testing::pageListKey(), [](std::vector<BibleStructure>& pages) {
        pages[0].praises[1].word = "changed";
    });
    EXPECT_EQ(wordSeenByNotification, std::vector<std::string>{"verse 2"});
    EXPECT_EQ(emitted, 1);

    // A whole new list, an equal value and a page value's own state are writes too.
    settings.selectedBibleArray.set(testing::pageListKey(), settings.selectedBibleArray());
    settings.pickerIndex.set(settings.pickerIndex());
    settings.roles.modify(testing::pageListKey(),
                          [](std::vector<BibleView>& views) { views[0].translateVersion = "KJV"; });
    EXPECT_EQ(emitted, 4);

    // n element changes one by one are n notifications.
    for (std::size_t i = 0; i < 3; ++i) {
        settings.bookmarkArray.modify(testing::pageListKey(),
                                      [](std::vector<std::vector<bool>>& rows) { rows[0].push_back(true); });
    }
    EXPECT_EQ(emitted, 7);

    // A change inside the shared user record is not a write of the field.
    settings.user()->loginned = true;
    EXPECT_EQ(emitted, 7);
}

TEST(UserSettings, ASinkSeesTheCurrentValueAndThenEveryValueAfterItIsStored) {
    UserSettings settings;
    std::vector<std::string> events;
    Subscription notified = settings.publisher().sink(
        [&] { events.push_back("will change from " + std::to_string(settings.pickerIndex())); });
    Subscription sunk = settings.pickerIndex.sink([&](const std::int64_t& value) {
        events.push_back("sink " + std::to_string(value) + " stored " +
                         std::to_string(settings.pickerIndex()));
    });
    settings.pickerIndex.set(5);
    settings.pickerIndex.modify([](std::int64_t& value) { value += 1; });
    EXPECT_EQ(events, (std::vector<std::string>{"sink 2 stored 2", "will change from 2", "sink 5 stored 5",
                                                "will change from 5", "sink 6 stored 6"}));
}

} // namespace
} // namespace lumenscroll
