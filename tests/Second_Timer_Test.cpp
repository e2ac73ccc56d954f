#include "system/Second_Timer.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "support/Poll_Handle_Watcher.h"

namespace {

TEST(Second_Timer, A_Read_Is_A_Wake_On_An_Expiry_Or_A_Clock_Set_Not_When_Nothing_Was_Left)
{
    const struct {
        std::int64_t result;
        int error;
        bool wake;
    } reads[] = {
        {8, 0, true},
        {-1, ECANCELED, true},  // the clock was set: read it again
        {-1, EAGAIN, false},    // re-armed or stopped after it became readable
        {-1, EINTR, false},
    };
    for (const auto& read : reads)
        EXPECT_EQ(Second_Timer_Read_Is_Wake(read.result, read.error), read.wake) << read.result << " " << read.error;
}

// Seconds long past, so the timers are due at once and nothing waits for the clock.
constexpr std::int64_t Past = 1'000'000'000;
constexpr std::int64_t Far_Future = 100'000'000'000;

TEST(Second_Timer, Wakes_Once_Per_Arming_And_The_Latest_Aim_Counts)
{
    TPoll_Handle_Watcher loop;
    int wakes = 0;
    const auto timer = Make_System_Second_Timer(loop, [&] { ++wakes; });
    ASSERT_NE(timer, nullptr);
    ASSERT_TRUE(timer->Arm_At(Far_Future));
    ASSERT_TRUE(timer->Arm_At(Past));
    ASSERT_TRUE(loop.Run_Until([&] { return wakes > 0; }));
    EXPECT_EQ(wakes, 1);
    ASSERT_TRUE(timer->Arm_At(Past - 1));
    ASSERT_TRUE(loop.Run_Until([&] { return wakes > 1; }));
    EXPECT_EQ(wakes, 2);
    // One-shot: what was read is gone.
    loop.Run_Once();
    EXPECT_EQ(wakes, 2);
}

// Both timers are due together; whichever wakes first stops the other, whose
// expiry may already wait to be read in the same round of the event loop.
TEST(Second_Timer, A_Stopped_Timer_Does_Not_Wake_Even_When_It_Was_Due)
{
    TPoll_Handle_Watcher loop;
    int wakes = 0;
    std::unique_ptr<TSecond_Timer> timers[2];
    for (int index = 0; index < 2; ++index) {
        timers[index] = Make_System_Second_Timer(loop, [&, index] {
            ++wakes;
            timers[1 - index]->Stop();
        });
        ASSERT_NE(timers[index], nullptr);
    }
    for (const auto& timer : timers)
        ASSERT_TRUE(timer->Arm_At(Past));
    ASSERT_TRUE(loop.Run_Until([&] { return wakes > 0; }));
    for (int round = 0; round < 5; ++round)
        loop.Run_Once();
    EXPECT_EQ(wakes, 1);
}

}  // namespace
