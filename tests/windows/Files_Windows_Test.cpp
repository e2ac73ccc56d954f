#include <windows.h>

#include <fstream>

#include <gtest/gtest.h>

#include "system/Files.h"
#include "system/Files_Read.h"
#include "system/Files_Safe_Write.h"
#include "support/Temp_Dir.h"

namespace {

TEST(Files_Windows, The_Program_Directory_Is_The_Executables_With_A_Backslash)
{
    EXPECT_STREQ(Path_Delimiter, "\\");
    const std::string executable = Executable_Path();
    EXPECT_TRUE(executable.ends_with("\\windows_tests.exe")) << executable;
    EXPECT_EQ(Program_Directory(), executable.substr(0, executable.rfind('\\') + 1));
    EXPECT_TRUE(File_Exists(executable));
    EXPECT_TRUE(Directory_Exists(Program_Directory()));
}

TEST(Files_Windows, Names_Match_In_Any_Case_And_Masks_Too)
{
    TTemp_Dir dir;
    const std::string base = dir.Path().string() + "\\";
    dir.Write("Prefix1.Wav");
    EXPECT_TRUE(File_Exists(base + "PREFIX1.WAV"));
    EXPECT_EQ(Find_Matching_Entries(base + "prefix*.wav"), std::vector<std::string>{"Prefix1.Wav"});
    EXPECT_TRUE(Directory_Exists(base));
    EXPECT_FALSE(File_Exists(base + "missing\\x.wav"));
}

// Nothing but a disk file is read: a pipe nobody writes to would never end.
TEST(Files_Windows, Only_Disk_Files_Are_Read)
{
    TTemp_Dir dir;
    std::string contents = "old";
    EXPECT_EQ(Read_Regular_File(dir.Write("a.ini", "x\r\ny"), contents), TFile_Read::Read);
    EXPECT_EQ(contents, "x\r\ny");
    EXPECT_EQ(Read_Regular_File(dir.Dir() + "missing.ini", contents), TFile_Read::Missing);
    EXPECT_EQ(Read_Regular_File(dir.Dir() + "missing\\a.ini", contents), TFile_Read::Missing);
    EXPECT_EQ(Read_Regular_File(dir.Path().string(), contents), TFile_Read::Unreadable);
    const std::string pipe_name = "\\\\.\\pipe\\horavox-test-" + std::to_string(GetCurrentProcessId());
    const HANDLE pipe = CreateNamedPipeA(pipe_name.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Read_Regular_File(pipe_name, contents), TFile_Read::Unreadable);
    EXPECT_EQ(contents, "");
    CloseHandle(pipe);
}

TEST(Files_Windows, A_Safe_Write_Replaces_The_File_Whole_Or_Not_At_All)
{
    TTemp_Dir dir;
    const std::string file = dir.Write("vocahora.ini", "old\r\n");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(Write_File_Safely(file, "[vocahora]\r\nx=1\r\n"));
    EXPECT_EQ(Read_File(file), "[vocahora]\r\nx=1\r\n");
    EXPECT_EQ(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_HIDDEN, DWORD{FILE_ATTRIBUTE_HIDDEN});

    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(Write_File_Safely(file, "new"));
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Read_File(file), "[vocahora]\r\nx=1\r\n");
    EXPECT_FALSE(Write_File_Safely(dir.Dir() + "missing\\vocahora.ini", "new"));
    EXPECT_FALSE(Write_File_Safely(dir.Path().string(), "new"));

    // Left by saves that died: one of a process that is gone, one of this process.
    const std::string dead = dir.Write("vocahora.ini.999999-0.tmp", "half");
    const std::string own = dir.Write("vocahora.ini." + std::to_string(GetCurrentProcessId()) + "-7.tmp", "half");
    const std::string other = dir.Write("vocahora.ini.bak", "kept");
    ASSERT_TRUE(Write_File_Safely(file, "new"));
    EXPECT_EQ(GetFileAttributesA(dead.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(own.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Read_File(other), "kept");
    EXPECT_EQ(Read_File(file), "new");
}

}  // namespace
