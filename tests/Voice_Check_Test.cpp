#include "engine/Voice_Check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using ::testing::Contains;
using ::testing::HasSubstr;

constexpr int Rate = 22050;

// `ms` milliseconds of a 1 kHz tone at `level` (silence at 0), on one channel.
std::vector<std::int16_t> Tone(int ms, int level)
{
    std::vector<std::int16_t> samples(static_cast<std::size_t>(Rate * ms / 1000));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(i % 22 < 11 ? level : -level);
    return samples;
}

// Stereo frames of a silent left channel and `right`.
std::vector<std::int16_t> Right_Only(const std::vector<std::int16_t>& right)
{
    std::vector<std::int16_t> frames;
    for (const std::int16_t sample : right)
        frames.insert(frames.end(), {0, sample});
    return frames;
}

std::vector<std::int16_t> Joined(std::initializer_list<std::vector<std::int16_t>> parts)
{
    std::vector<std::int16_t> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(Voice_Check, Measures_Silence_At_The_Ends_And_Clipping)
{
    const struct {
        const char* what;
        std::vector<std::int16_t> samples;
        int channels;
        int leading_ms, trailing_ms;
        bool clipped;
    } cases[] = {
        {"a second of leading silence", Joined({Tone(1000, 0), Tone(300, 8000)}), 1, 1000, 0, false},
        {"hiss counts as silence", Joined({Tone(100, 100), Tone(300, 8000), Tone(60, 60)}), 1, 100, 60, false},
        {"a clean word", Tone(400, 8000), 1, 0, 0, false},
        {"a soft sound is no silence", Joined({Tone(80, 200), Tone(300, 8000)}), 1, 0, 0, false},
        {"held at full scale", Tone(400, 32767), 1, 0, 0, true},
        {"held at the negative end", Tone(400, -32768), 1, 0, 0, true},
        {"all silent", Tone(200, 0), 1, 200, 200, false},
        // Stereo frames: a frame sounds if either channel does.
        {"one loud channel", Right_Only(Tone(100, 8000)), 2, 0, 0, false},
    };
    for (const auto& c : cases) {
        const TSound_Measure measure = Measure_Sound(c.samples, Rate, c.channels);
        EXPECT_NEAR(measure.Leading_Silence_Ms, c.leading_ms, 1) << c.what;
        EXPECT_NEAR(measure.Trailing_Silence_Ms, c.trailing_ms, 1) << c.what;
        EXPECT_EQ(measure.Clipped, c.clipped) << c.what;
    }
    // One sample touching full scale is a peak, not clipping.
    std::vector<std::int16_t> peak = Tone(100, 8000);
    peak[50] = 32767;
    EXPECT_FALSE(Measure_Sound(peak, Rate, 1).Clipped);
    EXPECT_DOUBLE_EQ(Measure_Sound(Tone(1000, 8000), Rate, 1).Seconds, 1.0);
}

TEST(Voice_Check, The_Settings_Decide_Which_Words_Are_Needed)
{
    ClockSettings twelve = Default_Settings("/");
    ClockSettings twenty_four = twelve;
    Select_Clock_Format(twenty_four, ClockFormat::TwentyFourHour);
    ClockSettings bells = twelve;
    Select_Sound_Scheme(bells, SoundScheme::EightBells);
    const struct {
        const char* file;
        bool twelve, twenty_four, bells;
    } cases[] = {
        {"0.WAV", true, true, false},  {"20.WAV", true, true, false},     {"50.WAV", true, true, false},
        {"AM.WAV", true, false, false}, {"PM.WAV", true, false, false},   {"ding.WAV", false, false, true},
        {"dingding.WAV", false, false, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Word_File_Needed(c.file, twelve), c.twelve) << c.file;
        EXPECT_EQ(Word_File_Needed(c.file, twenty_four), c.twenty_four) << c.file;
        EXPECT_EQ(Word_File_Needed(c.file, bells), c.bells) << c.file;
    }
    const auto words = Voice_Word_Files();
    EXPECT_EQ(words.size(), 28u);
    EXPECT_EQ(words.front(), "0.WAV");
    EXPECT_EQ(words.back(), "dingding.WAV");
}

TVoice_File Ok_File(const char* name, const char* format = "16-bit, 22050 Hz, mono")
{
    TVoice_File file;
    file.Name = name;
    file.State = TFile_State::Ok;
    file.Format = format;
    file.Measure.Seconds = 0.5;
    file.Needed = true;
    return file;
}

TEST(Voice_Check, Only_A_Needed_File_That_Does_Not_Play_Fails_The_Check)
{
    TVoice_File missing_am = Ok_File("AM.WAV");
    missing_am.State = TFile_State::Missing;
    TVoice_File text = Ok_File("7.WAV");
    text.State = TFile_State::Not_Sound;
    text.Reason = "Unrecognized audio format";

    const auto unneeded = [](TVoice_File file) {
        file.Needed = false;
        return file;
    };
    EXPECT_TRUE(Voice_Check_Report("/v/", {Ok_File("1.WAV"), unneeded(missing_am)}).Passed);
    EXPECT_FALSE(Voice_Check_Report("/v/", {Ok_File("1.WAV"), missing_am}).Passed);

    const auto report = Voice_Check_Report("/v/", {Ok_File("1.WAV"), text});
    EXPECT_FALSE(report.Passed);
    EXPECT_THAT(report.Lines, Contains(HasSubstr("7.WAV           not a sound file: Unrecognized audio format")));
    EXPECT_THAT(report.Lines, Contains("Result: 1 needed word is missing or broken"));
}

TEST(Voice_Check, Warnings_Name_Silence_Clipping_And_An_Odd_Format_Without_Failing)
{
    TVoice_File slow = Ok_File("1.WAV");
    slow.Measure.Leading_Silence_Ms = 1000;
    TVoice_File edge = Ok_File("2.WAV");
    edge.Measure.Leading_Silence_Ms = Silence_Warning_Ms;
    edge.Measure.Trailing_Silence_Ms = Silence_Warning_Ms + 1;
    TVoice_File loud = Ok_File("3.WAV");
    loud.Measure.Clipped = true;
    const TVoice_File odd = Ok_File("4.WAV", "8-bit, 11025 Hz, mono");

    const auto report = Voice_Check_Report("/v/", {slow, edge, loud, odd, Ok_File("5.WAV")});
    EXPECT_TRUE(report.Passed);
    const std::vector<std::string> expected{
        "Voice pack: /v/",
        "1.WAV           ok        0.50 s",
        "    warning: 1000 ms of silence at the start (heard as a gap before the word)",
        "2.WAV           ok        0.50 s",
        "    warning: 51 ms of silence at the end (heard as a gap after the word)",
        "3.WAV           ok        0.50 s",
        "    warning: clipping (the recording was too loud)",
        "4.WAV           ok        0.50 s",
        "    warning: sample format 8-bit, 11025 Hz, mono, unlike most files (16-bit, 22050 Hz, mono)",
        "5.WAV           ok        0.50 s",
        "Most files: 16-bit, 22050 Hz, mono",
        "Result: every needed word plays",
    };
    EXPECT_EQ(report.Lines, expected);
}

}  // namespace
