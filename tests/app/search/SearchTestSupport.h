#pragma once

#include "app/model/BibleKind.h"
#include "app/reading/UserSettings.h"
#include "app/search/SearchBibleView.h"
#include "testing/platform/TestAppContext.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace lumenscroll::testing {

// The built resources, when they hold the whole Korean and English texts; empty otherwise.
QString builtTextDirectory();

// A book's text resource: every verse of the table as "c:v 말씀 c.v" except those given, keyed
// by chapter and verse, whose line is "c:v" followed by the given text (which brings its own
// leading blank). Lines end with `lineEnd`.
std::string bookText(std::int64_t book, const std::map<std::pair<int, int>, std::string>& verses,
                     const std::string& lineEnd = "\n");

// A search page of a reading page with index 0 and a search flag of its own, over a test
// context whose resources the test writes.
class SearchPageTest : public ::testing::Test {
protected:
    SearchPageTest();

    // Writes book `book`'s resource in translation `kind`.
    void addBook(BibleKind kind, std::int64_t book, const std::string& text);
    // Types `query` into the bar and submits it; the page's reactions run.
    void searchFor(const std::string& query);
    void settle() { test.manualScheduler().runReady(); }
    // The traced lines equal to `line`.
    qsizetype traced(const QString& line) { return test.traceCapture().lines().count(line); }

    TestAppContext test;
    UserSettings settings;
    std::int64_t pageIndex = 0;
    bool openSearch = true;
    std::unique_ptr<SearchBibleView> page;
};

} // namespace lumenscroll::testing
