#include "system/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "support/Temp_Dir.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

class Files_Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"PREFIX.WAV", "prefix1.wav", "Prefix22.Wav", "PREFIX.WAV.bak", ".hidden", "x",
                                 "SUFFIX.WAV", "aab"})
            dir.Write(name);
        fs::create_directory(dir.Path() / "SubDir");
    }
    TTemp_Dir dir;
};

} // namespace

TEST_F(Files_Test, Masks_Match_Wildcards_Ignoring_Case)
{
    struct Case {
        std::string mask;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases{
        {"PREFIX*.WAV", {"PREFIX.WAV", "Prefix22.Wav", "prefix1.wav"}},
        {"prefix?.wav", {"prefix1.wav"}},
        {"PREFIX??.WAV", {"Prefix22.Wav"}},
        {"PREFIX.WAV", {"PREFIX.WAV"}},
        {"*", {".hidden", "PREFIX.WAV", "PREFIX.WAV.bak", "Prefix22.Wav", "SUFFIX.WAV", "SubDir", "aab", "prefix1.wav",
               "x"}},
        {"?", {"x"}},
        {"*.*", {".hidden", "PREFIX.WAV", "PREFIX.WAV.bak", "Prefix22.Wav", "SUFFIX.WAV", "prefix1.wav"}},
        {"*WAV*", {"PREFIX.WAV", "PREFIX.WAV.bak", "Prefix22.Wav", "SUFFIX.WAV", "prefix1.wav"}},
        {"*ab", {"aab"}},
        {"a*a*b", {"aab"}},
        {"subdir", {"SubDir"}},
        {"NOPE*", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Sorted(Find_Matching_Entries(dir.Dir() + c.mask)), c.expected) << c.mask;
}

TEST_F(Files_Test, A_Doubled_Delimiter_Is_Harmless)
{
    EXPECT_EQ(Find_Matching_Entries(dir.Dir() + "/SUFFIX*.WAV"), std::vector<std::string>{"SUFFIX.WAV"});
    EXPECT_TRUE(File_Exists(dir.Dir() + "/suffix.wav"));
}

TEST_F(Files_Test, Missing_Or_Unusable_Directories_Hold_Nothing)
{
    EXPECT_TRUE(Find_Matching_Entries(dir.Dir() + "missing/*").empty());
    EXPECT_TRUE(Find_Matching_Entries(dir.Dir() + "x/*").empty());  // a file, not a directory
    EXPECT_TRUE(Find_Matching_Entries(dir.Dir()).empty());          // no mask at all
    EXPECT_FALSE(File_Exists(dir.Dir() + "missing/x"));
    EXPECT_EQ(Resolve_Path(dir.Dir() + "missing/x"), "");
    EXPECT_FALSE(Directory_Exists(""));
}

TEST_F(Files_Test, An_Unreadable_Directory_Gives_No_Matches)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    fs::create_directory(dir.Path() / "locked");
    std::ofstream(dir.Path() / "locked" / "PREFIX.WAV");
    fs::permissions(dir.Path() / "locked", fs::perms::none);
    EXPECT_TRUE(Find_Matching_Entries(dir.Dir() + "locked/*").empty());
    EXPECT_FALSE(File_Exists(dir.Dir() + "locked/prefix.wav"));
}

TEST_F(Files_Test, Lookups_Try_The_Exact_Name_Then_Any_Spelling)
{
    struct Case {
        std::string name;
        bool file;
        bool directory;
        std::string resolved;
    };
    const std::vector<Case> cases{
        {"SUFFIX.WAV", true, false, "SUFFIX.WAV"},
        {"suffix.Wav", true, false, "SUFFIX.WAV"},
        {"PREFIX1.WAV", true, false, "prefix1.wav"},
        {"subdir", false, true, "SubDir"},
        {"SUBDIR/", false, true, "SUBDIR/"},  // a trailing delimiter names the directory itself
        {"SubDir/", false, true, "SubDir/"},
        {"PREFIX2.WAV", false, false, ""},
    };
    for (const auto& c : cases) {
        const std::string path = dir.Dir() + c.name;
        EXPECT_EQ(File_Exists(path), c.file) << c.name;
        EXPECT_EQ(Directory_Exists(path), c.directory) << c.name;
        if (c.name.back() != '/') {
            EXPECT_EQ(Resolve_Path(path), c.resolved.empty() ? "" : dir.Dir() + c.resolved) << c.name;
        }
    }
}

TEST_F(Files_Test, A_File_Is_Found_Even_When_A_Directory_Takes_Its_Exact_Name)
{
    TTemp_Dir other;
    fs::create_directory(other.Path() / "PREFIX.WAV");
    EXPECT_FALSE(File_Exists(other.Dir() + "PREFIX.WAV"));
    other.Write("prefix.wav");
    EXPECT_TRUE(File_Exists(other.Dir() + "PREFIX.WAV"));
}

TEST(Program_Directory_Test, Is_The_Directory_Of_The_Running_Executable)
{
    const std::string directory = Program_Directory();
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(directory.back(), Path_Delimiter[0]);
    EXPECT_TRUE(fs::exists(directory + "core_tests"));
}
