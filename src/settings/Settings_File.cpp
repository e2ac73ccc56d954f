#include "settings/Settings_File.h"

#include "settings/Profile_File.h"
#include "settings/Time_Of_Day.h"

#include <cstdint>

namespace {

const std::string section = "vocahora";

template <auto Select, auto Value>
void Select_Option(ClockSettings& settings)
{
    Select(settings, Value);
}

struct TOption_Key {
    const char* key;
    bool ClockSettings::*field;
    void (*select)(ClockSettings&);
};

// The order in which loading reads the options: where a file selects several
// of one group, the one read last wins. It differs from the file's order in
// reading Sequential before Optimised.
const TOption_Key option_reading_order[] = {
    {"Keep_Repeating_Time_RadioButton", &ClockSettings::Keep_Repeating_Time_RadioButton,
     Select_Option<Select_Say_Frequency, SayFrequency::KeepRepeating>},
    {"Never_Say_Time_Option", &ClockSettings::Never_Say_Time_Option,
     Select_Option<Select_Say_Frequency, SayFrequency::Never>},
    {"Say_Time_Every_Minute_Option", &ClockSettings::Say_Time_Every_Minute_Option,
     Select_Option<Select_Say_Frequency, SayFrequency::EveryMinute>},
    {"Say_Time_Every_5_Minutes_Option", &ClockSettings::Say_Time_Every_5_Minutes_Option,
     Select_Option<Select_Say_Frequency, SayFrequency::Every5Minutes>},
    {"Say_Time_Every_10_Minutes_Option", &ClockSettings::Say_Time_Every_10_Minutes_Option,
     Select_Option<Select_Say_Frequency, SayFrequency::Every10Minutes>},
    {"Say_Time_Every_Quarter_Hour_Option", &ClockSettings::Say_Time_Every_Quarter_Hour_Option,
     Select_Option<Select_Say_Frequency, SayFrequency::EveryQuarterHour>},
    {"Say_Time_Every_Half_Hour_Option", &ClockSettings::Say_Time_Every_Half_Hour_Option,
     Select_Option<Select_Say_Frequency, SayFrequency::EveryHalfHour>},
    {"Say_Time_Every_Hour_Option", &ClockSettings::Say_Time_Every_Hour_Option,
     Select_Option<Select_Say_Frequency, SayFrequency::EveryHour>},
    {"N12_Hour_Clock_Option", &ClockSettings::N12_Hour_Clock_Option,
     Select_Option<Select_Clock_Format, ClockFormat::TwelveHour>},
    {"N24_Hour_Clock_Option", &ClockSettings::N24_Hour_Clock_Option,
     Select_Option<Select_Clock_Format, ClockFormat::TwentyFourHour>},
    {"Sequential_Play_Option", &ClockSettings::Sequential_Play_Option,
     Select_Option<Select_Play_Method, PlayMethod::Sequential>},
    {"Optimised_Play_Option", &ClockSettings::Optimised_Play_Option,
     Select_Option<Select_Play_Method, PlayMethod::Optimised>},
    {"Fastest_Play_Option", &ClockSettings::Fastest_Play_Option,
     Select_Option<Select_Play_Method, PlayMethod::Fastest>},
    {"Prefix1_Suffix1_Option", &ClockSettings::Prefix1_Suffix1_Option,
     Select_Option<Select_Prefix_Suffix_Mode, PrefixSuffixMode::Fixed>},
    {"Random_Prefix_Suffix_Option", &ClockSettings::Random_Prefix_Suffix_Option,
     Select_Option<Select_Prefix_Suffix_Mode, PrefixSuffixMode::Random>},
    {"Random_Prefix_Suffix_with_Blank_Option", &ClockSettings::Random_Prefix_Suffix_with_Blank_Option,
     Select_Option<Select_Prefix_Suffix_Mode, PrefixSuffixMode::RandomWithBlank>},
    {"No_Prefix_and_No_Suffix_RadioButton", &ClockSettings::No_Prefix_and_No_Suffix_RadioButton,
     Select_Option<Select_Prefix_Suffix_Mode, PrefixSuffixMode::None>},
    {"Normal_Sounds_RadioButton", &ClockSettings::Normal_Sounds_RadioButton,
     Select_Option<Select_Sound_Scheme, SoundScheme::NormalSounds>},
    {"Eight_Bells_Nautical_RadioButton", &ClockSettings::Eight_Bells_Nautical_RadioButton,
     Select_Option<Select_Sound_Scheme, SoundScheme::EightBells>},
};

std::string Bool_Text(bool value) { return value ? "1" : "0"; }

}  // namespace

std::string Settings_File_Path(const std::string& program_directory)
{
    return program_directory + "vocahora.ini";
}

