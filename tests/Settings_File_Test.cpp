#include "settings/Settings_File.h"
#include "support/Temp_Dir.h"
#include "util/Horavox_Error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// The file the clock writes from nothing with every default, program directory "/opt/clock/".
const std::string default_file =
    "[vocahora]\r\n"
    "WindowState_wsMaximized=0\r\n"
    "window_top_posn=200\r\n"
    "window_left_posn=200\r\n"
    "window_ClientWidth=235\r\n"
    "window_ClientHeight=48\r\n"
    "Keep_Repeating_Time_RadioButton=0\r\n"
    "Never_Say_Time_Option=0\r\n"
    "Say_Time_Every_Minute_Option=0\r\n"
    "Say_Time_Every_5_Minutes_Option=0\r\n"
    "Say_Time_Every_10_Minutes_Option=0\r\n"
    "Say_Time_Every_Quarter_Hour_Option=0\r\n"
    "Say_Time_Every_Half_Hour_Option=0\r\n"
    "Say_Time_Every_Hour_Option=1\r\n"
    "N12_Hour_Clock_Option=1\r\n"
    "N24_Hour_Clock_Option=0\r\n"
    "Optimised_Play_Option=0\r\n"
    "Sequential_Play_Option=1\r\n"
    "Fastest_Play_Option=0\r\n"
    "Prefix1_Suffix1_Option=1\r\n"
    "Random_Prefix_Suffix_Option=0\r\n"
    "Random_Prefix_Suffix_with_Blank_Option=0\r\n"
    "No_Prefix_and_No_Suffix_RadioButton=0\r\n"
    "Normal_Sounds_RadioButton=1\r\n"
    "Eight_Bells_Nautical_RadioButton=0\r\n"
    "Sound_Directory_Edit=/opt/clock/\r\n"
    "Inform_Me_of_Missing_Sound_Files_CheckBox=0\r\n"
    "Always_on_Top_Option=0\r\n"
    "Auto_Run_at_Windows_Startup_Option=0\r\n"
    "Quiet_Hours_Option=0\r\n"
    "Quiet_Hours_Start=22:00\r\n"
    "Quiet_Hours_End=07:00\r\n"
    "Volume_Percent=100\r\n"
    "Dog_Watch_Bells_Option=0\r\n";

const std::string program_directory = "/opt/clock/";

ClockSettings Load(const TTemp_Dir& dir, const std::string& content)
{
    return Load_Settings(dir.Write("vocahora.ini", content), program_directory);
}

TEST(Settings_File, NoFileGivesTheDefaults)
{
    TTemp_Dir dir;
    auto settings = Load_Settings((dir.Path() / "vocahora.ini").string(), program_directory);
    EXPECT_EQ(settings, Default_Settings(program_directory));
    EXPECT_EQ(Say_Frequency_Of(settings), SayFrequency::EveryHour);
    EXPECT_EQ(Clock_Format_Of(settings), ClockFormat::TwelveHour);
    EXPECT_EQ(Play_Method_Of(settings), PlayMethod::Sequential);
    EXPECT_EQ(Prefix_Suffix_Mode_Of(settings), PrefixSuffixMode::Fixed);
    EXPECT_EQ(Sound_Scheme_Of(settings), SoundScheme::NormalSounds);
}

TEST(Settings_File, AFileWrittenFromNothingHoldsThe28KeysInOrderThenTheNewOnes)
{
    TTemp_Dir dir;
    auto path = Settings_File_Path(dir.Dir());
    Save_Settings(path, Default_Settings(program_directory));
    EXPECT_EQ(Read_File(path), default_file);
    EXPECT_EQ(Load_Settings(path, dir.Dir()), Default_Settings(program_directory));
}

