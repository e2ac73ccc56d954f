#include <chrono>
#include <vector>

#include <windows.h>

#include <gtest/gtest.h>

#include "system/Second_Timer.h"
#include "win32/Win32_Handle_Watcher.h"

namespace {

void Pump_Messages_For(std::chrono::milliseconds span)
{
    const auto end = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
}

// Wakes come at the second itself, and one that was on its way when the
// timer stopped is dropped.
TEST(Second_Timer_Windows, Wakes_At_The_Aimed_Second_And_Not_After_A_Stop)
{
    std::vector<std::chrono::system_clock::time_point> wakes;
    TWin32_Handle_Watcher watcher;
    auto timer = Make_System_Second_Timer(watcher, [&] { wakes.push_back(std::chrono::system_clock::now()); });
    ASSERT_NE(timer, nullptr);
    const auto second = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()).time_since_epoch();
    ASSERT_TRUE(timer->Arm_At(second.count() + 1));
    Pump_Messages_For(std::chrono::milliseconds(1600));
    ASSERT_EQ(wakes.size(), 1u);
    const auto late = wakes[0] - std::chrono::system_clock::time_point(second + std::chrono::seconds(1));
    EXPECT_GE(late.count(), 0);
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(late).count(), 50);

    // A second already past wakes at once; stopped first, it does not.
    ASSERT_TRUE(timer->Arm_At(second.count()));
    Sleep(50);
    timer->Stop();
    Pump_Messages_For(std::chrono::milliseconds(200));
    EXPECT_EQ(wakes.size(), 1u);
}

// A handle that stays signalled calls back once per round of the message
// loop, not in a storm; a disabled watch does not call back at all.
TEST(Win32_Handle_Watcher, A_Signalled_Handle_Calls_Back_On_The_Watching_Thread_While_Enabled)
{
    const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    TWin32_Handle_Watcher watcher;
    int calls = 0;
    const DWORD thread = GetCurrentThreadId();
    bool on_this_thread = true;
    auto watch = watcher.Watch(reinterpret_cast<TWaitable_Handle>(event), [&] {
        ++calls;
        on_this_thread = on_this_thread && GetCurrentThreadId() == thread;
        ResetEvent(event);
    });
    Pump_Messages_For(std::chrono::milliseconds(50));
    EXPECT_EQ(calls, 0);
    SetEvent(event);
    Pump_Messages_For(std::chrono::milliseconds(100));
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(on_this_thread);

    watch->Set_Enabled(false);
    SetEvent(event);
    Pump_Messages_For(std::chrono::milliseconds(100));
    EXPECT_EQ(calls, 1);
    watch->Set_Enabled(true);
    Pump_Messages_For(std::chrono::milliseconds(100));
    EXPECT_EQ(calls, 2);
    watch.reset();
    CloseHandle(event);
}

}  // namespace
