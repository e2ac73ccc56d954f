#include <windows.h>

#include <cstdio>
#include <optional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "clock/Auto_Run.h"
#include "system/Run_Values.h"
#include "support/Auto_Run_Cases.h"
#include "support/Fake_Message_Boxes.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string run_key = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// What reg.exe, another program, finds in the registry, so that no check rests
// on the routines under test alone. None when the value is missing.
std::optional<std::string> Reg_Query(const std::string& key, const std::string& name)
{
    const std::string command = "reg query \"HKLM" + key + "\" /v \"" + name + "\" 2>nul";
    FILE* pipe = _popen(command.c_str(), "r");
    if (pipe == nullptr)
        return std::nullopt;
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        output += buffer;
    if (_pclose(pipe) != 0)
        return std::nullopt;
    const std::string marker = name + "    REG_SZ    ";
    const auto at = output.find(marker);
    if (at == std::string::npos)
        return std::nullopt;
    const auto start = at + marker.size();
    return output.substr(start, output.find_first_of("\r\n", start) - start);
}

// The log-on list of the machine, as the clock uses it, under a value name of
// this test's own.
class Run_Values_Windows_Test : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (const auto& name : {file_name, std::string("horavox")})
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, run_key.substr(1).c_str(), name.c_str());
    }
    void Store(DWORD type, const void* data, DWORD size) const
    {
        ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, run_key.substr(1).c_str(), file_name.c_str(), type, data, size),
                  ERROR_SUCCESS);
    }

    TFake_Message_Boxes boxes;
    const TRun_Key key = Auto_Run_Key();
    const std::string file_name = "horavox-test-" + std::to_string(GetCurrentProcessId()) + ".exe";
    const std::string path = "C:\\Program Files\\My Clock\\" + file_name;
};

TEST_F(Run_Values_Windows_Test, AddCheckMoveRemoveAndRemoveAgain)
{
    TAuto_Run auto_run(key, path, boxes);
    ASSERT_TRUE(auto_run.Add_To_Auto_Run());
    EXPECT_EQ(Reg_Query(run_key, file_name), path);  // unquoted, blanks and all
    EXPECT_TRUE(auto_run.Check_Auto_Run_Entry());

    // The same program started from another directory offers to move the entry.
    const std::string moved = "D:\\Elsewhere\\" + file_name;
    TAuto_Run moved_copy(key, moved, boxes);
    boxes.Answer = false;
    EXPECT_TRUE(moved_copy.Check_Auto_Run_Entry());
    EXPECT_EQ(Reg_Query(run_key, file_name), path);
    boxes.Answer = true;
    EXPECT_TRUE(moved_copy.Check_Auto_Run_Entry());
    EXPECT_EQ(Reg_Query(run_key, file_name), moved);

    ASSERT_TRUE(auto_run.Remove_From_Auto_Run());
    EXPECT_EQ(Reg_Query(run_key, file_name), std::nullopt);
    EXPECT_FALSE(auto_run.Check_Auto_Run_Entry());
    EXPECT_TRUE(auto_run.Remove_From_Auto_Run());

    const std::string added = "Information|This program (" + file_name + ") will now run automatically at Windows Start-Up.";
    const std::string removed =
        "Information|This program (" + file_name + ") will now no-longer run automatically at Windows Start-Up.";
    ASSERT_EQ(boxes.Shown.size(), 6U);
    EXPECT_EQ(boxes.Shown[0], added);
    EXPECT_TRUE(boxes.Shown[1].starts_with("Warning|")) << boxes.Shown[1];
    EXPECT_TRUE(boxes.Shown[2].starts_with("Warning|")) << boxes.Shown[2];
    EXPECT_EQ(boxes.Shown[3], added);
    EXPECT_EQ(boxes.Shown[4], removed);
    EXPECT_EQ(boxes.Shown[5], removed);
}

TEST_F(Run_Values_Windows_Test, AnEntryForAnotherPathAsksWhetherToRepointIt)
{
    TAuto_Run auto_run(key, Auto_Run_Running_Path(), boxes);
    Expect_Every_Auto_Run_Check_Case(auto_run, key, boxes, [](const std::string& stored) {
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, run_key.substr(1).c_str(), "horavox", REG_SZ, stored.c_str(),
                        static_cast<DWORD>(stored.size() + 1));
    });
}

TEST_F(Run_Values_Windows_Test, AMissingKeyIsReportedAndNeverCreated)
{
    const TRun_Key missing{"HKEY_LOCAL_MACHINE", "\\Software\\Horavox Test Missing Key"};
    EXPECT_FALSE(Write_Run_Value(missing, "horavox.exe", "C:\\Clock\\horavox.exe", boxes));
    EXPECT_FALSE(Delete_Run_Value(missing, "horavox.exe", boxes));
    EXPECT_EQ(Read_Run_Value(missing, "horavox.exe"), "");
    HKEY opened = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Horavox Test Missing Key", 0, KEY_READ, &opened),
              ERROR_FILE_NOT_FOUND);
    EXPECT_THAT(boxes.Shown, ElementsAre("Error|Error: The specified Registry Key for this operation \r\n"
                                         "does NOT exist on your PC.  \r\n\r\n"
                                         " Error Key   = \\Software\\Horavox Test Missing Key\r\n"
                                         " Error Item  = horavox.exe\r\n"
                                         " Error Value = C:\\Clock\\horavox.exe\r\n\r\n"
                                         "Please contact the program's author.",
                                         "Error|Error: The specified Registry Key for this operation \r\n"
                                         "does NOT exist on your PC.  \r\n\r\n"
                                         " Error Key   = \\Software\\Horavox Test Missing Key\r\n"
                                         " Error Item  = horavox.exe\r\n\r\n"
                                         "Please contact the program's author."));
}

// Data written by another program need not end in a terminator; it is read
// up to the size the registry gives, and only string values count as entries.
TEST_F(Run_Values_Windows_Test, ValuesWrittenByOtherProgramsAreReadSafely)
{
    const char unterminated[] = {'C', ':', '\\', 'x', '.', 'e', 'x', 'e'};
    Store(REG_SZ, unterminated, sizeof unterminated);
    EXPECT_EQ(Read_Run_Value(key, file_name), "C:\\x.exe");
    const char early_end[] = "C:\\a.exe\0junk";
    Store(REG_SZ, early_end, sizeof early_end);
    EXPECT_EQ(Read_Run_Value(key, file_name), "C:\\a.exe");
    const DWORD number = 1;
    Store(REG_DWORD, &number, sizeof number);
    EXPECT_EQ(Read_Run_Value(key, file_name), "");
    EXPECT_TRUE(Delete_Run_Value(key, file_name, boxes));
    EXPECT_EQ(Reg_Query(run_key, file_name), std::nullopt);
    EXPECT_THAT(boxes.Shown, IsEmpty());
}

TEST_F(Run_Values_Windows_Test, TwoFileNamesOwnTwoEntries)
{
    ASSERT_TRUE(Write_Run_Value(key, file_name, path, boxes));
    ASSERT_TRUE(Write_Run_Value(key, "horavox", "C:\\Other\\horavox", boxes));
    ASSERT_TRUE(Delete_Run_Value(key, "horavox", boxes));
    EXPECT_EQ(Reg_Query(run_key, file_name), path);
    EXPECT_EQ(Reg_Query(run_key, "horavox"), std::nullopt);
}

}  // namespace
