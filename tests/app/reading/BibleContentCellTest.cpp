// The verse row's behaviour: its text, its font and colours from the preferences, its
// highlight from the verse, and the font defaults it writes while pages are being built.

#include "app/reading/BibleContentCell.h"
#include "app/platform/ChangeWatchers.h"
#include "app/platform/SettingsStore.h"
#include "app/reading/BackgroundColors.h"
#include "app/reading/FontColors.h"
#include "app/reading/PageHandle.h"
#include "app/reading/UserSettings.h"
#include "testing/platform/TestAppContext.h"

#include "ReadingTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace lumenscroll {
namespace {

using testing::chapterRecord;
using testing::openPages;

class BibleContentCellTest : public ::testing::Test {
protected:
    void SetUp() override {
        openPages(settings, app.context(), {chapterRecord(0, 0, BibleKind::kr01, 3, "태초에")});
        reactions.observe(settings);
    }

    // Row `verse` of page `page`, as the verse list builds it.
    std::unique_ptr<BibleContentCell> makeCell(std::int64_t verse, std::int64_t page = 0) {
        return std::make_unique<BibleContentCell>(
            Binding<std::int64_t>::constant(page),
            PageHandle::followingRecord(settings, Binding<std::int64_t>::constant(page)),
            Binding<std::int64_t>::constant(verse),
            PageHandle(settings, page).binding(&BibleView::isSelectedArray2),
            PageEnvironment(settings, app.context()), 14, NamedColor::black, std::string(), 0,
            readingFontDisplayNames(), readingFontFileNames(), defaultBgColorArray(),
            defaultFontColorArray());
    }
    void setVerse(std::size_t verse, const std::function<void(BiblePraise&)>& change) {
        settings.selectedBibleArray.modify(testing::pageListKey(), [&](std::vector<BibleStructure>& pages) {
            change(pages[0].praises[verse]);
        });
    }
    SettingsStore& defaults() { return app.context().settings(); }

