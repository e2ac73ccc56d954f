#include "app/say/Say_Voice_Check.h"

#include <iostream>

#include "engine/Sound_Path.h"
#include "engine/Voice_Check.h"
#include "platform/Files.h"
#include "platform/Wav_Inspect.h"

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

}  // namespace

int Check_Voice(const std::string& directory, const ClockSettings& settings)
{
    std::vector<TVoice_File> files;
    for (const auto& name : Voice_Word_Files())
        files.push_back(Read_Voice_File(directory, name, Word_File_Needed(name, settings)));
    // The spoken scheme plays a prefix and a suffix unless none is chosen.
    const bool prefix_suffix_used = Sound_Scheme_Of(settings) == SoundScheme::NormalSounds &&
                                    Prefix_Suffix_Mode_Of(settings) != PrefixSuffixMode::None;
    for (const char* mask : {"PREFIX*.WAV", "SUFFIX*.WAV"})
        for (const auto& name : Find_Matching_Entries(Sound_File_Path(directory, mask)))
            if (File_Exists(Sound_File_Path(directory, name)))
                files.push_back(Read_Voice_File(directory, name, prefix_suffix_used));

    const TVoice_Check_Report report = Voice_Check_Report(directory, files);
    for (const auto& line : report.Lines)
        std::cout << line << "\n";
    return report.Passed ? 0 : 1;
}
