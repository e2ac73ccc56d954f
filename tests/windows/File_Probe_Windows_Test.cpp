#include <windows.h>

#include <gtest/gtest.h>

#include "system/File_Probe.h"
#include "support/File_Probe_Cases.h"
#include "support/Temp_Dir.h"

namespace {

// The file held open by another program, which lets others share it as `share` says.
struct THolder {
    THolder(const std::string& path, DWORD share)
        : handle(CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
        EXPECT_NE(handle, INVALID_HANDLE_VALUE);
    }
    ~THolder() { CloseHandle(handle); }
    HANDLE handle;
};

TEST(File_Probe_Windows, Status_Answers)
{
    TTemp_Dir dir;
    const std::string file = dir.Write("vocahora.ini", "x");
    CreateDirectoryA((dir.Dir() + "sub").c_str(), nullptr);
    for (const auto& [path, answer] : File_Probe_Cases(dir.Dir()))
        EXPECT_EQ(File_Open_Status(path), answer) << path;
    for (const DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
        THolder other(file, share);
        EXPECT_EQ(File_Open_Status(file), "OPEN") << share;
    }
    EXPECT_EQ(File_Open_Status(file), "CLOSED");
    THolder after_probe(file, 0);  // the probe let go of the file
}

TEST(File_Probe_Windows, Delete_Closed_File_Clears_Attributes_And_Spares_Files_In_Use)
{
    TTemp_Dir dir;
    EXPECT_FALSE(Delete_Closed_File(dir.Dir() + "missing.ini"));
    const std::string marked = dir.Write("marked.ini", "x");
    SetFileAttributesA(marked.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_TRUE(Delete_Closed_File(marked));
    EXPECT_EQ(GetFileAttributesA(marked.c_str()), INVALID_FILE_ATTRIBUTES);

    const std::string held = dir.Write("held.ini", "x");
    {
        THolder other(held, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
        EXPECT_FALSE(Delete_Closed_File(held));
        EXPECT_NE(GetFileAttributesA(held.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    EXPECT_TRUE(Delete_Closed_File(held));
}

}  // namespace
