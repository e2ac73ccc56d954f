#include "Audio_Test_Support.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>
#include <numbers>

#include "audio/Sound_Output.h"
#include "audio/Wav_Render.h"

std::vector<std::int16_t> Tone(double frequency, double seconds, int rate, int channels)
{
    const auto frames = static_cast<std::size_t>(seconds * rate);
    std::vector<std::int16_t> samples;
    samples.reserve(frames * static_cast<std::size_t>(channels));
    // A cosine starts at its peak: the first sample is already loud.
    for (std::size_t i = 0; i < frames; ++i) {
        const double value = 12000.0 * std::cos(2.0 * std::numbers::pi * frequency * static_cast<double>(i) / rate);
        for (int c = 0; c < channels; ++c)
            samples.push_back(static_cast<std::int16_t>(std::lround(value)));
    }
    return samples;
}

std::string Write_Tone_File(const TTemp_Dir& dir, const std::string& name, double frequency, double seconds, int rate,
                            int channels)
{
    const std::string path = (dir.Path() / name).string();
    Write_Pcm_Wav(path, Tone(frequency, seconds, rate, channels), rate, channels);
    return path;
}

bool Await_Fills(TSound_Output& audio, int count)
{
    struct TFills {
        std::mutex Mutex;
        std::condition_variable More;
        int Count = 0;
    } fills;
    audio.Set_Output_Tap(
        [](void* argument, std::uint8_t*, int) {
            auto& counted = *static_cast<TFills*>(argument);
            {
                const std::lock_guard lock(counted.Mutex);
                ++counted.Count;
            }
            counted.More.notify_all();
        },
        &fills);
    bool filled = false;
    {
        std::unique_lock lock(fills.Mutex);
        filled = fills.More.wait_for(lock, std::chrono::seconds(5), [&] { return fills.Count >= count; });
    }
    // Taken off under the device's lock, so no fill still uses `fills`.
    audio.Set_Output_Tap(nullptr, nullptr);
    return filled;
}

void Deliver_Posted_Notices(TSound_Output& audio)
{
    // A closed device fills nothing more, and had posted all it had once it stopped.
    if (audio.Is_Open()) {
        EXPECT_TRUE(Await_Fills(audio, 2)) << "the device fills no buffers";
    }
    QCoreApplication::processEvents();
}

std::string Capture_Disk_Output(const TTemp_Dir& dir, int delay_ms)
{
    const std::string path = (dir.Path() / "output.raw").string();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", std::to_string(delay_ms).c_str(), 1);
    return path;
}

std::vector<std::int16_t> Read_Samples(const std::string& raw_path)
{
    std::ifstream in(raw_path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                               (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return samples;
}

double Tone_Level(const std::vector<std::int16_t>& samples, int channels, int rate, double frequency,
                  std::size_t first, std::size_t count)
{
    // Goertzel on the first channel.
    const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * frequency / rate);
    double previous = 0;
    double before_previous = 0;
    const auto stride = static_cast<std::size_t>(channels);
    for (std::size_t frame = first; frame < first + count && frame * stride < samples.size(); ++frame) {
        const double current = samples[frame * stride] / 32768.0 + coefficient * previous - before_previous;
        before_previous = previous;
        previous = current;
    }
    const double power = previous * previous + before_previous * before_previous - coefficient * previous * before_previous;
    return 2.0 * std::sqrt(std::max(power, 0.0)) / static_cast<double>(count);
}

std::vector<TTone_Run> Find_Tone_Runs(const std::vector<std::int16_t>& samples, int channels, int rate,
                                      const std::vector<double>& frequencies, std::size_t window_frames)
{
    const std::size_t frames = samples.size() / static_cast<std::size_t>(channels);
    const double threshold = 0.1;  // the tones are written at about 0.37
    std::vector<TTone_Run> runs;
    for (double frequency : frequencies) {
        bool in_run = false;
        for (std::size_t first = 0; first + window_frames <= frames; first += window_frames) {
            const bool heard = Tone_Level(samples, channels, rate, frequency, first, window_frames) > threshold;
            if (heard && !in_run)
                runs.push_back({frequency, first, first + window_frames});
            if (heard)
                runs.back().End_Frame = first + window_frames;
            in_run = heard;
        }
    }
    std::sort(runs.begin(), runs.end(), [](const TTone_Run& a, const TTone_Run& b) {
        return a.First_Frame != b.First_Frame ? a.First_Frame < b.First_Frame : a.Frequency < b.Frequency;
    });
    return runs;
}
