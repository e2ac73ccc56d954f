#include "audio/Take_Cleaning.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace {

constexpr int Rate = 22050;

std::size_t Ms(double ms)
{
    return static_cast<std::size_t>(ms * Rate / 1000);
}

double Amplitude(double dbfs)
{
    return 32768.0 * std::pow(10.0, dbfs / 20.0);
}

// A take as the room and a speaker make it: `lead_ms` of room, a word of
// `word_ms` (a 220 Hz tone at `word_dbfs` RMS, with `gap_ms` of quiet in
// its middle), then `tail_ms` of room. The room is hum, hiss and an offset.
struct TTake_Recipe {
    double lead_ms = 300, word_ms = 400, gap_ms = 0, tail_ms = 500;
    double word_dbfs = -20;
    double hum_dbfs = -90, hiss_dbfs = -90, offset = 0;
    // Added to the offset after the room was heard.
    double drift = 0;
    // A 2 ms click this long before the word, none at 0.
    double click_before_ms = 0;
    // The word begins with this long of hiss at `soft_dbfs`, as an "f" does.
    double soft_ms = 0, soft_dbfs = -90;
};

struct TMade_Take {
    std::vector<std::int16_t> Samples;
    std::vector<std::int16_t> Room;
    std::size_t Word_Begin = 0, Word_End = 0;
};

TMade_Take Make(const TTake_Recipe& r)
{
    std::mt19937 random(7);
    std::normal_distribution<double> hiss(0.0, Amplitude(r.hiss_dbfs));
    std::normal_distribution<double> fricative(0.0, Amplitude(r.soft_dbfs));
    const double hum = Amplitude(r.hum_dbfs) * std::numbers::sqrt2;
    const double word = Amplitude(r.word_dbfs) * std::numbers::sqrt2;
    TMade_Take made;
    const std::size_t room_length = Ms(500);
    made.Word_Begin = room_length + Ms(r.lead_ms);
    made.Word_End = made.Word_Begin + Ms(r.word_ms);
    const std::size_t soft_begin = made.Word_Begin - Ms(r.soft_ms);
    const std::size_t gap_begin = made.Word_Begin + (Ms(r.word_ms) - Ms(r.gap_ms)) / 2;
    const std::size_t gap_end = gap_begin + Ms(r.gap_ms);
    const std::size_t click = made.Word_Begin - Ms(r.click_before_ms);
    std::vector<std::int16_t> all(made.Word_End + Ms(r.tail_ms));
    for (std::size_t i = 0; i < all.size(); ++i) {
        const double t = static_cast<double>(i) / Rate;
        double value = r.offset + (i >= room_length ? r.drift : 0) + hiss(random) + hum * std::sin(2 * std::numbers::pi * 50 * t);
        if (i >= made.Word_Begin && i < made.Word_End && (i < gap_begin || i >= gap_end))
            value += word * std::sin(2 * std::numbers::pi * 220 * static_cast<double>(i - made.Word_Begin) / Rate);
        if (r.click_before_ms > 0 && i >= click && i < click + Ms(2))
            value += 20000;
        if (i >= soft_begin && i < made.Word_Begin)
            value += fricative(random);
        all[i] = static_cast<std::int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
    }
    made.Room.assign(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(room_length));
    made.Samples.assign(all.begin() + static_cast<std::ptrdiff_t>(room_length), all.end());
    made.Word_Begin = soft_begin - room_length;
    made.Word_End -= room_length;
    return made;
}

TClean_Take Clean(const TMade_Take& made, double longest_seconds = 2.0)
{
    return Clean_Take(made.Samples, Measure_Noise_Floor(made.Room, Rate), Rate, longest_seconds);
}

