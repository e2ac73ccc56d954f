#include "clock/Schedule.h"

#include <gtest/gtest.h>

namespace {

using F = SayFrequency;
using S = SoundScheme;

// A tick's time under a frequency and scheme, and whether the rule answers yes.
struct Tick_Case {
    F frequency;
    S scheme;
    unsigned hour, minute, second;
    bool due;
};

TEST(Schedule, Edge_Cases)
{
    const Tick_Case cases[] = {
        {F::Every5Minutes, S::NormalSounds, 10, 5, 0, true},   {F::Every5Minutes, S::NormalSounds, 10, 5, 1, false},
        {F::Every5Minutes, S::NormalSounds, 10, 7, 0, false},  {F::EveryHour, S::NormalSounds, 12, 30, 0, false},
        {F::EveryHour, S::EightBells, 12, 30, 0, true},        {F::Never, S::EightBells, 13, 0, 0, true},
        {F::Never, S::EightBells, 13, 0, 1, false},            {F::EveryQuarterHour, S::EightBells, 13, 15, 0, true},
        {F::KeepRepeating, S::NormalSounds, 10, 7, 33, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Announcement_Due(c.frequency, c.scheme, c.hour, c.minute, c.second), c.due)
            << static_cast<int>(c.frequency) << " " << c.hour << ":" << c.minute << ":" << c.second;
}

TEST(Schedule, Announcements_In_A_Whole_Day)
{
    const struct {
        F frequency;
        int normal, bells;
    } cases[] = {
        {F::Never, 0, 48},          {F::EveryMinute, 1440, 1440}, {F::Every5Minutes, 288, 288},
        {F::Every10Minutes, 144, 144}, {F::EveryQuarterHour, 96, 96}, {F::EveryHalfHour, 48, 48},
        {F::EveryHour, 24, 48},     {F::KeepRepeating, 86400, 86400},
    };
    for (const auto& c : cases)
        for (const auto& [scheme, expected] : {std::pair{S::NormalSounds, c.normal}, {S::EightBells, c.bells}}) {
            int count = 0;
            for (unsigned tick = 0; tick < 86400; ++tick)
                count += Announcement_Due(c.frequency, scheme, tick / 3600, tick / 60 % 60, tick % 60) ? 1 : 0;
            EXPECT_EQ(count, expected) << static_cast<int>(c.frequency) << " " << static_cast<int>(scheme);
        }
}

// The tick before each due one, and only that tick, readies the sound device:
// across the minute, the hour and midnight.
TEST(Schedule, Due_Next_Second_Is_The_Tick_Before_Each_Due_One)
{
    const Tick_Case cases[] = {
        {F::EveryMinute, S::NormalSounds, 10, 6, 59, true},  {F::EveryMinute, S::NormalSounds, 10, 7, 0, false},
        {F::EveryHour, S::NormalSounds, 23, 59, 59, true},   {F::EveryHour, S::NormalSounds, 0, 0, 0, false},
        {F::Never, S::EightBells, 12, 29, 59, true},         {F::Never, S::NormalSounds, 12, 29, 59, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Announcement_Due_Next_Second(c.frequency, c.scheme, c.hour, c.minute, c.second), c.due)
            << static_cast<int>(c.frequency) << " " << c.hour << ":" << c.minute << ":" << c.second;
}

}  // namespace
