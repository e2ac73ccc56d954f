// The voice recorder with the real microphone capture, on the sound server
// that tests/recorder_server_test.sh starts: its default source is a pipe
// this test feeds with takes of synthesised words in a humming, hissing room.

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <thread>

#include "audio/Voice_Recorder.h"
#include "audio/Wav_Render.h"
#include "support/Temp_Dir.h"

namespace {

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;

std::string Input(const std::string& name)
{
    const char* inputs = std::getenv("RECORDER_INPUTS");
    return std::string(inputs == nullptr ? "" : inputs) + "/" + name;
}

std::vector<std::int16_t> Raw(const std::string& path)
{
    const std::string bytes = Read_File(path);
    std::vector<std::int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

std::vector<std::int16_t> Wav(const std::string& path)
{
    std::vector<std::int16_t> samples;
    std::string reason;
    EXPECT_TRUE(Decode_Wav(path, Render_Frequency, 1, samples, reason)) << path << ": " << reason;
    return samples;
}

std::size_t Ms(double ms)
{
    return static_cast<std::size_t>(ms * Render_Frequency / 1000);
}

double Ms_Of(std::ptrdiff_t samples)
{
    return static_cast<double>(samples) * 1000 / Render_Frequency;
}

// The pipe the server's microphone reads, kept open so no sample is lost
// between takes.
class TMicrophone_Pipe {
public:
    TMicrophone_Pipe() : fd_(open(std::getenv("RECORDER_FIFO"), O_WRONLY)) {}
    ~TMicrophone_Pipe() { close(fd_); }
    TMicrophone_Pipe(const TMicrophone_Pipe&) = delete;
    TMicrophone_Pipe& operator=(const TMicrophone_Pipe&) = delete;
    bool Is_Open() const { return fd_ >= 0; }
    void Say(std::span<const std::int16_t> samples)
    {
        const char* bytes = reinterpret_cast<const char*>(samples.data());
        std::size_t left = samples.size_bytes();
        while (left > 0) {
            const ssize_t written = write(fd_, bytes, left);
            ASSERT_GT(written, 0);
            bytes += written;
            left -= static_cast<std::size_t>(written);
        }
    }

private:
    int fd_;
};

std::string Stem(const std::string& file_name)
{
    return file_name.substr(0, file_name.rfind('.'));
}

// Pumps until the take has ended; the notes it gave.
std::vector<TRecorder_Note> Until_Idle(TVoice_Recorder& recorder)
{
    std::vector<TRecorder_Note> notes;
    const auto limit = TClock::now() + 10s;
    while (recorder.Phase() != TVoice_Recorder::TPhase::Idle && TClock::now() < limit) {
        auto more = recorder.Pump();
        notes.insert(notes.end(), more.begin(), more.end());
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_EQ(recorder.Phase(), TVoice_Recorder::TPhase::Idle) << "the take did not end by itself";
    return notes;
}

void Record_Words(TVoice_Recorder& recorder, TMicrophone_Pipe& pipe, std::size_t from, std::size_t to)
{
    for (std::size_t word = from; word < to; ++word) {
        const auto first = recorder.Record(word);
        ASSERT_FALSE(first.empty());
        ASSERT_NE(first.front().Kind, TRecorder_Note::TKind::Microphone_Failed) << first.front().Text;
        if (first.front().Kind == TRecorder_Note::TKind::Listening_To_Room)
            pipe.Say(Raw(Input("room.raw")));
        pipe.Say(Raw(Input("takes/" + Stem(recorder.Words()[word].File_Name) + ".raw")));
        bool saved = false;
        for (const auto& note : Until_Idle(recorder)) {
            EXPECT_NE(note.Kind, TRecorder_Note::TKind::Problem) << recorder.Words()[word].File_Name << ": " << note.Text;
            saved = saved || note.Kind == TRecorder_Note::TKind::Saved;
        }
        EXPECT_TRUE(saved) << recorder.Words()[word].File_Name;
    }
}

// Where the clean word is heard in a saved file: the clean word's samples that
// stand above the room (twice its RMS, at the loudness the word was fed),
// found in the file by correlation.
struct TWord_In_File {
    double Correlation = 0;
    std::ptrdiff_t Lead = 0, Tail = 0;
};

TWord_In_File Find_Word(const std::vector<std::int16_t>& saved, const std::vector<std::int16_t>& clean, double gain_db,
                        double room_rms)
{
    const double gain = std::pow(10.0, gain_db / 20);
    std::ptrdiff_t first = -1, last = -1;
    for (std::size_t i = 0; i < clean.size(); ++i)
        if (std::abs(clean[i] * gain) > 2 * room_rms) {
            first = first < 0 ? static_cast<std::ptrdiff_t>(i) : first;
            last = static_cast<std::ptrdiff_t>(i);
        }
    TWord_In_File found;
    const auto length = static_cast<std::ptrdiff_t>(saved.size());
    // saved[i] is clean[i + lag]; the file starts within 50 ms of the word either way.
    for (std::ptrdiff_t lag = first - static_cast<std::ptrdiff_t>(Ms(50)); lag <= first + static_cast<std::ptrdiff_t>(Ms(50));
         ++lag) {
        double both = 0, saved_energy = 0, clean_energy = 0;
        for (std::ptrdiff_t i = 0; i < length; ++i) {
            const std::ptrdiff_t j = i + lag;
            const double c = j >= 0 && j < static_cast<std::ptrdiff_t>(clean.size()) ? clean[j] : 0.0;
            both += saved[i] * c;
            saved_energy += static_cast<double>(saved[i]) * saved[i];
            clean_energy += c * c;
        }
        const double correlation = both / std::sqrt(saved_energy * clean_energy + 1);
        if (correlation > found.Correlation) {
            found.Correlation = correlation;
            found.Lead = first - lag;
            found.Tail = length - 1 - (last - lag);
        }
    }
    return found;
}

double Room_Rms();

// Where the clean word's last sample above the room falls in its take.
std::size_t Word_End_In_Take(const std::string& name, double gain_db)
{
    const auto clean = Wav(Input("clean/" + name + ".wav"));
    std::size_t last = 0;
    for (std::size_t i = 0; i < clean.size(); ++i)
        if (std::abs(clean[i] * std::pow(10.0, gain_db / 20)) > 2 * Room_Rms())
            last = i;
    return Ms(350) + last + 1;
}

double Room_Rms()
{
    const auto room = Raw(Input("room.raw"));
    double mean = 0;
    for (const auto sample : room)
        mean += sample;
    mean /= static_cast<double>(room.size());
    double sum = 0;
    for (const auto sample : room)
        sum += (sample - mean) * (sample - mean);
    return std::sqrt(sum / static_cast<double>(room.size()));
}

TEST(Recorder_Server, Makes_A_Complete_Clean_Pack_In_Two_Sittings)
{
    TMicrophone_Pipe pipe;
    ASSERT_TRUE(pipe.Is_Open()) << "run through tests/recorder_server_test.sh";
    const TTemp_Dir dir;
    const std::string voice = dir.Dir() + "voices/mine/";
    ClockSettings settings = Default_Settings("/");
    Select_Clock_Format(settings, ClockFormat::TwelveHour);
    const auto words = Recorder_Words(settings, {});
    ASSERT_EQ(words.size(), 26u);

    // The first sitting ends half way.
    {
        TVoice_Recorder recorder(voice, words, Open_Microphone);
        Record_Words(recorder, pipe, 0, 13);
    }
    std::map<std::string, std::string> first_sitting;
    for (std::size_t word = 0; word < 13; ++word)
        first_sitting[words[word].File_Name] = Read_File(voice + words[word].File_Name);

    // The second reads what is there and goes on from the first word missing.
    auto resumed = words;
    Read_Word_States(voice, resumed);
    ASSERT_EQ(Next_Word_To_Record(resumed, 0), 13u);
    {
        TVoice_Recorder recorder(voice, resumed, Open_Microphone);
        Record_Words(recorder, pipe, 13, 26);
        EXPECT_EQ(Next_Word_To_Record(recorder.Words(), 0), 26u);
        const TVoice_Check_Report report = recorder.Finish(std::getenv("RECORDER_BUNDLED"), settings);
        EXPECT_TRUE(report.Passed) << report.Lines.back();
        // No warning under any recorded word (the bundled bells ring on, and may).
        std::string file;
        for (const auto& line : report.Lines) {
            if (line.rfind("    warning", 0) != 0)
                file = line.substr(0, line.find(' '));
            else
                EXPECT_TRUE(file == "ding.WAV" || file == "dingding.WAV") << file << line;
        }
    }
    for (const auto& [name, bytes] : first_sitting)
        EXPECT_EQ(Read_File(voice + name), bytes) << name << " was changed by the second sitting";

    std::map<std::string, double> gains;
    std::ifstream gain_list(Input("gains.txt"));
    for (std::string name; gain_list >> name;)
        gain_list >> gains[name];
    const double room_rms = Room_Rms();
    double quietest = 0, loudest = -100;
    for (const auto& word : words) {
        const auto saved = Wav(voice + word.File_Name);
        const auto clean = Wav(Input("clean/" + Stem(word.File_Name) + ".wav"));
        const TWord_In_File found = Find_Word(saved, clean, gains[Stem(word.File_Name)], room_rms);
        std::cout << word.File_Name << ": " << Ms_Of(found.Lead) << " ms before the word, " << Ms_Of(found.Tail)
                  << " ms after it, correlation " << found.Correlation << ", level "
                  << Loudest_Window_Dbfs(saved, Render_Frequency) << " dBFS\n";
        EXPECT_GT(found.Correlation, 0.95) << word.File_Name;
        EXPECT_GE(found.Lead, 0) << word.File_Name << ": the start of the word was cut";
        EXPECT_GE(found.Tail, 0) << word.File_Name << ": the end of the word was cut";
        EXPECT_LE(found.Lead, static_cast<std::ptrdiff_t>(Ms(Kept_Silence_Ms))) << word.File_Name;
        EXPECT_LE(found.Tail, static_cast<std::ptrdiff_t>(Ms(Kept_Silence_Ms))) << word.File_Name;
        const double level = Loudest_Window_Dbfs(saved, Render_Frequency);
        quietest = std::min(quietest, level);
        loudest = std::max(loudest, level);
    }
    EXPECT_LE(loudest - quietest, 1.0);
}

}  // namespace

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// From pressing Record to the first sample of the take, on a source that
// runs in real time as a microphone does; and from opening the microphone.
TEST(Recorder_Server, Timing_From_Record_To_The_First_Sample)
{
    setenv("PULSE_SOURCE", "room.monitor", 1);
    const auto opened_at = TClock::now();
    {
        auto microphone = Open_Microphone(Render_Frequency);
        std::vector<std::int16_t> samples;
        while (microphone->Read(samples) && samples.empty())
            std::this_thread::sleep_for(100us);
        std::cout << "opening the microphone to its first sample: "
                  << std::chrono::duration<double, std::milli>(TClock::now() - opened_at).count() << " ms\n";
    }
    const TTemp_Dir dir;
    TVoice_Recorder recorder(dir.Dir(), Recorder_Words(Default_Settings("/"), {}), Open_Microphone);
    recorder.Record(0);
    while (recorder.Phase() == TVoice_Recorder::TPhase::Listening_To_Room)
        recorder.Pump();
    std::vector<double> delays;
    for (int take = 0; take < 20; ++take) {
        const auto pressed = TClock::now();
        recorder.Record(1);
        while (recorder.Last_Take().empty()) {
            recorder.Pump();
            std::this_thread::sleep_for(100us);
        }
        delays.push_back(std::chrono::duration<double, std::milli>(TClock::now() - pressed).count());
        recorder.Cancel();
        std::this_thread::sleep_for(std::chrono::milliseconds(take * 7 % 23));
    }
    unsetenv("PULSE_SOURCE");
    std::cout << "Record to the take's first sample: median " << Median(delays) << " ms, longest "
              << *std::max_element(delays.begin(), delays.end()) << " ms\n";
    EXPECT_LT(Median(delays), 30);
}

// From the end of the word, fed as a microphone delivers it (each 10 ms once
// it has been said), to the take ending by itself.
TEST(Recorder_Server, Timing_From_The_Words_End_To_The_Stop)
{
    TMicrophone_Pipe pipe;
    ASSERT_TRUE(pipe.Is_Open());
    const TTemp_Dir dir;
    TVoice_Recorder recorder(dir.Dir(), Recorder_Words(Default_Settings("/"), {}), Open_Microphone);
    const std::size_t word = 13;
    std::map<std::string, double> gains;
    std::ifstream gain_list(Input("gains.txt"));
    for (std::string name; gain_list >> name;)
        gain_list >> gains[name];
    std::vector<std::int16_t> said = Raw(Input("room.raw"));
    const std::size_t take_begin = said.size();
    const auto take = Raw(Input("takes/13.raw"));
    said.insert(said.end(), take.begin(), take.end());
    // Where the word ends in what is said: as Find_Word judges it.
    const std::size_t word_end = take_begin + Word_End_In_Take("13", gains["13"]);

    ASSERT_EQ(recorder.Record(word).front().Kind, TRecorder_Note::TKind::Listening_To_Room);
    const auto start = TClock::now() + 20ms;
    const auto said_at = [&](std::size_t sample) {
        return start + std::chrono::duration_cast<TClock::duration>(
                           std::chrono::duration<double>(static_cast<double>(sample) / Render_Frequency));
    };
    std::thread speaker([&] {
        for (std::size_t at = 0; at < said.size(); at += Ms(10)) {
            const std::size_t end = std::min(said.size(), at + Ms(10));
            std::this_thread::sleep_until(said_at(end));
            pipe.Say(std::span(said).subspan(at, end - at));
        }
    });
    Until_Idle(recorder);
    const auto stopped = TClock::now();
    speaker.join();
    const double after = std::chrono::duration<double, std::milli>(stopped - said_at(word_end)).count();
    std::cout << "end of the word to the take's stop: " << after << " ms\n";
    EXPECT_EQ(recorder.Words()[word].State, TWord_State::Recorded);
    EXPECT_GE(after, Stop_Silence_Ms);
    EXPECT_LT(after, Stop_Silence_Ms + 60);
}

}  // namespace

namespace {

// No microphone at all, and one taken away in the middle of a take after the
// word was said: a message each time, and the word said is saved.
TEST(Recorder_Server, A_Missing_Or_Lost_Microphone_Is_Reported_And_Loses_No_Take)
{
    const TTemp_Dir dir;
    const auto words = Recorder_Words(Default_Settings("/"), {});
    {
        setenv("PULSE_SOURCE", "unplugged", 1);
        TVoice_Recorder recorder(dir.Dir(), words, Open_Microphone);
        const auto notes = recorder.Record(0);
        unsetenv("PULSE_SOURCE");
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_EQ(notes[0].Kind, TRecorder_Note::TKind::Microphone_Failed);
        EXPECT_EQ(notes[0].Text.rfind("The microphone cannot be opened (No such entity). Check that a microphone", 0), 0u)
            << notes[0].Text;
        EXPECT_EQ(recorder.Phase(), TVoice_Recorder::TPhase::Idle);
    }

    TMicrophone_Pipe pipe;
    ASSERT_TRUE(pipe.Is_Open());
    TVoice_Recorder recorder(dir.Dir(), words, Open_Microphone);
    recorder.Record(0);
    // The word and 100 ms of the room after it: too little quiet for the take to end.
    auto said = Raw(Input("room.raw"));
    const auto take = Raw(Input("takes/0.raw"));
    const std::size_t until = Word_End_In_Take("0", 0) + Ms(100);
    said.insert(said.end(), take.begin(), take.begin() + static_cast<std::ptrdiff_t>(until));
    pipe.Say(said);
    std::vector<TRecorder_Note> notes;
    const auto limit = TClock::now() + 10s;
    while (recorder.Last_Take().size() < until - Ms(100) && TClock::now() < limit) {
        auto more = recorder.Pump();
        notes.insert(notes.end(), more.begin(), more.end());
        std::this_thread::sleep_for(1ms);
    }
    ASSERT_EQ(recorder.Phase(), TVoice_Recorder::TPhase::Recording);
    ASSERT_EQ(std::system("pactl unload-module module-pipe-source"), 0);
    while (recorder.Phase() != TVoice_Recorder::TPhase::Idle && TClock::now() < limit) {
        auto more = recorder.Pump();
        notes.insert(notes.end(), more.begin(), more.end());
        std::this_thread::sleep_for(1ms);
    }
    std::vector<TRecorder_Note::TKind> kinds;
    for (const auto& note : notes)
        kinds.push_back(note.Kind);
    EXPECT_EQ(kinds, (std::vector{TRecorder_Note::TKind::Recording, TRecorder_Note::TKind::Saved,
                                  TRecorder_Note::TKind::Microphone_Failed}));
    EXPECT_EQ(notes.back().Text.rfind("The microphone stopped (", 0), 0u) << notes.back().Text;
    EXPECT_EQ(recorder.Words()[0].State, TWord_State::Recorded);
    const auto saved = Wav(recorder.Word_Path(0));
    const TWord_In_File found = Find_Word(saved, Wav(Input("clean/0.wav")), 0, Room_Rms());
    EXPECT_GT(found.Correlation, 0.95);
    EXPECT_GE(found.Tail, 0);
    EXPECT_LE(found.Tail, static_cast<std::ptrdiff_t>(Ms(Kept_Silence_Ms)));
}

}  // namespace
