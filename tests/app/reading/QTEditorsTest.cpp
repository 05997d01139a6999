// The note editors: the verse note follows every edit, "저장" marks the verse, the prompt reads
// the editor's own page, and a verse or page that is not there takes no write.

#include "app/reading/QTView.h"
#include "app/reading/QTViewForAPraise.h"
#include "app/reading/UserSettings.h"
#include "app/reading/Utils.h"
#include "testing/platform/TestAppContext.h"

#include "ReadingTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace lumenscroll {
namespace {

using testing::chapterRecord;

// Genesis 1 with 5 verses and John 3 with 4; the editor is on verse 3 of the first.
class QTEditors : public ::testing::Test {
protected:
    void SetUp() override {
        testing::openPages(settings, app.context(),
                           {chapterRecord(0, 0, BibleKind::kr01, 5), chapterRecord(42, 2, BibleKind::en01, 4)});
    }

    QTViewForAPraise editor(std::int64_t verse, std::int64_t page = 0) {
        return QTViewForAPraise(Binding<std::int64_t>::constant(verse), Binding<std::int64_t>::constant(page), "",
                                std::string(QTViewForAPraise::placeholderText), Binding<std::string>::to(note),
                                settings, readingFontDisplayNames(), readingFontFileNames(), {});
    }
    const BiblePraise& verse(std::size_t i) const { return settings.selectedBibleArray()[0].praises[i]; }
    void type(QTViewForAPraise& view, const std::string& text) {
        note = text;
        view.noteChanged();
    }

    TestAppContext app;
    UserSettings settings;
    std::string note;
};

TEST_F(QTEditors, EveryEditReachesTheVersesNoteAtOnceAnEmptyingOneIncluded) {
    // Every edit is a write to the page record like any other, announced, and one to the mark
    // book; a copy of the record made before keeps the note it had.
    const BibleStructure copy = settings.selectedBibleArray()[0];
    int announced = 0;
    const Subscription counting = settings.publisher().sink([&] { ++announced; });
    QTViewForAPraise view = editor(2);
    EXPECT_TRUE(view.isPlaceholderShown());
    type(view, "a");
    EXPECT_EQ(verse(2).memo->memoContent, "a");
    EXPECT_EQ(view.qtPlaceHolder, "");
    EXPECT_FALSE(view.isPlaceholderShown());
    // Same length, other text.
    type(view, "b");
    EXPECT_EQ(verse(2).memo->memoContent, "b");
    EXPECT_EQ(announced, 4);
    EXPECT_EQ(copy.praises[2].memo->memoContent, "");
    type(view, "");
    EXPECT_EQ(verse(2).memo->memoContent, "");
    EXPECT_EQ(view.qtPlaceHolder, QTViewForAPraise::placeholderText);
    EXPECT_TRUE(view.isPlaceholderShown());
    EXPECT_FALSE(verse(2).hasMemo);
    EXPECT_TRUE(app.traceCapture().contains(QStringLiteral("qtContent: b")));
}

TEST_F(QTEditors, SaveMarksTheVerseOnlyWhenTheNoteHasText) {
    QTViewForAPraise view = editor(2);
    view.saveNote();
    EXPECT_FALSE(verse(2).hasMemo);
    note = "묵상";
    view.saveNote();
    EXPECT_TRUE(verse(2).hasMemo);
    EXPECT_EQ(verse(2).memo->memoContent, "묵상");
}

TEST_F(QTEditors, AVerseOrPageThatIsNotThereTakesNoWrite) {
    const auto before = settings.selectedBibleArray();
    for (const auto& [verse, page] : {std::pair<std::int64_t, std::int64_t>{5, 0}, {-1, 0}, {0, 2}, {0, -1}}) {
        QTViewForAPraise view = editor(verse, page);
        type(view, "note");
        view.saveNote();
        EXPECT_FALSE(view.isPlaceholderShown());
    }
    EXPECT_EQ(settings.selectedBibleArray(), before);
}

TEST_F(QTEditors, ThePromptReadsTheEditorsOwnPageAndNeverStandsBehindText) {
    // The carousel shows the English page, which has no fifth verse.
    Utils::currentIndex = 1;
    EXPECT_TRUE(editor(4).isPlaceholderShown());
    Utils::currentIndex = -1;
    // A note handed in with text its verse does not hold yet.
    note = "이미 쓴 글";
    EXPECT_FALSE(editor(4).isPlaceholderShown());
}

TEST_F(QTEditors, TheNoteFontIsTheListsFirstUntilTheViewHasAFontOfItsOwn) {
    settings.pickerIndex3.set(7);
    QTViewForAPraise verseNote = editor(0);
    QTView chapterNote(Binding<std::int64_t>::constant(0), "", "", std::string(QTView::placeholderText), settings,
                       readingFontDisplayNames(), readingFontFileNames());
    EXPECT_EQ(verseNote.noteFont()->fileName, "BMDoHyeon");
    EXPECT_EQ(chapterNote.noteFont()->fileName, "BMDoHyeon");
    verseNote.fontKind = chapterNote.fontKind = "BMJUA";
    EXPECT_EQ(verseNote.noteFont()->fileName, "BMJUA");
    EXPECT_EQ(chapterNote.noteFont()->fileName, "BMJUA");
    settings.pickerIndex3.set(16);
    EXPECT_EQ(verseNote.noteFont()->fileName, "BMDoHyeon");
}

} // namespace
} // namespace lumenscroll
