#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "gui/Pump_Events.h"
#include "support/Temp_Dir.h"

class TSound_Output;

// A sine tone, mono or interleaved stereo, full from the first sample to the
// last, so silence in the output is the player's doing, not the file's.
std::vector<std::int16_t> Tone(double frequency, double seconds, int rate, int channels = 1);

// Writes a tone as a 16-bit PCM WAV file named `name` in `dir`; returns its path.
std::string Write_Tone_File(const TTemp_Dir& dir, const std::string& name, double frequency, double seconds,
                            int rate = 22050, int channels = 1);

// Blocks, handling no events, until the output's device has filled `count`
// more buffers; false when it fills none for five seconds. The output's tap
// runs after a fill and before the notices of the sounds that ended in it are
// posted, so after two more fills every notice due before is posted.
bool Await_Fills(TSound_Output& audio, int count);

// Handles every notice the output has posted so far: what a sound that
// should say nothing more would have said by now, with no wait on the clock.
void Deliver_Posted_Notices(TSound_Output& audio);

// Points SDL's disk driver at a capture file in `dir` (before the device opens);
// the returned path holds the raw output once the device has closed.
std::string Capture_Disk_Output(const TTemp_Dir& dir, int delay_ms);

std::vector<std::int16_t> Read_Samples(const std::string& raw_path);

// Level (0 to 1, amplitude) of `frequency` in the frames [first, first + count).
double Tone_Level(const std::vector<std::int16_t>& samples, int channels, int rate, double frequency,
                  std::size_t first, std::size_t count);

// Where one tone is heard: a run of windows in which its level passes a
// threshold, in frames of the output.
struct TTone_Run {
    double Frequency = 0;
    std::size_t First_Frame = 0;
    std::size_t End_Frame = 0;
};

// Every run of each of `frequencies`, ordered by start (then by frequency).
std::vector<TTone_Run> Find_Tone_Runs(const std::vector<std::int16_t>& samples, int channels, int rate,
                                      const std::vector<double>& frequencies, std::size_t window_frames);
