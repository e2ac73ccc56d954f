#include "audio/Wav_Render.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>
#include <optional>

#include "engine/SoundPlayer.h"
#include "engine/Volume.h"
#include "system/Files.h"
#include "system/Path_Text.h"
#include "system/Files_Read.h"
#include "audio/Plain_Pcm_Wav.h"
#include "audio/Wav_Convert.h"
#include "util/Horavox_Error.h"

namespace {

std::string Decode_Error(const std::string& path, const std::string& reason)
{
    return "Cannot read the sound file \"" + path + "\": " + reason;
}

// The largest file read whole when it needs no decoding: a minute and a half
// of the voice's own format.
constexpr std::uintmax_t Plain_Pcm_Size_Limit = 4u << 20;

void Put_Le(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFFu);
}

// A file already in the wanted format is handed over as it is, without
// loading the system's decoder: the voice pack's files are, for a rendering and on a sound
// server. Nothing when the file is not, or cannot be read here. `actual` is
// the file's name as spelled on disk.
std::optional<std::size_t> Take_Plain_Pcm(const std::string& actual, int frequency, int channels,
                                          const TPiece_Taker& take)
{
    // Read whole and copied once: for words and bells, not for a long
    // recording, which the decoder takes a piece at a time.
    std::error_code error;
    const auto size = std::filesystem::file_size(Path_Of(actual), error);
    std::string contents;
    if (error || size > Plain_Pcm_Size_Limit || Read_Regular_File(actual, contents) != TFile_Read::Read)
        return std::nullopt;
    const auto bytes = Plain_Pcm_Samples(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(contents.data()), contents.size()),
        frequency, channels);
    if (!bytes)
        return std::nullopt;
    std::vector<std::int16_t> samples(bytes->size() / sizeof(std::int16_t));
    std::memcpy(samples.data(), bytes->data(), bytes->size());
    take(samples, samples.size());
    return samples.size();
}

// Converts the file a piece at a time and hands each piece to `take`, so a
// long file costs little more than itself. Returns the count of samples given.
std::size_t Convert_Or_Throw(const std::string& path, int frequency, int channels, const TPiece_Taker& take)
{
    // Looked up once: a name in another letter case costs a directory scan,
    // and the decoder's own lookup then finds the exact spelling at once.
    const std::string resolved = Resolve_Path(path);
    const std::string& actual = resolved.empty() ? path : resolved;
    if (const auto given = Take_Plain_Pcm(actual, frequency, channels, take))
        return *given;
    return Convert_Wav(actual, frequency, channels, take);
}

std::size_t Convert_For_Render(const std::string& path, const TPiece_Taker& take)
{
    try {
        return Convert_Or_Throw(path, Render_Frequency, 1, take);
    } catch (const TDecode_Failure& failure) {
        throw EHoravoxError(Decode_Error(path, failure.Reason));
    }
}

void Append(std::vector<std::int16_t>& samples, std::span<const std::int16_t> piece, std::size_t total)
{
    samples.reserve(total);
    samples.insert(samples.end(), piece.begin(), piece.end());
}

std::string Wav_Header(std::uint32_t data_size, int frequency, int channels)
{
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
    return header;
}

void Write_Samples(std::ofstream& out, std::span<const std::int16_t> samples)
{
    if constexpr (std::endian::native == std::endian::big) {
        for (const std::int16_t sample : samples) {
            const auto bits = static_cast<std::uint16_t>(sample);
            const char bytes[2] = {static_cast<char>(bits & 0xFFu), static_cast<char>(bits >> 8)};
            out.write(bytes, 2);
        }
    } else {
        out.write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(samples.size_bytes()));
    }
}

// Writes a WAV file of `data_bytes` whose samples `write_data` puts out.
void Write_Wav_File(const std::string& path, std::uint64_t data_bytes, int frequency, int channels,
                    const std::function<void(std::ofstream&)>& write_data)
{
    if (data_bytes > std::numeric_limits<std::uint32_t>::max() - 36u)
        throw EHoravoxError("Cannot write \"" + path + "\": the sound is too long for a WAV file");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out.is_open())
        throw EHoravoxError("Cannot write \"" + path + "\"");
    const std::string header = Wav_Header(static_cast<std::uint32_t>(data_bytes), frequency, channels);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    try {
        write_data(out);
    } catch (...) {
        out.close();
        std::remove(path.c_str());
        throw;
    }
    out.close();
    if (!out) {
        std::remove(path.c_str());
        throw EHoravoxError("Cannot write \"" + path + "\"");
    }
}

}  // namespace

bool Decode_Wav(const std::string& path, int frequency, int channels, std::vector<std::int16_t>& samples,
                std::string& reason)
{
    std::vector<std::int16_t> decoded;
    try {
        Convert_Or_Throw(path, frequency, channels,
                         [&decoded](std::span<const std::int16_t> piece, std::size_t total) { Append(decoded, piece, total); });
    } catch (const TDecode_Failure& failure) {
        reason = failure.Reason;
        return false;
    } catch (const EMCIDeviceError& error) {
        reason = error.what();
        return false;
    }
    samples = std::move(decoded);
    return true;
}

std::vector<std::int16_t> Decode_Wav_For_Render(const std::string& path)
{
    std::vector<std::int16_t> samples;
    Convert_For_Render(
        path, [&samples](std::span<const std::int16_t> piece, std::size_t total) { Append(samples, piece, total); });
    return samples;
}

std::size_t Rendered_Length(const std::string& path)
{
    return Convert_For_Render(path, [](std::span<const std::int16_t>, std::size_t) {});
}

void Render_Wav(const std::vector<TRender_Part>& parts, const std::string& output_path)
{
    // Every file is read through once before the output is touched, so a bad
    // one leaves an earlier output as it was, and the header knows the length.
    std::uint64_t samples = 0;
    for (const auto& part : parts)
        samples += Rendered_Length(part.path);
    Write_Wav_File(output_path, samples * sizeof(std::int16_t), Render_Frequency, 1, [&](std::ofstream& out) {
        std::vector<std::int16_t> scaled;
        for (const auto& part : parts)
            Convert_For_Render(part.path, [&](std::span<const std::int16_t> piece, std::size_t) {
                scaled.assign(piece.begin(), piece.end());
                Apply_Volume(scaled, part.volume_percent);
                Write_Samples(out, scaled);
            });
    });
}

void Render_Wav(const std::vector<std::string>& sound_paths, const std::string& output_path)
{
    std::vector<TRender_Part> parts;
    for (const auto& path : sound_paths)
        parts.push_back({path});
    Render_Wav(parts, output_path);
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
    Write_Wav_File(path, data_bytes, frequency, channels, [&parts](std::ofstream& out) {
        for (const auto& part : parts)
            Write_Samples(out, part);
    });
}

std::string Pcm_Wav_Image(std::span<const std::int16_t> samples, int frequency, int channels)
{
    if (samples.size_bytes() > std::numeric_limits<std::uint32_t>::max() - 36u)
        throw EHoravoxError("The sound is too long for a WAV file");
    std::string image = Wav_Header(static_cast<std::uint32_t>(samples.size_bytes()), frequency, channels);
    image.reserve(image.size() + samples.size_bytes());
    for (const std::int16_t sample : samples) {
        const auto bits = static_cast<std::uint16_t>(sample);
        image += static_cast<char>(bits & 0xFFu);
        image += static_cast<char>(bits >> 8);
    }
    return image;
}
