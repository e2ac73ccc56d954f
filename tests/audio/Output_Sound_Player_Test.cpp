#include <gtest/gtest.h>

#include <QCoreApplication>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "Audio_Test_Support.h"
#include "audio/Sound_Output.h"
#include "audio/linux/Sdl_Output.h"
#include "audio/Output_Sound_Player.h"
#include "audio/Wav_Render.h"

using namespace std::chrono_literals;

namespace {

// A player on the disk driver, running about ten times faster than real time.
class Sdl_Sound_Player_Test : public testing::Test {
protected:
    TTemp_Dir dir;
    std::string capture = Capture_Disk_Output(dir, 1);
    std::optional<TSound_Output> audio{std::in_place};
    std::optional<TOutput_Sound_Player> player{std::in_place, *audio};
    int notices = 0;

    void SetUp() override { player->OnNotify = [this] { ++notices; }; }

    void Open(const std::string& path)
    {
        player->FileName = path;
        player->Open();
    }

    bool Wait_For_Notices(int count) { return Pump_Events_Until([&] { return notices >= count; }, 5s); }

    // Closes the device, which flushes the capture file, and reads it.
    std::vector<std::int16_t> Captured_Output()
    {
        player.reset();
        audio.reset();
        return Read_Samples(capture);
    }

