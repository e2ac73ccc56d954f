#include <string>

#include <gtest/gtest.h>

#include "Clock_Driver.h"

namespace {

// That the clock speaks is heard on a sound server (clock_sound_server_test.sh);
// here, who answers which start.
TEST(Single_Clock, A_Second_Start_Raises_The_First_And_Ends)
{
    TClock_Copy clock;
    clock.Start();
    const HWND task_bar = GetWindow(clock.Main(), GW_OWNER);
    PostMessageW(clock.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(Wait_Until([&] { return IsIconic(task_bar) != FALSE; }));
    EXPECT_EQ(clock.Run_To_End(L""), 0u);
    EXPECT_TRUE(Wait_Until([&] { return !IsIconic(task_bar) && IsWindowVisible(clock.Main()); }));
    EXPECT_EQ(clock.Run_To_End(L"--say-now"), 0u);
    EXPECT_FALSE(clock.Has_Ended(0ms));
    clock.Close();

    // Once it has gone, the next start is the clock.
    clock.Start(L"--say-now");
    EXPECT_FALSE(clock.Has_Ended(500ms));
}

}  // namespace
