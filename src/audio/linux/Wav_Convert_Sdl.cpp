#include <algorithm>
#include <memory>
#include <vector>

#include <SDL.h>

#include "audio/Wav_Convert.h"
#include "audio/linux/Sdl_Library.h"
#include "audio/linux/Sdl_Sound_File.h"

namespace {

struct TWav_Buffer_Free {
    const TSdl_Use& sdl;
    void operator()(Uint8* buffer) const { sdl->FreeWAV(buffer); }
};

struct TAudio_Stream_Free {
    const TSdl_Use& sdl;
    void operator()(SDL_AudioStream* stream) const { sdl->FreeAudioStream(stream); }
};

// Source frames converted at a time: the converter then never holds more
// than a piece of a long sound besides the result.
constexpr Uint32 Frames_Per_Piece = 16384;
// Frames of the output rate that SDL's resampler looks ahead.
constexpr Uint32 Resampler_Reach = 512;

}  // namespace

// SDL's decoder reads the whole file; its resampler then converts it a piece
// at a time. SDL's resampler sizes its buffers in int from the rate, so a
// header claiming some megahertz is refused before it.
std::size_t Convert_Wav(const std::string& path, int frequency, int channels, const TPiece_Taker& take,
                        TWav_Source* source)
{
    const TSdl_Use sdl;
    std::string error_text;
    const TSound_File file = Open_Sound_File(path, error_text);
    if (!file)
        throw TDecode_Failure{error_text, true};
    SDL_AudioSpec spec{};
    Uint8* raw = nullptr;
    Uint32 length = 0;
    sdl->ClearError();
    if (sdl->LoadWAV_RW(file.get(), 0, &spec, &raw, &length) == nullptr)
        throw TDecode_Failure{Sdl_Error_Text()};
    const std::unique_ptr<Uint8, TWav_Buffer_Free> wav(raw, TWav_Buffer_Free{sdl});
    const Uint32 frame_bytes = SDL_AUDIO_BITSIZE(spec.format) / 8u * spec.channels;
    if (frame_bytes == 0 || spec.freq <= 0 || spec.freq > Max_Source_Frequency)
        throw TDecode_Failure{"the sound's format is not usable"};
    length -= length % frame_bytes;
    if (raw == nullptr || length == 0)
        throw TDecode_Failure{No_Sound_Data_Text};
    if (frequency == 0)
        frequency = spec.freq;
    if (channels == 0)
        channels = spec.channels;
    if (source != nullptr)
        *source = {SDL_AUDIO_BITSIZE(spec.format), SDL_AUDIO_ISFLOAT(spec.format) != 0, spec.freq, spec.channels};

    const std::unique_ptr<SDL_AudioStream, TAudio_Stream_Free> stream(
        sdl->NewAudioStream(spec.format, spec.channels, spec.freq, AUDIO_S16SYS, static_cast<Uint8>(channels), frequency),
        TAudio_Stream_Free{sdl});
    if (!stream)
        throw TDecode_Failure{Sdl_Error_Text()};
    // The frames a one-pass conversion gives; the stream is cut to them.
    const auto frames_out = static_cast<std::size_t>(static_cast<std::uint64_t>(length / frame_bytes) *
                                                     static_cast<std::uint64_t>(frequency) /
                                                     static_cast<std::uint64_t>(spec.freq));
    const std::size_t samples_out = frames_out * static_cast<std::size_t>(channels);
    std::size_t given = 0;
    std::vector<std::int16_t> piece;
    const auto take_converted = [&] {
        for (int available; given < samples_out && (available = sdl->AudioStreamAvailable(stream.get())) > 0;) {
            piece.resize(static_cast<std::size_t>(available) / sizeof(std::int16_t) + 1u);
            const int got = sdl->AudioStreamGet(stream.get(), piece.data(), available);
            if (got <= 0)
                throw TDecode_Failure{Sdl_Error_Text()};
            const std::size_t count = std::min(static_cast<std::size_t>(got) / sizeof(std::int16_t), samples_out - given);
            take(std::span<const std::int16_t>(piece.data(), count), samples_out);
            given += count;
        }
    };
    const Uint32 piece_bytes = Frames_Per_Piece * frame_bytes;
    for (Uint32 offset = 0; offset < length; offset += std::min(piece_bytes, length - offset)) {
        if (sdl->AudioStreamPut(stream.get(), raw + offset, static_cast<int>(std::min(piece_bytes, length - offset))) !=
            0)
            throw TDecode_Failure{Sdl_Error_Text()};
        take_converted();
    }
    // The resampler keeps back the last few milliseconds, and flushing does
    // not give them up: silence after the end pushes them out.
    const Uint32 padding_frames =
        Resampler_Reach * (static_cast<Uint32>(spec.freq) / static_cast<Uint32>(frequency) + 2u);
    const std::vector<Uint8> silence(padding_frames * frame_bytes, spec.format == AUDIO_U8 ? 0x80 : 0x00);
    if (sdl->AudioStreamPut(stream.get(), silence.data(), static_cast<int>(silence.size())) != 0 ||
        sdl->AudioStreamFlush(stream.get()) != 0)
        throw TDecode_Failure{Sdl_Error_Text()};
    take_converted();
    return given;
}

TDecoder_Hold::TDecoder_Hold() : decoder_(std::make_shared<const TSdl_Use>()) {}
