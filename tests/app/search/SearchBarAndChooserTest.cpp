#include "app/model/BibleStructure.h"
#include "app/reading/UserSettings.h"
#include "app/search/KindOfBibleSearchView.h"
#include "app/search/SearchBar.h"
#include "testing/platform/TestAppContext.h"

#include <gtest/gtest.h>

#include <string>

namespace lumenscroll {
namespace {

class SearchBarTest : public ::testing::Test {
protected:
    UserSettings settings;
    std::string text;
    bool findBtn = false;
    bool clicked = false;
    std::string searched = "earlier";
    BibleKind kind = BibleKind::kr01;
    bool chooserShown = false;
    // Last: it binds to the fields above.
    SearchBar bar{Binding<std::string>::to(text),
                  Binding<bool>::to(findBtn),
                  Binding<bool>::to(clicked),
                  Binding<std::string>::to(searched),
                  Binding<BibleKind>::to(kind),
                  Binding<bool>::to(chooserShown),
                  settings};
};

TEST_F(SearchBarTest, StartingASearchRaisesBothFlagsAndCopiesTheQueryEvenAnEmptyOne) {
    bar.startSearch();
    EXPECT_TRUE(findBtn);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(searched, "");
    text = "믿음";
    bar.startSearch();
    EXPECT_EQ(searched, "믿음");
}

TEST_F(SearchBarTest, TheLabelNamesTheTranslationAndATapOnlyOpensTheChooser) {
    const std::pair<BibleKind, std::string> labels[] = {{BibleKind::kr01, "개역한글"},
                                                        {BibleKind::en01, "KJV"},
                                                        {BibleKind::kr02, "개역개정"},
                                                        {BibleKind::en03, "NIV"}};
    for (const auto& [shown, label] : labels) {
        kind = shown;
        EXPECT_EQ(bar.label(), label);
    }
    bar.openChooser();
    EXPECT_TRUE(chooserShown);
    EXPECT_FALSE(findBtn);
    EXPECT_EQ(kind, BibleKind::en03);
}

class ChooserTest : public ::testing::Test {
protected:
    ChooserTest() {
        record.order = 7;
        record.versesIndex = 3;
        record.name = "출애굽기";
    }

    KindOfBibleSearchView chooser() {
        return KindOfBibleSearchView(Binding<bool>::to(shown), Binding<BibleStructure>::to(record), 0, 0, 0,
                                     Binding<std::int64_t>::to(praise), Binding<bool>::to(selected),
                                     Binding<BibleKind>::to(kind), settings);
    }

    UserSettings settings;
    bool shown = true;
    BibleStructure record;
    std::int64_t praise = 4;
    bool selected = false;
    BibleKind kind = BibleKind::kr01;
};

TEST_F(ChooserTest, ListsTheProvidedTranslationsNeverMoreThanThereAreKinds) {
    EXPECT_EQ(chooser().rowCount(), 2);
    EXPECT_EQ(KindOfBibleSearchView::rowLabel(0), "개역한글");
    EXPECT_EQ(KindOfBibleSearchView::rowLabel(1), "KJV");
    settings.currentlyProvidedBibleNumber.set(9);
    EXPECT_EQ(chooser().rowCount(), 7);
    EXPECT_EQ(KindOfBibleSearchView::rowLabel(6), "NIV");
    settings.currentlyProvidedBibleNumber.set(-1);
    EXPECT_EQ(chooser().rowCount(), 0);
}

TEST_F(ChooserTest, ChoosingARowSetsTheKindClosesAndResetsOnlyTheRecordsBook) {
    chooser().choose(1);
    EXPECT_EQ(kind, BibleKind::en01);
    EXPECT_FALSE(shown);
    EXPECT_EQ(record.order, 0);
    EXPECT_EQ(record.versesIndex, 3);
    EXPECT_EQ(record.name, "출애굽기");
    EXPECT_EQ(praise, 4);
    EXPECT_FALSE(selected);

    // A row that is not listed does nothing; the close button only clears the flag.
    shown = true;
    chooser().choose(2);
    EXPECT_EQ(kind, BibleKind::en01);
    EXPECT_TRUE(shown);
    chooser().close();
    EXPECT_FALSE(shown);
    EXPECT_EQ(kind, BibleKind::en01);
}

} // namespace
} // namespace lumenscroll
