#include "app/platform/Trace.h"
#include "testing/platform/TraceCapture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace lumenscroll {
namespace {

TEST(Trace, WritesUtf8LinesToStandardOutput) {
    testing::internal::CaptureStdout();
    trace(QString::fromUtf8("pageIndex 0 roles.count - 1 0"));
    trace("file is not exist");
    trace(std::string("창세기 1장"));
    std::fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "pageIndex 0 roles.count - 1 0\nfile is not exist\n창세기 1장\n");
}

TEST(Trace, ACaptureTakesTheLinesAndCapturesNest) {
    testing::internal::CaptureStdout();
    {
        TraceCapture outer;
        trace("one");
        {
            TraceCapture inner;
            trace("two");
            EXPECT_EQ(inner.lines(), QStringList{"two"});
        }
        trace("three");
        EXPECT_EQ(outer.lines(), (QStringList{"one", "three"}));
        EXPECT_TRUE(outer.contains("three"));
    }
    trace("four");
    std::fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "four\n");
}

} // namespace
} // namespace lumenscroll
