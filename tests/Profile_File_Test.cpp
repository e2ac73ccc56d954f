#include "settings/Profile_File.h"
#include "support/Temp_Dir.h"
#include "util/Horavox_Error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TEST(Profile_File, ReadsValues)
{
    struct Case {
        std::string content, section, key;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"[s]\r\nk=v\r\n", "s", "k", "v"},
        {"[S]\r\nKey=v\r\n", "s", "kEY", "v"},
        {"  [ s ]  \r\n \t k \t=  v w \t\r\n", "s", "k", "v w"},
        {"[s]\nk=v", "s", "k", "v"},
        {"[s]\rk=v\r", "s", "k", "v"},
        {"[s]\r\nk=a=b\r\n", "s", "k", "a=b"},
        {"[s]\r\nk=\r\n", "s", "k", ""},
        {"[s]\r\nk=1\r\nk=2\r\n", "s", "k", "1"},
        {"[s]\r\nk=1\r\n[s]\r\nk=2\r\nj=3\r\n", "s", "j", std::nullopt},
        {"[t]\r\nk=1\r\n[s]\r\nj=2\r\n", "s", "k", std::nullopt},
        {"k=1\r\n[s]\r\n", "s", "k", std::nullopt},
        {"[s]\r\n;k=1\r\nk\r\n", "s", "k", std::nullopt},
        {"[s]\r\n=1\r\n", "s", "", std::nullopt},
        {"[s\r\nk=1\r\n", "s", "k", std::nullopt},
        {"", "s", "k", std::nullopt},
    };
    TTemp_Dir dir;
    for (const auto& c : cases) {
        TProfile_File file(dir.Write("a.ini", c.content));
        EXPECT_EQ(file.Read_Value(c.section, c.key), c.expected) << "file '" << c.content << "'";
    }
}

TEST(Profile_File, ReadsAtMost2047CharactersOfAValue)
{
    TTemp_Dir dir;
    TProfile_File file(dir.Write("a.ini", "[s]\r\nk=" + std::string(3000, 'x') + "\r\n"));
    EXPECT_EQ(file.Read_String("s", "k", ""), std::string(2047, 'x'));
}

TEST(Profile_File, ReadsIntegersAndBooleans)
{
    const std::pair<std::string, std::int32_t> integers[] = {
        {"12", 12}, {"-5", -5}, {"+5", 5}, {" 7 ", 7}, {"0x1F", 31}, {"0X1f", 31}, {"$ff", 255},
        {"$FFFFFFFF", -1}, {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},
        // Not a number in whole: the default, 99.
        {"2147483648", 99}, {"-2147483649", 99}, {"0x100000000", 99}, {"", 99}, {"12abc", 99}, {"1 2", 99},
        {"true", 99}, {"0x", 99}, {"$", 99}, {"-", 99}, {"-0x1", 99}, {"1.0", 99},
    };
    TTemp_Dir dir;
    for (const auto& [value, expected] : integers) {
        TProfile_File file(dir.Write("a.ini", "[s]\r\nk=" + value + "\r\n"));
        EXPECT_EQ(file.Read_Integer("s", "k", 99), expected) << "value '" << value << "'";
    }

    const std::tuple<std::string, bool, bool> booleans[] = {
        {"1", false, true}, {"2", false, true}, {"0x1", false, true}, {"$1", false, true}, {"-1", false, true},
        {"0", true, false}, {"true", false, false}, {"true", true, true}, {"yes", true, true},
    };
    for (const auto& [value, default_value, expected] : booleans) {
        TProfile_File file(dir.Write("a.ini", "[s]\r\nk=" + value + "\r\n"));
        EXPECT_EQ(file.Read_Bool("s", "k", default_value), expected) << "value '" << value << "'";
    }
}

