#include <windows.h>

#include <fstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "clock/Companion_Programs.h"
#include "support/Fake_Message_Boxes.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string Windows_Directory()
{
    char buffer[MAX_PATH];
    return std::string(buffer, GetWindowsDirectoryA(buffer, MAX_PATH));
}

// A stand-in file under the Windows directory for the length of a test.
struct TWindows_File {
    explicit TWindows_File(const std::string& name) : path(Windows_Directory() + "\\" + name) { std::ofstream{path}; }
    ~TWindows_File() { DeleteFileA(path.c_str()); }
    std::string path;
};

TEST(Companion_Programs_Windows, NotepadIsFoundInTheWindowsDirectory)
{
    TFake_Message_Boxes boxes;
    Show_Readme_File("C:\\Program Files\\My Clock\\vocahora.exe", boxes);
    EXPECT_THAT(boxes.Shown, IsEmpty());
}

// The command line buffer holds 144 characters: "Notepad.exe " and a path of 132.
TEST(Companion_Programs_Windows, ACommandLineLongerThanItsBufferIsRefusedWhole)
{
    TFake_Message_Boxes boxes;
    const std::string fits = "C:\\" + std::string(125, 'x') + ".txt";
    const std::string too_long = "C:\\" + std::string(126, 'x') + ".txt";
    ASSERT_EQ(fits.size(), 132U);
    Show_Text_File(fits, boxes);
    EXPECT_THAT(boxes.Shown, IsEmpty());
    Show_Text_File(too_long, boxes);
    EXPECT_THAT(boxes.Shown, ElementsAre("Error|This command is too long to run (more than 144 characters):\r\n\r\n"
                                         "Notepad.exe " + too_long));
}

TEST(Companion_Programs_Windows, TheRecorderIsLookedForUnderBothNames)
{
    TFake_Message_Boxes boxes;
    Start_Sound_Recorder(boxes);
    EXPECT_THAT(boxes.Shown, ElementsAre("Information|Windows Sound Recorder could not be found."));
    for (const char* name : {"SNDREC32.EXE", "SNDREC.EXE"}) {
        boxes.Shown.clear();
        const TWindows_File recorder(name);
        Start_Sound_Recorder(boxes);
        EXPECT_THAT(boxes.Shown, IsEmpty()) << name;
    }
}

}  // namespace
