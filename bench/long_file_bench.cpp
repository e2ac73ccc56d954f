// A 50 MB WAV file, far beyond any word of a voice pack, on a sound slot of
// the real output (SDL's disk driver unless SDL_AUDIODRIVER names another):
// how long the slot takes to open it (read, decode, scale to the volume), how
// long from Play to the first buffer that carries it, how long Close takes,
// and what the process holds in memory meanwhile. The file is in the
// output's own format, so it is read as it is, not converted, and it has just
// been written, so it comes from the page cache.
//
// Memory is the resident set (VmRSS) and its peak (VmHWM), which is reset
// before each phase, so "peak" is the most held during that phase alone.
#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "audio/Output_Sound_Player.h"
#include "audio/Sound_Output.h"
#include "audio/Wav_Render.h"

namespace {

using TClock = std::chrono::steady_clock;

constexpr std::size_t File_Samples = 25'000'000;  // 50 MB of 16-bit samples
constexpr int Runs = 5;

double Status_Mb(const char* field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0)
            return std::strtod(line.c_str() + std::char_traits<char>::length(field), nullptr) / 1024.0;
    return -1;
}

double Resident_Mb() { return Status_Mb("VmRSS:"); }
double Peak_Mb() { return Status_Mb("VmHWM:"); }
void Reset_Peak() { std::ofstream("/proc/self/clear_refs") << "5"; }

double Ms_Between(TClock::time_point from, TClock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Set by the audio thread at the first buffer that is not silent.
struct TFirst_Sound {
    std::mutex Mutex;
    std::condition_variable Changed;
    bool Heard = false;
    TClock::time_point At;
};

void Watch_Buffer(void* argument, std::uint8_t* stream, int length)
{
    auto& first = *static_cast<TFirst_Sound*>(argument);
    const std::lock_guard lock(first.Mutex);
    if (first.Heard || std::all_of(stream, stream + length, [](std::uint8_t byte) { return byte == 0; }))
        return;
    first.Heard = true;
    first.At = TClock::now();
    first.Changed.notify_all();
}

struct TRun {
    double Load_Ms = 0;
    double First_Sound_Ms = 0;
    double Close_Ms = 0;
    double Before_Mb = 0;
    double Load_Peak_Mb = 0;
    double Playing_Peak_Mb = 0;
    double After_Close_Mb = 0;
};

TRun Run_Once(TSound_Output& audio, const std::string& path)
{
    TRun run;
    TOutput_Sound_Player player(audio);
    player.FileName = path;

    Reset_Peak();
    run.Before_Mb = Resident_Mb();
    const auto load_start = TClock::now();
    player.Open();
    run.Load_Ms = Ms_Between(load_start, TClock::now());
    run.Load_Peak_Mb = Peak_Mb();

    TFirst_Sound first;
    audio.Set_Output_Tap(Watch_Buffer, &first);
    Reset_Peak();
    const auto play_start = TClock::now();
    player.Play();
    {
        std::unique_lock lock(first.Mutex);
        if (first.Changed.wait_for(lock, std::chrono::seconds(10), [&] { return first.Heard; }))
            run.First_Sound_Ms = Ms_Between(play_start, first.At);
        else
            run.First_Sound_Ms = -1;
    }
    // Half a second of it playing: the queue plays the loaded sound in place, without a copy.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    audio.Set_Output_Tap(nullptr, nullptr);
    run.Playing_Peak_Mb = Peak_Mb();

    const auto close_start = TClock::now();
    player.Close();
    run.Close_Ms = Ms_Between(close_start, TClock::now());
    run.After_Close_Mb = Resident_Mb();
    return run;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("SDL_AUDIODRIVER", "disk", 0);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 0);
    QCoreApplication application(argc, argv);

    const auto path = (std::filesystem::temp_directory_path() / "horavox-bench-long.WAV").string();
    std::vector<TRun> runs;
    int status = 0;
    try {
        TSound_Output audio;
        audio.Ensure_Open();
        const TOutput_Format format = audio.Output_Format();
        Write_Pcm_Wav(path, std::vector<std::int16_t>(File_Samples, 1000), format.Frequency, format.Channels);
        std::printf("driver %s, output %d Hz, %d channel(s); file %.1f MB, %.0f s of sound; %d runs\n",
                    std::getenv("SDL_AUDIODRIVER"), format.Frequency, format.Channels,
                    static_cast<double>(std::filesystem::file_size(path)) / 1e6,
                    static_cast<double>(File_Samples) / format.Channels / format.Frequency, Runs);
        for (int n = 0; n < Runs; ++n)
            runs.push_back(Run_Once(audio, path));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "long_file_bench: %s\n", error.what());
        status = 1;
    }
    std::filesystem::remove(path);
    if (runs.empty())
        return 1;

    std::printf("%-4s %9s %15s %9s %12s %14s %17s %16s\n", "run", "load ms", "first sound ms", "close ms",
                "before MB", "load peak MB", "playing peak MB", "after close MB");
    for (std::size_t n = 0; n < runs.size(); ++n) {
        const TRun& run = runs[n];
        std::printf("%-4zu %9.1f %15.1f %9.1f %12.1f %14.1f %17.1f %16.1f\n", n + 1, run.Load_Ms, run.First_Sound_Ms,
                    run.Close_Ms, run.Before_Mb, run.Load_Peak_Mb, run.Playing_Peak_Mb, run.After_Close_Mb);
    }
    const auto median_of = [&](double TRun::*field) {
        std::vector<double> values;
        for (const TRun& run : runs)
            values.push_back(run.*field);
        return Median(values);
    };
    std::printf("median: load %.1f ms, first sound %.1f ms, close %.1f ms; load peak %.1f MB over %.1f MB before\n",
                median_of(&TRun::Load_Ms), median_of(&TRun::First_Sound_Ms), median_of(&TRun::Close_Ms),
                median_of(&TRun::Load_Peak_Mb), median_of(&TRun::Before_Mb));
    return status;
}
