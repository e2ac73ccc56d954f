#include "engine/Compose_Spoken_Time.h"

#include <gtest/gtest.h>

#include <array>

#include "support/Temp_Dir.h"
#include "util/Horavox_Error.h"

namespace {

class Compose_Spoken_Time_Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Write("PREFIX.WAV");
        dir.Write("SUFFIX.WAV");
    }
    ClockSettings Settings(ClockFormat format, SoundScheme scheme = SoundScheme::NormalSounds,
                           PrefixSuffixMode mode = PrefixSuffixMode::Fixed) const
    {
        ClockSettings settings = Default_Settings(dir.Dir());
        Select_Clock_Format(settings, format);
        Select_Sound_Scheme(settings, scheme);
        Select_Prefix_Suffix_Mode(settings, mode);
        return settings;
    }
    TTemp_Dir dir;
    TSeeded_Random random{3};
};

} // namespace

TEST_F(Compose_Spoken_Time_Test, Speaks_The_Documented_Words)
{
    struct Case {
        ClockFormat format;
        int hour, minute;
        std::array<const char*, 5> words;  // hour 1, hour 2, minute 1, minute 2, AM/PM
    };
    const auto twelve = ClockFormat::TwelveHour;
    const auto twenty_four = ClockFormat::TwentyFourHour;
    const std::vector<Case> cases{
        {twelve, 0, 0, {"12", "", "", "", "AM"}},
        {twelve, 0, 5, {"12", "", "0", "5", "AM"}},
        {twelve, 9, 15, {"9", "", "15", "", "AM"}},
        {twelve, 10, 20, {"10", "", "20", "", "AM"}},
        {twelve, 10, 21, {"10", "", "20", "1", "AM"}},
        {twelve, 11, 59, {"11", "", "50", "9", "AM"}},
        {twelve, 12, 0, {"12", "", "", "", "PM"}},
        {twelve, 12, 12, {"12", "", "12", "", "PM"}},
        {twelve, 12, 30, {"12", "", "30", "", "PM"}},
        {twelve, 13, 7, {"1", "", "0", "7", "PM"}},
        {twelve, 23, 45, {"11", "", "40", "5", "PM"}},
        {twenty_four, 0, 0, {"0", "", "", "", ""}},
        {twenty_four, 0, 9, {"0", "", "0", "9", ""}},
        {twenty_four, 12, 0, {"12", "", "", "", ""}},
        {twenty_four, 20, 0, {"20", "", "", "", ""}},
        {twenty_four, 20, 20, {"20", "", "20", "", ""}},
        {twenty_four, 21, 0, {"20", "1", "", "", ""}},
        {twenty_four, 23, 40, {"20", "3", "40", "", ""}},
        {twenty_four, 23, 59, {"20", "3", "50", "9", ""}},
    };
    for (const auto& c : cases) {
        const SpokenTime expected{"PREFIX.WAV", c.words[0], c.words[1], c.words[2], c.words[3], c.words[4],
                                  "SUFFIX.WAV"};
        EXPECT_EQ(Compose_Spoken_Time(c.hour, c.minute, Settings(c.format), random), expected)
            << c.hour << ":" << c.minute << (c.format == twelve ? " 12-hour" : " 24-hour");
    }
}

TEST_F(Compose_Spoken_Time_Test, Eight_Bells_Ring_The_Documented_Counts)
{
    struct Case {
        int hour, minute;
        std::array<const char*, 4> words;
    };
    const std::vector<Case> cases{
        {0, 0, {"dingding", "dingding", "dingding", "dingding"}},
        {4, 0, {"dingding", "dingding", "dingding", "dingding"}},
        {0, 30, {"", "", "ding", ""}},
        {12, 30, {"", "", "ding", ""}},
        {1, 50, {"dingding", "", "", ""}},
        {2, 44, {"dingding", "dingding", "ding", ""}},
        {2, 45, {"dingding", "dingding", "", ""}},
        {15, 15, {"dingding", "dingding", "dingding", "ding"}},
    };
    for (auto format : {ClockFormat::TwelveHour, ClockFormat::TwentyFourHour})
        for (auto mode : {PrefixSuffixMode::Fixed, PrefixSuffixMode::Random, PrefixSuffixMode::RandomWithBlank,
                          PrefixSuffixMode::None})
            for (const auto& c : cases) {
                const SpokenTime expected{"", c.words[0], c.words[1], c.words[2], c.words[3], "", ""};
                EXPECT_EQ(Compose_Spoken_Time(c.hour, c.minute, Settings(format, SoundScheme::EightBells, mode), random),
                          expected)
                    << c.hour << ":" << c.minute;
            }
}

