#include "app/say/Say_Options.h"

#include <charconv>
#include <map>

#include "settings/Time_Of_Day.h"

namespace {

bool All_Digits(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

template <typename Value>
Value Lookup_Choice(const std::string& option, const std::string& value, const std::map<std::string, Value>& choices)
{
    auto found = choices.find(value);
    if (found != choices.end())
        return found->second;
    std::string allowed;
    for (const auto& [name, unused] : choices)
        allowed += (allowed.empty() ? "" : "|") + name;
    throw EUsage_Error(option + ": '" + value + "' is not one of " + allowed);
}

std::uint32_t Parse_Seed(const std::string& value)
{
    std::uint32_t seed = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seed);
    if (!All_Digits(value) || error != std::errc() || end != value.data() + value.size())
        throw EUsage_Error("--seed: '" + value + "' is not a whole number from 0 to 4294967295");
    return seed;
}

int Parse_Volume(const std::string& value)
{
    int percent = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), percent);
    if (!All_Digits(value) || error != std::errc() || end != value.data() + value.size() || percent > 100)
        throw EUsage_Error("--volume: '" + value + "' is not a whole number from 0 to 100");
    return percent;
}

}  // namespace

std::optional<TClock_Time> Parse_Clock_Time(const std::string& text)
{
    const auto minutes = Parse_Time_Of_Day(text);
    if (!minutes)
        return std::nullopt;
    return TClock_Time{*minutes / 60, *minutes % 60};
}

TSay_Options Parse_Say_Arguments(const std::vector<std::string>& arguments)
{
    TSay_Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size())
                throw EUsage_Error(argument + " needs a value");
            return arguments[++i];
        };
        if (argument == "--help" || argument == "-h")
            options.help = true;
        else if (argument == "--print")
            options.print = true;
        else if (argument == "--show-settings")
            options.show_settings = true;
        else if (argument == "--wav")
            options.wav_file = value();
        else if (argument == "--settings")
            options.settings_file = value();
        else if (argument == "--sound-dir")
            options.sound_directory = value();
        else if (argument == "--clock")
            options.clock_format = Lookup_Choice<ClockFormat>(
                argument, value(), {{"12", ClockFormat::TwelveHour}, {"24", ClockFormat::TwentyFourHour}});
        else if (argument == "--scheme")
            options.sound_scheme = Lookup_Choice<SoundScheme>(
                argument, value(), {{"words", SoundScheme::NormalSounds}, {"bells", SoundScheme::EightBells}});
        else if (argument == "--prefix-suffix")
            options.prefix_suffix_mode = Lookup_Choice<PrefixSuffixMode>(
                argument, value(),
                {{"fixed", PrefixSuffixMode::Fixed},
                 {"random", PrefixSuffixMode::Random},
                 {"blank", PrefixSuffixMode::RandomWithBlank},
                 {"none", PrefixSuffixMode::None}});
        else if (argument == "--play-method")
            options.play_method = Lookup_Choice<PlayMethod>(
                argument, value(),
                {{"sequential", PlayMethod::Sequential},
                 {"optimised", PlayMethod::Optimised},
                 {"fastest", PlayMethod::Fastest}});
        else if (argument == "--seed")
            options.seed = Parse_Seed(value());
        else if (argument == "--volume")
            options.volume_percent = Parse_Volume(value());
        else if (argument == "--dog-watches")
            options.dog_watches = true;
        else if (argument == "--check-voice") {
            options.check_voice = true;
            if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("-"))
                options.check_voice_directory = arguments[++i];
        }
        else if (argument.starts_with("-"))
            throw EUsage_Error("unknown option '" + argument + "' (see --help)");
        else if (options.time)
            throw EUsage_Error("more than one time given: '" + argument + "'");
        else if (auto time = Parse_Clock_Time(argument))
            options.time = time;
        else
            throw EUsage_Error("'" + argument + "' is not a time of day in 24-hour form HH:MM (00:00 to 23:59)");
    }
    return options;
}

void Apply_Say_Overrides(const TSay_Options& options, ClockSettings& settings)
{
    if (options.sound_directory)
        settings.Sound_Directory_Edit = *options.sound_directory;
    if (options.clock_format)
        Select_Clock_Format(settings, *options.clock_format);
    if (options.sound_scheme)
        Select_Sound_Scheme(settings, *options.sound_scheme);
    if (options.prefix_suffix_mode)
        Select_Prefix_Suffix_Mode(settings, *options.prefix_suffix_mode);
    if (options.play_method)
        Select_Play_Method(settings, *options.play_method);
    if (options.volume_percent)
        settings.Volume_Percent = *options.volume_percent;
    if (options.dog_watches)
        settings.Dog_Watch_Bells_Option = true;
}

std::string Say_Usage()
{
    return "Usage: horavox-say [options] [HH:MM]\n"
           "Speaks the time (default: now) with the talking clock's voice pack and settings.\n"
           "\n"
           "  --print                  print the sound files of the announcement, in playing order, and exit\n"
           "  --show-settings          print the effective settings and exit\n"
           "  --wav FILE               write the announcement into one WAV file instead of playing it\n"
           "  --settings FILE          settings file to read (default: the clock's own vocahora.ini)\n"
           "  --sound-dir DIR          directory of the sound files\n"
           "  --clock 12|24            12-hour (AM/PM spoken) or 24-hour clock\n"
           "  --scheme words|bells     spoken words or ship's bells\n"
           "  --prefix-suffix fixed|random|blank|none\n"
           "                           how the prefix and suffix sounds are chosen\n"
           "  --play-method sequential|optimised|fastest\n"
           "  --seed N                 seed for the random prefix and suffix choice\n"
           "  --volume N               volume in percent, 0 to 100 (also of the --wav file)\n"
           "  --dog-watches            ship's bells: one, two and three bells at 18:30, 19:00 and 19:30\n"
           "  --check-voice [DIR]      check the voice pack (default: the sound directory) and exit:\n"
           "                           every word file, its duration, and silence, clipping or odd formats\n"
           "  --help                   show this text\n"
           "\n"
           "The settings file is never written. Exit codes: 0 done, 1 sound or file error (with --check-voice:\n"
           "a word the settings need is missing or broken), 2 bad arguments.\n";
}
