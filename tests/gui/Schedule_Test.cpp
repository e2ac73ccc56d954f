#include "clock/Schedule.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using F = SayFrequency;
using S = SoundScheme;

struct Schedule_Case {
    F frequency;
    S scheme;
    unsigned hour, minute, second;
    bool due;
};

TEST(Schedule, Each_Rule_Fires_Only_At_Its_Minutes_And_Second_Zero)
{
    const Schedule_Case cases[] = {
        {F::EveryMinute, S::NormalSounds, 10, 7, 0, true},
        {F::EveryMinute, S::NormalSounds, 10, 7, 1, false},
        {F::Every5Minutes, S::NormalSounds, 10, 5, 0, true},
        {F::Every5Minutes, S::NormalSounds, 10, 5, 1, false},
        {F::Every5Minutes, S::NormalSounds, 10, 7, 0, false},
        {F::Every10Minutes, S::NormalSounds, 10, 50, 0, true},
        {F::Every10Minutes, S::NormalSounds, 10, 55, 0, false},
        {F::EveryQuarterHour, S::NormalSounds, 10, 45, 0, true},
        {F::EveryQuarterHour, S::NormalSounds, 10, 40, 0, false},
        {F::EveryHalfHour, S::NormalSounds, 10, 30, 0, true},
        {F::EveryHalfHour, S::NormalSounds, 10, 15, 0, false},
        {F::EveryHour, S::NormalSounds, 0, 0, 0, true},
        {F::EveryHour, S::NormalSounds, 12, 30, 0, false},
        {F::EveryHour, S::NormalSounds, 12, 0, 59, false},
        {F::KeepRepeating, S::NormalSounds, 10, 7, 33, true},
        {F::KeepRepeating, S::EightBells, 10, 7, 33, true},
        {F::Never, S::NormalSounds, 10, 0, 0, false},
        // The bells strike every full and half hour whatever the frequency ...
        {F::EveryHour, S::EightBells, 12, 30, 0, true},
        {F::Never, S::EightBells, 12, 30, 0, true},
        {F::Never, S::EightBells, 13, 0, 0, true},
        {F::Never, S::EightBells, 13, 0, 1, false},
        {F::Never, S::EightBells, 13, 15, 0, false},
        // ... and the selected frequency's own minutes as well.
        {F::EveryQuarterHour, S::EightBells, 13, 15, 0, true},
        {F::EveryQuarterHour, S::EightBells, 13, 20, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "frequency " << static_cast<int>(c.frequency) << " scheme "
                                        << static_cast<int>(c.scheme) << " at " << c.hour << ":" << c.minute
                                        << ":" << c.second);
        EXPECT_EQ(Announcement_Due(c.frequency, c.scheme, c.hour, c.minute, c.second), c.due);
    }
}

int Announcements_In_A_Day(F frequency, S scheme)
{
    int count = 0;
    for (unsigned hour = 0; hour < 24; ++hour)
        for (unsigned minute = 0; minute < 60; ++minute)
            for (unsigned second = 0; second < 60; ++second)
                count += Announcement_Due(frequency, scheme, hour, minute, second) ? 1 : 0;
    return count;
}

TEST(Schedule, A_Whole_Day_Announces_The_Expected_Number_Of_Times)
{
    const std::map<F, int> normal = {
        {F::Never, 0},           {F::EveryMinute, 1440},    {F::Every5Minutes, 288},
        {F::Every10Minutes, 144}, {F::EveryQuarterHour, 96}, {F::EveryHalfHour, 48},
        {F::EveryHour, 24},      {F::KeepRepeating, 86400},
    };
    for (const auto& [frequency, count] : normal)
        EXPECT_EQ(Announcements_In_A_Day(frequency, S::NormalSounds), count) << static_cast<int>(frequency);

    const std::map<F, int> bells = {
        {F::Never, 48},          {F::EveryMinute, 1440},    {F::Every5Minutes, 288},
        {F::Every10Minutes, 144}, {F::EveryQuarterHour, 96}, {F::EveryHalfHour, 48},
        {F::EveryHour, 48},      {F::KeepRepeating, 86400},
    };
    for (const auto& [frequency, count] : bells)
        EXPECT_EQ(Announcements_In_A_Day(frequency, S::EightBells), count) << static_cast<int>(frequency);
}

}  // namespace
