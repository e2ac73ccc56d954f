#include "audio/Wav_Inspect.h"

#include "audio/Wav_Convert.h"

namespace {

std::string Format_Text(const TWav_Source& source)
{
    std::string text = std::to_string(source.Bits) + "-bit";
    if (source.Float)
        text += " float";
    text += ", " + std::to_string(source.Frequency) + " Hz, ";
    if (source.Channels == 1)
        text += "mono";
    else if (source.Channels == 2)
        text += "stereo";
    else
        text += std::to_string(source.Channels) + " channels";
    return text;
}

}  // namespace

TWav_Inspection Inspect_Wav(const std::string& path)
{
    TWav_Inspection inspection;
    TWav_Source source;
    try {
        // Only the sample type changes, so the samples are the file's own frames.
        Convert_Wav(
            path, 0, 0,
            [&inspection](std::span<const std::int16_t> piece, std::size_t total) {
                inspection.Samples.reserve(total);
                inspection.Samples.insert(inspection.Samples.end(), piece.begin(), piece.end());
            },
            &source);
    } catch (const TDecode_Failure& failure) {
        inspection.Result = failure.Unreadable ? TWav_Inspection::TResult::Unreadable : TWav_Inspection::TResult::Not_Sound;
        inspection.Reason = failure.Reason;
        inspection.Samples.clear();
        return inspection;
    }
    inspection.Format = Format_Text(source);
    inspection.Frequency = source.Frequency;
    inspection.Channels = source.Channels;
    return inspection;
}
