#include <windows.h>

#include <chrono>
#include <fstream>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "clock/Companion_Programs.h"
#include "support/Fake_Message_Boxes.h"
#include "support/Temp_Dir.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string Windows_Directory()
{
    char buffer[MAX_PATH];
    return std::string(buffer, GetWindowsDirectoryA(buffer, MAX_PATH));
}

// A file under the Windows directory for the length of a test.
struct TWindows_File {
    explicit TWindows_File(const std::string& name) : path(Windows_Directory() + "\\" + name) { std::ofstream{path}; }
    ~TWindows_File() { DeleteFileA(path.c_str()); }
    std::string path;
};

// The program search finds the stand-ins beside this program (noted_program.c)
// before the real Notepad and recorder; each notes the command line it got.
class Companion_Programs_Windows : public ::testing::Test {
protected:
    void SetUp() override { SetEnvironmentVariableA("HORAVOX_NOTED_COMMANDS", notes.c_str()); }
    void TearDown() override { SetEnvironmentVariableA("HORAVOX_NOTED_COMMANDS", nullptr); }
    // The command lines noted once `count` programs have run, or what there is after five seconds.
    std::string Noted(std::size_t count) const
    {
        std::string noted;
        for (int i = 0; i < 100; ++i) {
            noted = Read_File(notes);
            if (static_cast<std::size_t>(std::count(noted.begin(), noted.end(), '\n')) >= count)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return noted;
    }

    TTemp_Dir dir;
    const std::string notes = dir.Dir() + "noted.txt";
    TFake_Message_Boxes boxes;
};

TEST_F(Companion_Programs_Windows, TheReadmeOpensInNotepadWithItsPathUnquoted)
{
    Show_Readme_File("C:\\Program Files\\My Clock\\vocahora.exe", boxes);
    EXPECT_EQ(Noted(1), "Notepad.exe C:\\Program Files\\My Clock\\vocahora.txt\n");
    EXPECT_THAT(boxes.Shown, IsEmpty());
}

TEST_F(Companion_Programs_Windows, WithoutNotepadInTheWindowsDirectoryNothingStarts)
{
    const std::string notepad = Windows_Directory() + "\\notepad.exe";
    const std::string aside = notepad + ".aside";
    ASSERT_TRUE(MoveFileA(notepad.c_str(), aside.c_str()));
    Show_Text_File("C:\\a.txt", boxes);
    MoveFileA(aside.c_str(), notepad.c_str());
    EXPECT_THAT(boxes.Shown, ElementsAre("Information|Windows Notepad could not be found."));
    EXPECT_EQ(Noted(0), "");
}

// The command line buffer holds 144 characters: "Notepad.exe " and a path of 132.
TEST_F(Companion_Programs_Windows, ACommandLineLongerThanItsBufferIsRefusedWhole)
{
    const std::string too_long = "C:\\" + std::string(126, 'x') + ".txt";
    const std::string fits = "C:\\" + std::string(125, 'x') + ".txt";
    Show_Text_File(too_long, boxes);
    EXPECT_THAT(boxes.Shown, ElementsAre("Error|This command is too long to run (more than 144 characters):\r\n\r\n"
                                         "Notepad.exe " + too_long));
    Show_Text_File(fits, boxes);
    EXPECT_EQ(Noted(1), "Notepad.exe " + fits + "\n");
    EXPECT_EQ(boxes.Shown.size(), 1U);
}

TEST_F(Companion_Programs_Windows, TheRecorderIsSndrec32ElseSndrec)
{
    Start_Sound_Recorder(boxes);
    EXPECT_THAT(boxes.Shown, ElementsAre("Information|Windows Sound Recorder could not be found."));
    {
        const TWindows_File old_recorder("SNDREC.EXE");
        Start_Sound_Recorder(boxes);
        EXPECT_EQ(Noted(1), "SNDREC.EXE\n");
        const TWindows_File recorder("SNDREC32.EXE");
        Start_Sound_Recorder(boxes);
        EXPECT_EQ(Noted(2), "SNDREC.EXE\nSNDREC32.EXE\n");
    }
    EXPECT_EQ(boxes.Shown.size(), 1U);
}

}  // namespace