ClockSettings Load_Settings(const std::string& path, const std::string& program_directory)
{
    const ClockSettings defaults = Default_Settings(program_directory);
    const TProfile_File file(path);
    ClockSettings settings = defaults;
    auto read_integer = [&](const char* key, std::int32_t ClockSettings::*field) {
        settings.*field = file.Read_Integer(section, key, defaults.*field);
    };
    auto read_bool = [&](const char* key, bool ClockSettings::*field) {
        settings.*field = file.Read_Bool(section, key, defaults.*field);
    };

    read_integer("window_top_posn", &ClockSettings::window_top_posn);
    read_integer("window_left_posn", &ClockSettings::window_left_posn);
    read_integer("window_ClientWidth", &ClockSettings::window_ClientWidth);
    read_integer("window_ClientHeight", &ClockSettings::window_ClientHeight);
    for (const auto& option : option_reading_order) {
        if (file.Read_Bool(section, option.key, defaults.*option.field))
            option.select(settings);
        else
            settings.*option.field = false;
    }
    settings.Sound_Directory_Edit = file.Read_String(section, "Sound_Directory_Edit", defaults.Sound_Directory_Edit);
    read_bool("Inform_Me_of_Missing_Sound_Files_CheckBox", &ClockSettings::Inform_Me_of_Missing_Sound_Files_CheckBox);
    read_bool("WindowState_wsMaximized", &ClockSettings::WindowState_wsMaximized);
    read_bool("Always_on_Top_Option", &ClockSettings::Always_on_Top_Option);
    read_bool("Auto_Run_at_Windows_Startup_Option", &ClockSettings::Auto_Run_at_Windows_Startup_Option);

    // The keys added later: a value out of range or malformed gives its default, as a non-number does.
    auto read_time = [&](const char* key, std::int32_t ClockSettings::*field) {
        settings.*field = Parse_Time_Of_Day(file.Read_String(section, key, "")).value_or(defaults.*field);
    };
    read_bool("Quiet_Hours_Option", &ClockSettings::Quiet_Hours_Option);
    read_time("Quiet_Hours_Start", &ClockSettings::Quiet_Hours_Start);
    read_time("Quiet_Hours_End", &ClockSettings::Quiet_Hours_End);
    read_integer("Volume_Percent", &ClockSettings::Volume_Percent);
    if (settings.Volume_Percent < 0 || settings.Volume_Percent > 100)
        settings.Volume_Percent = defaults.Volume_Percent;
    read_bool("Dog_Watch_Bells_Option", &ClockSettings::Dog_Watch_Bells_Option);
    return settings;
}

std::vector<std::pair<std::string, std::string>> Settings_Fields(const ClockSettings& settings)
{
    const auto& s = settings;
    return {
        {"WindowState_wsMaximized", Bool_Text(s.WindowState_wsMaximized)},
        {"window_top_posn", std::to_string(s.window_top_posn)},
        {"window_left_posn", std::to_string(s.window_left_posn)},
        {"window_ClientWidth", std::to_string(s.window_ClientWidth)},
        {"window_ClientHeight", std::to_string(s.window_ClientHeight)},
        {"Keep_Repeating_Time_RadioButton", Bool_Text(s.Keep_Repeating_Time_RadioButton)},
        {"Never_Say_Time_Option", Bool_Text(s.Never_Say_Time_Option)},
        {"Say_Time_Every_Minute_Option", Bool_Text(s.Say_Time_Every_Minute_Option)},
        {"Say_Time_Every_5_Minutes_Option", Bool_Text(s.Say_Time_Every_5_Minutes_Option)},
        {"Say_Time_Every_10_Minutes_Option", Bool_Text(s.Say_Time_Every_10_Minutes_Option)},
        {"Say_Time_Every_Quarter_Hour_Option", Bool_Text(s.Say_Time_Every_Quarter_Hour_Option)},
        {"Say_Time_Every_Half_Hour_Option", Bool_Text(s.Say_Time_Every_Half_Hour_Option)},
        {"Say_Time_Every_Hour_Option", Bool_Text(s.Say_Time_Every_Hour_Option)},
        {"N12_Hour_Clock_Option", Bool_Text(s.N12_Hour_Clock_Option)},
        {"N24_Hour_Clock_Option", Bool_Text(s.N24_Hour_Clock_Option)},
        {"Optimised_Play_Option", Bool_Text(s.Optimised_Play_Option)},
        {"Sequential_Play_Option", Bool_Text(s.Sequential_Play_Option)},
        {"Fastest_Play_Option", Bool_Text(s.Fastest_Play_Option)},
        {"Prefix1_Suffix1_Option", Bool_Text(s.Prefix1_Suffix1_Option)},
        {"Random_Prefix_Suffix_Option", Bool_Text(s.Random_Prefix_Suffix_Option)},
        {"Random_Prefix_Suffix_with_Blank_Option", Bool_Text(s.Random_Prefix_Suffix_with_Blank_Option)},
        {"No_Prefix_and_No_Suffix_RadioButton", Bool_Text(s.No_Prefix_and_No_Suffix_RadioButton)},
        {"Normal_Sounds_RadioButton", Bool_Text(s.Normal_Sounds_RadioButton)},
        {"Eight_Bells_Nautical_RadioButton", Bool_Text(s.Eight_Bells_Nautical_RadioButton)},
        {"Sound_Directory_Edit", s.Sound_Directory_Edit},
        {"Inform_Me_of_Missing_Sound_Files_CheckBox", Bool_Text(s.Inform_Me_of_Missing_Sound_Files_CheckBox)},
        {"Always_on_Top_Option", Bool_Text(s.Always_on_Top_Option)},
        {"Auto_Run_at_Windows_Startup_Option", Bool_Text(s.Auto_Run_at_Windows_Startup_Option)},
        {"Quiet_Hours_Option", Bool_Text(s.Quiet_Hours_Option)},
        {"Quiet_Hours_Start", Time_Of_Day_Text(s.Quiet_Hours_Start)},
        {"Quiet_Hours_End", Time_Of_Day_Text(s.Quiet_Hours_End)},
        {"Volume_Percent", std::to_string(s.Volume_Percent)},
        {"Dog_Watch_Bells_Option", Bool_Text(s.Dog_Watch_Bells_Option)},
    };
}

void Save_Settings(const std::string& path, const ClockSettings& settings)
{
    // Every key goes into the copy in memory first, so a value refused there
    // (a line break in the directory) leaves the file untouched.
    TProfile_File file(path);
    for (const auto& [key, value] : Settings_Fields(settings))
        file.Write_String(section, key, value);
    file.Save();
}
