#include <gtest/gtest.h>

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <optional>

#include "Audio_Test_Support.h"
#include "engine/Announcement_Engine.h"
#include "engine/Plain_Engine_Host.h"
#include "audio/Sound_Output.h"
#include "audio/Player_Set.h"
#include "audio/Wav_Render.h"

using namespace std::chrono_literals;

namespace {

constexpr double Word_Seconds = 0.25;

// Pending messages are Qt's event queue, where the sound's notices arrive;
// an error box fails the test.
TPlain_Engine_Host Event_Loop_Host()
{
    return {[] { QCoreApplication::processEvents(); }, [](const std::string& text) { ADD_FAILURE() << text; }};
}

// Every word its own pitch, so the output tells which word sounds when.
const std::map<std::string, double> Word_Tones{
    {"PREFIX", 400}, {"10", 600}, {"7", 900}, {"AM", 1200}, {"12", 1500}, {"PM", 1800}, {"SUFFIX", 2100},
};

// The words heard, in order: a run of one pitch as long as n words is n words.
std::vector<std::string> Words_Heard(const std::vector<std::int16_t>& output)
{
    std::vector<double> frequencies;
    std::map<double, std::string> word_of;
    for (const auto& [word, frequency] : Word_Tones) {
        frequencies.push_back(frequency);
        word_of[frequency] = word;
    }
    std::vector<std::string> words;
    for (const auto& run : Find_Tone_Runs(output, 2, 44100, frequencies, 441)) {
        const double seconds = static_cast<double>(run.End_Frame - run.First_Frame) / 44100.0;
        const auto count = std::lround(seconds / Word_Seconds);
        for (long i = 0; i < count; ++i)
            words.push_back(word_of[run.Frequency]);
    }
    return words;
}

struct TCase {
    PlayMethod Method;
    PrefixSuffixMode Prefix_Mode;
    int Hour;
    int Minute;
    std::vector<std::string> Expected;
};

class Announcement_Audio_Test : public testing::TestWithParam<TCase> {};

TEST_P(Announcement_Audio_Test, WordsSoundOnceEachInOrder)
{
    const TCase& c = GetParam();
    TTemp_Dir dir;
    const std::string capture = Capture_Disk_Output(dir, 11);  // real time
    for (const auto& [word, frequency] : Word_Tones)
        Write_Tone_File(dir, word + ".WAV", frequency, Word_Seconds);
    ClockSettings settings = Default_Settings(dir.Dir());
    Select_Prefix_Suffix_Mode(settings, c.Prefix_Mode);
    Select_Play_Method(settings, c.Method);
    {
        TSound_Output audio;
        TPlayer_Set players(audio);
        TPlain_Engine_Host host = Event_Loop_Host();
        TSeeded_Random random;
        TAnnouncement_Engine engine(settings, host, players.Slots(), players.Probe(), random, dir.Dir());

        engine.Say_Time(c.Hour, c.Minute);
        const auto done = [&] { return host.Is_Idle() && !audio.Is_Sounding(); };
        ASSERT_TRUE(Pump_Events_Until(done, 10s));
        // A last notice may still be on its way to start one more sound.
        Deliver_Posted_Notices(audio);
        EXPECT_TRUE(done());
    }
    EXPECT_EQ(Words_Heard(Read_Samples(capture)), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Methods, Announcement_Audio_Test,
    testing::Values(TCase{PlayMethod::Sequential, PrefixSuffixMode::None, 10, 7, {"10", "7", "AM"}},
                    TCase{PlayMethod::Sequential, PrefixSuffixMode::None, 12, 12, {"12", "12", "PM"}},
                    TCase{PlayMethod::Optimised, PrefixSuffixMode::Fixed, 12, 12, {"PREFIX", "12", "12", "PM", "SUFFIX"}},
                    TCase{PlayMethod::Fastest, PrefixSuffixMode::Fixed, 10, 7, {"PREFIX", "10", "7", "AM", "SUFFIX"}}),
    [](const testing::TestParamInfo<TCase>& param_info) {
        const char* method = param_info.param.Method == PlayMethod::Sequential  ? "Sequential"
                             : param_info.param.Method == PlayMethod::Optimised ? "Optimised"
                                                                          : "Fastest";
        return std::string(method) + "_" + std::to_string(param_info.param.Hour) + "_" + std::to_string(param_info.param.Minute);
    });

// The device's own rate and layout, so the words reach the output unconverted
// and the output can be compared sample for sample.
struct TJoin_Case {
    PlayMethod Method;
    bool After_Silence_Close;
};

class Announcement_Join_Test : public testing::TestWithParam<TJoin_Case> {};

// The words follow one another on the very next frame, as in a rendered
// file: the output is exactly the words one after the other, on every play
// method, also when the silence close had shut the device before.
TEST_P(Announcement_Join_Test, OutputIsTheWordsOneAfterTheOther)
{
    const TJoin_Case& c = GetParam();
    // Lengths that end at odd places inside the device's buffers.
    const std::pair<const char*, double> words[] = {
        {"PREFIX", 0.131}, {"10", 0.147}, {"7", 0.163}, {"AM", 0.119}, {"SUFFIX", 0.151}};
    TTemp_Dir dir;
    const std::string capture = Capture_Disk_Output(dir, 11);  // real time
    std::vector<std::int16_t> expected;
    for (const auto& [word, seconds] : words) {
        const double frequency = Word_Tones.at(word);
        Write_Tone_File(dir, std::string(word) + ".WAV", frequency, seconds, 44100, 2);
        const auto samples = Tone(frequency, seconds, 44100, 2);
        expected.insert(expected.end(), samples.begin(), samples.end());
    }
    ClockSettings settings = Default_Settings(dir.Dir());
    Select_Prefix_Suffix_Mode(settings, PrefixSuffixMode::Fixed);
    Select_Play_Method(settings, c.Method);
    {
        TSound_Output audio(c.After_Silence_Close ? 50ms : TSound_Output::Default_Close_After_Silence);
        TPlayer_Set players(audio);
        TPlain_Engine_Host host = Event_Loop_Host();
        TSeeded_Random random;
        TAnnouncement_Engine engine(settings, host, players.Slots(), players.Probe(), random, dir.Dir());
        const auto done = [&] { return host.Is_Idle() && !audio.Is_Sounding(); };
        if (c.After_Silence_Close) {
            engine.Say_Time(10, 7);
            ASSERT_TRUE(Pump_Events_Until(done, 10s));
            // Reopening starts a new capture file: it holds the second announcement only.
            ASSERT_TRUE(Pump_Events_Until([&] { return !audio.Is_Open(); }, 5s));
        }
        engine.Say_Time(10, 7);
        ASSERT_TRUE(Pump_Events_Until(done, 10s));
        Deliver_Posted_Notices(audio);
        EXPECT_TRUE(done());
    }
    const auto output = Read_Samples(capture);
    const auto first = std::find_if(output.begin(), output.end(), [](std::int16_t sample) { return sample != 0; });
    ASSERT_GE(output.end() - first, static_cast<std::ptrdiff_t>(expected.size()));
    const std::vector<std::int16_t> heard(first, first + static_cast<std::ptrdiff_t>(expected.size()));
    const auto differs = std::mismatch(heard.begin(), heard.end(), expected.begin());
    EXPECT_EQ(differs.first, heard.end()) << "first difference at frame " << (differs.first - heard.begin()) / 2
                                          << " of " << expected.size() / 2;
    EXPECT_TRUE(std::all_of(first + static_cast<std::ptrdiff_t>(expected.size()), output.end(),
                            [](std::int16_t sample) { return sample == 0; }))
        << "nothing after the last word";
}

INSTANTIATE_TEST_SUITE_P(Methods, Announcement_Join_Test,
                         testing::Values(TJoin_Case{PlayMethod::Sequential, false},
                                         TJoin_Case{PlayMethod::Optimised, false},
                                         TJoin_Case{PlayMethod::Fastest, false},
                                         TJoin_Case{PlayMethod::Sequential, true},
                                         TJoin_Case{PlayMethod::Fastest, true}),
                         [](const testing::TestParamInfo<TJoin_Case>& param_info) {
                             const PlayMethod method = param_info.param.Method;
                             const char* name = method == PlayMethod::Sequential  ? "Sequential"
                                                : method == PlayMethod::Optimised ? "Optimised"
                                                                                  : "Fastest";
                             return std::string(name) + (param_info.param.After_Silence_Close ? "_Reopened" : "");
                         });

// A word file that is no sound at all, or holds no samples: the device error
// naming the file reaches the caller, the other words are still heard in
// order, each once, and the clock is free again.
TEST(Announcement_Audio_Broken_File_Test, OtherWordsAreHeardOnceAndTheClockRecovers)
{
    // No content: a valid WAV header and no samples.
    const std::pair<const char*, std::optional<std::string>> broken_files[] = {
        {"text", "this is not a sound file\n"},
        {"zero bytes", ""},
        {"header only", std::nullopt},
    };
    for (const auto& [kind, content] : broken_files) {
        for (const PlayMethod method : {PlayMethod::Sequential, PlayMethod::Optimised, PlayMethod::Fastest}) {
            const std::string label = std::string(kind) + ", method " + std::to_string(static_cast<int>(method));
            TTemp_Dir dir;
            const std::string capture = Capture_Disk_Output(dir, 11);
            for (const auto& [word, frequency] : Word_Tones)
                Write_Tone_File(dir, word + ".WAV", frequency, Word_Seconds);
            const std::string broken = dir.Write("7.WAV", content.value_or(""));
            if (!content)
                Write_Pcm_Wav(broken, std::vector<std::int16_t>{}, 22050, 1);
            ClockSettings settings = Default_Settings(dir.Dir());
            Select_Prefix_Suffix_Mode(settings, PrefixSuffixMode::None);
            Select_Play_Method(settings, method);
            {
                TSound_Output audio;
                TPlayer_Set players(audio);
                TPlain_Engine_Host host = Event_Loop_Host();
                TSeeded_Random random;
                TAnnouncement_Engine engine(settings, host, players.Slots(), players.Probe(), random, dir.Dir());

                try {
                    engine.Say_Time(10, 7);
                    ADD_FAILURE() << label << ": no error";
                } catch (const EMCIDeviceError& error) {
                    EXPECT_TRUE(std::string(error.what()).ends_with("\n" + broken)) << label << ": " << error.what();
                }
                const auto done = [&] { return host.Is_Idle() && !audio.Is_Sounding(); };
                ASSERT_TRUE(Pump_Events_Until(done, 10s)) << label;
                Deliver_Posted_Notices(audio);
                EXPECT_TRUE(done()) << label;
            }
            EXPECT_EQ(Words_Heard(Read_Samples(capture)), (std::vector<std::string>{"10", "AM"})) << label;
        }
    }
}

}  // namespace