    static std::string Open_Error(const std::string& path)
    {
        TSound_Output audio;
        TOutput_Sound_Player player(audio);
        player.FileName = path;
        try {
            player.Open();
        } catch (const EMCIDeviceError& error) {
            EXPECT_FALSE(player.Is_Open());
            return error.what();
        }
        return "opened";
    }
};

double Seconds_Heard(const std::vector<std::int16_t>& output, double frequency)
{
    double seconds = 0;
    for (const auto& run : Find_Tone_Runs(output, 2, 44100, {frequency}, 441))
        seconds += static_cast<double>(run.End_Frame - run.First_Frame) / 44100.0;
    return seconds;
}

TEST_F(Sdl_Sound_Player_Test, PlaysTheFileAndNotifiesOnceWhenItEnds)
{
    Open(Write_Tone_File(dir, "7.WAV", 1000, 0.3));
    player->Play();
    EXPECT_EQ(notices, 0);
    ASSERT_TRUE(Wait_For_Notices(1));
    EXPECT_FALSE(player->Is_Sounding()) << "its voice has left the queue";
    Deliver_Posted_Notices(*audio);
    EXPECT_EQ(notices, 1);

    const auto output = Captured_Output();
    const auto runs = Find_Tone_Runs(output, 2, 44100, {1000}, 441);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_NEAR(static_cast<double>(runs[0].End_Frame - runs[0].First_Frame) / 44100.0, 0.3, 0.02);
}

// The volume of the moment the file opens scales what reaches the device.
TEST_F(Sdl_Sound_Player_Test, AFileOpenedAtHalfVolumeIsHeardAtHalfTheAmplitude)
{
    Open(Write_Tone_File(dir, "7.WAV", 1000, 0.3));
    player->Play();
    ASSERT_TRUE(Wait_For_Notices(1));
    player->Volume_Percent = 50;
    Open(Write_Tone_File(dir, "8.WAV", 1500, 0.3));
    player->Play();
    ASSERT_TRUE(Wait_For_Notices(2));

    const auto output = Captured_Output();
    const auto runs = Find_Tone_Runs(output, 2, 44100, {1000, 1500}, 441);
    ASSERT_EQ(runs.size(), 2u);
    const auto level = [&](const TTone_Run& run) {
        return Tone_Level(output, 2, 44100, run.Frequency, run.First_Frame + 441, 4410);
    };
    EXPECT_NEAR(level(runs[1]) / level(runs[0]), 0.5, 0.02);
}

TEST_F(Sdl_Sound_Player_Test, PlayAfterTheEndPlaysAgainFromTheStart)
{
    Open(Write_Tone_File(dir, "7.WAV", 1000, 0.2));
    player->Play();
    ASSERT_TRUE(Wait_For_Notices(1));
    player->Play();
    ASSERT_TRUE(Wait_For_Notices(2));

    // Heard twice in full. Whether a gap lies between the two depends on how
    // soon the second request follows the notice, so only the length counts.
    EXPECT_NEAR(Seconds_Heard(Captured_Output(), 1000), 0.4, 0.03);
}

TEST_F(Sdl_Sound_Player_Test, PlayWhilePlayingNotifiesAtOnceAndAgainAtTheEnd)
{
    Open(Write_Tone_File(dir, "7.WAV", 1000, 3.0));
    player->Play();
    player->Play();
    ASSERT_TRUE(Wait_For_Notices(1));
    ASSERT_TRUE(Wait_For_Notices(2));
    EXPECT_FALSE(player->Is_Sounding()) << "its voice has left the queue";
    Deliver_Posted_Notices(*audio);
    EXPECT_EQ(notices, 2);

    // Played on, not restarted: the tone is heard once, for its length.
    EXPECT_NEAR(Seconds_Heard(Captured_Output(), 1000), 3.0, 0.05);
}

TEST_F(Sdl_Sound_Player_Test, CloseSilencesTheSoundAndItsNoticeNeverComes)
{
    Open(Write_Tone_File(dir, "7.WAV", 1000, 3.0));
    player->Play();
    player->Close();
    EXPECT_FALSE(player->Is_Open());
    player->Close();
    EXPECT_FALSE(audio->Is_Sounding());
    Deliver_Posted_Notices(*audio);
    EXPECT_EQ(notices, 0);
    EXPECT_LT(Seconds_Heard(Captured_Output(), 1000), 1.0);
}

TEST_F(Sdl_Sound_Player_Test, ReopeningDropsTheNoticeOfTheEarlierSound)
{
    const std::string path = Write_Tone_File(dir, "7.WAV", 1000, 0.05);
    Open(path);
    player->Play();
    // The sound ends and its notice is posted, but not yet handled, when the
    // same file is opened again.
    while (player->Is_Sounding())
        ASSERT_TRUE(Await_Fills(*audio, 1));
    ASSERT_TRUE(Await_Fills(*audio, 2));
    Open(path);
    QCoreApplication::processEvents();
    EXPECT_EQ(notices, 0);
    player->Play();
    ASSERT_TRUE(Wait_For_Notices(1));
}

TEST_F(Sdl_Sound_Player_Test, ClosedSlotRefusesToPlay)
{
    player->Close();
    try {
        player->Play();
        FAIL() << "played while closed";
    } catch (const EMCIDeviceError& error) {
        EXPECT_STREQ(error.what(), "No MCI device open");
    }
    Open(Write_Tone_File(dir, "7.WAV", 1000, 0.05));
    player->Close();
    EXPECT_THROW(player->Play(), EMCIDeviceError);
}

TEST_F(Sdl_Sound_Player_Test, FileNamedInAnotherLetterCaseIsFound)
{
    Write_Tone_File(dir, "am.wav", 1000, 0.05);
    Open((dir.Path() / "AM.WAV").string());
    EXPECT_TRUE(player->Is_Open());
}

// The device's text, then the file's path on a line of its own, so the user
// knows which recording to replace.
TEST_F(Sdl_Sound_Player_Test, BadFilesFailToOpenWithAClearTextAndTheirPath)
{
    std::filesystem::create_directory(dir.Path() / "sub");
    std::filesystem::create_directory(dir.Path() / "sub" / "7.WAV");
    // A WAV header whose format chunk is garbage.
    std::string riff_garbage = std::string("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0", 20) + std::string(40, '\xff');
    const std::string header_only = (dir.Path() / "header.WAV").string();
    Write_Pcm_Wav(header_only, std::vector<std::int16_t>{}, 22050, 1);
    // SDL's resampler overflowed its buffer sizes on such a header.
    const std::string megahertz = (dir.Path() / "megahertz.WAV").string();
    Write_Pcm_Wav(megahertz, std::vector<std::int16_t>(64, 1000), 5'636'130, 1);

    struct TCase {
        std::string label;
        std::string path;
        std::string text_part;
    };
    const TCase cases[] = {
        {"missing", (dir.Path() / "8.WAV").string(), "8.WAV"},
        {"zero bytes", dir.Write("zero.WAV"), ""},
        {"text", dir.Write("text.WAV", "seven o'clock, this is not a sound\n"), ""},
        {"corrupt header", dir.Write("corrupt.WAV", riff_garbage), ""},
        {"header without samples", header_only, "no sound"},
        {"sample rate of megahertz", megahertz, "not usable"},
        {"directory", (dir.Path() / "sub" / "7.WAV").string(), "directory"},
    };
    for (const auto& c : cases) {
        const std::string text = Open_Error(c.path);
        EXPECT_NE(text, "opened") << c.label;
        EXPECT_NE(text.find(c.text_part), std::string::npos) << c.label << ": " << text;
        const auto line_break = text.rfind('\n');
        ASSERT_NE(line_break, std::string::npos) << c.label << ": " << text;
        EXPECT_GT(line_break, 0u) << c.label << ": the device's text comes first";
        EXPECT_EQ(text.substr(line_break + 1), c.path) << c.label;
    }
    EXPECT_NE(Open_Error(""), "opened");
}

TEST_F(Sdl_Sound_Player_Test, FailedOpenLeavesTheSlotClosed)
{
    Open(Write_Tone_File(dir, "7.WAV", 1000, 0.05));
    player->FileName = dir.Write("text.WAV", "not a sound");
    EXPECT_THROW(player->Open(), EMCIDeviceError);
    EXPECT_FALSE(player->Is_Open());
    EXPECT_THROW(player->Play(), EMCIDeviceError);
}

TEST(Sdl_Audio_Test, DeviceThatCannotOpenGivesSdlText)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    TSound_Output audio;
    TOutput_Sound_Player player(audio);
    TTemp_Dir dir;
    player.FileName = Write_Tone_File(dir, "7.WAV", 1000, 0.05);
    try {
        player.Open();
        FAIL() << "opened on a missing driver";
    } catch (const EMCIDeviceError& error) {
        EXPECT_NE(std::string(error.what()).find("no-such-driver"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(audio.Is_Open());
    EXPECT_FALSE(player.Is_Open());
    setenv("SDL_AUDIODRIVER", "disk", 1);
}

// Ctrl+C and a plain kill must still end the program once its sound is on.
TEST_F(Sdl_Sound_Player_Test, OpenDeviceLeavesTheStopSignalsToTheProgram)
{
    Open(Write_Tone_File(dir, "7.WAV", 1000, 0.05));
    ASSERT_TRUE(audio->Is_Open());
    for (const int signal : {SIGINT, SIGTERM}) {
        struct sigaction action {};
        ASSERT_EQ(sigaction(signal, nullptr, &action), 0);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << "signal " << signal;
    }
}

}  // namespace

namespace {

// Two slots on one device, as two words of an announcement.
class Sdl_One_Voice_Test : public testing::Test {
protected:
    TTemp_Dir dir;
    std::string capture = Capture_Disk_Output(dir, 1);
    std::optional<TSound_Output> audio{std::in_place};
    std::optional<TOutput_Sound_Player> first{std::in_place, *audio};
    std::optional<TOutput_Sound_Player> second{std::in_place, *audio};
    int first_notices = 0;
    int second_notices = 0;

    void SetUp() override
    {
        first->OnNotify = [this] { ++first_notices; };
        second->OnNotify = [this] { ++second_notices; };
        first->FileName = Write_Tone_File(dir, "10.WAV", 1000, 1.0);
        second->FileName = Write_Tone_File(dir, "AM.WAV", 2000, 0.5);
        first->Open();
        second->Open();
    }

    std::vector<TTone_Run> Runs()
    {
        first.reset();
        second.reset();
        audio.reset();
        return Find_Tone_Runs(Read_Samples(capture), 2, 44100, {1000, 2000}, 441);
    }
};

TEST_F(Sdl_One_Voice_Test, SecondSoundWaitsForTheFirst)
{
    first->Play();
    second->Play();
    second->Play();  // waiting counts as playing: answered at once
    ASSERT_TRUE(Pump_Events_Until([&] { return second_notices == 1; }, 5s));
    EXPECT_EQ(first_notices, 0);
    ASSERT_TRUE(Pump_Events_Until([&] { return second_notices == 2; }, 5s));
    EXPECT_EQ(first_notices, 1);
    EXPECT_FALSE(audio->Is_Sounding());

    const auto runs = Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].Frequency, 1000);
    EXPECT_EQ(runs[1].Frequency, 2000);
    EXPECT_LE(runs[0].End_Frame, runs[1].First_Frame + 441);
    EXPECT_NEAR(static_cast<double>(runs[1].End_Frame - runs[1].First_Frame) / 44100.0, 0.5, 0.02);
}

TEST_F(Sdl_One_Voice_Test, ClosingTheSoundingSlotStartsTheWaitingOne)
{
    first->Play();
    second->Play();
    first->Close();
    ASSERT_TRUE(Pump_Events_Until([&] { return second_notices == 1; }, 5s));
    EXPECT_EQ(first_notices, 0);
    const auto runs = Runs();
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs.back().Frequency, 2000);
    EXPECT_NEAR(static_cast<double>(runs.back().End_Frame - runs.back().First_Frame) / 44100.0, 0.5, 0.02);
}

