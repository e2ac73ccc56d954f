#include <chrono>
#include <functional>
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

enum class TInner_Loop { None, Told, Filtered };

// Messages of a loop that is not the program's own until `done`, or two
// seconds; a scroll bar's or a menu's loop passes each through the filter.
void Pump_Foreign_Until(const std::function<bool()>& done, bool filtered)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done() && std::chrono::steady_clock::now() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (filtered && CallMsgFilterW(&message, MSGF_SCROLLBAR))
                continue;
            DispatchMessageW(&message);
        }
    }
}

// Inside the program's own loop a watch calls back whether the loop waits
// itself or runs a loop of the system's (told of it, or seen through the
// message filter) inside.
TEST(Win32_Handle_Watcher, Calls_Back_In_The_Own_Loop_And_In_Loops_Inside_It)
{
    for (const TInner_Loop inner : {TInner_Loop::None, TInner_Loop::Told, TInner_Loop::Filtered}) {
        SCOPED_TRACE(static_cast<int>(inner));
        const HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        TWin32_Handle_Watcher watcher;
        int calls = 0;
        auto watch = watcher.Watch(reinterpret_cast<TWaitable_Handle>(event), [&] {
            ++calls;
            PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
        });
        {
            TOwn_Message_Loop own;
            if (inner == TInner_Loop::None) {
                // A timer message ends the wait if the call never comes.
                const UINT_PTR limit = SetTimer(nullptr, 0, 2000, nullptr);
                SetEvent(event);
                MSG message;
                while (calls == 0 && own.Get_Message(message) && message.message != WM_TIMER)
                    DispatchMessageW(&message);
                KillTimer(nullptr, limit);
            } else if (inner == TInner_Loop::Told) {
                const TForeign_Message_Loop foreign;
                SetEvent(event);
                Pump_Foreign_Until([&] { return calls > 0; }, false);
            } else {
                // Nobody waits for the event until the filter sees the loop.
                SetEvent(event);
                PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
                Pump_Foreign_Until([&] { return calls > 0; }, true);
            }
        }
        EXPECT_EQ(calls, 1);
        watch.reset();
        CloseHandle(event);
    }
}

}  // namespace
