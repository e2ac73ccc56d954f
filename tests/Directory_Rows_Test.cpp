#include "clock/Directory_Rows.h"

#include <gtest/gtest.h>

namespace {

TEST(Directory_Rows, Path_Rows_Then_Sorted_Subdirectories_Hidden_Ones_Last)
{
    using Rows = std::vector<TDirectory_Row>;
    EXPECT_EQ(Directory_Rows("/", {"usr", ".git", "bin", ".Aa", "Boot", ".a"}),
              (Rows{{"/", "/", 0, true},
                    {"bin", "/bin", 1, false},
                    {"Boot", "/Boot", 1, false},
                    {"usr", "/usr", 1, false},
                    {".a", "/.a", 1, false, true},
                    {".Aa", "/.Aa", 1, false, true},
                    {".git", "/.git", 1, false, true}}));
    EXPECT_EQ(Directory_Rows("/a/.my b", {"z", ".h", "a", "A"}),
              (Rows{{"/", "/", 0, true},
                    {"a", "/a", 1, true},
                    {".my b", "/a/.my b", 2, true, true},
                    {"A", "/a/.my b/A", 3, false},
                    {"a", "/a/.my b/a", 3, false},
                    {"z", "/a/.my b/z", 3, false},
                    {".h", "/a/.my b/.h", 3, false, true}}));
}

TEST(Directory_Rows, A_Path_On_A_Drive_Starts_At_The_Drives_Root)
{
    using Rows = std::vector<TDirectory_Row>;
    EXPECT_EQ(Directory_Rows("C:\\Users\\ann", {"Music", "Desktop"}),
              (Rows{{"C:\\", "C:\\", 0, true},
                    {"Users", "C:\\Users", 1, true},
                    {"ann", "C:\\Users\\ann", 2, true},
                    {"Desktop", "C:\\Users\\ann\\Desktop", 3, false},
                    {"Music", "C:\\Users\\ann\\Music", 3, false}}));
    EXPECT_EQ(Directory_Rows("D:\\", {"x"}), (Rows{{"D:\\", "D:\\", 0, true}, {"x", "D:\\x", 1, false}}));
}

}  // namespace
