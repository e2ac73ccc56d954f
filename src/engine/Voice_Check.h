#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "settings/ClockSettings.h"

// The check of a voice pack that `horavox-say --check-voice` prints: every
// word file the clock can need, whether it plays, and what about it makes
// an announcement sound wrong. The files are read by the caller; everything
// here is arithmetic on what was read.

// Silence at either end longer than this is heard as a gap between words.
constexpr int Silence_Warning_Ms = 50;

// The word files the clock can ask for: 0 to 20, 30, 40, 50, AM, PM, ding
// and dingding, in that order.
std::vector<std::string> Voice_Word_Files();

// Whether the announcements of these settings use the word file: the numbers
// in the spoken scheme, AM and PM on the 12-hour clock too, the bells in the
// eight-bells scheme.
bool Word_File_Needed(const std::string& file_name, const ClockSettings& settings);

// What a sound's samples (signed 16-bit, interleaved) show.
struct TSound_Measure {
    double Seconds = 0;
    int Leading_Silence_Ms = 0;
    int Trailing_Silence_Ms = 0;
    // Runs of samples held at full scale, where the recording overdrove.
    bool Clipped = false;
};
TSound_Measure Measure_Sound(std::span<const std::int16_t> samples, int frequency, int channels);

enum class TFile_State { Ok, Missing, Unreadable, Not_Sound };

struct TVoice_File {
    std::string Name;
    TFile_State State = TFile_State::Missing;
    // The reading or decoding error, for Unreadable and Not_Sound.
    std::string Reason;
    // The file's own sample format ("16-bit, 22050 Hz, mono"), for Ok.
    std::string Format;
    TSound_Measure Measure;
    // A broken or missing needed file fails the check; others only show.
    bool Needed = false;
};

struct TVoice_Check_Report {
    std::vector<std::string> Lines;
    bool Passed = true;
};

// One line per file with its state and duration, a warning line under it for
// long silence at an end, clipping, or a format other than most files have;
// then the majority format and the verdict.
TVoice_Check_Report Voice_Check_Report(const std::string& directory, const std::vector<TVoice_File>& files);
