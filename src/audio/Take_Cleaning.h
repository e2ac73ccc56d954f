#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// What turns a take from the microphone into a word file of a voice pack:
// the room's noise, the voice told apart from it, the silence cut to a
// sliver at each end, the level made the same for every word, and soft
// edges. Plain arithmetic on mono signed 16-bit samples; the rate is given.

// Kept before and after the voice: enough for a soft start or ending, short
// enough that no gap is heard between words.
constexpr int Kept_Silence_Ms = 20;
// Each end fades over this long, so a cut never clicks.
constexpr int Fade_Ms = 5;
// A take ends by itself after this much quiet following the voice.
constexpr int Stop_Silence_Ms = 400;
// Every word's loudest 50 ms is brought to this level (the bundled voice's),
// unless its peak would then pass the limit.
constexpr double Word_Level_Dbfs = -15.0;
constexpr double Peak_Limit_Dbfs = -1.0;

// The room as heard before the first word: its offset from zero and the
// level of its noise and hum.
struct TNoise_Floor {
    double Mean = 0;
    double Rms = 0;
};
// Robust against a click or a cough in the measurement: the typical 5 ms
// window counts, not the loudest.
TNoise_Floor Measure_Noise_Floor(std::span<const std::int16_t> room, int frequency);

// The level a 5 ms window must reach to count as voice: well above the
// room's noise, and never so low that a digitally silent room makes every
// rustle a word.
double Voice_Threshold(const TNoise_Floor& floor);
// The lower level down to which a word found so reaches at its edges.
double Edge_Threshold(const TNoise_Floor& floor);

// Where the voice is in a take, in samples, judged against the room. A burst
// shorter than a syllable (a click, a key) far from the rest is no voice;
// soft sounds next to the voice are part of it.
struct TVoice_Span {
    bool Found = false;
    std::size_t Begin = 0;
    std::size_t End = 0;
};
TVoice_Span Find_Voice(std::span<const std::int16_t> take, const TNoise_Floor& floor, int frequency);

// Listens to a take as it arrives: the level for a meter, whether the voice
// has come, and whether it has ended (Stop_Silence_Ms of quiet after it).
class TTake_Listener {
public:
    TTake_Listener(const TNoise_Floor& floor, int frequency);
    void Hear(std::span<const std::int16_t> samples);
    bool Heard_Voice() const { return heard_voice_; }
    bool Voice_Ended() const { return heard_voice_ && quiet_windows_ >= stop_windows_; }
    // Samples heard so far; and the count at which the voice had ended.
    std::size_t Heard() const { return heard_; }
    std::size_t Ended_At() const { return ended_at_; }
    // The latest window's level in dB below full scale (-90 for silence).
    double Level_Dbfs() const { return level_dbfs_; }

    // A burst must hold this many 5 ms windows to be voice.
    static constexpr int Min_Voice_Windows = 8;

private:
    void Window_Done();

    static constexpr std::size_t Offset_Windows = 20;

    double offset_;
    double threshold_;
    double edge_;
    std::size_t window_;
    int stop_windows_;
    int gap_limit_;
    std::size_t heard_ = 0;
    std::size_t ended_at_ = 0;
    std::size_t in_window_ = 0;
    double sum_ = 0;
    double sum_squares_ = 0;
    std::array<double, Offset_Windows> recent_means_{};
    std::size_t next_mean_ = 0;
    int voice_windows_in_run_ = 0;
    int gap_windows_ = 0;
    int quiet_windows_ = 0;
    bool heard_voice_ = false;
    double level_dbfs_ = -90;
};

// What is wrong with a take, each with advice for the next try.
struct TTake_Problems {
    bool Nothing_Heard = false;
    bool Too_Quiet = false;
    bool Clipped = false;
    bool Too_Long = false;
    bool Any() const { return Nothing_Heard || Too_Quiet || Clipped || Too_Long; }
};
// One line per problem, advice included; empty when there is none.
std::vector<std::string> Problem_Advice(const TTake_Problems& problems);

struct TClean_Take {
    // Ready to save; empty when nothing was heard.
    std::vector<std::int16_t> Samples;
    TTake_Problems Problems;
    // The voice's own length, without the kept silence.
    double Voice_Seconds = 0;
    double Gain_Db = 0;
};
// The offset removed, the silence cut to Kept_Silence_Ms against the room,
// the level set by the loudest 50 ms and limited by the peak, both ends
// faded. A voice longer than `longest_seconds` is kept but called too long.
TClean_Take Clean_Take(std::span<const std::int16_t> take, const TNoise_Floor& floor, int frequency,
                       double longest_seconds);

// What a saved word shows of its take: clipping leaves runs held at the peak
// limit, and the voice's length is the file's less the kept silence.
TTake_Problems Saved_Take_Problems(std::span<const std::int16_t> samples, int frequency, double longest_seconds);

// The level Clean_Take sets: the RMS of the loudest 50 ms, in dB below full scale.
double Loudest_Window_Dbfs(std::span<const std::int16_t> samples, int frequency);