    TestAppContext app;
    UserSettings settings;
    ChangeWatchers reactions{app.manualScheduler()};
};

TEST_F(BibleContentCellTest, ShowsTheVerseNumberABlankAndTheText) {
    EXPECT_EQ(makeCell(0)->text(), "1 태초에 1");
    EXPECT_EQ(makeCell(2)->text(), "3 태초에 3");
    // Rows for verses or pages that are not there are empty.
    EXPECT_EQ(makeCell(3)->text(), std::nullopt);
    EXPECT_EQ(makeCell(-1)->text(), std::nullopt);
    EXPECT_EQ(makeCell(0, 1)->text(), std::nullopt);
    EXPECT_EQ(makeCell(0, 1)->verse(), nullptr);
}

TEST_F(BibleContentCellTest, TakesItsSizeFromTheOneSizeTable) {
    auto cell = makeCell(0);
    for (const auto& [choice, points] : std::vector<std::pair<std::int64_t, std::int64_t>>{
             {0, 10}, {2, 14}, {10, 30}, {11, 35}, {16, 60}, {17, 14}, {-1, 14}}) {
        settings.pickerIndex.set(choice);
        EXPECT_EQ(cell->fontSizeFromPicker(), points) << choice;
        EXPECT_EQ(cell->fontSize, points);
    }
}

TEST_F(BibleContentCellTest, DrawsTheFontThePreferencesChoseWheneverFontKindIsSet) {
    auto cell = makeCell(0);
    EXPECT_EQ(cell->shownFont(), std::nullopt);
    cell->fontKind = "BMDoHyeon";
    settings.pickerIndex3.set(7);
    ASSERT_TRUE(cell->shownFont());
    EXPECT_EQ(cell->shownFont()->fileName, "BMJUA");
    cell->fontFromPicker();
    EXPECT_EQ(cell->fontKind, "BMJUA");
}

TEST_F(BibleContentCellTest, AChoiceOrAHighlightOutsideItsListIsDrawnAsTheFirstEntry) {
    auto cell = makeCell(0);
    settings.pickerIndex2.set(4);
    cell->fontColorFromPicker();
    EXPECT_EQ(cell->fontColor, NamedColor::red);
    settings.pickerIndex2.set(13);
    cell->fontColorFromPicker();
    EXPECT_EQ(cell->fontColor, NamedColor::black);

    settings.pickerIndex3.set(16);
    cell->fontFromPicker();
    EXPECT_EQ(cell->fontKind, "BMDoHyeon");
    settings.pickerIndex3.set(-3);
    EXPECT_EQ(cell->shownFont()->fileName, "BMDoHyeon");

    cell->bgColor = 11;
    EXPECT_EQ(cell->shownBackground(), NamedColor::pink);
    cell->bgColor = 12;
    EXPECT_EQ(cell->shownBackground(), NamedColor::white);
    cell->bgColor = -1;
    EXPECT_EQ(cell->shownBackground(), NamedColor::white);
}

TEST_F(BibleContentCellTest, ShowsTheStoredHighlightFromItsFirstAppearanceAndFollowsItsChanges) {
    setVerse(1, [](BiblePraise& verse) { verse.bgColor = 4; });
    auto cell = makeCell(1);
    EXPECT_EQ(cell->bgColor, 0);
    int changes = 0;
    const Subscription counting = cell->onChange([&] { ++changes; });
    cell->appear(reactions);
    EXPECT_EQ(cell->bgColor, 4);
    EXPECT_EQ(cell->shownBackground(), NamedColor::gray);
    EXPECT_GT(changes, 0);

    // A highlight chosen while the row is shown recolours it after the action.
    setVerse(1, [](BiblePraise& verse) { verse.bgColor = 1; });
    EXPECT_EQ(cell->bgColor, 4);
    app.manualScheduler().runReady();
    EXPECT_EQ(cell->bgColor, 1);
    // Other verses' highlights are not this row's.
    setVerse(0, [](BiblePraise& verse) { verse.bgColor = 9; });
    app.manualScheduler().runReady();
    EXPECT_EQ(cell->bgColor, 1);
}

TEST_F(BibleContentCellTest, FollowsThePreferencesOnceOnScreen) {
    settings.pickerIndex.set(5);
    settings.pickerIndex2.set(1);
    settings.pickerIndex3.set(3);
    auto cell = makeCell(0);
    cell->appear(reactions);
    EXPECT_EQ(cell->fontSize, 20);
    EXPECT_EQ(cell->fontColor, NamedColor::blue);
    EXPECT_EQ(cell->fontKind, "BMEULJIROTTF");

    // At once: the preferences' own values.
    settings.pickerIndex.set(0);
    settings.pickerIndex2.set(11);
    settings.pickerIndex3.set(15);
    EXPECT_EQ(cell->fontSize, 10);
    EXPECT_EQ(cell->fontColor, NamedColor::white);
    EXPECT_EQ(cell->fontKind, "MaruBuriot-SemiBold");
}

TEST_F(BibleContentCellTest, FollowsTheSelection) {
    auto cell = makeCell(1);
    EXPECT_FALSE(cell->isSelected());
    settings.roles.modify(testing::pageListKey(), [](std::vector<BibleView>& views) {
        views[0].isSelectedArray2 = {false, true, false};
    });
    EXPECT_TRUE(cell->isSelected());
    settings.roles.modify(testing::pageListKey(),
                          [](std::vector<BibleView>& views) { views[0].isSelectedArray2 = {true}; });
    EXPECT_FALSE(cell->isSelected());
}

TEST_F(BibleContentCellTest, WritesTheMissingFontDefaultsWhilePagesAreBeingBuilt) {
    // As many page values as pages: nothing is read or written.
    auto cell = makeCell(0);
    cell->loadFontSettings();
    EXPECT_FALSE(defaults().hasValue("fontSize"));

    settings.selectedBibleArray.modify(testing::pageListKey(),
                                       [](std::vector<BibleStructure>& pages) { pages.emplace_back(); });
    settings.pickerIndex.set(9);
    settings.pickerIndex2.set(9);
    settings.pickerIndex3.set(9);
    cell->loadFontSettings();
    EXPECT_EQ(defaults().integer("fontSize"), 2);
    EXPECT_EQ(defaults().integer("fontColor"), 0);
    EXPECT_EQ(defaults().integer("font"), 0);
    EXPECT_EQ(settings.pickerIndex(), 2);
    EXPECT_EQ(settings.pickerIndex2(), 0);
    EXPECT_EQ(settings.pickerIndex3(), 0);
    EXPECT_EQ(cell->fontSize, 14);
    EXPECT_EQ(cell->fontColor, NamedColor::black);
    EXPECT_EQ(cell->fontKind, "BMDoHyeon");

    // Stored choices are taken over.
    defaults().setInteger("fontSize", 4);
    defaults().setInteger("fontColor", 2);
    defaults().setInteger("font", 12);
    cell->loadFontSettings();
    EXPECT_EQ(settings.pickerIndex(), 4);
    EXPECT_EQ(cell->fontSize, 18);
    EXPECT_EQ(cell->fontColor, NamedColor::brown);
    EXPECT_EQ(cell->fontKind, "godoMaum");
}

} // namespace
} // namespace lumenscroll
