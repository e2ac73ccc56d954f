// How quickly the clock starts speaking and how closely its words follow each
// other, through the real SDL output (the disk driver unless SDL_AUDIODRIVER
// names another), for each play method, over 20 announcements of 10:07 with a
// prefix and a suffix. The words are tones without leading or trailing
// silence, so every silence in the output is the program's; their lengths
// differ, so that they end at different places in the device's buffers.
//
// Time base. The output's tap sees every buffer the device is about
// to output, in order, on the audio thread. It copies the samples and notes
// the wall-clock time at which each buffer was mixed. A frame f of buffer b
// (first frame S_b, mixed at T_b) is output at T_b + (f - S_b) / rate: with the
// disk driver the buffer is written right after mixing and the driver then
// waits one buffer period, so the output advances at the real sample rate; a
// real device adds its own fixed latency on top, which this does not see.
// The first sound's latency is the output time of the first loud frame after
// Say_Time is called, minus the time of the call. Gaps are counted in frames
// between the last loud frame of one word and the first loud frame of the next.
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <SDL.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "engine/Announcement_Engine.h"
#include "engine/Plain_Engine_Host.h"
#include "audio/Sound_Output.h"
#include "audio/Player_Set.h"
#include "audio/Wav_Render.h"

namespace {

using TClock = std::chrono::steady_clock;

constexpr int Announcements = 20;
constexpr int Word_Count = 5;
constexpr double Word_Seconds[Word_Count] = {0.150, 0.163, 0.177, 0.191, 0.205};
constexpr double Total_Word_Seconds = 0.150 + 0.163 + 0.177 + 0.191 + 0.205;
constexpr int Loud = 1000;              // a tone sample is loud unless near a zero crossing
constexpr std::size_t Quiet_Frames = 16;  // a shorter quiet run is a zero crossing, not a gap

// Filled by the audio thread; read by the main thread up to `Frames`.
struct TRecorder {
    int Channels = 2;
    std::vector<std::int16_t> Samples;  // first channel only
    std::vector<std::pair<std::size_t, TClock::time_point>> Buffers;
    std::atomic<std::size_t> Frames{0};
    std::atomic<std::size_t> Buffer_Count{0};
};

void Record_Buffer(void* argument, std::uint8_t* stream, int length)
{
    auto& recorder = *static_cast<TRecorder*>(argument);
    const auto now = TClock::now();
    const std::size_t first = recorder.Frames.load(std::memory_order_relaxed);
    const std::size_t frames = static_cast<std::size_t>(length) / (2u * static_cast<std::size_t>(recorder.Channels));
    const std::size_t buffer = recorder.Buffer_Count.load(std::memory_order_relaxed);
    if (first + frames > recorder.Samples.size() || buffer >= recorder.Buffers.size())
        return;
    const auto* samples = reinterpret_cast<const std::int16_t*>(stream);
    for (std::size_t i = 0; i < frames; ++i)
        recorder.Samples[first + i] = samples[i * static_cast<std::size_t>(recorder.Channels)];
    recorder.Buffers[buffer] = {first, now};
    recorder.Buffer_Count.store(buffer + 1, std::memory_order_release);
    recorder.Frames.store(first + frames, std::memory_order_release);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct TResult {
    std::vector<double> First_Sound_Ms;
    std::vector<double> Gap_Ms;
    std::vector<double> Words;
};

// Loud runs of frames [from, to), joined across quiet runs shorter than Quiet_Frames.
std::vector<std::pair<std::size_t, std::size_t>> Loud_Runs(const TRecorder& recorder, std::size_t from, std::size_t to)
{
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t f = from; f < to; ++f) {
        if (std::abs(recorder.Samples[f]) < Loud)
            continue;
        if (!runs.empty() && f - runs.back().second < Quiet_Frames)
            runs.back().second = f + 1;
        else
            runs.push_back({f, f + 1});
    }
    return runs;
}

void Pump_Until(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto deadline = TClock::now() + limit;
    QTimer wake;  // lets the waiting loop see the deadline without spinning
    wake.start(5);
    while (!done() && TClock::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

TResult Run_Method(PlayMethod method, const std::string& sound_dir)
{
    ClockSettings settings = Default_Settings(sound_dir);
    Select_Play_Method(settings, method);
    Select_Prefix_Suffix_Mode(settings, PrefixSuffixMode::Fixed);

    TSound_Output audio;
    TPlayer_Set players(audio);
    TPlain_Engine_Host host([] { QCoreApplication::processEvents(); },
                            [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); });
    TSeeded_Random random;
    TAnnouncement_Engine engine(settings, host, players.Slots(), players.Probe(), random, sound_dir);

    audio.Ensure_Open();
    const auto format = audio.Output_Format();
    TRecorder recorder;
    recorder.Channels = format.Channels;
    recorder.Samples.resize(static_cast<std::size_t>(format.Frequency) * 120);
    recorder.Buffers.resize(recorder.Samples.size() / 64);
    audio.Set_Output_Tap(Record_Buffer, &recorder);
    const double frames_per_ms = format.Frequency / 1000.0;

    TResult result;
    for (int n = 0; n < Announcements; ++n) {
        const std::size_t from = recorder.Frames.load(std::memory_order_acquire);
        const auto called = TClock::now();
        engine.Say_Time(10, 7);
        Pump_Until([&] { return host.Is_Idle() && !audio.Is_Sounding(); }, std::chrono::seconds(10));
        Pump_Until([] { return false; }, std::chrono::milliseconds(50));
        const std::size_t to = recorder.Frames.load(std::memory_order_acquire);

        const auto runs = Loud_Runs(recorder, from, to);
        if (runs.empty())
            continue;
        const std::size_t first = runs.front().first;
        const std::size_t buffers = recorder.Buffer_Count.load(std::memory_order_acquire);
        auto buffer = std::upper_bound(recorder.Buffers.begin(), recorder.Buffers.begin() + static_cast<long>(buffers),
                                       first, [](std::size_t f, const auto& b) { return f < b.first; });
        --buffer;
        const double mixed_ms = std::chrono::duration<double, std::milli>(buffer->second - called).count();
        result.First_Sound_Ms.push_back(mixed_ms + static_cast<double>(first - buffer->first) / frames_per_ms);
        for (std::size_t i = 1; i < runs.size(); ++i)
            result.Gap_Ms.push_back(static_cast<double>(runs[i].first - runs[i - 1].second) / frames_per_ms);
        double loud_ms = 0;
        for (const auto& run : runs)
            loud_ms += static_cast<double>(run.second - run.first) / frames_per_ms;
        result.Words.push_back(Word_Count * loud_ms / (Total_Word_Seconds * 1000.0));
    }
    audio.Set_Output_Tap(nullptr, nullptr);
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("SDL_AUDIODRIVER", "disk", 0);
    const auto capture = std::filesystem::temp_directory_path() / "horavox-bench-output.raw";
    setenv("SDL_DISKAUDIOFILE", capture.c_str(), 0);
    QCoreApplication application(argc, argv);

    const auto sound_dir = std::filesystem::temp_directory_path() / "horavox-bench-sounds";
    std::filesystem::create_directories(sound_dir);
    const std::pair<const char*, double> words[Word_Count] = {
        {"PREFIX", 400}, {"10", 600}, {"7", 900}, {"AM", 1200}, {"SUFFIX", 1500}};
    for (int w = 0; w < Word_Count; ++w) {
        const auto& [word, frequency] = words[w];
        const int rate = 22050;
        std::vector<std::int16_t> samples(static_cast<std::size_t>(Word_Seconds[w] * rate));
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<std::int16_t>(
                std::lround(12000.0 * std::cos(2.0 * std::numbers::pi * frequency * static_cast<double>(i) / rate)));
        Write_Pcm_Wav((sound_dir / (std::string(word) + ".WAV")).string(), samples, rate, 1);
    }

    std::printf("driver %s, %d announcements of 10:07 (%d words, %.0f ms in all) per method, medians\n",
                std::getenv("SDL_AUDIODRIVER"), Announcements, Word_Count, Total_Word_Seconds * 1000);
    std::printf("%-11s %16s %12s %12s %12s\n", "method", "first sound ms", "gap ms", "max gap ms", "words heard");
    const std::pair<const char*, PlayMethod> methods[] = {
        {"Sequential", PlayMethod::Sequential}, {"Optimised", PlayMethod::Optimised}, {"Fastest", PlayMethod::Fastest}};
    int status = 0;
    for (const auto& [name, method] : methods) {
        try {
            const TResult result = Run_Method(method, sound_dir.string() + "/");
            const double max_gap =
                result.Gap_Ms.empty() ? NAN : *std::max_element(result.Gap_Ms.begin(), result.Gap_Ms.end());
            // Words that join without a gap make one loud run: no gap to count.
            std::printf("%-11s %16.1f %12.1f %12.1f %12.1f\n", name, Median(result.First_Sound_Ms),
                        result.Gap_Ms.empty() ? 0.0 : Median(result.Gap_Ms), result.Gap_Ms.empty() ? 0.0 : max_gap,
                        Median(result.Words));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s: %s\n", name, error.what());
            status = 1;
        }
    }

    // Between announcements the device closes; the first announcement after a
    // silence pays for opening it again, before any file is loaded.
    std::vector<double> open_ms;
    for (int i = 0; i < Announcements; ++i) {
        TSound_Output audio;
        const auto start = TClock::now();
        audio.Ensure_Open();
        open_ms.push_back(std::chrono::duration<double, std::milli>(TClock::now() - start).count());
    }
    std::printf("opening the closed device: %.1f ms (median of %d), added to the first sound after a silence\n",
                Median(open_ms), Announcements);

    std::filesystem::remove_all(sound_dir);
    std::filesystem::remove(capture);
    return status;
}