TEST(Take_Cleaning, Silence_Is_Cut_To_The_Limit_Without_Cutting_The_Word)
{
    const struct {
        const char* what;
        TTake_Recipe recipe;
    } cases[] = {
        {"a silent room", {}},
        {"hum", {.hum_dbfs = -40}},
        {"hiss", {.hiss_dbfs = -50}},
        {"hum, hiss and an offset", {.hum_dbfs = -45, .hiss_dbfs = -55, .offset = 1500}},
        {"the offset drifted after the room", {.hiss_dbfs = -55, .drift = 1500}},
        {"a quiet word in a quiet room", {.word_dbfs = -38, .hiss_dbfs = -70}},
        {"a click well before the word", {.hiss_dbfs = -55, .click_before_ms = 400}},
        {"quiet inside the word", {.word_ms = 500, .gap_ms = 150, .hiss_dbfs = -55}},
        {"a soft start, 8 dB above the hiss", {.hiss_dbfs = -55, .soft_ms = 80, .soft_dbfs = -47}},
        {"less room before the word than is kept", {.lead_ms = 8, .hiss_dbfs = -55}},
        {"the take ends with the word", {.tail_ms = 0, .hiss_dbfs = -55}},
    };
    for (const auto& c : cases) {
        const TMade_Take made = Make(c.recipe);
        const TClean_Take clean = Clean(made);
        ASSERT_FALSE(clean.Problems.Nothing_Heard) << c.what;
        const std::size_t kept_before = std::min(made.Word_Begin, Ms(Kept_Silence_Ms));
        const std::size_t kept_after = std::min(made.Samples.size() - made.Word_End, Ms(Kept_Silence_Ms));
        // Within the few samples a rising sine takes to pass the threshold.
        EXPECT_NEAR(static_cast<double>(clean.Samples.size()),
                    static_cast<double>(made.Word_End - made.Word_Begin + kept_before + kept_after), 1.5 * Rate / 1000)
            << c.what;
        EXPECT_LE(clean.Samples.size(), made.Word_End - made.Word_Begin + kept_before + kept_after) << c.what;
        EXPECT_NEAR(clean.Voice_Seconds, (c.recipe.word_ms + c.recipe.soft_ms) / 1000, 0.002) << c.what;
    }
}

TEST(Take_Cleaning, Every_Word_Comes_Out_Equally_Loud_With_Its_Offset_Removed_And_Soft_Ends)
{
    const struct {
        const char* what;
        TTake_Recipe recipe;
    } cases[] = {
        {"quiet", {.word_dbfs = -36, .hiss_dbfs = -70}},
        {"normal", {.word_dbfs = -20, .hiss_dbfs = -60, .offset = -900}},
        {"loud", {.word_dbfs = -6, .hiss_dbfs = -60, .offset = 2500}},
    };
    for (const auto& c : cases) {
        const TClean_Take clean = Clean(Make(c.recipe));
        EXPECT_NEAR(Loudest_Window_Dbfs(clean.Samples, Rate), Word_Level_Dbfs, 0.1) << c.what;
        double sum = 0;
        for (const std::int16_t sample : clean.Samples)
            sum += sample;
        EXPECT_NEAR(sum / static_cast<double>(clean.Samples.size()), 0, 20) << c.what;
        EXPECT_EQ(clean.Samples.front(), 0) << c.what;
        EXPECT_EQ(clean.Samples.back(), 0) << c.what;
        EXPECT_FALSE(clean.Problems.Any()) << c.what;
    }
}

TEST(Take_Cleaning, A_Peak_Far_Above_The_Word_Limits_The_Gain)
{
    TMade_Take made = Make({.word_dbfs = -30, .hiss_dbfs = -70});
    made.Samples[made.Word_Begin + Ms(100)] = 30000;
    const TClean_Take clean = Clean(made);
    int peak = 0;
    for (const std::int16_t sample : clean.Samples)
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    EXPECT_LE(peak, static_cast<int>(Amplitude(Peak_Limit_Dbfs) + 1));
    EXPECT_GE(peak, static_cast<int>(Amplitude(Peak_Limit_Dbfs) - 1));
    EXPECT_LT(Loudest_Window_Dbfs(clean.Samples, Rate), Word_Level_Dbfs - 1);
}

