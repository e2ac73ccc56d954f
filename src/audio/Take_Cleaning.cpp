#include "audio/Take_Cleaning.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace {

constexpr double Full_Scale = 32768.0;
// A word is found where it stands 12 dB above the room's noise (and above
// -60 dBFS however quiet the room); its soft edges, an "f" or the release of
// a final "t", reach down to 6 dB above it (and -66 dBFS).
constexpr double Voice_Above_Noise = 4.0;
constexpr double Lowest_Voice_Level = 32.8;
constexpr double Edge_Above_Noise = 2.0;
constexpr double Lowest_Edge_Level = 16.4;
// Quiet inside a word (the closure before the "t" of "eight") is shorter
// than this; a burst further away than this is not part of the word.
constexpr int Word_Gap_Ms = 200;
// A take whose loudest part stands less than 20 dB above the room's noise,
// or is below -42 dBFS, needs too much gain: the room is heard with it.
constexpr double Least_Voice_To_Noise_Db = 20.0;
constexpr double Least_Level_Dbfs = -42.0;
// At or beyond 99 % of full scale, held for this many samples in a row: the
// converter ran out of range.
constexpr int Clip_Level = 32440;
constexpr int Clip_Run = 3;

std::size_t Window_Length(int frequency)
{
    return std::max<std::size_t>(1, static_cast<std::size_t>(frequency) / 200);
}

std::size_t Samples_Of_Ms(int ms, int frequency)
{
    return static_cast<std::size_t>(static_cast<long long>(ms) * frequency / 1000);
}

