#pragma once

#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"
#include "app/reading/UserSettings.h"
#include "app/platform/Binding.h"
#include "app/platform/TestAppContext.h"
#include "app/shell/CarouselView.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace lumenscroll::testing {

// The built resources, when they hold the texts; empty otherwise.
QString builtResourceDirectory();

// A stored page as the last run saved it: no verse text, `verseCount` verses without marks.
BibleStructure storedPage(std::int64_t book, std::int64_t chapterIndex, BibleKind kind, int verseCount);

// What the start-up screen leaves behind: Genesis 1 of the Korean text as the only chapter of
// book 0 in BibleWordsContainer.
void loadStartUpChapter(UserSettings& settings, const AppContext& context);

void storePageList(const AppContext& context, const std::vector<BibleStructure>& pages);
void storeTexts(const AppContext& context, const std::vector<std::vector<BibleStructure>>& books);
// The page list the user defaults hold; none when nothing is stored or it does not decode.
std::optional<std::vector<BibleStructure>> storedPageList(const AppContext& context);

// The names of the page-state files, sorted.
QStringList pageStateFiles(const AppContext& context);
// The names of the files in Documents/Lumenscroll_QT, sorted.
QStringList backupFiles(const AppContext& context);
QByteArray backupBytes(const AppContext& context, const QString& name);

// A carousel over a test context with the built resources, its bindings to plain flags of its
// own; tests without the built texts are skipped.
class CarouselViewTestBase : public ::testing::Test {
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
    bool matched = false;
    bool isShrinked = false;
    bool plusBtnPressed = false;
    bool pagesRestored = false;
    std::unique_ptr<CarouselView> carousel;
};

} // namespace lumenscroll::testing