TEST(Take_Cleaning, Problems_Are_Found_And_Those_Of_A_Saved_Word_Read_Back)
{
    const struct {
        const char* what;
        TTake_Recipe recipe;
        TTake_Problems problems;
        bool seen_in_file;
    } cases[] = {
        {"only the room", {.word_dbfs = -200, .hum_dbfs = -45, .hiss_dbfs = -55}, {.Nothing_Heard = true}, false},
        {"only a click", {.word_dbfs = -200, .hiss_dbfs = -60, .click_before_ms = 100}, {.Nothing_Heard = true},
         false},
        {"a word lost in the hiss", {.word_dbfs = -35, .hiss_dbfs = -50}, {.Too_Quiet = true}, false},
        {"a whisper", {.word_dbfs = -48, .hiss_dbfs = -90}, {.Too_Quiet = true}, false},
        {"held at full scale", {.word_dbfs = 6, .hiss_dbfs = -60}, {.Clipped = true}, true},
        {"a sentence", {.word_ms = 2500, .hiss_dbfs = -60}, {.Too_Long = true}, true},
    };
    for (const auto& c : cases) {
        const TClean_Take clean = Clean(Make(c.recipe));
        EXPECT_EQ(clean.Problems.Nothing_Heard, c.problems.Nothing_Heard) << c.what;
        EXPECT_EQ(clean.Problems.Too_Quiet, c.problems.Too_Quiet) << c.what;
        EXPECT_EQ(clean.Problems.Clipped, c.problems.Clipped) << c.what;
        EXPECT_EQ(clean.Problems.Too_Long, c.problems.Too_Long) << c.what;
        EXPECT_EQ(Problem_Advice(clean.Problems).size(), 1u) << c.what;
        if (clean.Samples.empty())
            continue;
        const TTake_Problems saved = Saved_Take_Problems(clean.Samples, Rate, 2.0);
        EXPECT_EQ(saved.Any(), c.seen_in_file) << c.what;
        EXPECT_EQ(saved.Clipped, c.problems.Clipped) << c.what;
        EXPECT_EQ(saved.Too_Long, c.problems.Too_Long) << c.what;
    }
    const TClean_Take good = Clean(Make({.hiss_dbfs = -60}));
    EXPECT_FALSE(Saved_Take_Problems(good.Samples, Rate, 2.0).Any());
    EXPECT_TRUE(Problem_Advice(good.Problems).empty());
}

// The take fed in pieces of `piece_ms`, as the microphone delivers it; where
// the listener decided that the word was over, in samples after its end.
struct TListened {
    bool Heard_Voice = false;
    bool Ended = false;
    std::ptrdiff_t Stop_After_Word = 0;
};

TListened Listen(const TMade_Take& made, double piece_ms)
{
    TTake_Listener listener(Measure_Noise_Floor(made.Room, Rate), Rate);
    const std::span<const std::int16_t> all(made.Samples);
    for (std::size_t at = 0; at < all.size() && !listener.Voice_Ended(); at += Ms(piece_ms))
        listener.Hear(all.subspan(at, std::min(Ms(piece_ms), all.size() - at)));
    return {listener.Heard_Voice(), listener.Voice_Ended(),
            static_cast<std::ptrdiff_t>(listener.Ended_At()) - static_cast<std::ptrdiff_t>(made.Word_End)};
}

TEST(Take_Cleaning, The_Listener_Stops_After_The_Word_And_Not_Inside_It)
{
    const struct {
        const char* what;
        TTake_Recipe recipe;
        double piece_ms;
        bool heard, ended;
    } cases[] = {
        {"a word in pieces of 10 ms", {.hum_dbfs = -45, .hiss_dbfs = -55}, 10, true, true},
        {"a word in one piece", {.hiss_dbfs = -55}, 2000, true, true},
        {"quiet inside the word", {.word_ms = 500, .gap_ms = 180, .hiss_dbfs = -55}, 10, true, true},
        {"the offset drifted after the room", {.hiss_dbfs = -55, .drift = 1500}, 10, true, true},
        {"a click is no word", {.word_dbfs = -200, .hiss_dbfs = -55, .click_before_ms = 100}, 10, false, false},
        {"quiet after the word, but not long enough", {.tail_ms = 390, .hiss_dbfs = -55}, 10, true, false},
    };
    for (const auto& c : cases) {
        const TListened listened = Listen(Make(c.recipe), c.piece_ms);
        EXPECT_EQ(listened.Heard_Voice, c.heard) << c.what;
        EXPECT_EQ(listened.Ended, c.ended) << c.what;
        if (c.ended) {
            EXPECT_GE(listened.Stop_After_Word, static_cast<std::ptrdiff_t>(Ms(Stop_Silence_Ms))) << c.what;
            EXPECT_LE(listened.Stop_After_Word, static_cast<std::ptrdiff_t>(Ms(Stop_Silence_Ms + 10))) << c.what;
        }
    }
    TTake_Listener meter(Measure_Noise_Floor(Make({}).Room, Rate), Rate);
    const TMade_Take loud = Make({.word_dbfs = -12});
    meter.Hear(std::span(loud.Samples).subspan(loud.Word_Begin, Ms(50)));
    EXPECT_NEAR(meter.Level_Dbfs(), -12, 0.5);
}

}  // namespace
