#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A WAV file as it is, for the voice-pack check: its own sample format, and
// its samples as signed 16-bit at its own rate and channel count.
struct TWav_Inspection {
    enum class TResult { Ok, Unreadable, Not_Sound };
    TResult Result = TResult::Ok;
    // The reason for Unreadable (the system's) or Not_Sound (the decoder's).
    std::string Reason;
    // "16-bit, 22050 Hz, mono", "8-bit, 11025 Hz, stereo", "32-bit float, ..."
    std::string Format;
    int Frequency = 0;
    int Channels = 0;
    std::vector<std::int16_t> Samples;
};

TWav_Inspection Inspect_Wav(const std::string& path);
