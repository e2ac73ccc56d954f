#include "audio/Voice_Recorder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <filesystem>
#include <numbers>

#include "audio/Wav_Render.h"
#include "support/Temp_Dir.h"
#include "util/Horavox_Error.h"

namespace {

using TKind = TRecorder_Note::TKind;

// Pieces of sound handed over one per read, then nothing; or, once they are
// gone, a microphone that was pulled out.
struct TScript {
    std::deque<std::vector<std::int16_t>> Pieces;
    bool Fails_At_End = false;
};

class TFake_Microphone final : public TSound_Capture {
public:
    explicit TFake_Microphone(TScript& script) : script_(script) {}
    bool Read(std::vector<std::int16_t>& samples) override
    {
        if (script_.Pieces.empty())
            return !script_.Fails_At_End;
        samples.insert(samples.end(), script_.Pieces.front().begin(), script_.Pieces.front().end());
        script_.Pieces.pop_front();
        return true;
    }
    std::string Failure() const override { return "The microphone stopped (unplugged)."; }

private:
    TScript& script_;
};

std::vector<std::int16_t> Sound(double ms, double amplitude)
{
    std::vector<std::int16_t> samples(static_cast<std::size_t>(ms * Render_Frequency / 1000));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(amplitude * std::sin(2 * std::numbers::pi * 200 * static_cast<double>(i) / Render_Frequency));
    return samples;
}

// The room, then a word and its silence, in 10 ms pieces.
void Say_A_Word(TScript& script, bool with_room)
{
    std::vector<std::int16_t> all;
    for (const auto& part : {with_room ? Sound(500, 30) : Sound(0, 0), Sound(100, 30), Sound(300, 6000), Sound(600, 30)})
        all.insert(all.end(), part.begin(), part.end());
    for (std::size_t at = 0; at < all.size(); at += 220)
        script.Pieces.emplace_back(all.begin() + static_cast<std::ptrdiff_t>(at),
                                   all.begin() + static_cast<std::ptrdiff_t>(std::min(all.size(), at + 220)));
}

std::vector<TRecorder_Note> Pump_Until_Idle(TVoice_Recorder& recorder)
{
    std::vector<TRecorder_Note> notes;
    for (int read = 0; read < 1000 && recorder.Phase() != TVoice_Recorder::TPhase::Idle; ++read) {
        auto more = recorder.Pump();
        notes.insert(notes.end(), more.begin(), more.end());
    }
    return notes;
}

std::vector<TKind> Kinds(const std::vector<TRecorder_Note>& notes)
{
    std::vector<TKind> kinds;
    for (const auto& note : notes)
        kinds.push_back(note.Kind);
    return kinds;
}

std::vector<std::string> Names(const std::vector<TRecorder_Word>& words)
{
    std::vector<std::string> names;
    for (const auto& word : words)
        names.push_back(word.File_Name);
    return names;
}

TEST(Voice_Recorder, The_Words_Follow_The_Settings_And_The_Choices)
{
    const std::vector<std::string> numbers = {"0.WAV",  "1.WAV",  "2.WAV",  "3.WAV",  "4.WAV",  "5.WAV",
                                              "6.WAV",  "7.WAV",  "8.WAV",  "9.WAV",  "10.WAV", "11.WAV",
                                              "12.WAV", "13.WAV", "14.WAV", "15.WAV", "16.WAV", "17.WAV",
                                              "18.WAV", "19.WAV", "20.WAV", "30.WAV", "40.WAV", "50.WAV"};
    const auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> all = numbers;
        all.insert(all.end(), more.begin(), more.end());
        return all;
    };
    ClockSettings twelve = Default_Settings("/");
    Select_Clock_Format(twelve, ClockFormat::TwelveHour);
    ClockSettings twenty_four = twelve;
    Select_Clock_Format(twenty_four, ClockFormat::TwentyFourHour);
    ClockSettings bells = twelve;
    Select_Sound_Scheme(bells, SoundScheme::EightBells);
    const struct {
        const char* what;
        const ClockSettings& settings;
        TRecorder_Choices choices;
        std::vector<std::string> names;
    } cases[] = {
        {"12-hour clock", twelve, {}, with({"AM.WAV", "PM.WAV"})},
        {"24-hour clock", twenty_four, {}, numbers},
        // A voice is words, whatever the clock plays today.
        {"eight bells", bells, {}, with({"AM.WAV", "PM.WAV"})},
        {"everything", twenty_four, {true, true, true}, with({"PREFIX.WAV", "SUFFIX.WAV", "ding.WAV", "dingding.WAV"})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Names(Recorder_Words(c.settings, c.choices)), c.names) << c.what;
    const auto words = Recorder_Words(twelve, {});
    EXPECT_EQ(words[13].Spoken, "thirteen");
    EXPECT_EQ(words[0].Spoken, "oh");
    EXPECT_EQ(Default_Voice_Directory("/home/a/.local/share/", "Mum"), "/home/a/.local/share/horavox/voices/Mum/");
    EXPECT_EQ(Default_Voice_Directory("/d", "../../etc"), "/d/horavox/voices/..-..-etc/");
    EXPECT_EQ(Default_Voice_Directory("/d", ".."), "/d/horavox/voices/my-voice/");
}

TEST(Voice_Recorder, A_Take_Is_Saved_And_A_Later_Session_Resumes_After_It)
{
    const TTemp_Dir dir;
    ClockSettings settings = Default_Settings("/");
    Select_Clock_Format(settings, ClockFormat::TwentyFourHour);
    TScript script;
    TVoice_Recorder recorder(dir.Dir() + "voice/", Recorder_Words(settings, {}),
                             [&script](int) { return std::make_unique<TFake_Microphone>(script); });
    Say_A_Word(script, true);
    EXPECT_EQ(Kinds(recorder.Record(0)), std::vector{TKind::Listening_To_Room});
    EXPECT_EQ(Kinds(Pump_Until_Idle(recorder)), (std::vector{TKind::Recording, TKind::Saved}));
    // The room is heard once: the next take starts at once.
    Say_A_Word(script, false);
    EXPECT_EQ(Kinds(recorder.Record(1)), std::vector{TKind::Recording});
    EXPECT_EQ(Kinds(Pump_Until_Idle(recorder)), std::vector{TKind::Saved});
    // Stopped by the 0.4 s of quiet, not by the end of the script.
    EXPECT_FALSE(script.Pieces.empty());

    auto words = Recorder_Words(settings, {});
    Read_Word_States(dir.Dir() + "voice/", words);
    EXPECT_EQ(words[0].State, TWord_State::Recorded);
    EXPECT_EQ(words[1].State, TWord_State::Recorded);
    EXPECT_EQ(words[2].State, TWord_State::Missing);
    EXPECT_EQ(Next_Word_To_Record(words, 0), 2u);
    EXPECT_EQ(Next_Word_To_Record(words, 5), 5u);
}

TEST(Voice_Recorder, A_Microphone_That_Fails_Is_Reported_And_Loses_No_Take)
{
    const TTemp_Dir dir;
    const ClockSettings settings = Default_Settings("/");
    TScript script;
    int opened = 0;
    bool absent = false;
    TVoice_Recorder recorder(dir.Dir(), Recorder_Words(settings, {}), [&](int) -> std::unique_ptr<TSound_Capture> {
        if (absent)
            throw EHoravoxError("No microphone.");
        ++opened;
        return std::make_unique<TFake_Microphone>(script);
    });
    // Pulled out while the word's silence was still running: the word is saved as it was.
    Say_A_Word(script, true);
    script.Pieces.resize(script.Pieces.size() - 30);
    script.Fails_At_End = true;
    recorder.Record(0);
    const auto notes = Pump_Until_Idle(recorder);
    EXPECT_EQ(Kinds(notes), (std::vector{TKind::Recording, TKind::Saved, TKind::Microphone_Failed}));
    EXPECT_TRUE(std::filesystem::exists(recorder.Word_Path(0)));
    EXPECT_EQ(recorder.Words()[0].State, TWord_State::Recorded);

    // None there at all: a message, and nothing else changes.
    absent = true;
    const auto refused = recorder.Record(1);
    ASSERT_EQ(Kinds(refused), std::vector{TKind::Microphone_Failed});
    EXPECT_EQ(refused.front().Text, "No microphone.");
    EXPECT_EQ(recorder.Phase(), TVoice_Recorder::TPhase::Idle);
    EXPECT_TRUE(std::filesystem::exists(recorder.Word_Path(0)));

    // Plugged in again: opened anew, and the room heard anew.
    absent = false;
    script = {};
    Say_A_Word(script, true);
    EXPECT_EQ(Kinds(recorder.Record(1)), std::vector{TKind::Listening_To_Room});
    EXPECT_EQ(Kinds(Pump_Until_Idle(recorder)), (std::vector{TKind::Recording, TKind::Saved}));
    EXPECT_EQ(opened, 2);
}

TEST(Voice_Recorder, A_Microphone_That_Sends_Nothing_Is_Reported_After_Three_Seconds)
{
    const TTemp_Dir dir;
    TScript script;
    TVoice_Recorder recorder(dir.Dir(), Recorder_Words(Default_Settings("/"), {}),
                             [&script](int) { return std::make_unique<TFake_Microphone>(script); });
    const TVoice_Recorder::TTime start{};
    recorder.Record(0);
    EXPECT_TRUE(recorder.Pump(start).empty());
    EXPECT_TRUE(recorder.Pump(start + std::chrono::milliseconds(2999)).empty());
    const auto notes = recorder.Pump(start + std::chrono::seconds(3));
    ASSERT_EQ(Kinds(notes), std::vector{TKind::Microphone_Failed});
    EXPECT_EQ(notes[0].Text.rfind("The microphone sends no sound", 0), 0u);
    EXPECT_EQ(recorder.Phase(), TVoice_Recorder::TPhase::Idle);
}

TEST(Voice_Recorder, A_Take_That_Cannot_Be_Written_Is_Kept_Until_A_Folder_Can_Be)
{
    const TTemp_Dir dir;
    const std::string blocked = dir.Write("not-a-folder");
    TScript script;
    TVoice_Recorder recorder(blocked + "/", Recorder_Words(Default_Settings("/"), {}),
                             [&script](int) { return std::make_unique<TFake_Microphone>(script); });
    Say_A_Word(script, true);
    recorder.Record(3);
    EXPECT_EQ(Kinds(Pump_Until_Idle(recorder)), (std::vector{TKind::Recording, TKind::Write_Failed}));
    EXPECT_EQ(recorder.Words()[3].State, TWord_State::Missing);
    EXPECT_EQ(Kinds(recorder.Set_Directory(dir.Dir() + "voice/")), std::vector{TKind::Saved});
    EXPECT_EQ(recorder.Words()[3].State, TWord_State::Recorded);
    EXPECT_TRUE(std::filesystem::exists(dir.Dir() + "voice/3.WAV"));
}

TEST(Voice_Recorder, Nothing_Said_Saves_Nothing_And_Ends_By_Itself)
{
    const TTemp_Dir dir;
    TScript script;
    script.Pieces.push_back(Sound(500 + TVoice_Recorder::No_Voice_Limit_Ms, 30));
    TVoice_Recorder recorder(dir.Dir(), Recorder_Words(Default_Settings("/"), {}),
                             [&script](int) { return std::make_unique<TFake_Microphone>(script); });
    recorder.Record(0);
    const auto notes = Pump_Until_Idle(recorder);
    ASSERT_EQ(Kinds(notes), (std::vector{TKind::Recording, TKind::Problem}));
    EXPECT_EQ(notes.back().Text.rfind("Not saved. Nothing was heard.", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(recorder.Word_Path(0)));
}

TEST(Voice_Recorder, Finishing_Takes_The_Bells_From_The_Bundled_Voice_Unless_Recorded)
{
    const TTemp_Dir dir;
    const TTemp_Dir bundled;
    const std::vector<std::int16_t> word = Sound(300, 6000);
    const std::string image = Pcm_Wav_Image(word, Render_Frequency, 1);
    ClockSettings settings = Default_Settings("/");
    Select_Clock_Format(settings, ClockFormat::TwentyFourHour);
    Select_Prefix_Suffix_Mode(settings, PrefixSuffixMode::None);
    for (const auto& name : Names(Recorder_Words(settings, {})))
        dir.Write(name, image);
    dir.Write("ding.WAV", image);
    bundled.Write("ding.WAV", Pcm_Wav_Image(Sound(100, 100), Render_Frequency, 1));
    bundled.Write("dingding.WAV", Pcm_Wav_Image(Sound(100, 100), Render_Frequency, 1));
    TVoice_Recorder recorder(dir.Dir(), Recorder_Words(settings, {}), nullptr);
    const TVoice_Check_Report report = recorder.Finish(bundled.Dir(), settings);
    EXPECT_TRUE(report.Passed) << report.Lines.back();
    EXPECT_EQ(Read_File(dir.Dir() + "ding.WAV"), image);
    EXPECT_EQ(Read_File(dir.Dir() + "dingding.WAV"), Read_File(bundled.Dir() + "dingding.WAV"));
}

}  // namespace