TEST_F(Compose_Spoken_Time_Test, Eight_Bells_Count_Right_At_Every_Minute)
{
    // Ship's bells: one more for each half hour of a four-hour watch, eight at its end.
    auto expected_bells = [](int hour, int minute) {
        const bool half_hour = minute >= 15 && minute < 45;
        const int half_hours_into_watch = (hour % 4) * 2 + (half_hour ? 1 : 0);
        return half_hours_into_watch == 0 ? 8 : half_hours_into_watch;
    };
    for (auto format : {ClockFormat::TwelveHour, ClockFormat::TwentyFourHour}) {
        const ClockSettings settings = Settings(format, SoundScheme::EightBells);
        for (int hour = 0; hour < 24; ++hour)
            for (int minute = 0; minute < 60; ++minute) {
                const SpokenTime s = Compose_Spoken_Time(hour, minute, settings, random);
                int bells = 0;
                bool single_seen = false;
                for (const auto& word : {s.Hour_Word_1, s.Hour_Word_2, s.Minute_Word_1, s.Minute_Word_2}) {
                    if (word == "dingding") {
                        EXPECT_FALSE(single_seen) << "a pair after the single bell";
                        bells += 2;
                    } else if (word == "ding") {
                        single_seen = true;
                        bells += 1;
                    } else {
                        EXPECT_EQ(word, "");
                    }
                }
                EXPECT_EQ(bells, expected_bells(hour, minute)) << hour << ":" << minute;
                EXPECT_TRUE(s.Prefix_File.empty() && s.Suffix_File.empty() && s.AM_PM_Word.empty());
            }
    }
}

namespace {

// The words struck, in playing order, without the empty slots.
std::vector<std::string> Struck(const SpokenTime& s)
{
    std::vector<std::string> words;
    for (const auto& word : {s.Hour_Word_1, s.Hour_Word_2, s.Minute_Word_1, s.Minute_Word_2})
        if (!word.empty())
            words.push_back(word);
    return words;
}

}  // namespace

TEST_F(Compose_Spoken_Time_Test, Dog_Watches_Change_Only_The_Last_Dog_Watch)
{
    using W = std::vector<std::string>;
    const W one{"ding"}, two{"dingding"}, three{"dingding", "ding"}, four{"dingding", "dingding"},
        five{"dingding", "dingding", "ding"}, six{"dingding", "dingding", "dingding"},
        seven{"dingding", "dingding", "dingding", "ding"}, eight{"dingding", "dingding", "dingding", "dingding"};
    const struct {
        int hour, minute;
        W off, on;
    } cases[] = {
        {16, 0, eight, eight}, {16, 30, one, one},   {17, 0, two, two},     {17, 30, three, three},
        {18, 0, four, four},   {18, 30, five, one},  {19, 0, six, two},     {19, 30, seven, three},
        {20, 0, eight, eight}, {20, 30, one, one},   {19, 50, six, two},    {18, 50, four, four},
    };
    for (auto format : {ClockFormat::TwelveHour, ClockFormat::TwentyFourHour})
        for (const auto& c : cases)
            for (const bool dog_watches : {false, true}) {
                ClockSettings settings = Settings(format, SoundScheme::EightBells);
                settings.Dog_Watch_Bells_Option = dog_watches;
                EXPECT_EQ(Struck(Compose_Spoken_Time(c.hour, c.minute, settings, random)), dog_watches ? c.on : c.off)
                    << c.hour << ":" << c.minute << (dog_watches ? " with" : " without") << " dog watches";
                // The spoken scheme ignores the option.
                Select_Sound_Scheme(settings, SoundScheme::NormalSounds);
                ClockSettings without = settings;
                without.Dog_Watch_Bells_Option = false;
                EXPECT_EQ(Compose_Spoken_Time(c.hour, c.minute, settings, random),
                          Compose_Spoken_Time(c.hour, c.minute, without, random));
            }
}

TEST_F(Compose_Spoken_Time_Test, Refuses_Times_Outside_The_Day)
{
    const ClockSettings settings = Settings(ClockFormat::TwelveHour);
    for (const auto& [hour, minute] : std::vector<std::pair<int, int>>{{-1, 0}, {24, 0}, {0, -1}, {0, 60}, {99, 99}})
        EXPECT_THROW(Compose_Spoken_Time(hour, minute, settings, random), EHoravoxError) << hour << ":" << minute;
}
