#include "audio/Wav_Inspect.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include <SDL.h>

#include "audio/linux/Sdl_Library.h"
#include "audio/linux/Sdl_Sound_File.h"

namespace {

struct TWav_Buffer_Free {
    const TSdl_Use& sdl;
    void operator()(Uint8* buffer) const { sdl->FreeWAV(buffer); }
};

std::string Format_Text(const SDL_AudioSpec& spec)
{
    std::string text = std::to_string(SDL_AUDIO_BITSIZE(spec.format)) + "-bit";
    if (SDL_AUDIO_ISFLOAT(spec.format))
        text += " float";
    text += ", " + std::to_string(spec.freq) + " Hz, ";
    if (spec.channels == 1)
        text += "mono";
    else if (spec.channels == 2)
        text += "stereo";
    else
        text += std::to_string(spec.channels) + " channels";
    return text;
}

}  // namespace

TWav_Inspection Inspect_Wav(const std::string& path)
{
    TWav_Inspection inspection;
    const auto fail = [&](TWav_Inspection::TResult result, std::string reason) {
        inspection.Result = result;
        inspection.Reason = std::move(reason);
        return inspection;
    };
    const TSdl_Use sdl;
    std::string error_text;
    const TSound_File file = Open_Sound_File(path, error_text);
    if (!file)
        return fail(TWav_Inspection::TResult::Unreadable, error_text);
    SDL_AudioSpec spec{};
    Uint8* raw = nullptr;
    Uint32 length = 0;
    sdl->ClearError();
    if (sdl->LoadWAV_RW(file.get(), 0, &spec, &raw, &length) == nullptr)
        return fail(TWav_Inspection::TResult::Not_Sound, Sdl_Error_Text());
    const std::unique_ptr<Uint8, TWav_Buffer_Free> wav(raw, TWav_Buffer_Free{sdl});
    const Uint32 frame_bytes = SDL_AUDIO_BITSIZE(spec.format) / 8u * spec.channels;
    if (frame_bytes == 0 || spec.freq <= 0)
        return fail(TWav_Inspection::TResult::Not_Sound, "the sound's format is not usable");
    length -= length % frame_bytes;
    if (raw == nullptr || length == 0)
        return fail(TWav_Inspection::TResult::Not_Sound, No_Sound_Data_Text);

    // Only the sample type changes, so the samples are the file's own frames.
    SDL_AudioCVT convert{};
    if (sdl->BuildAudioCVT(&convert, spec.format, spec.channels, spec.freq, AUDIO_S16SYS, spec.channels, spec.freq) < 0)
        return fail(TWav_Inspection::TResult::Not_Sound, Sdl_Error_Text());
    std::vector<Uint8> buffer(static_cast<std::size_t>(length) * static_cast<std::size_t>(std::max(convert.len_mult, 1)));
    std::memcpy(buffer.data(), raw, length);
    convert.buf = buffer.data();
    convert.len = static_cast<int>(length);
    if (convert.needed && sdl->ConvertAudio(&convert) != 0)
        return fail(TWav_Inspection::TResult::Not_Sound, Sdl_Error_Text());
    const std::size_t converted = convert.needed ? static_cast<std::size_t>(convert.len_cvt) : length;
    inspection.Samples.resize(converted / sizeof(std::int16_t));
    std::memcpy(inspection.Samples.data(), buffer.data(), inspection.Samples.size() * sizeof(std::int16_t));
    inspection.Format = Format_Text(spec);
    inspection.Frequency = spec.freq;
    inspection.Channels = spec.channels;
    return inspection;
}
