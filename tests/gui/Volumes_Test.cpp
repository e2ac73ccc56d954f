#include "system/Volumes.h"

#include <gtest/gtest.h>

namespace {

using Paths = std::vector<std::string>;

TEST(Volumes, Browsable_Mount_Points_From_A_Mounts_Table)
{
    const std::vector<std::pair<std::string, Paths>> cases{
        {"", {"/"}},
        {"sdb1 /srv/music ext4 rw 0 0\nsdc1 /media/stick vfat rw 0 0\nsda1 / ext4 rw 0 0\n"
         "sdc1 /media/stick vfat rw 0 0\ntmpfs /tmp tmpfs rw 0 0\n",
         {"/", "/media/stick", "/srv/music", "/tmp"}},
        {"proc /proc proc rw 0 0\nsysfs /sys sysfs rw 0 0\ntmpfs /dev/shm tmpfs rw 0 0\n"
         "systemd-1 /mnt/auto autofs rw 0 0\nbinfmt_misc /mnt/b binfmt_misc rw 0 0\n"
         "loop0 /snap/core/1 squashfs ro 0 0\nsdb1 /procedures ext4 rw 0 0\n",
         {"/", "/procedures"}},
        {"sdb1 /media/My\\040Music ext4 rw 0 0\nsdb2 /media/tab\\011and\\134slash ext4 rw 0 0\n"
         "sdb3 /media/not\\08octal ext4 rw 0 0\n",
         {"/", "/media/My Music", "/media/not\\08octal", "/media/tab\tand\\slash"}},
        {"garbage\n\nsdb1 /only-two\nsdb1 relative ext4 rw 0 0\nsdb1 /media/ok/ ext4 rw 0 0",
         {"/", "/media/ok"}},
    };
    for (const auto& [table, expected] : cases)
        EXPECT_EQ(Browsable_Mount_Points(table), expected) << table;
}

TEST(Volumes, Volume_Holding_Is_The_Longest_Enclosing_Mount_Point)
{
    const Paths volumes{"/", "/media/stick", "/media/stick/inner"};
    const std::vector<std::pair<std::string, std::string>> cases{
        {"/", "/"},
        {"/home/user", "/"},
        {"/media/stick", "/media/stick"},
        {"/media/stick/songs", "/media/stick"},
        {"/media/stick/inner/x", "/media/stick/inner"},
        {"/media/sticky", "/"},
    };
    for (const auto& [directory, volume] : cases)
        EXPECT_EQ(Volume_Holding(directory, volumes), volume) << directory;
}

}  // namespace