TEST(Profile_File, WritesInPlaceOrAtTheEndOfTheSection)
{
    struct Case {
        std::string before, section, key, value, after;
    };
    const Case cases[] = {
        {"", "s", "k", "v", "[s]\r\nk=v\r\n"},
        {"[S]\r\nA=1\r\nB=2\r\n", "s", "a", "9", "[S]\r\nA=9\r\nB=2\r\n"},
        {"[s]\n  k = old  \n", "s", "k", "new", "[s]\n  k = new  \n"},
        {"[s]\nk=\n", "s", "k", "v", "[s]\nk=v\n"},
        {"[s]\r\nA=1\r\n\r\n  \r\n[t]\r\nX=1\r\n", "s", "B", "2", "[s]\r\nA=1\r\nB=2\r\n\r\n  \r\n[t]\r\nX=1\r\n"},
        {"[s]\r\nA=1", "s", "B", "2", "[s]\r\nA=1\r\nB=2\r\n"},
        {"[s]\n", "s", "B", "2", "[s]\nB=2\r\n"},
        {"; note\n[t]\nX=1", "s", "B", "2", "; note\n[t]\nX=1\r\n[s]\r\nB=2\r\n"},
        {"[s]\r\nA=1\r\n; A=7\r\n[s]\r\nB=1\r\n", "s", "B", "2", "[s]\r\nA=1\r\n; A=7\r\nB=2\r\n[s]\r\nB=1\r\n"},
        {"[s]\r\nk=1\r\n", "s", "k", " a = [b]; c ", "[s]\r\nk= a = [b]; c \r\n"},
    };
    TTemp_Dir dir;
    for (const auto& c : cases) {
        TProfile_File file(dir.Write("a.ini", c.before));
        file.Write_String(c.section, c.key, c.value);
        EXPECT_EQ(file.Contents(), c.after) << "file '" << c.before << "'";
    }
}

TEST(Profile_File, RefusesWhatWouldBreakTheFile)
{
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"s", "k", "a\r\nb=1"}, {"s", "k", "a\nb"}, {"s", "k", "a\r"}, {"s", "k\n", "1"},
        {"s", "a=b", "1"}, {"s]", "k", "1"}, {"", "k", "1"}, {"s", "", "1"},
        // Names that would never read back (found by fuzzing).
        {"s", " k", "1"}, {"s", "k\t", "1"}, {" s", "k", "1"}, {"s", "[k", "1]"}, {"s", ";k", "1"},
    };
    TTemp_Dir dir;
    const std::string before = "[s]\r\nk=0\r\n";
    for (const auto& [section, key, value] : cases) {
        TProfile_File file(dir.Write("a.ini", before));
        EXPECT_THROW(file.Write_String(section, key, value), EHoravoxError) << "key '" << key << "'";
        EXPECT_EQ(file.Contents(), before);
    }
}

TEST(Profile_File, SaveReplacesTheFileAndKeepsItsPermissions)
{
    TTemp_Dir dir;
    auto path = dir.Write("a.ini", "[s]\r\nk=0\r\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    TProfile_File file(path);
    file.Write_String("s", "k", "1");
    file.Save();
    EXPECT_EQ(Read_File(path), "[s]\r\nk=1\r\n");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(Profile_File, SaveThroughALinkReplacesItsTarget)
{
    TTemp_Dir dir;
    auto target = dir.Write("real.ini", "[s]\r\nk=0\r\n");
    auto link = (dir.Path() / "link.ini").string();
    fs::create_symlink(target, link);
    TProfile_File file(link);
    file.Write_String("s", "k", "1");
    file.Save();
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Read_File(target), "[s]\r\nk=1\r\n");
}

TEST(Profile_File, SaveThroughADanglingLinkCreatesItsTargetAndKeepsTheLink)
{
    TTemp_Dir dir;
    const auto link = (dir.Path() / "link.ini").string();
    fs::create_symlink("real.ini", link);
    TProfile_File file(link);
    file.Write_String("s", "k", "1");
    file.Save();
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Read_File((dir.Path() / "real.ini").string()), "[s]\r\nk=1\r\n");
}