TEST(Settings_File, LoadsEachKey)
{
    struct Case {
        std::string lines;
        std::function<bool(const ClockSettings&)> holds;
        const char* what;
    };
    auto repaired = [](ClockSettings settings) {
        Repair_Option_Groups(settings);
        return settings;
    };
    const Case cases[] = {
        {"Sequential_Play_Option=1\r\nFastest_Play_Option=1\r\n",
         [](const auto& s) { return Play_Method_Of(s) == PlayMethod::Fastest && !s.Sequential_Play_Option; },
         "the option of a group read last wins"},
        {"Optimised_Play_Option=1\r\nSequential_Play_Option=1\r\n",
         [](const auto& s) { return Play_Method_Of(s) == PlayMethod::Optimised && !s.Sequential_Play_Option; },
         "Optimised is read after Sequential"},
        {"Say_Time_Every_5_Minutes_Option=1\r\n",
         [](const auto& s) { return Say_Frequency_Of(s) == SayFrequency::EveryHour && !s.Say_Time_Every_5_Minutes_Option; },
         "a missing late default wins"},
        {"Say_Time_Every_5_Minutes_Option=1\r\nSay_Time_Every_Hour_Option=0\r\n",
         [](const auto& s) { return Say_Frequency_Of(s) == SayFrequency::Every5Minutes; }, "every 5 minutes"},
        {"Never_Say_Time_Option=1\r\nSay_Time_Every_Hour_Option=0\r\n",
         [](const auto& s) { return Say_Frequency_Of(s) == SayFrequency::Never; }, "never"},
        {"N24_Hour_Clock_Option=1\r\n",
         [](const auto& s) { return Clock_Format_Of(s) == ClockFormat::TwentyFourHour && !s.N12_Hour_Clock_Option; },
         "24-hour clock without the 12-hour key"},
        {"Optimised_Play_Option=0\r\nSequential_Play_Option=0\r\nFastest_Play_Option=0\r\n"
         "Prefix1_Suffix1_Option=0\r\nRandom_Prefix_Suffix_Option=1\r\n",
         [&](const auto& s) {
             return !Play_Method_Of(s) && Play_Method_Of(repaired(s)) == PlayMethod::Sequential &&
                    Prefix_Suffix_Mode_Of(repaired(s)) == PrefixSuffixMode::Random;
         },
         "no play method until repaired"},
        {"Eight_Bells_Nautical_RadioButton=1\r\n",
         [](const auto& s) { return Sound_Scheme_Of(s) == SoundScheme::EightBells && !s.Normal_Sounds_RadioButton; },
         "eight bells"},
        {"Always_on_Top_Option=true\r\n", [](const auto& s) { return !s.Always_on_Top_Option; }, "a word is no number"},
        {"Always_on_Top_Option=0x1\r\n", [](const auto& s) { return s.Always_on_Top_Option; }, "hexadecimal 0x"},
        {"Always_on_Top_Option=$1\r\n", [](const auto& s) { return s.Always_on_Top_Option; }, "hexadecimal $"},
        {"Always_on_Top_Option=7\r\n", [](const auto& s) { return s.Always_on_Top_Option; }, "any non-zero number"},
        {"always_ON_top_option = 1 \r\n", [](const auto& s) { return s.Always_on_Top_Option; }, "any letter case"},
        {"Say_Time_Every_Hour_Option=yes\r\nKeep_Repeating_Time_RadioButton=1\r\n",
         [](const auto& s) { return Say_Frequency_Of(s) == SayFrequency::EveryHour; },
         "an unreadable late option counts with its default"},
        {"window_top_posn=-30\r\nwindow_left_posn=0x10\r\nwindow_ClientWidth=99999\r\nwindow_ClientHeight=big\r\n",
         [](const auto& s) {
             return s.window_top_posn == -30 && s.window_left_posn == 16 && s.window_ClientWidth == 99999 &&
                    s.window_ClientHeight == 48;
         },
         "window placement, unchecked"},
        {"Sound_Directory_Edit=\r\n", [](const auto& s) { return s.Sound_Directory_Edit.empty(); },
         "an empty directory is left for the start-up repair"},
        {"Sound_Directory_Edit=" + std::string(5000, 'd') + "\r\nInform_Me_of_Missing_Sound_Files_CheckBox=1\r\n",
         [](const auto& s) {
             return s.Sound_Directory_Edit == std::string(2047, 'd') && s.Inform_Me_of_Missing_Sound_Files_CheckBox;
         },
         "a long directory is cut"},
        {"WindowState_wsMaximized=1\r\nAuto_Run_at_Windows_Startup_Option=1\r\n",
         [](const auto& s) { return s.WindowState_wsMaximized && s.Auto_Run_at_Windows_Startup_Option; },
         "maximised and autostart"},
    };
    TTemp_Dir dir;
    for (const auto& c : cases)
        EXPECT_TRUE(c.holds(Load(dir, "[VocaHora]\r\n" + c.lines))) << c.what;
}

