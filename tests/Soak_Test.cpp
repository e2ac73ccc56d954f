// KeepRepeating for hours of injected time on fake sound: an announcement at
// every tick the clock is free. After each one the clock is free again,
// nothing sounds or waits, and the live allocations stay within what the
// first hour needed. The suite runs two hours (00:00 to 00:59, then 12:00 to
// 12:59, which say the same words); HORAVOX_SOAK_HOURS=24 runs a day, best
// under the sanitizers (build-asan).
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "support/Announcement_Engine_Rig.h"

namespace {

std::atomic<long> Live_Allocations{0};

}  // namespace

// Counted for the whole test program; nothing else depends on them.
void* operator new(std::size_t size)
{
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr)
        throw std::bad_alloc();
    ++Live_Allocations;
    return block;
}

void operator delete(void* block) noexcept
{
    if (block == nullptr)
        return;
    --Live_Allocations;
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace {

TEST(Soak, Keep_Repeating_Returns_To_Idle_After_Every_Announcement_And_Does_Not_Grow)
{
    const char* hours_text = std::getenv("HORAVOX_SOAK_HOURS");
    const int hours = hours_text ? std::max(2, std::atoi(hours_text)) : 2;

    TAnnouncement_Engine_Rig rig;
    for (int number = 0; number < 60; ++number)
        rig.Sound_Dir.Write(std::to_string(number) + ".WAV");
    TAnnouncement_Engine_Rig::Write_Words(rig.Sound_Dir, {"AM", "PM", "PREFIX1", "PREFIX2", "SUFFIX1", "SUFFIX2"});
    Select_Say_Frequency(rig.Settings, SayFrequency::KeepRepeating);
    Select_Prefix_Suffix_Mode(rig.Settings, PrefixSuffixMode::Random);
    const PlayMethod methods[] = {PlayMethod::Sequential, PlayMethod::Optimised, PlayMethod::Fastest};

    long first_hour_peak = 0;
    long announcements = 0;
    for (int hour_index = 0; hour_index < hours; ++hour_index) {
        // 0, 12, 0, 12 ...: every hour says what the first one said.
        const int hour = hour_index % 2 == 0 ? 0 : 12;
        for (int second_of_hour = 0; second_of_hour < 3600; ++second_of_hour) {
            ASSERT_TRUE(rig.Host.Is_Idle()) << "hour " << hour_index << " second " << second_of_hour;
            Select_Play_Method(rig.Settings, methods[second_of_hour % 3]);
            rig.Engine.Say_Time(hour, second_of_hour / 60);
            rig.Sounds.Play_Out();
            ++announcements;
            ASSERT_TRUE(rig.Host.Is_Idle()) << "hour " << hour_index << " second " << second_of_hour;
            ASSERT_EQ(rig.Sounds.Queued_Notices(), 0u);
            for (int slot = 1; slot <= Slot_Count; ++slot)
                ASSERT_FALSE(rig.Sounds.Slot(slot).Is_Playing()) << slot;
            rig.Sounds.Log.clear();
            const long live = Live_Allocations.load();
            if (hour_index == 0)
                first_hour_peak = std::max(first_hour_peak, live);
            else
                ASSERT_LE(live, first_hour_peak) << "hour " << hour_index << " second " << second_of_hour;
        }
    }
    EXPECT_EQ(announcements, hours * 3600L);
    EXPECT_TRUE(rig.Host.Error_Boxes.empty());
}

}  // namespace