TEST(Profile_File, AByteOrderMarkIsReadPastAndKept)
{
    TTemp_Dir dir;
    const std::string mark = "\xEF\xBB\xBF";
    const auto path = dir.Write("a.ini", mark + "[s]\r\nk=0\r\n");
    TProfile_File file(path);
    EXPECT_EQ(file.Read_Value("s", "k"), "0");
    file.Write_String("s", "k", "1");
    file.Write_String("s", "j", "2");
    file.Save();
    EXPECT_EQ(Read_File(path), mark + "[s]\r\nk=1\r\nj=2\r\n");
}

TEST(Profile_File, SaveRemovesTemporaryFilesOfSavesThatDied)
{
    TTemp_Dir dir;
    const auto path = dir.Write("a.ini", "[s]\r\nk=0\r\n");
    // No process has a number beyond the kernel's limit (at most 2^22).
    const std::string dead = "a.ini.99999999-0.tmp";
    const std::string own = "a.ini." + std::to_string(::getpid()) + "-3.tmp";
    const std::string kept[] = {"a.ini.1-0.tmp", "a.ini.bak", "b.ini.99999999-0.tmp", "a.ini.x-0.tmp",
                                "a.ini.99999999-.tmp", "a.ini.99999999-0.tmp.old"};
    for (const auto& name : {dead, own})
        dir.Write(name, "[s]\r\nk=");
    for (const auto& name : kept)
        dir.Write(name, "other");
    TProfile_File file(path);
    file.Write_String("s", "k", "1");
    file.Save();
    EXPECT_FALSE(fs::exists(dir.Path() / dead));
    EXPECT_FALSE(fs::exists(dir.Path() / own));
    for (const auto& name : kept)
        EXPECT_TRUE(fs::exists(dir.Path() / name)) << name;
}

// Whatever is not a regular file reads as an unreadable file, at once:
// nothing is read, and a save is refused.
TEST(Profile_File, ANonRegularFileIsRefusedWithoutWaiting)
{
    TTemp_Dir dir;
    const auto fifo = (dir.Path() / "fifo.ini").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto socket_path = (dir.Path() / "socket.ini").string();
    const int socket_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socket_path.size(), sizeof address.sun_path);
    socket_path.copy(address.sun_path, socket_path.size());
    ASSERT_EQ(::bind(socket_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    const auto directory = (dir.Path() / "folder.ini").string();
    fs::create_directory(directory);

    for (const std::string& path : {fifo, socket_path, directory, std::string("/dev/zero")}) {
        TProfile_File file(path);
        EXPECT_EQ(file.Contents(), "") << path;
        file.Write_String("s", "k", "1");
        EXPECT_THROW(file.Save(), EHoravoxError) << path;
    }
    ::close(socket_fd);
    EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
}

// Run once more as an unprivileged user when root runs the suite.
TEST(Profile_File, AnUnreadableFileReadsAsEmptyAndIsNeverOverwritten)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    TTemp_Dir dir;
    const auto path = dir.Write("a.ini", "[s]\r\nk=0\r\n");
    fs::permissions(path, fs::perms::owner_write);
    TProfile_File file(path);
    EXPECT_EQ(file.Read_Value("s", "k"), std::nullopt);
    file.Write_String("s", "k", "1");
    EXPECT_THROW(file.Save(), EHoravoxError);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Read_File(path), "[s]\r\nk=0\r\n");
}

TEST(Profile_File, SaveFailsWithoutTouchingTheFile)
{
    TTemp_Dir dir;
    const std::string before = "[s]\r\nk=0\r\n";
    auto read_only = dir.Write("read-only.ini", before);
    fs::permissions(read_only, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    auto directory = (dir.Path() / "folder.ini").string();
    fs::create_directory(directory);
    const std::string paths[] = {read_only, directory, (dir.Path() / "missing" / "a.ini").string()};

    for (const auto& path : paths) {
        TProfile_File file(path);
        file.Write_String("s", "k", "1");
        try {
            file.Save();
            ADD_FAILURE() << "saved " << path;
        } catch (const EHoravoxError& error) {
            EXPECT_EQ(error.what(), "Unable to write to " + path);
        }
    }
    EXPECT_EQ(Read_File(read_only), before);
    EXPECT_TRUE(fs::is_directory(directory));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2);
}

}  // namespace
