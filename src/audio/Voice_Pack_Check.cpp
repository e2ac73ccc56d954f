#include "audio/Voice_Pack_Check.h"

#include <algorithm>
#include <cctype>

#include "audio/Wav_Inspect.h"
#include "engine/Prefix_Suffix.h"
#include "engine/Sound_Path.h"
#include "system/Files.h"

namespace {

TVoice_File Read_Voice_File(const std::string& directory, const std::string& name, bool needed)
{
    TVoice_File file;
    file.Name = name;
    file.Needed = needed;
    const std::string path = Sound_File_Path(directory, name);
    if (Resolve_Path(path).empty())
        return file;
    const TWav_Inspection inspection = Inspect_Wav(path);
    switch (inspection.Result) {
    case TWav_Inspection::TResult::Unreadable: file.State = TFile_State::Unreadable; break;
    case TWav_Inspection::TResult::Not_Sound: file.State = TFile_State::Not_Sound; break;
    case TWav_Inspection::TResult::Ok: file.State = TFile_State::Ok; break;
    }
    file.Reason = inspection.Reason;
    file.Format = inspection.Format;
    file.Measure = Measure_Sound(inspection.Samples, inspection.Frequency, inspection.Channels);
    return file;
}

bool Same_Name(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

// The spoken scheme plays any prefix and suffix file in the random modes, and
// only the first of the fixed names present in the fixed mode.
bool Prefix_Suffix_Needed(const std::string& name, const std::string& directory, ClockSettings settings)
{
    if (Sound_Scheme_Of(settings) != SoundScheme::NormalSounds)
        return false;
    switch (Prefix_Suffix_Mode_Of(settings)) {
    case PrefixSuffixMode::None: return false;
    case PrefixSuffixMode::Random:
    case PrefixSuffixMode::RandomWithBlank: return true;
    case PrefixSuffixMode::Fixed: break;
    }
    settings.Sound_Directory_Edit = directory;
    TSeeded_Random unused;
    const auto [prefix, suffix] = Select_Prefix_And_Suffix(settings, unused);
    return Same_Name(name, prefix) || Same_Name(name, suffix);
}

}  // namespace

std::vector<TVoice_File> Read_Voice_Pack(const std::string& directory, const ClockSettings& settings)
{
    std::vector<TVoice_File> files;
    for (const auto& name : Voice_Word_Files())
        files.push_back(Read_Voice_File(directory, name, Word_File_Needed(name, settings)));
    for (const char* mask : {"PREFIX*.WAV", "SUFFIX*.WAV"})
        for (const auto& name : Find_Matching_Entries(Sound_File_Path(directory, mask)))
            if (File_Exists(Sound_File_Path(directory, name)))
                files.push_back(Read_Voice_File(directory, name, Prefix_Suffix_Needed(name, directory, settings)));
    return files;
}