TEST_F(Sdl_One_Voice_Test, ClosingEverySlotStartsNone)
{
    first->Play();
    second->Play();
    first->Close();
    second->Close();
    EXPECT_FALSE(audio->Is_Sounding());
    Deliver_Posted_Notices(*audio);
    EXPECT_EQ(first_notices + second_notices, 0);
    // The audio thread may start the second in the moment between the two
    // closes; the second close must then cut it within that buffer.
    for (const auto& run : Runs()) {
        if (run.Frequency == 2000) {
            EXPECT_LE(run.End_Frame - run.First_Frame, std::size_t{441 + TSdl_Output::Buffer_Frames});
        }
    }
}

}  // namespace

namespace {

bool Sdl_Is_Mapped()
{
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);)
        if (line.find("libSDL2") != std::string::npos)
            return true;
    return false;
}

// An open device mixes silence all the time; between announcements it is
// closed, SDL with it, and the next sound loads and opens them again.
TEST(Sdl_Audio_Silence_Test, ClosesAfterSilenceAndOpensAgainForTheNextSound)
{
    TTemp_Dir dir;
    Capture_Disk_Output(dir, 1);
    TSound_Output audio(100ms);
    TOutput_Sound_Player player(audio);
    int notices = 0;
    player.OnNotify = [&] { ++notices; };
    player.FileName = Write_Tone_File(dir, "7.WAV", 1000, 0.2);
    player.Open();
    player.Play();
    ASSERT_TRUE(Pump_Events_Until([&] { return notices == 1; }, 5s));
    ASSERT_TRUE(Pump_Events_Until([&] { return !audio.Is_Open(); }, 5s));
    EXPECT_TRUE(player.Is_Open()) << "the loaded sound is kept";
    EXPECT_FALSE(player.Is_Sounding());
    EXPECT_TRUE(Pump_Events_Until([] { return !Sdl_Is_Mapped(); }, 5s)) << "SDL stays loaded while nothing sounds";

    player.Play();
    EXPECT_TRUE(audio.Is_Open());
    EXPECT_TRUE(player.Is_Sounding());
    EXPECT_TRUE(Pump_Events_Until([&] { return notices == 2; }, 5s));
}

