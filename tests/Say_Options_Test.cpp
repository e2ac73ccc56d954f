#include <gtest/gtest.h>

#include "app/say/Say_Options.h"
#include "support/Test_Name.h"

namespace {

struct Time_Case {
    const char* text;
    bool valid;
    int hour;
    int minute;
};

class Parse_Clock_Time_Test : public testing::TestWithParam<Time_Case> {};

TEST_P(Parse_Clock_Time_Test, Accepts_Only_Times_Of_Day)
{
    const auto& c = GetParam();
    auto time = Parse_Clock_Time(c.text);
    ASSERT_EQ(time.has_value(), c.valid) << c.text;
    if (c.valid) {
        EXPECT_EQ(time->hour, c.hour);
        EXPECT_EQ(time->minute, c.minute);
    }
}

INSTANTIATE_TEST_SUITE_P(Times, Parse_Clock_Time_Test,
                         testing::Values(Time_Case{"13:07", true, 13, 7}, Time_Case{"0:00", true, 0, 0},
                                         Time_Case{"23:59", true, 23, 59}, Time_Case{"07:30", true, 7, 30},
                                         Time_Case{"25:00", false, 0, 0}, Time_Case{"24:00", false, 0, 0},
                                         Time_Case{"12:60", false, 0, 0}, Time_Case{"7", false, 0, 0},
                                         Time_Case{"ab:cd", false, 0, 0}, Time_Case{"12:5", false, 0, 0},
                                         Time_Case{"123:45", false, 0, 0}, Time_Case{"-1:30", false, 0, 0},
                                         Time_Case{"12:345", false, 0, 0}, Time_Case{":", false, 0, 0},
                                         Time_Case{"", false, 0, 0}, Time_Case{"1 2:30", false, 0, 0}),
                         [](const testing::TestParamInfo<Time_Case>& time_case) {
                             return (time_case.param.valid ? "valid_" : "invalid_") + Test_Name(time_case.param.text);
                         });

struct Bad_Arguments_Case {
    std::vector<std::string> arguments;
    const char* message_part;
};

class Bad_Arguments_Test : public testing::TestWithParam<Bad_Arguments_Case> {};

TEST_P(Bad_Arguments_Test, Name_The_Problem)
{
    const auto& c = GetParam();
    try {
        Parse_Say_Arguments(c.arguments);
        FAIL() << "accepted";
    } catch (const EUsage_Error& error) {
        EXPECT_NE(std::string(error.what()).find(c.message_part), std::string::npos) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, Bad_Arguments_Test,
    testing::Values(Bad_Arguments_Case{{"25:00"}, "'25:00' is not a time"},
                    Bad_Arguments_Case{{"7"}, "'7' is not a time"},
                    Bad_Arguments_Case{{"ab:cd"}, "'ab:cd'"},
                    Bad_Arguments_Case{{"--clock", "13"}, "--clock: '13' is not one of 12|24"},
                    Bad_Arguments_Case{{"--clock"}, "--clock needs a value"},
                    Bad_Arguments_Case{{"--scheme", "gongs"}, "--scheme"},
                    Bad_Arguments_Case{{"--prefix-suffix", "FIXED"}, "--prefix-suffix"},
                    Bad_Arguments_Case{{"--seed", "-3"}, "--seed"},
                    Bad_Arguments_Case{{"--seed", "99999999999"}, "--seed"},
                    Bad_Arguments_Case{{"--loud"}, "unknown option '--loud'"},
                    Bad_Arguments_Case{{"--volume", "101"}, "--volume: '101' is not a whole number from 0 to 100"},
                    Bad_Arguments_Case{{"--volume", "-5"}, "--volume: '-5'"},
                    Bad_Arguments_Case{{"--volume", "50%"}, "--volume: '50%'"},
                    Bad_Arguments_Case{{"--volume"}, "--volume needs a value"},
                    Bad_Arguments_Case{{"10:00", "11:00"}, "more than one time"}),
    [](const testing::TestParamInfo<Bad_Arguments_Case>& bad_case) {
        std::string arguments;
        for (const auto& argument : bad_case.param.arguments)
            arguments += (arguments.empty() ? "" : " ") + argument;
        return Test_Name(arguments);
    });

TEST(Say_Arguments, Overrides_Reach_The_Settings_And_Select_Within_Their_Group)
{
    auto options = Parse_Say_Arguments({"13:07", "--print", "--clock", "24", "--prefix-suffix", "none", "--scheme",
                                        "bells", "--play-method", "fastest", "--sound-dir", "/tmp/x", "--seed", "42"});
    EXPECT_TRUE(options.print);
    ASSERT_TRUE(options.time);
    EXPECT_EQ(options.time->hour, 13);
    EXPECT_EQ(options.seed, 42u);

    auto settings = Default_Settings("/prog/");
    Apply_Say_Overrides(options, settings);
    EXPECT_FALSE(settings.N12_Hour_Clock_Option);
    EXPECT_TRUE(settings.N24_Hour_Clock_Option);
    EXPECT_EQ(Prefix_Suffix_Mode_Of(settings), PrefixSuffixMode::None);
    EXPECT_FALSE(settings.Prefix1_Suffix1_Option);
    EXPECT_EQ(Sound_Scheme_Of(settings), SoundScheme::EightBells);
    EXPECT_FALSE(settings.Normal_Sounds_RadioButton);
    EXPECT_EQ(Play_Method_Of(settings), PlayMethod::Fastest);
    EXPECT_FALSE(settings.Sequential_Play_Option);
    EXPECT_EQ(settings.Sound_Directory_Edit, "/tmp/x");
}

// The directory after --check-voice is optional; an option never is one.
TEST(Say_Arguments, Check_Voice_Takes_An_Optional_Directory)
{
    const struct {
        std::vector<std::string> arguments;
        std::optional<std::string> directory;
    } cases[] = {
        {{"--check-voice"}, std::nullopt},
        {{"--check-voice", "/packs/mine"}, "/packs/mine"},
        {{"--check-voice", "--clock", "24"}, std::nullopt},
        {{"--sound-dir", "/a", "--check-voice", "/b"}, "/b"},
    };
    for (const auto& c : cases) {
        const auto options = Parse_Say_Arguments(c.arguments);
        EXPECT_TRUE(options.check_voice);
        EXPECT_EQ(options.check_voice_directory, c.directory) << c.arguments.size();
    }
    auto settings = Default_Settings("/prog/");
    Apply_Say_Overrides(Parse_Say_Arguments({"--volume", "0", "--dog-watches"}), settings);
    EXPECT_EQ(settings.Volume_Percent, 0);
    EXPECT_TRUE(settings.Dog_Watch_Bells_Option);
}

}  // namespace
