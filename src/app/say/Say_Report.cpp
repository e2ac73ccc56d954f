#include "app/say/Say_Report.h"

#include "settings/Settings_File.h"

namespace {

const char* Name_Of(SayFrequency value)
{
    switch (value) {
    case SayFrequency::KeepRepeating: return "KeepRepeating";
    case SayFrequency::Never: return "Never";
    case SayFrequency::EveryMinute: return "EveryMinute";
    case SayFrequency::Every5Minutes: return "Every5Minutes";
    case SayFrequency::Every10Minutes: return "Every10Minutes";
    case SayFrequency::EveryQuarterHour: return "EveryQuarterHour";
    case SayFrequency::EveryHalfHour: return "EveryHalfHour";
    case SayFrequency::EveryHour: return "EveryHour";
    }
    return "";
}

const char* Name_Of(ClockFormat value)
{
    return value == ClockFormat::TwelveHour ? "TwelveHour" : "TwentyFourHour";
}

const char* Name_Of(std::optional<PlayMethod> value)
{
    if (!value)
        return "";
    switch (*value) {
    case PlayMethod::Fastest: return "Fastest";
    case PlayMethod::Optimised: return "Optimised";
    case PlayMethod::Sequential: return "Sequential";
    }
    return "";
}

const char* Name_Of(PrefixSuffixMode value)
{
    switch (value) {
    case PrefixSuffixMode::Fixed: return "Fixed";
    case PrefixSuffixMode::Random: return "Random";
    case PrefixSuffixMode::RandomWithBlank: return "RandomWithBlank";
    case PrefixSuffixMode::None: return "None";
    }
    return "";
}

const char* Name_Of(SoundScheme value)
{
    return value == SoundScheme::EightBells ? "EightBells" : "NormalSounds";
}

}  // namespace

std::vector<std::string> Announcement_File_Names(const SpokenTime& spoken)
{
    std::vector<std::string> names;
    auto add = [&](const std::string& name) {
        if (!name.empty())
            names.push_back(name);
    };
    auto add_word = [&](const std::string& word) {
        if (!word.empty())
            names.push_back(word + ".WAV");
    };
    add(spoken.Prefix_File);
    add_word(spoken.Hour_Word_1);
    add_word(spoken.Hour_Word_2);
    add_word(spoken.Minute_Word_1);
    add_word(spoken.Minute_Word_2);
    add_word(spoken.AM_PM_Word);
    add(spoken.Suffix_File);
    return names;
}

std::vector<std::string> Settings_Report(const ClockSettings& settings)
{
    std::vector<std::string> lines;
    for (const auto& [name, value] : Settings_Fields(settings))
        lines.push_back(name + "=" + value);
    lines.push_back(std::string("SayFrequency=") + Name_Of(Say_Frequency_Of(settings)));
    lines.push_back(std::string("ClockFormat=") + Name_Of(Clock_Format_Of(settings)));
    lines.push_back(std::string("PlayMethod=") + Name_Of(Play_Method_Of(settings)));
    lines.push_back(std::string("PrefixSuffixMode=") + Name_Of(Prefix_Suffix_Mode_Of(settings)));
    lines.push_back(std::string("SoundScheme=") + Name_Of(Sound_Scheme_Of(settings)));
    return lines;
}
