#include "app/platform/Binding.h"
#include "app/platform/ObjectWillChangePublisher.h"
#include "app/platform/Published.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumenscroll {
namespace {

class BindingTest : public testing::Test {
protected:
    ObjectWillChangePublisher owner;
    Published<std::vector<std::string>> notes{owner, {"first", "second"}};
    int announcements = 0;
    Subscription counting = owner.sink([this] { ++announcements; });
};

TEST_F(BindingTest, ConstantIgnoresWrites) {
    Binding<int> page = Binding<int>::constant(3);
    page.set(7);
    EXPECT_EQ(page(), 3);
}

TEST_F(BindingTest, WritesThroughToAPlainVariableOrAPublishedField) {
    bool shown = false;
    Binding<bool> toVariable = Binding<bool>::to(shown);
    toVariable.set(!toVariable());
    EXPECT_TRUE(shown);

    Binding<std::vector<std::string>> toField = Binding<std::vector<std::string>>::to(notes);
    toField.set({"only"});
    EXPECT_EQ(notes().size(), 1U);
    EXPECT_EQ(announcements, 1);
}

TEST_F(BindingTest, ElementOfAPublishedListChecksBounds) {
    Binding<std::string> second = Binding<std::string>::element(notes, 1, "none");
    Binding<std::string> missing = Binding<std::string>::element(notes, 2, "none");
    Binding<std::string> negative = Binding<std::string>::element(notes, -1, "none");

    EXPECT_EQ(second(), "second");
    EXPECT_EQ(missing(), "none");
    EXPECT_EQ(negative(), "none");

    second.set("changed");
    EXPECT_EQ(notes()[1], "changed");
    EXPECT_EQ(announcements, 1);

    // Outside the list a write changes nothing and announces nothing.
    missing.set("x");
    negative.set("x");
    EXPECT_EQ(notes(), (std::vector<std::string>{"first", "changed"}));
    EXPECT_EQ(announcements, 1);

    // The list shrinks under a live binding: it reads the fallback from then on.
    notes.set({});
    EXPECT_EQ(second(), "none");
    second.set("late");
    EXPECT_TRUE(notes().empty());
}

TEST_F(BindingTest, ElementOfABoundListChecksBounds) {
    std::vector<bool> flags{false, false};
    Binding<bool> first = Binding<bool>::element(Binding<std::vector<bool>>::to(flags), 0);
    Binding<bool> third = Binding<bool>::element(Binding<std::vector<bool>>::to(flags), 2, true);

    first.set(true);
    third.set(false);
    EXPECT_EQ(flags, (std::vector<bool>{true, false}));
    EXPECT_TRUE(first());
    EXPECT_TRUE(third());
}

} // namespace
} // namespace lumenscroll
