#include "platform/Wav_Render.h"

#include <algorithm>
#include <bit>
#include <cstdio>
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

struct TAudio_Stream_Free {
    void operator()(SDL_AudioStream* stream) const { SDL_FreeAudioStream(stream); }
};

// Source frames converted at a time: the converter then never holds more
// than a piece of a long sound besides the result.
constexpr Uint32 Frames_Per_Piece = 16384;
// Frames of the output rate that SDL's resampler looks ahead.
constexpr Uint32 Resampler_Reach = 512;

void Put_Le(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFFu);
}

}  // namespace

namespace {

// Thrown inside Decode_Wav only, to leave it with the decoder's text.
struct TDecode_Failure {
    std::string Reason;
};

std::vector<std::int16_t> Decode_Or_Throw(const std::string& path, int frequency, int channels)
{
    std::string error_text;
    const TSound_File file = Open_Sound_File(path, error_text);
    if (!file)
        throw TDecode_Failure{error_text};
    SDL_AudioSpec spec{};
    Uint8* raw = nullptr;
    Uint32 length = 0;
    SDL_ClearError();
    if (SDL_LoadWAV_RW(file.get(), 0, &spec, &raw, &length) == nullptr)
        throw TDecode_Failure{Sdl_Error_Text()};
    const std::unique_ptr<Uint8, TWav_Buffer_Free> wav(raw);
    const Uint32 frame_bytes = SDL_AUDIO_BITSIZE(spec.format) / 8u * spec.channels;
    if (frame_bytes == 0 || spec.freq <= 0)
        throw TDecode_Failure{"the sound's format is not usable"};
    length -= length % frame_bytes;
    if (raw == nullptr || length == 0)
        throw TDecode_Failure{No_Sound_Data_Text};

    const std::unique_ptr<SDL_AudioStream, TAudio_Stream_Free> stream(SDL_NewAudioStream(
        spec.format, spec.channels, spec.freq, AUDIO_S16SYS, static_cast<Uint8>(channels), frequency));
    if (!stream)
        throw TDecode_Failure{Sdl_Error_Text()};
    // The frames a one-pass conversion gives; the stream is cut to them.
    const auto out_channels = static_cast<std::size_t>(channels);
    const auto frames_out = static_cast<std::size_t>(static_cast<std::uint64_t>(length / frame_bytes) *
                                                     static_cast<std::uint64_t>(frequency) /
                                                     static_cast<std::uint64_t>(spec.freq));
    const std::size_t samples_out = frames_out * out_channels;
    std::vector<std::int16_t> samples;
    samples.reserve(samples_out);
    const auto take_converted = [&] {
        for (int available; samples.size() < samples_out && (available = SDL_AudioStreamAvailable(stream.get())) > 0;) {
            const std::size_t before = samples.size();
            samples.resize(before + static_cast<std::size_t>(available) / sizeof(std::int16_t) + 1u);
            const int got = SDL_AudioStreamGet(stream.get(), samples.data() + before, available);
            if (got <= 0)
                throw TDecode_Failure{Sdl_Error_Text()};
            samples.resize(std::min(before + static_cast<std::size_t>(got) / sizeof(std::int16_t), samples_out));
        }
    };
    const Uint32 piece = Frames_Per_Piece * frame_bytes;
    for (Uint32 offset = 0; offset < length; offset += std::min(piece, length - offset)) {
        if (SDL_AudioStreamPut(stream.get(), raw + offset, static_cast<int>(std::min(piece, length - offset))) != 0)
            throw TDecode_Failure{Sdl_Error_Text()};
        take_converted();
    }
    // The resampler keeps back the last few milliseconds, and flushing does
    // not give them up: silence after the end pushes them out.
    const Uint32 padding_frames =
        Resampler_Reach * (static_cast<Uint32>(spec.freq) / static_cast<Uint32>(frequency) + 2u);
    const std::vector<Uint8> silence(padding_frames * frame_bytes, spec.format == AUDIO_U8 ? 0x80 : 0x00);
    if (SDL_AudioStreamPut(stream.get(), silence.data(), static_cast<int>(silence.size())) != 0 ||
        SDL_AudioStreamFlush(stream.get()) != 0)
        throw TDecode_Failure{Sdl_Error_Text()};
    take_converted();
    return samples;
}

}  // namespace

bool Decode_Wav(const std::string& path, int frequency, int channels, std::vector<std::int16_t>& samples,
                std::string& reason)
{
    try {
        samples = Decode_Or_Throw(path, frequency, channels);
    } catch (const TDecode_Failure& failure) {
        reason = failure.Reason;
        return false;
    }
    return true;
}

std::vector<std::int16_t> Decode_Wav_For_Render(const std::string& path)
{
    std::vector<std::int16_t> samples;
    std::string reason;
    if (!Decode_Wav(path, Render_Frequency, 1, samples, reason))
        throw EHoravoxError(Decode_Error(path, reason));
    return samples;
}

void Render_Wav(const std::vector<std::string>& sound_paths, const std::string& output_path)
{
    std::vector<std::vector<std::int16_t>> parts;
    for (const auto& path : sound_paths)
        parts.push_back(Decode_Wav_For_Render(path));
    Write_Pcm_Wav(output_path, std::vector<std::span<const std::int16_t>>(parts.begin(), parts.end()), Render_Frequency,
                  1);
}

void Write_Pcm_Wav(const std::string& path, const std::vector<std::int16_t>& samples, int frequency, int channels)
{
    Write_Pcm_Wav(path, std::vector<std::span<const std::int16_t>>{samples}, frequency, channels);
}

void Write_Pcm_Wav(const std::string& path, const std::vector<std::span<const std::int16_t>>& parts, int frequency,
                   int channels)
{
    std::uint64_t data_bytes = 0;
    for (const auto& part : parts)
        data_bytes += part.size_bytes();
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

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out.is_open())
        throw EHoravoxError("Cannot write \"" + path + "\"");
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    for (const auto& part : parts) {
        if constexpr (std::endian::native == std::endian::big) {
            for (const std::int16_t sample : part) {
                const auto bits = static_cast<std::uint16_t>(sample);
                const char bytes[2] = {static_cast<char>(bits & 0xFFu), static_cast<char>(bits >> 8)};
                out.write(bytes, 2);
            }
        } else {
            out.write(reinterpret_cast<const char*>(part.data()), static_cast<std::streamsize>(part.size_bytes()));
        }
    }
    out.close();
    if (!out) {
        std::remove(path.c_str());
        throw EHoravoxError("Cannot write \"" + path + "\"");
    }
}
