#include "platform/File_Probe.h"

#include "support/Temp_Dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Holds a lock on a file through an open file description of its own, as
// another program would.
class TLock_Holder {
public:
    TLock_Holder(const std::string& path, int operation) : descriptor_(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
    {
        EXPECT_GE(descriptor_, 0);
        EXPECT_EQ(::flock(descriptor_, operation | LOCK_NB), 0);
    }
    ~TLock_Holder() { ::close(descriptor_); }
    TLock_Holder(const TLock_Holder&) = delete;
    TLock_Holder& operator=(const TLock_Holder&) = delete;

private:
    int descriptor_;
};

TEST(File_Probe, Status_Answers)
{
    TTemp_Dir dir;
    const std::string file = dir.Write("vocahora.ini", "[vocahora]\n");
    fs::create_directory(dir.Path() / "sub");

    EXPECT_EQ(File_Open_Status(""), "");
    EXPECT_EQ(File_Open_Status(dir.Dir() + "missing.ini"), "");
    EXPECT_EQ(File_Open_Status(file), "CLOSED");
    EXPECT_EQ(File_Open_Status(dir.Dir() + "VOCAHORA.INI"), "CLOSED");  // names match without regard to case
    EXPECT_EQ(File_Open_Status(dir.Dir() + "sub"), "ERROR");
    EXPECT_EQ(File_Open_Status(std::string(128, 'x')), "CLOSED");
    EXPECT_EQ(File_Open_Status(std::string(127, 'x')), "");
}

TEST(File_Probe, A_File_Locked_Elsewhere_Is_Open_Until_Released)
{
    TTemp_Dir dir;
    const std::string file = dir.Write("vocahora.ini");
    for (const int operation : {LOCK_EX, LOCK_SH}) {
        {
            TLock_Holder other(file, operation);
            EXPECT_EQ(File_Open_Status(file), "OPEN") << operation;
        }
        EXPECT_EQ(File_Open_Status(file), "CLOSED") << operation;
    }
}

TEST(File_Probe, The_Probe_Releases_The_File_At_Once)
{
    TTemp_Dir dir;
    const std::string file = dir.Write("vocahora.ini");
    ASSERT_EQ(File_Open_Status(file), "CLOSED");
    TLock_Holder other(file, LOCK_EX);  // would fail if the probe still held its lock
}

TEST(File_Probe, Delete_Closed_File_Deletes_Only_Files_Not_In_Use)
{
    TTemp_Dir dir;
    EXPECT_FALSE(Delete_Closed_File(dir.Dir() + "missing.ini"));
    EXPECT_FALSE(Delete_Closed_File(""));

    const std::string read_only = dir.Write("read_only.ini", "x");
    fs::permissions(read_only, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_TRUE(Delete_Closed_File(read_only));
    EXPECT_FALSE(fs::exists(read_only));

    const std::string locked = dir.Write("locked.ini", "x");
    {
        TLock_Holder other(locked, LOCK_EX);
        EXPECT_FALSE(Delete_Closed_File(locked));
        EXPECT_TRUE(fs::exists(locked));
    }
    EXPECT_TRUE(Delete_Closed_File(locked));
    EXPECT_FALSE(fs::exists(locked));

    fs::create_directory(dir.Path() / "sub");
    EXPECT_FALSE(Delete_Closed_File(dir.Dir() + "sub"));
    EXPECT_TRUE(fs::is_directory(dir.Path() / "sub"));
}

}  // namespace
