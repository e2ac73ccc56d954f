#include "system/Termination_Signals.h"

#include <gtest/gtest.h>

#include <csignal>

#include "support/Poll_Handle_Watcher.h"

namespace {

TEST(Termination_Watch, A_Termination_Signal_Asks_The_Window_To_Close_On_The_Event_Loop)
{
    for (int signal_number : {SIGTERM, SIGHUP, SIGINT}) {
        TPoll_Handle_Watcher loop;
        int close_requests = 0;
        int ends = 0;
        TTermination_Watch watch(loop, [&] { ++close_requests; }, [&] { ++ends; });
        std::raise(signal_number);
        EXPECT_EQ(close_requests, 0) << "never inside the signal handler";
        EXPECT_TRUE(loop.Run_Until([&] { return close_requests > 0; }));
        EXPECT_EQ(close_requests, 1) << "signal " << signal_number;
        EXPECT_EQ(ends, 0) << "a close that returns ends nothing by itself";
    }
}

// A window whose save fails: its error box runs a nested event loop, in which
// the session may signal again, and the window stays open.
TEST(Termination_Watch, A_Signal_While_A_Failed_Close_Waits_On_The_User_Ends_The_Program_Once_Answered)
{
    for (int signals_while_box_open : {0, 1, 2}) {
        TPoll_Handle_Watcher loop;
        int close_attempts = 0;
        int ends = 0;
        const auto close_with_failed_save = [&] {
            ++close_attempts;
            for (int i = 0; i < signals_while_box_open; ++i)
                std::raise(SIGTERM);
            // The box's event loop, until the user answers.
            for (int i = 0; i < 5; ++i)
                loop.Run_Once();
        };
        TTermination_Watch watch(loop, close_with_failed_save, [&] { ++ends; });
        std::raise(SIGTERM);
        EXPECT_TRUE(loop.Run_Until([&] { return close_attempts > 0; }));
        loop.Run_Once();
        EXPECT_EQ(close_attempts, 1) << signals_while_box_open << " more signals";
        EXPECT_EQ(ends, signals_while_box_open > 0 ? 1 : 0) << signals_while_box_open << " more signals";
    }
}

}  // namespace
