#pragma once

#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"
#include "app/platform/Binding.h"
#include "app/reading/UserSettings.h"
#include "app/shell/CarouselView.h"
#include "testing/platform/TestAppContext.h"
#include "testing/reading/PageStateFileContents.h"
#include "testing/reading/StartUpChapter.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumenscroll::testing {

// The built resources, when they hold the texts; empty otherwise.
QString builtResourceDirectory();

// A stored page as the last run saved it: no verse text, `verseCount` verses without marks.
BibleStructure storedPage(std::int64_t book, std::int64_t chapterIndex, BibleKind kind, int verseCount);

void storePageList(const AppContext& context, const std::vector<BibleStructure>& pages);
// What the last run in `home` stored of its pages and, given, of its loaded texts, written as it
// wrote them.
void lastRunStored(const QString& home, const std::vector<BibleStructure>& pages,
                   const std::optional<QByteArray>& texts = {});
void storeTexts(const AppContext& context, const std::vector<std::vector<BibleStructure>>& books);
// The page list the user defaults hold; none when nothing is stored or it does not decode.
std::optional<std::vector<BibleStructure>> storedPageList(const AppContext& context);

// Writes `text` as the note of verse `verse` on page `page`, as its note editor does, and "저장".
void writeNote(UserSettings& settings, std::int64_t page, std::int64_t verse, std::string text);

// The names of the page-state files, sorted; no other file of their folder.
QStringList pageStateFiles(const AppContext& context);
// The names of the files in Documents/Lumenscroll_QT, sorted.
QStringList backupFiles(const AppContext& context);
QByteArray backupBytes(const AppContext& context, const QString& name);

// The creator's storage that a carousel's bindings refer to, as plain flags.
struct CarouselFlags {
    // A carousel over `settings` and `context`, bound to these flags.
    std::unique_ptr<CarouselView> makeCarousel(UserSettings& settings, AppContext& context);

    bool matched = false;
    bool isShrinked = false;
    bool plusBtnPressed = false;
    bool pagesRestored = false;
};

// The base of the carousel's tests: they read the built texts, and are skipped without them;
// and each test starts as a new process does, with no current page reported to the reading pages.
class CarouselTest : public ::testing::Test {
public:
    // What a new process starts from, of the state the carousel shares outside the shared state.
    static void startProcess();

protected:
    void SetUp() override;
};

// One run of the program, down to the page carousel, in a home that outlives it: a context over
// the home's Documents folder and settings file as the last run left them, read anew, with
// `resources` as its resource folder; the shared state with the start-up chapter loaded; and
// the carousel, on screen and restored, with an Option key held when `optionKeyDown`.
class Launch : public CarouselFlags {
public:
    Launch(const QString& home, const QString& resources, bool optionKeyDown = false);

    AppContext& context() { return test->context(); }
    const std::vector<BibleStructure>& pages() const { return settings.selectedBibleArray(); }
    // The page value of open page `index`, to act on it as the user does.
    BibleView page(std::int64_t index) const { return settings.roles().at(static_cast<std::size_t>(index)); }
    QStringList errors() const;

    std::unique_ptr<TestAppContext> test;
    UserSettings settings;
    std::unique_ptr<CarouselView> carousel;
};

// A carousel over a test context with the built resources, its bindings to plain flags of its
// own; tests without the built texts are skipped.
class CarouselViewTestBase : public CarouselTest, protected CarouselFlags {
protected:
    CarouselViewTestBase();
    void SetUp() override;

    void settle() { test.manualScheduler().runReady(); }
    // A carousel of its own over `settings`, as a second main view would make one.
    std::unique_ptr<CarouselView> makeCarousel(UserSettings& over);
    // Restores the given pages as the last run stored them.
    void restore(const std::vector<BibleStructure>& pages);
    // The traced lines that begin with "error ".
    QStringList errors();

    TestAppContext test;
    UserSettings settings;
    std::unique_ptr<CarouselView> carousel;
};

} // namespace lumenscroll::testing