double Rms(std::span<const std::int16_t> samples, double mean)
{
    if (samples.empty())
        return 0;
    double sum = 0;
    for (const std::int16_t sample : samples) {
        const double value = sample - mean;
        sum += value * value;
    }
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

double Dbfs(double level)
{
    return level <= 0 ? -90.0 : std::max(-90.0, 20.0 * std::log10(level / Full_Scale));
}

double Level_Of_Dbfs(double dbfs)
{
    return Full_Scale * std::pow(10.0, dbfs / 20.0);
}

std::int16_t Peak_Limit_Sample()
{
    return static_cast<std::int16_t>(std::lround(Level_Of_Dbfs(Peak_Limit_Dbfs)));
}

double Mean(std::span<const std::int16_t> samples)
{
    if (samples.empty())
        return 0;
    return std::accumulate(samples.begin(), samples.end(), 0.0) / static_cast<double>(samples.size());
}

// The middle of the 5 ms windows' means: the offset, unmoved by a click or
// by the voice's own swings.
double Typical_Offset(std::span<const std::int16_t> samples, int frequency)
{
    const std::size_t window = Window_Length(frequency);
    std::vector<double> means;
    for (std::size_t at = 0; at + window <= samples.size(); at += window)
        means.push_back(Mean(samples.subspan(at, window)));
    if (means.empty())
        return Mean(samples);
    auto middle = means.begin() + static_cast<std::ptrdiff_t>(means.size() / 2);
    std::nth_element(means.begin(), middle, means.end());
    return *middle;
}

// Marks the samples inside runs of one sign held at or beyond `level` for
// at least `run` samples.
std::vector<bool> Held_Runs(std::span<const std::int16_t> samples, int level, int run)
{
    std::vector<bool> held(samples.size(), false);
    const auto at_level = [&](std::size_t i) { return std::abs(static_cast<int>(samples[i])) >= level; };
    std::size_t i = 0;
    while (i < samples.size()) {
        if (!at_level(i)) {
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        while (j < samples.size() && at_level(j) && (samples[j] < 0) == (samples[i] < 0))
            ++j;
        if (j - i >= static_cast<std::size_t>(run))
            std::fill(held.begin() + static_cast<std::ptrdiff_t>(i), held.begin() + static_cast<std::ptrdiff_t>(j), true);
        i = j;
    }
    return held;
}

bool Has_Held_Run(std::span<const std::int16_t> samples, int level, int run)
{
    const std::vector<bool> held = Held_Runs(samples, level, run);
    return std::find(held.begin(), held.end(), true) != held.end();
}

}  // namespace

TNoise_Floor Measure_Noise_Floor(std::span<const std::int16_t> room, int frequency)
{
    TNoise_Floor floor;
    floor.Mean = Mean(room);
    const std::size_t window = Window_Length(frequency);
    std::vector<double> levels;
    for (std::size_t at = 0; at + window <= room.size(); at += window)
        levels.push_back(Rms(room.subspan(at, window), floor.Mean));
    if (levels.empty())
        return floor;
    auto middle = levels.begin() + static_cast<std::ptrdiff_t>(levels.size() / 2);
    std::nth_element(levels.begin(), middle, levels.end());
    floor.Rms = *middle;
    return floor;
}

double Voice_Threshold(const TNoise_Floor& floor)
{
    return std::max(Lowest_Voice_Level, floor.Rms * Voice_Above_Noise);
}

double Edge_Threshold(const TNoise_Floor& floor)
{
    return std::max(Lowest_Edge_Level, floor.Rms * Edge_Above_Noise);
}

TVoice_Span Find_Voice(std::span<const std::int16_t> take, const TNoise_Floor& floor, int frequency)
{
    const std::size_t window = Window_Length(frequency);
    const double threshold = Voice_Threshold(floor);
    const double edge = Edge_Threshold(floor);
    const std::size_t windows = take.size() / window;
    std::vector<double> levels(windows);
    for (std::size_t w = 0; w < windows; ++w)
        levels[w] = Rms(take.subspan(w * window, window), floor.Mean);

    // Bursts joined across short quiet; only those long enough to be voice count.
    const std::size_t gap = Samples_Of_Ms(Word_Gap_Ms, frequency) / window;
    bool found = false;
    std::size_t first = 0, last = 0;
    std::size_t w = 0;
    while (w < windows) {
        if (levels[w] < threshold) {
            ++w;
            continue;
        }
        const std::size_t begin = w;
        std::size_t end = w;
        int count = 0;
        while (w < windows && w - end <= gap) {
            if (levels[w] >= threshold) {
                end = w;
                ++count;
            }
            ++w;
        }
        if (count >= TTake_Listener::Min_Voice_Windows) {
            if (!found)
                first = begin;
            found = true;
            last = end;
        }
        w = end + 1;
    }
    TVoice_Span span;
    if (!found)
        return span;
    // Out to the soft edges, across quiet as short as that inside a word.
    for (bool more = true; more;) {
        more = false;
        for (std::size_t k = first; k-- > 0 && first - k <= gap;)
            if (levels[k] >= edge) {
                first = k;
                more = true;
                break;
            }
    }
    for (bool more = true; more;) {
        more = false;
        for (std::size_t k = last + 1; k < windows && k - last <= gap; ++k)
            if (levels[k] >= edge) {
                last = k;
                more = true;
                break;
            }
    }
    // To the sample, in the outermost windows: from the first and to the last
    // sample that stands out as a voice's would, where one does; a window of
    // soft sound alone is kept whole.
    const auto loud = [&](std::size_t i) { return std::abs(take[i] - floor.Mean) >= threshold; };
    span.Found = true;
    span.Begin = first * window;
    const std::size_t first_end = (first + 1) * window;
    while (span.Begin < first_end && !loud(span.Begin))
        ++span.Begin;
    if (span.Begin == first_end)
        span.Begin = first * window;
    span.End = (last + 1) * window;
    while (span.End > last * window && !loud(span.End - 1))
        --span.End;
    if (span.End == last * window)
        span.End = (last + 1) * window;
    return span;
}

TTake_Listener::TTake_Listener(const TNoise_Floor& floor, int frequency)
    : offset_(floor.Mean), threshold_(Voice_Threshold(floor)),
      edge_(Edge_Threshold(floor)), window_(Window_Length(frequency)),
      stop_windows_(static_cast<int>(Samples_Of_Ms(Stop_Silence_Ms, frequency) / Window_Length(frequency))),
      gap_limit_(static_cast<int>(Samples_Of_Ms(Word_Gap_Ms, frequency) / Window_Length(frequency)))
{
}

void TTake_Listener::Hear(std::span<const std::int16_t> samples)
{
    for (const std::int16_t sample : samples) {
        sum_ += sample;
        sum_squares_ += static_cast<double>(sample) * sample;
        ++heard_;
        if (++in_window_ == window_)
            Window_Done();
    }
}

void TTake_Listener::Window_Done()
{
    const double count = static_cast<double>(window_);
    const double mean = sum_ / count;
    const double rms = std::sqrt(std::max(0.0, sum_squares_ / count - 2 * offset_ * mean + offset_ * offset_));
    sum_ = 0;
    sum_squares_ = 0;
    // The offset is followed by the middle of the latest windows' means: an
    // offset that drifted after the room was heard does not seem to be a
    // voice that never ends, and a click does not move it.
    recent_means_[next_mean_++ % recent_means_.size()] = mean;
    if (next_mean_ >= recent_means_.size()) {
        std::array<double, Offset_Windows> sorted = recent_means_;
        std::nth_element(sorted.begin(), sorted.begin() + Offset_Windows / 2, sorted.end());
        offset_ = sorted[Offset_Windows / 2];
    }
    in_window_ = 0;
    level_dbfs_ = Dbfs(rms);
    if (rms >= threshold_) {
        if (gap_windows_ > gap_limit_)
            voice_windows_in_run_ = 0;
        gap_windows_ = 0;
        quiet_windows_ = 0;
        if (++voice_windows_in_run_ >= Min_Voice_Windows)
            heard_voice_ = true;
        return;
    }
    ++gap_windows_;
    // A soft ending is still the word: the quiet after it is quieter.
    if (rms >= edge_) {
        quiet_windows_ = 0;
        return;
    }
    const bool was_ended = Voice_Ended();
    ++quiet_windows_;
    if (!was_ended && Voice_Ended())
        ended_at_ = heard_;
}

std::vector<std::string> Problem_Advice(const TTake_Problems& problems)
{
    std::vector<std::string> advice;
    if (problems.Nothing_Heard)
        advice.push_back("Nothing was heard. Check that the microphone is switched on and not muted, then record "
                         "again.");
    if (problems.Clipped)
        advice.push_back("Clipped: the word was too loud for the microphone. Speak more softly or move back a "
                         "little.");
    if (problems.Too_Quiet)
        advice.push_back("Too quiet: the room's noise is heard with the word. Move closer to the microphone or "
                         "speak a little louder.");
    if (problems.Too_Long)
        advice.push_back("Too long: say just the word, then stay quiet until the recording stops by itself.");
    return advice;
}

double Loudest_Window_Dbfs(std::span<const std::int16_t> samples, int frequency)
{
    const std::size_t length = std::min(samples.size(), Samples_Of_Ms(50, frequency));
    const std::size_t step = Window_Length(frequency);
    const double mean = Mean(samples);
    double loudest = 0;
    for (std::size_t at = 0; at + length <= samples.size() && length > 0; at += step)
        loudest = std::max(loudest, Rms(samples.subspan(at, length), mean));
    return Dbfs(loudest);
}

TClean_Take Clean_Take(std::span<const std::int16_t> take, const TNoise_Floor& floor, int frequency,
                       double longest_seconds)
{
    TClean_Take clean;
    // The take's own offset: the microphone's may have drifted since the room was measured.
    TNoise_Floor room = floor;
    room.Mean = Typical_Offset(take, frequency);
    const TVoice_Span voice = Find_Voice(take, room, frequency);
    if (!voice.Found) {
        clean.Problems.Nothing_Heard = true;
        return clean;
    }
    const std::size_t kept = Samples_Of_Ms(Kept_Silence_Ms, frequency);
    const std::size_t begin = voice.Begin > kept ? voice.Begin - kept : 0;
    const std::size_t end = std::min(take.size(), voice.End + kept);
    const auto part = take.subspan(begin, end - begin);
    clean.Voice_Seconds = static_cast<double>(voice.End - voice.Begin) / frequency;
    clean.Problems.Too_Long = clean.Voice_Seconds > longest_seconds;
    const std::vector<bool> clipped = Held_Runs(part, Clip_Level, Clip_Run);
    clean.Problems.Clipped = std::find(clipped.begin(), clipped.end(), true) != clipped.end();

    const double level_dbfs =
        Loudest_Window_Dbfs(take.subspan(voice.Begin, voice.End - voice.Begin), frequency);
    clean.Problems.Too_Quiet =
        level_dbfs < Least_Level_Dbfs || level_dbfs - Dbfs(floor.Rms) < Least_Voice_To_Noise_Db;
    double peak = 0;
    for (const std::int16_t sample : part)
        peak = std::max(peak, std::abs(sample - room.Mean));
    const double limit = Peak_Limit_Sample();
    double gain = Level_Of_Dbfs(Word_Level_Dbfs) / Level_Of_Dbfs(level_dbfs);
    if (peak * gain > limit)
        gain = limit / peak;
    clean.Gain_Db = 20.0 * std::log10(gain);

    clean.Samples.resize(part.size());
    for (std::size_t i = 0; i < part.size(); ++i) {
        const double value = clipped[i] ? std::copysign(limit, part[i] - room.Mean) : (part[i] - room.Mean) * gain;
        clean.Samples[i] = static_cast<std::int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
    }
    const std::size_t fade = std::min(Samples_Of_Ms(Fade_Ms, frequency), clean.Samples.size() / 2);
    for (std::size_t i = 0; i < fade; ++i) {
        const double factor = static_cast<double>(i) / static_cast<double>(fade);
        auto& first = clean.Samples[i];
        auto& last = clean.Samples[clean.Samples.size() - 1 - i];
        first = static_cast<std::int16_t>(std::lround(first * factor));
        last = static_cast<std::int16_t>(std::lround(last * factor));
    }
    return clean;
}

TTake_Problems Saved_Take_Problems(std::span<const std::int16_t> samples, int frequency, double longest_seconds)
{
    TTake_Problems problems;
    const std::size_t kept = 2 * Samples_Of_Ms(Kept_Silence_Ms, frequency);
    const std::size_t voice = samples.size() > kept ? samples.size() - kept : 0;
    problems.Too_Long = static_cast<double>(voice) / frequency > longest_seconds;
    problems.Clipped = Has_Held_Run(samples, Peak_Limit_Sample(), Clip_Run);
    return problems;
}
