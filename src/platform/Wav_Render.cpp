#include "platform/Wav_Render.h"

#include <bit>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <memory>

#include <SDL.h>

#include "platform/Sdl_Sound_File.h"
#include "util/Horavox_Error.h"

namespace {

std::string Decode_Error(const std::string& path, const std::string& reason)
{
    return "Cannot read the sound file \"" + path + "\": " + reason;
}

struct TWav_Buffer_Free {
    void operator()(Uint8* buffer) const { SDL_FreeWAV(buffer); }
};

void Put_Le(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFFu);
}

}  // namespace

std::vector<std::int16_t> Decode_Wav_For_Render(const std::string& path)
{
    std::string error_text;
    SDL_RWops* file = Open_Sound_File(path, error_text);
    if (file == nullptr)
        throw EHoravoxError(Decode_Error(path, error_text));
    SDL_AudioSpec spec{};
    Uint8* raw = nullptr;
    Uint32 length = 0;
    SDL_ClearError();
    if (SDL_LoadWAV_RW(file, 1, &spec, &raw, &length) == nullptr)
        throw EHoravoxError(Decode_Error(path, Sdl_Error_Text()));
    std::unique_ptr<Uint8, TWav_Buffer_Free> wav(raw);

    // One pass over the whole sound: SDL's streaming converter holds back
    // the last few milliseconds when it resamples.
    SDL_AudioCVT converter;
    if (SDL_BuildAudioCVT(&converter, spec.format, spec.channels, spec.freq, AUDIO_S16SYS, 1, Render_Frequency) < 0)
        throw EHoravoxError(Decode_Error(path, Sdl_Error_Text()));
    if (static_cast<std::uint64_t>(length) * static_cast<std::uint64_t>(converter.len_mult) >
        static_cast<std::uint64_t>(std::numeric_limits<int>::max()))
        throw EHoravoxError(Decode_Error(path, "the sound is too long"));
    std::vector<Uint8> buffer(static_cast<std::size_t>(length) * static_cast<std::size_t>(converter.len_mult));
    std::memcpy(buffer.data(), wav.get(), length);
    converter.buf = buffer.data();
    converter.len = static_cast<int>(length);
    if (SDL_ConvertAudio(&converter) != 0)
        throw EHoravoxError(Decode_Error(path, Sdl_Error_Text()));
    std::vector<std::int16_t> samples(static_cast<std::size_t>(converter.len_cvt) / sizeof(std::int16_t));
    std::memcpy(samples.data(), buffer.data(), samples.size() * sizeof(std::int16_t));
    return samples;
}

void Render_Wav(const std::vector<std::string>& sound_paths, const std::string& output_path)
{
    std::vector<std::int16_t> samples;
    for (const auto& path : sound_paths) {
        const auto part = Decode_Wav_For_Render(path);
        samples.insert(samples.end(), part.begin(), part.end());
    }
    Write_Pcm_Wav(output_path, samples, Render_Frequency, 1);
}

void Write_Pcm_Wav(const std::string& path, const std::vector<std::int16_t>& samples, int frequency, int channels)
{
    const std::uint64_t data_bytes = samples.size() * sizeof(std::int16_t);
    if (data_bytes > std::numeric_limits<std::uint32_t>::max() - 36u)
        throw EHoravoxError("Cannot write \"" + path + "\": the sound is too long for a WAV file");
    const auto data_size = static_cast<std::uint32_t>(data_bytes);
    const auto rate = static_cast<std::uint32_t>(frequency);
    const auto count = static_cast<std::uint32_t>(channels);

    std::string header = "RIFF";
    Put_Le(header, 36u + data_size, 4);
    header += "WAVEfmt ";
    Put_Le(header, 16u, 4);
    Put_Le(header, 1u, 2);  // PCM
    Put_Le(header, count, 2);
    Put_Le(header, rate, 4);
    Put_Le(header, rate * count * 2u, 4);
    Put_Le(header, count * 2u, 2);
    Put_Le(header, 16u, 2);
    header += "data";
    Put_Le(header, data_size, 4);

    std::vector<std::int16_t> data = samples;
    if constexpr (std::endian::native == std::endian::big)
        for (auto& sample : data)
            sample = static_cast<std::int16_t>(SDL_Swap16(static_cast<Uint16>(sample)));

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out.is_open())
        throw EHoravoxError("Cannot write \"" + path + "\"");
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data_bytes));
    out.close();
    if (!out) {
        std::remove(path.c_str());
        throw EHoravoxError("Cannot write \"" + path + "\"");
    }
}
