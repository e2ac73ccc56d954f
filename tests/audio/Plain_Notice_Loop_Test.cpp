#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "audio/Plain_Notice_Loop.h"

using namespace std::chrono_literals;

namespace {

// Notices come from the audio thread; the loop sleeps until one arrives.
TEST(Plain_Notice_Loop_Test, WorkPostedFromAnotherThreadWakesTheLoopAndRunsInOrder)
{
    TPlain_Notice_Loop loop;
    std::vector<int> ran;
    std::thread poster([&] {
        for (int i = 0; i < 3; ++i)
            loop.Post([&ran, i] { ran.push_back(i); });
    });
    EXPECT_TRUE(loop.Run_Until([&] { return ran.size() == 3; }, 60s));
    poster.join();
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
}

// The silence close: a due timer runs once; a stopped or restarted one does
// not run with its old work.
TEST(Plain_Notice_Loop_Test, TimerRunsOnceWhenDueAndNotAfterStop)
{
    TPlain_Notice_Loop loop;
    std::vector<std::string> ran;
    loop.Start_Timer(0ms, [&] { ran.push_back("first"); });
    loop.Start_Timer(0ms, [&] { ran.push_back("restarted"); });
    loop.Process_Messages();
    loop.Process_Messages();
    EXPECT_EQ(ran, (std::vector<std::string>{"restarted"}));

    loop.Start_Timer(0ms, [&] { ran.push_back("stopped"); });
    loop.Stop_Timer();
    loop.Process_Messages();
    EXPECT_FALSE(loop.Run_Until([&] { return ran.size() == 2; }, 0ms));
    EXPECT_EQ(ran.size(), 1u);
}

// An error raised by a completion notice ends the run with its text, and the
// notices after it still run, so the announcement is not left half played.
TEST(Plain_Notice_Loop_Test, FirstErrorIsKeptAndTheRestStillRun)
{
    TPlain_Notice_Loop loop;
    int ran = 0;
    loop.Post([] { throw std::runtime_error("No MCI device open"); });
    loop.Post([] { throw std::runtime_error("second"); });
    loop.Post([&] { ++ran; });
    loop.Process_Messages();
    EXPECT_EQ(ran, 1);
    const std::exception_ptr error = loop.Take_Error();
    ASSERT_TRUE(error);
    try {
        std::rethrow_exception(error);
    } catch (const std::runtime_error& raised) {
        EXPECT_STREQ(raised.what(), "No MCI device open");
    }
    EXPECT_FALSE(loop.Take_Error());
}

}  // namespace
