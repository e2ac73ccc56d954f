#include "platform/Volumes.h"

#include <gtest/gtest.h>

namespace {

using Paths = std::vector<std::string>;

TEST(Volumes, Browsable_Mount_Points_From_A_Mounts_Table)
{
    struct Case {
        const char* what;
        std::string table;
        Paths expected;
    };
    const std::vector<Case> cases{
        {"empty table", "", {"/"}},
        {"root first, others by mount point, each once",
         "/dev/sdb1 /srv/music ext4 rw 0 0\n"
         "/dev/sdc1 /media/stick vfat rw 0 0\n"
         "/dev/sda1 / ext4 rw 0 0\n"
         "/dev/sdc1 /media/stick vfat rw 0 0\n"
         "tmpfs /tmp tmpfs rw 0 0\n",
         {"/", "/media/stick", "/srv/music", "/tmp"}},
        {"pseudo file systems and system trees left out",
         "proc /proc proc rw 0 0\n"
         "sysfs /sys sysfs rw 0 0\n"
         "devtmpfs /dev devtmpfs rw 0 0\n"
         "tmpfs /dev/shm tmpfs rw 0 0\n"
         "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
         "systemd-1 /mnt/auto autofs rw 0 0\n"
         "binfmt_misc /mnt/binfmt binfmt_misc rw 0 0\n"
         "/dev/loop0 /snap/core/1 squashfs ro 0 0\n"
         "/dev/sdb1 /procedures ext4 rw 0 0\n",
         {"/", "/procedures"}},
        {"octal escapes decoded",
         "/dev/sdb1 /media/My\\040Music ext4 rw 0 0\n"
         "/dev/sdb2 /media/tab\\011and\\134slash ext4 rw 0 0\n"
         "/dev/sdb3 /media/not\\08octal ext4 rw 0 0\n",
         {"/", "/media/My Music", "/media/not\\08octal", "/media/tab\tand\\slash"}},
        {"malformed lines ignored",
         "garbage\n"
         "\n"
         "/dev/sdb1 /only-two\n"
         "/dev/sdb1 relative ext4 rw 0 0\n"
         "/dev/sdb1 /media/ok/ ext4 rw 0 0",
         {"/", "/media/ok"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Browsable_Mount_Points(c.table), c.expected) << c.what;
}

TEST(Volumes, Volume_Holding_Is_The_Longest_Enclosing_Mount_Point)
{
    const Paths volumes{"/", "/media/stick", "/media/stick/inner", "/srv"};
    const std::vector<std::pair<std::string, std::string>> cases{
        {"/", "/"},
        {"/home/user", "/"},
        {"/media/stick", "/media/stick"},
        {"/media/stick/songs", "/media/stick"},
        {"/media/stick/inner/x", "/media/stick/inner"},
        {"/media/sticky", "/"},
        {"/srv", "/srv"},
    };
    for (const auto& [directory, volume] : cases)
        EXPECT_EQ(Volume_Holding(directory, volumes), volume) << directory;
    EXPECT_EQ(Volume_Holding("/srv/a", {}), "/");
}

}  // namespace