TEST(Settings_File, TheNewKeysReadBackAndABadValueGivesItsDefault)
{
    struct Case {
        const char* key;
        const char* value;
        std::function<bool(const ClockSettings&)> holds;
    };
    const auto defaults = Default_Settings(program_directory);
    auto unchanged = [&](std::int32_t ClockSettings::*field) {
        return [&defaults, field](const ClockSettings& s) { return s.*field == defaults.*field; };
    };
    const Case cases[] = {
        {"Quiet_Hours_Option", "1", [](const auto& s) { return s.Quiet_Hours_Option; }},
        {"Quiet_Hours_Option", "on", [](const auto& s) { return !s.Quiet_Hours_Option; }},
        {"Quiet_Hours_Start", "23:30", [](const auto& s) { return s.Quiet_Hours_Start == 23 * 60 + 30; }},
        {"Quiet_Hours_Start", "0:05", [](const auto& s) { return s.Quiet_Hours_Start == 5; }},
        {"Quiet_Hours_Start", "24:00", unchanged(&ClockSettings::Quiet_Hours_Start)},
        {"Quiet_Hours_Start", "22:60", unchanged(&ClockSettings::Quiet_Hours_Start)},
        {"Quiet_Hours_Start", "2200", unchanged(&ClockSettings::Quiet_Hours_Start)},
        {"Quiet_Hours_End", "", unchanged(&ClockSettings::Quiet_Hours_End)},
        {"Quiet_Hours_End", "-1:00", unchanged(&ClockSettings::Quiet_Hours_End)},
        {"Quiet_Hours_End", "06:45", [](const auto& s) { return s.Quiet_Hours_End == 6 * 60 + 45; }},
        {"Volume_Percent", "0", [](const auto& s) { return s.Volume_Percent == 0; }},
        {"Volume_Percent", "0x32", [](const auto& s) { return s.Volume_Percent == 50; }},
        {"Volume_Percent", "101", unchanged(&ClockSettings::Volume_Percent)},
        {"Volume_Percent", "-1", unchanged(&ClockSettings::Volume_Percent)},
        {"Volume_Percent", "50%", unchanged(&ClockSettings::Volume_Percent)},
        {"Dog_Watch_Bells_Option", "1", [](const auto& s) { return s.Dog_Watch_Bells_Option; }},
    };
    TTemp_Dir dir;
    for (const auto& c : cases)
        EXPECT_TRUE(c.holds(Load(dir, std::string("[vocahora]\r\n") + c.key + "=" + c.value + "\r\n")))
            << c.key << "=" << c.value;

    ClockSettings changed = defaults;
    changed.Quiet_Hours_Option = true;
    changed.Quiet_Hours_Start = 23 * 60 + 5;
    changed.Quiet_Hours_End = 6 * 60;
    changed.Volume_Percent = 37;
    changed.Dog_Watch_Bells_Option = true;
    const auto path = Settings_File_Path(dir.Dir());
    Save_Settings(path, changed);
    EXPECT_EQ(Load_Settings(path, program_directory), changed);
    EXPECT_NE(Read_File(path).find("Quiet_Hours_Start=23:05\r\nQuiet_Hours_End=06:00\r\n"), std::string::npos);
}

TEST(Settings_File, NoPrefixRoundTripsUnchanged)
{
    std::string content = default_file;
    auto set = [&](const std::string& key, const char* value) {
        auto at = content.find(key + "=") + key.size() + 1;
        content.replace(at, 1, value);
    };
    set("Prefix1_Suffix1_Option", "0");
    set("No_Prefix_and_No_Suffix_RadioButton", "1");
    TTemp_Dir dir;
    auto path = dir.Write("vocahora.ini", content);
    auto settings = Load_Settings(path, "/elsewhere/");
    EXPECT_EQ(Prefix_Suffix_Mode_Of(settings), PrefixSuffixMode::None);
    Save_Settings(path, settings);
    EXPECT_EQ(Read_File(path), content);
}

TEST(Settings_File, SaveKeepsWhatItDoesNotKnow)
{
    const std::string before =
        "; written by hand\r\n"
        "[other]\r\n"
        "Always_on_Top_Option=0\r\n"
        "\r\n"
        "[VOCAHORA]\r\n"
        "unknown key = stays  \r\n"
        "  ALWAYS_ON_TOP_OPTION = 0\r\n"
        "garbage line\n"
        "Sound_Directory_Edit=/old/\r\n"
        "\r\n"
        "[third]\r\n"
        "x=1";
    TTemp_Dir dir;
    auto path = dir.Write("vocahora.ini", before);
    auto settings = Load_Settings(path, program_directory);
    settings.Always_on_Top_Option = true;
    settings.Sound_Directory_Edit = "/new sounds/";
    Save_Settings(path, settings);

    auto after = Read_File(path);
    const std::string kept_head =
        "; written by hand\r\n"
        "[other]\r\n"
        "Always_on_Top_Option=0\r\n"
        "\r\n"
        "[VOCAHORA]\r\n"
        "unknown key = stays  \r\n"
        "  ALWAYS_ON_TOP_OPTION = 1\r\n"
        "garbage line\n"
        "Sound_Directory_Edit=/new sounds/\r\n"
        "WindowState_wsMaximized=0\r\n";
    const std::string kept_tail =
        "Dog_Watch_Bells_Option=0\r\n"
        "\r\n"
        "[third]\r\n"
        "x=1";
    EXPECT_TRUE(after.starts_with(kept_head)) << after;
    EXPECT_TRUE(after.ends_with(kept_tail)) << after;
    EXPECT_EQ(Load_Settings(path, program_directory), settings);
}

