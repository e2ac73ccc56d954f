#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/ClockSettings.h"
#include "util/Horavox_Error.h"

// A command line that horavox-say cannot follow; the text names the problem.
class EUsage_Error : public EHoravoxError {
public:
    using EHoravoxError::EHoravoxError;
};

struct TClock_Time {
    int hour = 0;
    int minute = 0;
};

// What one run of horavox-say is asked to do. Settings overrides apply to this
// run only; the settings file is never written.
struct TSay_Options {
    bool help = false;
    bool print = false;
    bool show_settings = false;
    std::optional<std::string> wav_file;
    std::optional<std::string> settings_file;
    std::optional<std::string> sound_directory;
    std::optional<ClockFormat> clock_format;
    std::optional<SoundScheme> sound_scheme;
    std::optional<PrefixSuffixMode> prefix_suffix_mode;
    std::optional<PlayMethod> play_method;
    std::optional<std::uint32_t> seed;
    std::optional<TClock_Time> time;
    std::optional<int> volume_percent;
    bool dog_watches = false;
    // Check the voice pack instead of speaking: that of the settings, or this directory.
    bool check_voice = false;
    std::optional<std::string> check_voice_directory;
};

// "HH:MM" or "H:MM" on the 24-hour clock; nothing for anything else.
std::optional<TClock_Time> Parse_Clock_Time(const std::string& text);

// Throws EUsage_Error for an unknown option, a missing or bad option value,
// a malformed time, or two times. The directory after --check-voice may be
// left out; an argument starting with "-" is then the next option.
TSay_Options Parse_Say_Arguments(const std::vector<std::string>& arguments);

// Applies the command line's overrides to settings loaded from the file.
void Apply_Say_Overrides(const TSay_Options& options, ClockSettings& settings);

std::string Say_Usage();
