#include "system/File_Probe.h"

#include "support/File_Probe_Cases.h"
#include "support/Temp_Dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A lock held through an open file description of its own, as another program would.
struct TLock_Holder {
    TLock_Holder(const std::string& path, int operation) : descriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
    {
        EXPECT_EQ(::flock(descriptor, operation | LOCK_NB), 0);
    }
    ~TLock_Holder() { ::close(descriptor); }
    int descriptor;
};

TEST(File_Probe, Status_Answers)
{
    TTemp_Dir dir;
    const std::string file = dir.Write("vocahora.ini", "x");
    fs::create_directory(dir.Path() / "sub");
    for (const auto& [path, answer] : File_Probe_Cases(dir.Dir()))
        EXPECT_EQ(File_Open_Status(path), answer) << path;
    for (const int operation : {LOCK_EX, LOCK_SH}) {
        TLock_Holder other(file, operation);
        EXPECT_EQ(File_Open_Status(file), "OPEN");
    }
    EXPECT_EQ(File_Open_Status(file), "CLOSED");
    TLock_Holder after_probe(file, LOCK_EX);  // the probe let go of the file
}

TEST(File_Probe, Delete_Closed_File_Deletes_Only_Files_Not_In_Use)
{
    TTemp_Dir dir;
    EXPECT_FALSE(Delete_Closed_File(dir.Dir() + "missing.ini"));
    const std::string read_only = dir.Write("read_only.ini", "x");
    fs::permissions(read_only, fs::perms::owner_read);
    EXPECT_TRUE(Delete_Closed_File(read_only));
    EXPECT_FALSE(fs::exists(read_only));

    const std::string locked = dir.Write("locked.ini", "x");
    {
        TLock_Holder other(locked, LOCK_EX);
        EXPECT_FALSE(Delete_Closed_File(locked));
        EXPECT_TRUE(fs::exists(locked));
    }
    EXPECT_TRUE(Delete_Closed_File(locked));
}

}  // namespace
