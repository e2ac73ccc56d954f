#include <string>

#include <gtest/gtest.h>

#include "Clock_Driver.h"

namespace {

// What a request to speak leads to while the clock has no sound output: the
// error box that says so, over the running clock.
void Expect_The_Clock_Tried_To_Speak(const TClock_Copy& clock)
{
    const HWND box = clock.Wait_For_Dialog(L"Horavox 1.0.0");
    ASSERT_NE(box, nullptr) << "the clock did not try to speak";
    EXPECT_TRUE(Static_Texts(box).starts_with(L"This copy of Horavox has no sound output.")) << Static_Texts(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(Wait_Until([&] { return !IsWindow(box); }));
}

TEST(Single_Clock, A_Second_Start_Raises_The_First_And_Ends)
{
    TClock_Copy clock;
    clock.Start();
    PostMessageW(clock.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(Wait_Until([&] { return IsIconic(clock.Main()) != FALSE; }));
    EXPECT_EQ(clock.Run_To_End(L""), 0u);
    EXPECT_TRUE(Wait_Until([&] { return !IsIconic(clock.Main()); }));
    EXPECT_FALSE(clock.Has_Ended(0ms));
}

TEST(Single_Clock, Say_Now_Speaks_Through_The_Running_Clock_Or_Starts_One)
{
    TClock_Copy clock;
    clock.Copy_Voice();
    clock.Start();
    clock.Ticked_Face();
    EXPECT_EQ(clock.Run_To_End(L"--say-now"), 0u);
    Expect_The_Clock_Tried_To_Speak(clock);
    clock.Close();

    // No clock runs: this start is the clock, and speaks at its first tick.
    clock.Start(L"--say-now");
    Expect_The_Clock_Tried_To_Speak(clock);
}

}  // namespace
