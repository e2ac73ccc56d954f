#pragma once
#include <cstdint>
#include <optional>
#include <string>

// Every user setting of the clock, one field per key of the settings file and
// named as the key, in the order in which the file lists them.
struct ClockSettings {
    bool WindowState_wsMaximized = false;
    std::int32_t window_top_posn = 200;
    std::int32_t window_left_posn = 200;
    std::int32_t window_ClientWidth = 235;
    std::int32_t window_ClientHeight = 48;
    bool Keep_Repeating_Time_RadioButton = false;
    bool Never_Say_Time_Option = false;
    bool Say_Time_Every_Minute_Option = false;
    bool Say_Time_Every_5_Minutes_Option = false;
    bool Say_Time_Every_10_Minutes_Option = false;
    bool Say_Time_Every_Quarter_Hour_Option = false;
    bool Say_Time_Every_Half_Hour_Option = false;
    bool Say_Time_Every_Hour_Option = true;
    bool N12_Hour_Clock_Option = true;
    bool N24_Hour_Clock_Option = false;
    bool Optimised_Play_Option = false;
    bool Sequential_Play_Option = true;
    bool Fastest_Play_Option = false;
    bool Prefix1_Suffix1_Option = true;
    bool Random_Prefix_Suffix_Option = false;
    bool Random_Prefix_Suffix_with_Blank_Option = false;
    bool No_Prefix_and_No_Suffix_RadioButton = false;
    bool Normal_Sounds_RadioButton = true;
    bool Eight_Bells_Nautical_RadioButton = false;
    std::string Sound_Directory_Edit;  // default: the program directory
    bool Inform_Me_of_Missing_Sound_Files_CheckBox = false;
    bool Always_on_Top_Option = false;
    bool Auto_Run_at_Windows_Startup_Option = false;
    // Beyond the clock's first design, so written after the keys above.
    // Automatic announcements are held back from the start up to the end
    // (minutes since midnight, written "HH:MM").
    bool Quiet_Hours_Option = false;
    std::int32_t Quiet_Hours_Start = 22 * 60;
    std::int32_t Quiet_Hours_End = 7 * 60;
    // A linear factor on the amplitude of every sound, 0 to 100.
    std::int32_t Volume_Percent = 100;
    // The last dog watch strikes one, two and three bells at 18:30, 19:00 and 19:30.
    bool Dog_Watch_Bells_Option = false;

    bool operator==(const ClockSettings&) const = default;
};

enum class SayFrequency { KeepRepeating, Never, EveryMinute, Every5Minutes, Every10Minutes,
                          EveryQuarterHour, EveryHalfHour, EveryHour };
enum class ClockFormat { TwelveHour, TwentyFourHour };
enum class PlayMethod { Fastest, Optimised, Sequential };
enum class PrefixSuffixMode { Fixed, Random, RandomWithBlank, None };
enum class SoundScheme { NormalSounds, EightBells };

// Every default, with `program_directory` as the sound directory.
ClockSettings Default_Settings(const std::string& program_directory);

// The group values as their consumers test them. The frequency is the first
// selected of the schedule's order (EveryMinute ... EveryHour, KeepRepeating),
// else Never; the play method is tested Optimised, Sequential, Fastest and is
// empty when none is selected; the prefix mode is tested Random,
// RandomWithBlank, None, anything else being Fixed.
SayFrequency Say_Frequency_Of(const ClockSettings& settings);
ClockFormat Clock_Format_Of(const ClockSettings& settings);
std::optional<PlayMethod> Play_Method_Of(const ClockSettings& settings);
PrefixSuffixMode Prefix_Suffix_Mode_Of(const ClockSettings& settings);
SoundScheme Sound_Scheme_Of(const ClockSettings& settings);

// Selecting an option clears the other options of its group, as the radio
// buttons of the settings dialog do.
void Select_Say_Frequency(ClockSettings& settings, SayFrequency value);
void Select_Clock_Format(ClockSettings& settings, ClockFormat value);
void Select_Play_Method(ClockSettings& settings, PlayMethod value);
void Select_Prefix_Suffix_Mode(ClockSettings& settings, PrefixSuffixMode value);
void Select_Sound_Scheme(ClockSettings& settings, SoundScheme value);

// Each group without a selected option gets its default option.
void Repair_Option_Groups(ClockSettings& settings);
