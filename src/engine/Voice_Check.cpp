#include "engine/Voice_Check.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

// About -50 dB below full scale: quieter than a soft "f" or "s", louder than
// the hiss of a fair recording.
constexpr int Silence_Level = 104;
// At or beyond 99 % of full scale, held for this many samples in a row.
constexpr int Clip_Level = 32440;
constexpr int Clip_Run = 3;

bool Frame_Silent(std::span<const std::int16_t> frame)
{
    return std::all_of(frame.begin(), frame.end(), [](std::int16_t sample) { return std::abs(sample) <= Silence_Level; });
}

int Milliseconds(std::size_t frames, int frequency)
{
    return static_cast<int>(static_cast<std::uint64_t>(frames) * 1000u / static_cast<std::uint64_t>(frequency));
}

bool Has_Clipping(std::span<const std::int16_t> samples, int channels)
{
    for (int channel = 0; channel < channels; ++channel) {
        int run = 0;
        for (std::size_t i = static_cast<std::size_t>(channel); i < samples.size(); i += static_cast<std::size_t>(channels)) {
            run = std::abs(static_cast<int>(samples[i])) >= Clip_Level ? run + 1 : 0;
            if (run >= Clip_Run)
                return true;
        }
    }
    return false;
}

std::string State_Text(const TVoice_File& file)
{
    switch (file.State) {
    case TFile_State::Ok: return "ok";
    case TFile_State::Missing: return "missing";
    case TFile_State::Unreadable: return "unreadable: " + file.Reason;
    case TFile_State::Not_Sound: return "not a sound file: " + file.Reason;
    }
    return "";
}

std::string Padded(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

std::string Seconds_Text(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", seconds);
    return text;
}

// The format most readable files share; the first seen wins a tie.
std::string Majority_Format(const std::vector<TVoice_File>& files)
{
    std::map<std::string, int> counts;
    std::string majority;
    for (const auto& file : files)
        if (file.State == TFile_State::Ok && ++counts[file.Format] > counts[majority])
            majority = file.Format;
    return majority;
}

}  // namespace

std::vector<std::string> Voice_Word_Files()
{
    std::vector<std::string> names;
    for (int number = 0; number <= 20; ++number)
        names.push_back(std::to_string(number) + ".WAV");
    for (const char* word : {"30", "40", "50", "AM", "PM", "ding", "dingding"})
        names.push_back(std::string(word) + ".WAV");
    return names;
}

bool Word_File_Needed(const std::string& file_name, const ClockSettings& settings)
{
    const bool bell = file_name == "ding.WAV" || file_name == "dingding.WAV";
    if (Sound_Scheme_Of(settings) == SoundScheme::EightBells)
        return bell;
    if (file_name == "AM.WAV" || file_name == "PM.WAV")
        return Clock_Format_Of(settings) == ClockFormat::TwelveHour;
    return !bell;
}

TSound_Measure Measure_Sound(std::span<const std::int16_t> samples, int frequency, int channels)
{
    TSound_Measure measure;
    if (frequency <= 0 || channels <= 0)
        return measure;
    const auto width = static_cast<std::size_t>(channels);
    const std::size_t frames = samples.size() / width;
    auto frame = [&](std::size_t index) { return samples.subspan(index * width, width); };
    std::size_t leading = 0;
    while (leading < frames && Frame_Silent(frame(leading)))
        ++leading;
    std::size_t trailing = 0;
    while (trailing < frames && Frame_Silent(frame(frames - 1 - trailing)))
        ++trailing;
    measure.Seconds = static_cast<double>(frames) / frequency;
    measure.Leading_Silence_Ms = Milliseconds(leading, frequency);
    measure.Trailing_Silence_Ms = Milliseconds(trailing, frequency);
    measure.Clipped = Has_Clipping(samples.first(frames * width), channels);
    return measure;
}

TVoice_Check_Report Voice_Check_Report(const std::string& directory, const std::vector<TVoice_File>& files)
{
    TVoice_Check_Report report;
    report.Lines.push_back("Voice pack: " + directory);
    const std::string majority = Majority_Format(files);
    int failed = 0;
    for (const auto& file : files) {
        std::string line = Padded(file.Name, 16) + Padded(State_Text(file), 10);
        if (file.State == TFile_State::Ok)
            line += Seconds_Text(file.Measure.Seconds);
        if (!file.Needed)
            line += file.State == TFile_State::Ok ? "  (not used by the current settings)" : "  (not needed)";
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        report.Lines.push_back(line);
        if (file.State != TFile_State::Ok) {
            failed += file.Needed ? 1 : 0;
            continue;
        }
        const auto warn = [&](const std::string& text) { report.Lines.push_back("    warning: " + text); };
        if (file.Measure.Leading_Silence_Ms > Silence_Warning_Ms)
            warn(std::to_string(file.Measure.Leading_Silence_Ms) +
                 " ms of silence at the start (heard as a gap before the word)");
        if (file.Measure.Trailing_Silence_Ms > Silence_Warning_Ms)
            warn(std::to_string(file.Measure.Trailing_Silence_Ms) +
                 " ms of silence at the end (heard as a gap after the word)");
        if (file.Measure.Clipped)
            warn("clipping (the recording was too loud)");
        if (file.Format != majority)
            warn("sample format " + file.Format + ", unlike most files (" + majority + ")");
    }
    if (!majority.empty())
        report.Lines.push_back("Most files: " + majority);
    report.Passed = failed == 0;
    report.Lines.push_back(report.Passed ? "Result: every needed word plays"
                                         : "Result: " + std::to_string(failed) +
                                               (failed == 1 ? " needed word is" : " needed words are") +
                                               " missing or broken");
    return report;
}
