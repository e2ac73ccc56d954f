#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The one format of a rendered announcement: mono, signed 16-bit, 22050 Hz.
constexpr int Render_Frequency = 22050;

// Decodes the WAV file and converts it to the rendered format, a piece at a
// time, so a long file costs little more than itself and the result. Throws
// EHoravoxError naming the file when it cannot be read or decoded, or holds
// no sound at all.
std::vector<std::int16_t> Decode_Wav_For_Render(const std::string& path);
// The same check, keeping only the count of samples the file renders to.
std::size_t Rendered_Length(const std::string& path);

// The same into any rate and channel count, signed 16-bit, interleaved: the
// sound players decode into the device's format with it. Returns false and
// sets `reason` (the decoder's own text) when the file cannot be used.
bool Decode_Wav(const std::string& path, int frequency, int channels, std::vector<std::int16_t>& samples,
                std::string& reason);

// One sound of a rendered announcement: its file and the volume it is heard at.
struct TRender_Part {
    std::string path;
    int volume_percent = 100;
};

// Decodes every file, in order, and writes them one after the other as one
// PCM WAV file, a piece at a time: no sound is ever held whole. Throws
// EHoravoxError on failure; a file that cannot be decoded leaves the output
// untouched, a failed write leaves no output file.
void Render_Wav(const std::vector<TRender_Part>& parts, const std::string& output_path);
void Render_Wav(const std::vector<std::string>& sound_paths, const std::string& output_path);

// Writes interleaved signed 16-bit samples as a PCM WAV file. Throws
// EHoravoxError, and leaves no output file, on failure.
void Write_Pcm_Wav(const std::string& path, const std::vector<std::int16_t>& samples, int frequency, int channels);
// The same for sounds one after the other, without joining them in memory first.
void Write_Pcm_Wav(const std::string& path, const std::vector<std::span<const std::int16_t>>& parts, int frequency,
                   int channels);
// The bytes of such a file, for a writer that replaces files crash-safely.
std::string Pcm_Wav_Image(std::span<const std::int16_t> samples, int frequency, int channels);
