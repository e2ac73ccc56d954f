#include "clock/Tick_Alignment.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const std::int64_t Boundary = 1'796'644'800'000;  // some second boundary

TEST(Tick_Alignment, Delay_Aims_Just_After_The_Next_Boundary)
{
    const int cases[][2] = {{0, 1000}, {500, 500}, {990, 10}, {999, 1}, {-20, 1000}, {1000, 1}};
    for (const auto& [millisecond, delay] : cases)
        EXPECT_EQ(Milliseconds_To_Next_Tick(millisecond), delay) << millisecond;
    EXPECT_EQ(Tick_Second(-1), -1);
}

TEST(Tick_Alignment, Only_A_Repeat_Of_The_Last_Handled_Second_Is_Skipped)
{
    const struct {
        std::optional<std::int64_t> last;
        std::int64_t now;
        bool handle;
        int delay;
        std::int64_t next_second;  // after Boundary's
    } cases[] = {
        {std::nullopt, Boundary + 300, true, 700, 1},
        {Boundary + 5, Boundary + 995, false, 5, 1},  // fired early
        {Boundary + 5, Boundary + 1'000, true, 1000, 2},  // on the second itself
        {Boundary + 5, Boundary + 1'900, true, 100, 2},
        {Boundary + 5, Boundary + 3'999, true, 1, 4},  // late: the next second, none skipped
        {Boundary + 5, Boundary - 3'600'000, true, 1000, -3599},  // clock set back
        {Boundary + 5, Boundary - 3'600'001, true, 1, -3600},
    };
    for (const auto& c : cases) {
        const Tick_Decision decision = Decide_Tick(c.last, c.now);
        EXPECT_EQ(decision.handle, c.handle) << c.now - Boundary;
        EXPECT_EQ(decision.delay_ms, c.delay) << c.now - Boundary;
        EXPECT_EQ(decision.next_second, Boundary / 1000 + c.next_second) << c.now - Boundary;
    }
    // Before the epoch the second read is rounded down, the next one is zero.
    EXPECT_EQ(Decide_Tick(std::nullopt, -1).next_second, 0);
}

// A single-shot timer that fires off its mark (coarse timers by up to 5%
// either way), re-armed after the tick's own work, with the event loop now
// and then busy for most of a second.
TEST(Tick_Alignment, Jittery_Timer_Handles_Every_Second_Exactly_Once)
{
    const struct {
        double off_mark;
        int max_work_ms, max_stall_ms;
    } timers[] = {{0.001, 2, 0}, {0.05, 30, 0}, {0.05, 30, 850}};
    for (const auto& timer : timers) {
        std::mt19937 random(20261207);
        std::uniform_real_distribution<double> off_mark(-timer.off_mark, timer.off_mark);
        std::uniform_int_distribution<int> work(0, timer.max_work_ms), stall(0, timer.max_stall_ms);
        std::bernoulli_distribution stalls(0.01);

        std::int64_t now = Boundary + 123;
        std::optional<std::int64_t> last_handled;
        int handled = 0;
        for (int tick = 0; tick < 200'000; ++tick) {
            const Tick_Decision decision = Decide_Tick(last_handled, now);
            if (decision.handle) {
                if (last_handled) {
                    ASSERT_EQ(Tick_Second(now), Tick_Second(*last_handled) + 1) << "max stall " << timer.max_stall_ms;
                }
                last_handled = now;
                ++handled;
            }
            now += work(random) + decision.delay_ms + static_cast<std::int64_t>(decision.delay_ms * off_mark(random))
                   + (stalls(random) ? stall(random) : 0);
        }
        // An early wake costs one more wake; coarse timers are early about half the time.
        EXPECT_GT(handled, 140'000);
    }
}

}  // namespace
