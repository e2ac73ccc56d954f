#include "clock/Schedule.h"
#include "settings/Time_Of_Day.h"

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

ClockSettings Quiet(bool on, const char* start, const char* end)
{
    ClockSettings settings = Default_Settings("/");
    settings.Quiet_Hours_Option = on;
    settings.Quiet_Hours_Start = *Parse_Time_Of_Day(start);
    settings.Quiet_Hours_End = *Parse_Time_Of_Day(end);
    return settings;
}

// The start minute is quiet, the end minute speaks again.
TEST(Schedule, Quiet_Hours)
{
    const struct {
        bool on;
        const char *start, *end, *now;
        bool quiet;
    } cases[] = {
        {true, "22:00", "07:00", "21:59", false}, {true, "22:00", "07:00", "22:00", true},
        {true, "22:00", "07:00", "23:59", true},  {true, "22:00", "07:00", "00:00", true},
        {true, "22:00", "07:00", "06:59", true},  {true, "22:00", "07:00", "07:00", false},
        {true, "22:00", "07:00", "12:00", false}, {true, "13:00", "14:30", "12:59", false},
        {true, "13:00", "14:30", "13:00", true},  {true, "13:00", "14:30", "14:29", true},
        {true, "13:00", "14:30", "14:30", false}, {true, "00:00", "00:01", "00:00", true},
        {true, "00:00", "00:01", "23:59", false}, {true, "23:59", "00:00", "23:59", true},
        {true, "23:59", "00:00", "00:00", false}, {true, "08:00", "08:00", "08:00", false},
        {true, "08:00", "08:00", "03:00", false}, {false, "22:00", "07:00", "23:00", false},
    };
    for (const auto& c : cases) {
        const int now = *Parse_Time_Of_Day(c.now);
        EXPECT_EQ(In_Quiet_Hours(Quiet(c.on, c.start, c.end), now / 60, now % 60), c.quiet)
            << (c.on ? "" : "off ") << c.start << "-" << c.end << " at " << c.now;
    }
}

// Every automatic announcement is held back, bells and KeepRepeating too,
// and the device is not readied for one.
TEST(Schedule, Quiet_Hours_Hold_Back_Every_Automatic_Announcement)
{
    ClockSettings settings = Quiet(true, "22:00", "07:00");
    for (const auto frequency : {F::EveryMinute, F::EveryHour, F::KeepRepeating, F::Never})
        for (const auto scheme : {S::NormalSounds, S::EightBells}) {
            Select_Say_Frequency(settings, frequency);
            Select_Sound_Scheme(settings, scheme);
            int quiet_count = 0, day_count = 0;
            for (unsigned tick = 0; tick < 86400; ++tick) {
                const bool due = Automatic_Announcement_Due(settings, tick / 3600, tick / 60 % 60, tick % 60);
                (tick >= 7 * 3600 && tick < 22 * 3600 ? day_count : quiet_count) += due ? 1 : 0;
            }
            EXPECT_EQ(quiet_count, 0) << static_cast<int>(frequency) << " " << static_cast<int>(scheme);
            EXPECT_EQ(day_count > 0, frequency != F::Never || scheme == S::EightBells);
        }
    Select_Say_Frequency(settings, F::EveryHour);
    EXPECT_FALSE(Automatic_Announcement_Due_Next_Second(settings, 21, 59, 59));
    EXPECT_TRUE(Automatic_Announcement_Due_Next_Second(settings, 6, 59, 59));
}

}  // namespace