// The tick before a due announcement opens the device that the silence close
// shut; a device that cannot open is left to the sound itself to report.
TEST(Sdl_Audio_Silence_Test, PrepareReopensAClosedDeviceAndNeverThrows)
{
    TTemp_Dir dir;
    Capture_Disk_Output(dir, 1);
    {
        TSound_Output audio(50ms);
        audio.Prepare();
        EXPECT_TRUE(audio.Is_Open());
        ASSERT_TRUE(Pump_Events_Until([&] { return !audio.Is_Open(); }, 5s));
        audio.Prepare();
        EXPECT_TRUE(audio.Is_Open());
    }

    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    TSound_Output unavailable;
    EXPECT_NO_THROW(unavailable.Prepare());
    EXPECT_FALSE(unavailable.Is_Open());
    setenv("SDL_AUDIODRIVER", "disk", 1);
}

TEST(Sdl_Audio_Silence_Test, ASoundLongerThanTheSilenceTimeIsNotCutOff)
{
    TTemp_Dir dir;
    const std::string capture = Capture_Disk_Output(dir, 1);
    {
        TSound_Output audio(50ms);
        TOutput_Sound_Player player(audio);
        int notices = 0;
        player.OnNotify = [&] { ++notices; };
        player.FileName = Write_Tone_File(dir, "7.WAV", 1000, 0.6);
        player.Open();
        player.Play();
        ASSERT_TRUE(Pump_Events_Until([&] { return notices == 1; }, 5s));
    }
    const auto runs = Find_Tone_Runs(Read_Samples(capture), 2, 44100, {1000}, 441);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_NEAR(static_cast<double>(runs[0].End_Frame - runs[0].First_Frame) / 44100.0, 0.6, 0.02);
}

}  // namespace
