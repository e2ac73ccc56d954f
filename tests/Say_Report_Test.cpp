#include <gtest/gtest.h>

#include <algorithm>

#include "app/say/Say_Report.h"

namespace {

TEST(Announcement_File_Names, Leave_Out_Empty_Slots_And_Keep_Playing_Order)
{
    SpokenTime spoken{"PREFIX0.WAV", "20", "3", "", "", "", "suffix.wav"};
    EXPECT_EQ(Announcement_File_Names(spoken),
              (std::vector<std::string>{"PREFIX0.WAV", "20.WAV", "3.WAV", "suffix.wav"}));
    EXPECT_TRUE(Announcement_File_Names(SpokenTime{}).empty());
}

TEST(Settings_Report, Ends_With_One_Line_Per_Group)
{
    auto settings = Default_Settings("/prog/");
    Select_Say_Frequency(settings, SayFrequency::Every10Minutes);
    Select_Play_Method(settings, PlayMethod::Optimised);
    Select_Prefix_Suffix_Mode(settings, PrefixSuffixMode::RandomWithBlank);
    auto lines = Settings_Report(settings);
    ASSERT_EQ(lines.size(), 38u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 5, lines.end()),
              (std::vector<std::string>{"SayFrequency=Every10Minutes", "ClockFormat=TwelveHour",
                                        "PlayMethod=Optimised", "PrefixSuffixMode=RandomWithBlank",
                                        "SoundScheme=NormalSounds"}));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Sound_Directory_Edit=/prog/"), lines.end());
}

}  // namespace
