#include "settings/ClockSettings.h"

#include <array>
#include <utility>

namespace {

template <typename Enum, std::size_t N>
using Group = std::array<std::pair<Enum, bool ClockSettings::*>, N>;

// Each group in the order in which its consumers test it.
const Group<SayFrequency, 8> frequency_group{{
    {SayFrequency::EveryMinute, &ClockSettings::Say_Time_Every_Minute_Option},
    {SayFrequency::Every5Minutes, &ClockSettings::Say_Time_Every_5_Minutes_Option},
    {SayFrequency::Every10Minutes, &ClockSettings::Say_Time_Every_10_Minutes_Option},
    {SayFrequency::EveryQuarterHour, &ClockSettings::Say_Time_Every_Quarter_Hour_Option},
    {SayFrequency::EveryHalfHour, &ClockSettings::Say_Time_Every_Half_Hour_Option},
    {SayFrequency::EveryHour, &ClockSettings::Say_Time_Every_Hour_Option},
    {SayFrequency::KeepRepeating, &ClockSettings::Keep_Repeating_Time_RadioButton},
    {SayFrequency::Never, &ClockSettings::Never_Say_Time_Option},
}};
const Group<ClockFormat, 2> clock_group{{
    {ClockFormat::TwelveHour, &ClockSettings::N12_Hour_Clock_Option},
    {ClockFormat::TwentyFourHour, &ClockSettings::N24_Hour_Clock_Option},
}};
const Group<PlayMethod, 3> play_group{{
    {PlayMethod::Optimised, &ClockSettings::Optimised_Play_Option},
    {PlayMethod::Sequential, &ClockSettings::Sequential_Play_Option},
    {PlayMethod::Fastest, &ClockSettings::Fastest_Play_Option},
}};
const Group<PrefixSuffixMode, 4> prefix_group{{
    {PrefixSuffixMode::Random, &ClockSettings::Random_Prefix_Suffix_Option},
    {PrefixSuffixMode::RandomWithBlank, &ClockSettings::Random_Prefix_Suffix_with_Blank_Option},
    {PrefixSuffixMode::None, &ClockSettings::No_Prefix_and_No_Suffix_RadioButton},
    {PrefixSuffixMode::Fixed, &ClockSettings::Prefix1_Suffix1_Option},
}};
const Group<SoundScheme, 2> scheme_group{{
    {SoundScheme::EightBells, &ClockSettings::Eight_Bells_Nautical_RadioButton},
    {SoundScheme::NormalSounds, &ClockSettings::Normal_Sounds_RadioButton},
}};

template <typename Enum, std::size_t N>
std::optional<Enum> First_Selected(const ClockSettings& settings, const Group<Enum, N>& group)
{
    for (const auto& [value, field] : group)
        if (settings.*field)
            return value;
    return std::nullopt;
}

template <typename Enum, std::size_t N>
void Select(ClockSettings& settings, const Group<Enum, N>& group, Enum selected)
{
    for (const auto& [value, field] : group)
        settings.*field = value == selected;
}

template <typename Enum, std::size_t N>
void Repair(ClockSettings& settings, const Group<Enum, N>& group, Enum fallback)
{
    if (!First_Selected(settings, group))
        Select(settings, group, fallback);
}

}  // namespace

ClockSettings Default_Settings(const std::string& program_directory)
{
    ClockSettings settings;
    settings.Sound_Directory_Edit = program_directory;
    return settings;
}

SayFrequency Say_Frequency_Of(const ClockSettings& settings)
{
    return First_Selected(settings, frequency_group).value_or(SayFrequency::Never);
}

ClockFormat Clock_Format_Of(const ClockSettings& settings)
{
    return settings.N12_Hour_Clock_Option ? ClockFormat::TwelveHour : ClockFormat::TwentyFourHour;
}

std::optional<PlayMethod> Play_Method_Of(const ClockSettings& settings)
{
    return First_Selected(settings, play_group);
}

PrefixSuffixMode Prefix_Suffix_Mode_Of(const ClockSettings& settings)
{
    auto mode = First_Selected(settings, prefix_group);
    return mode ? *mode : PrefixSuffixMode::Fixed;
}

SoundScheme Sound_Scheme_Of(const ClockSettings& settings)
{
    return settings.Eight_Bells_Nautical_RadioButton ? SoundScheme::EightBells : SoundScheme::NormalSounds;
}

void Select_Say_Frequency(ClockSettings& settings, SayFrequency value) { Select(settings, frequency_group, value); }
void Select_Clock_Format(ClockSettings& settings, ClockFormat value) { Select(settings, clock_group, value); }
void Select_Play_Method(ClockSettings& settings, PlayMethod value) { Select(settings, play_group, value); }
void Select_Prefix_Suffix_Mode(ClockSettings& settings, PrefixSuffixMode value) { Select(settings, prefix_group, value); }
void Select_Sound_Scheme(ClockSettings& settings, SoundScheme value) { Select(settings, scheme_group, value); }

void Repair_Option_Groups(ClockSettings& settings)
{
    Repair(settings, frequency_group, SayFrequency::EveryHour);
    Repair(settings, clock_group, ClockFormat::TwelveHour);
    Repair(settings, play_group, PlayMethod::Sequential);
    Repair(settings, prefix_group, PrefixSuffixMode::Fixed);
    Repair(settings, scheme_group, SoundScheme::NormalSounds);
}
