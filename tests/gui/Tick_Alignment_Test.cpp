#include "clock/Tick_Alignment.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

TEST(Tick_Alignment, Delay_Aims_Just_After_The_Next_Second_Boundary)
{
    const struct {
        int millisecond, delay;
    } cases[] = {
        {0, 1005}, {5, 1000}, {500, 505}, {990, 15}, {999, 6},
        {-20, 1005}, {1000, 6}, {65535, 6},  // out of range: clamped
    };
    for (const auto& c : cases)
        EXPECT_EQ(Milliseconds_To_Next_Tick(c.millisecond), c.delay) << c.millisecond;
}

TEST(Tick_Alignment, Tick_Second_Rounds_Down_Also_Before_The_Epoch)
{
    const struct {
        std::int64_t msecs, second;
    } cases[] = {{0, 0}, {999, 0}, {1000, 1}, {-1, -1}, {-1000, -1}, {-1001, -2}};
    for (const auto& c : cases)
        EXPECT_EQ(Tick_Second(c.msecs), c.second) << c.msecs;
}

TEST(Tick_Alignment, Only_A_Repeat_Of_The_Last_Handled_Second_Is_Skipped)
{
    const std::int64_t start = 1'796'644'800'000;  // a second boundary
    const struct {
        const char* what;
        std::optional<std::int64_t> last;
        std::int64_t now;
        bool handle;
        int delay;
    } cases[] = {
        {"first tick", std::nullopt, start + 300, true, 705},
        {"next second", start + 5, start + 1'004, true, 1001},
        {"early, same second", start + 5, start + 995, false, 10},
        {"late, next second", start + 5, start + 1'900, true, 105},
        {"clock set back an hour", start + 5, start - 3'600'000 + 5, true, 1000},
        {"clock set back within the second", start + 700, start + 200, false, 805},
    };
    for (const auto& c : cases) {
        const Tick_Decision decision = Decide_Tick(c.last, c.now);
        EXPECT_EQ(decision.handle, c.handle) << c.what;
        EXPECT_EQ(decision.delay_ms, c.delay) << c.what;
    }
}

// A single-shot timer that fires off its mark, with the tick's own work
// delaying the re-arm and now and then an event loop busy for most of a second.
struct Timer_Model {
    const char* name;
    double early_fraction;  // of the delay, as coarse timers may fire early
    double late_fraction;
    int max_work_ms;
    int max_stall_ms;
};

TEST(Tick_Alignment, Jittery_Timer_Handles_Every_Second_Exactly_Once)
{
    const Timer_Model models[] = {
        {"precise", 0.001, 0.001, 2, 0},
        {"coarse", 0.05, 0.05, 30, 0},
        {"coarse with stalls", 0.05, 0.05, 30, 850},
    };
    for (const auto& model : models) {
        SCOPED_TRACE(model.name);
        std::mt19937 random(20261207);
        std::uniform_real_distribution<double> jitter(-model.early_fraction, model.late_fraction);
        std::uniform_int_distribution<int> work(0, model.max_work_ms);
        std::uniform_int_distribution<int> stall(0, model.max_stall_ms);
        std::bernoulli_distribution stalls(0.01);

        std::int64_t now = 1'796'644'800'123;
        std::optional<std::int64_t> last_handled;
        std::vector<std::int64_t> handled_seconds;
        for (int tick = 0; tick < 200'000; ++tick) {
            const Tick_Decision decision = Decide_Tick(last_handled, now);
            if (decision.handle) {
                last_handled = now;
                handled_seconds.push_back(Tick_Second(now));
            }
            const double off_mark = decision.delay_ms * jitter(random);
            const int late_loop = stalls(random) ? stall(random) : 0;
            now += work(random) + decision.delay_ms + static_cast<std::int64_t>(off_mark) + late_loop;
        }

        ASSERT_GT(handled_seconds.size(), 150'000U);
        int faults = 0;
        for (std::size_t i = 1; i < handled_seconds.size() && faults < 5; ++i)
            if (handled_seconds[i] != handled_seconds[i - 1] + 1) {
                ++faults;
                ADD_FAILURE() << "second " << handled_seconds[i - 1] << " followed by " << handled_seconds[i];
            }
    }
}

TEST(Tick_Alignment, Precise_Timer_Lands_A_Few_Milliseconds_After_The_Boundary)
{
    std::int64_t now = 1'796'644'800'517;
    for (int tick = 0; tick < 1000; ++tick) {
        now += Decide_Tick(std::nullopt, now).delay_ms + (tick % 3) - 1;  // +-1 ms
        const std::int64_t millisecond = now - Tick_Second(now) * 1000;
        ASSERT_GE(millisecond, Tick_Lag_Milliseconds - 1);
        ASSERT_LE(millisecond, Tick_Lag_Milliseconds + 1);
    }
}

}  // namespace
