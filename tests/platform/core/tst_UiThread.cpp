#include "platform/core/UiThread.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(UiThread, TheFirstThreadPasses)
{
    ASSERT_UI_THREAD();
    SUCCEED();
}

#ifndef NDEBUG
TEST(UiThreadDeathTest, AnotherThreadStopsADebugBuild)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(std::thread([] { ASSERT_UI_THREAD(); }).join(), "off the user-interface thread");
}
#endif

} // namespace