TEST(Settings_File, AFileStartingWithAByteOrderMarkLoadsItsFirstSectionAndSavesIntoIt)
{
    TTemp_Dir dir;
    const std::string mark = "\xEF\xBB\xBF";
    const auto path = dir.Write("vocahora.ini", mark + "[vocahora]\r\nN24_Hour_Clock_Option=1\r\n");
    auto settings = Load_Settings(path, program_directory);
    EXPECT_EQ(Clock_Format_Of(settings), ClockFormat::TwentyFourHour);
    Save_Settings(path, settings);
    const std::string saved = Read_File(path);
    EXPECT_TRUE(saved.starts_with(mark + "[vocahora]\r\n")) << saved;
    EXPECT_EQ(saved.find("[vocahora]", mark.size() + 1), std::string::npos) << saved;
}

TEST(Settings_File, SaveFailuresLeaveTheFileAsItWas)
{
    TTemp_Dir dir;
    auto path = Settings_File_Path(dir.Dir());
    Save_Settings(path, Default_Settings(program_directory));
    auto settings = Default_Settings(program_directory);
    settings.Always_on_Top_Option = true;

    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    try {
        Save_Settings(path, settings);
        ADD_FAILURE() << "saved a read-only file";
    } catch (const EHoravoxError& error) {
        EXPECT_EQ(error.what(), "Unable to write to " + path);
    }
    EXPECT_EQ(Read_File(path), default_file);

    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    for (const char* directory : {"/a\r\nAlways_on_Top_Option=1", "/a\n", "/a\rb"}) {
        settings.Sound_Directory_Edit = directory;
        EXPECT_THROW(Save_Settings(path, settings), EHoravoxError);
        EXPECT_EQ(Read_File(path), default_file);
    }

    auto missing = (dir.Path() / "gone" / "vocahora.ini").string();
    settings.Sound_Directory_Edit = program_directory;
    EXPECT_THROW(Save_Settings(missing, settings), EHoravoxError);
    EXPECT_FALSE(fs::exists(dir.Path() / "gone"));
}

TEST(Settings_File, ArbitraryBytesLoadWithoutHarm)
{
    std::mt19937 random(7);
    auto random_bytes = [&](std::size_t size) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; i += 4) {
            auto word = random();
            for (std::size_t j = i; j < std::min(i + 4, size); ++j, word >>= 8)
                bytes[j] = static_cast<char>(word & 0xFF);
        }
        return bytes;
    };
    const auto defaults = Default_Settings(program_directory);
    TTemp_Dir dir;
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(Load(dir, random_bytes(4096)), defaults);

    // How long a file this large takes is measured in bench/text_and_settings_bench.
    auto big = random_bytes(10 * 1024 * 1024);
    EXPECT_EQ(Load(dir, big), defaults);
    auto with_section = big + "\r\n[vocahora]\r\nFastest_Play_Option=1\r\n";
    EXPECT_EQ(Play_Method_Of(Load(dir, with_section)), PlayMethod::Fastest);

    // Saving keeps every byte it does not own, whatever they are.
    auto path = dir.Write("vocahora.ini", big);
    Save_Settings(path, defaults);
    auto after = Read_File(path);
    EXPECT_TRUE(after.starts_with(big));
    EXPECT_TRUE(after.ends_with(default_file));
}

TEST(Settings_File, OverlongAndUnbrokenLinesLoad)
{
    TTemp_Dir dir;
    const auto defaults = Default_Settings(program_directory);
    const std::string long_line(100'000, 'x');

    EXPECT_EQ(Load(dir, "[vocahora]\r\n" + long_line + "\r\nAlways_on_Top_Option=1\r\n").Always_on_Top_Option, true);
    EXPECT_EQ(Load(dir, "[vocahora]\r\nAlways_on_Top_Option=1" + long_line + "\r\n"), defaults);
    EXPECT_EQ(Load(dir, "[vocahora]\r\nwindow_top_posn=" + std::string(100'000, '9') + "\r\n"), defaults);
    EXPECT_EQ(Load(dir, "[vocahora] Always_on_Top_Option=1 " + long_line), defaults);
    EXPECT_EQ(Load(dir, std::string(10 * 1024 * 1024, '=')), defaults);
    EXPECT_EQ(Load(dir, "[vocahora]" + std::string(10 * 1024 * 1024, '[')), defaults);
}

}  // namespace
