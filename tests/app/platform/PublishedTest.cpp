#include "app/platform/Published.h"
#include "app/platform/ObservableObject.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumenscroll {
namespace {

struct Verse {
    std::string word;
    bool selected = false;
};

struct Page {
    std::vector<Verse> verses;
};

// An owner of the kind UserSettings is: a QObject whose fields all report to it.
class Settings : public ObservableObject {
public:
    Published<int> count{*this, 0};
    Published<std::vector<Page>> pages{*this, {Page{{Verse{"a"}, Verse{"b"}}}}};
};

TEST(Published, EveryWriteAnnouncesOnceBeforeTheChangeAndReadsNothing) {
    Settings settings;
    std::vector<int> seenBeforeChange;
    Subscription listening = settings.publisher().sink([&] { seenBeforeChange.push_back(settings.count()); });
    int emitted = 0;
    QObject::connect(&settings, &ObservableObject::objectWillChange, [&] { ++emitted; });

    (void)settings.count.get();
    (void)settings.pages->size();
    EXPECT_TRUE(seenBeforeChange.empty());

    settings.count.set(5);
    settings.count.set(5); // equal value: still a write
    EXPECT_EQ(seenBeforeChange, (std::vector<int>{0, 5}));
    EXPECT_EQ(emitted, 2);
}

TEST(Published, AnInPlaceChangeOfAnyDepthIsOneAnnouncement) {
    Settings settings;
    int announcements = 0;
    Subscription listening = settings.publisher().sink([&] { ++announcements; });

    settings.pages.modify([](std::vector<Page>& pages) { pages[0].verses[1].word = "changed"; });
    EXPECT_EQ(announcements, 1);
    EXPECT_EQ(settings.pages()[0].verses[1].word, "changed");

    // One change per element is one announcement per element.
    for (std::size_t i = 0; i < settings.pages()[0].verses.size(); ++i) {
        settings.pages.modify([i](std::vector<Page>& pages) { pages[0].verses[i].selected = true; });
    }
    EXPECT_EQ(announcements, 3);

    const std::size_t returned = settings.pages.modify([](std::vector<Page>& pages) { return pages.size(); });
    EXPECT_EQ(returned, 1U);
    EXPECT_EQ(announcements, 4);
}

TEST(Published, SinkGetsTheCurrentValueAtOnceThenEveryStoredValue) {
    Settings settings;
    std::vector<std::string> events;
    Subscription announcements = settings.publisher().sink([&] { events.push_back("will change"); });
    Subscription values = settings.count.sink([&](const int& value) {
        // After the store: the field already holds what the sink is given.
        EXPECT_EQ(settings.count(), value);
        events.push_back("value " + std::to_string(value));
    });
    settings.count.set(1);
    settings.count.modify([](int& value) { value += 1; });

    EXPECT_EQ(events,
              (std::vector<std::string>{"value 0", "will change", "value 1", "will change", "value 2"}));
}

TEST(Published, EverySinkGetsThePublishedValueEvenWhenAnEarlierOneWritesTheField) {
    Settings settings;
    std::vector<int> seen;
    Subscription first = settings.count.sink([&](const int& value) {
        seen.push_back(value);
        if (value == 1)
            settings.count.set(0);
    });
    Subscription second = settings.count.sink([&](const int& value) { seen.push_back(value); });
    seen.clear();
    settings.count.set(1);
    // The reset is published too, after the first write reached both sinks.
    EXPECT_EQ(seen, (std::vector<int>{1, 0, 0, 1}));
}

TEST(Published, DroppingTheSubscriptionEndsDelivery) {
    Settings settings;
    std::vector<int> values;
    {
        Subscription subscription = settings.count.sink([&](const int& value) { values.push_back(value); });
        settings.count.set(1);
        Subscription moved = std::move(subscription);
        EXPECT_FALSE(subscription.isActive());
        settings.count.set(2);
    }
    settings.count.set(3);
    EXPECT_EQ(values, (std::vector<int>{0, 1, 2}));
}

TEST(Published, ASinkMayCancelItselfOrAnotherWhileBeingCalled) {
    Settings settings;
    std::vector<std::string> calls;
    Subscription second;
    Subscription first = settings.count.sink([&](const int& value) {
        calls.push_back("first " + std::to_string(value));
        if (value == 1) {
            first.cancel();
            second.cancel();
        }
    });
    second =
        settings.count.sink([&](const int& value) { calls.push_back("second " + std::to_string(value)); });
    settings.count.set(1);
    settings.count.set(2);
    EXPECT_EQ(calls, (std::vector<std::string>{"first 0", "second 0", "first 1"}));
}

TEST(Published, ASubscriptionOutlivingItsFieldIsHarmless) {
    Subscription survivor;
    {
        Settings settings;
        survivor = settings.count.sink([](const int&) {});
    }
    survivor.cancel();
    EXPECT_FALSE(survivor.isActive());
}

} // namespace
} // namespace lumenscroll
