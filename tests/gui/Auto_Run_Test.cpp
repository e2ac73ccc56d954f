#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "clock/Auto_Run.h"
#include "system/linux/Desktop_Entry.h"
#include "support/Auto_Run_Cases.h"
#include "support/Fake_Message_Boxes.h"
#include "support/Temp_Dir.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

TEST(Desktop_Entry, A_Quoted_Exec_Argument_Reads_Back_As_The_Same_Path)
{
    for (const std::string path : {"/usr/lib/horavox/horavox", "/opt/my clock/horavox", "/opt/say \"hi\"/horavox",
                                   "/home/$USER/`x`/horavox", "/opt/100%/%f %%U/horavox", "/opt/back\\slash\\\\/h",
                                   "/opt/a;b|c&d'e(f)/h", "/opt/tab\there/line\nbreak/h", "/opt/\\s\\n/h"}) {
        const std::string value = Desktop_Exec_Argument(path);
        EXPECT_EQ(value.find('\n'), std::string::npos) << path;
        EXPECT_THAT(Desktop_Exec_Arguments(value), ElementsAre(path)) << value;
    }
}

TEST(Desktop_Entry, Exec_Values_Written_By_Hand_Split_As_Desktops_Split_Them)
{
    const struct {
        const char* value;
        std::vector<std::string> arguments;
    } cases[] = {
        {"/usr/bin/horavox", {"/usr/bin/horavox"}},
        {"\"/opt/my clock/horavox\" --say-now", {"/opt/my clock/horavox", "--say-now"}},
        {"\"/opt/a\\\\\\\\b/h\"", {"/opt/a\\b/h"}},
        {"\"/opt/\\\\$HOME/h\"", {"/opt/$HOME/h"}},
        {"  spaced\\sout   x", {"spaced", "out", "x"}},
        {"\"unterminated", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Desktop_Exec_Arguments(c.value), c.arguments) << c.value;
}

class Auto_Run_Test : public ::testing::Test {
protected:
    TRun_Key Key() const { return {"", config.Dir() + "autostart"}; }
    std::string Entry() const { return Key().key + "/horavox.desktop"; }
    // An entry written by a copy of the program at `stored`.
    void Entry_For(const std::string& stored) const
    {
        fs::create_directories(Key().key);
        std::ofstream(Entry()) << Autostart_Desktop_Entry(stored);
    }

    TTemp_Dir config;
    TFake_Message_Boxes boxes;
    const std::string path = Auto_Run_Running_Path();
    TAuto_Run auto_run{Key(), path, boxes};
};

TEST_F(Auto_Run_Test, AddWritesTheEntryAndRemoveDeletesItAlsoWhenItIsAlreadyGone)
{
    ASSERT_TRUE(auto_run.Add_To_Auto_Run());
    EXPECT_EQ(Read_Run_Value(Key(), "horavox"), path);
    EXPECT_TRUE(auto_run.Check_Auto_Run_Entry());
    ASSERT_TRUE(auto_run.Remove_From_Auto_Run());
    EXPECT_FALSE(fs::exists(Entry()));
    EXPECT_FALSE(auto_run.Check_Auto_Run_Entry());
    EXPECT_TRUE(auto_run.Remove_From_Auto_Run());
    EXPECT_THAT(boxes.Shown,
                ElementsAre("Information|This program (horavox) will now run automatically at Windows Start-Up.",
                            "Information|This program (horavox) will now no-longer run automatically at Windows "
                            "Start-Up.",
                            "Information|This program (horavox) will now no-longer run automatically at Windows "
                            "Start-Up."));
}

TEST_F(Auto_Run_Test, AnEntryForAnotherPathAsksWhetherToRepointIt)
{
    Expect_Every_Auto_Run_Check_Case(auto_run, Key(), boxes, [this](const std::string& stored) { Entry_For(stored); });
}

// Permissions do not bind root: CI runs this once more as an unprivileged user.
TEST_F(Auto_Run_Test, AnUnwritableFolderIsReportedAndNothingIsWritten)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    fs::create_directories(Key().key);
    fs::permissions(Key().key, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(auto_run.Add_To_Auto_Run());
    EXPECT_THAT(boxes.Shown, ElementsAre("Error|Error: The specified Registry Key for this operation \r\n"
                                         "does NOT exist on your PC.  \r\n\r\n"
                                         " Error Key   = " + Key().key + "\r\n"
                                         " Error Item  = horavox\r\n"
                                         " Error Value = /opt/My Clock/horavox\r\n\r\n"
                                         "Please contact the program's author."));
    EXPECT_FALSE(fs::exists(Entry()));
    fs::permissions(Key().key, fs::perms::owner_all);
}

}  // namespace
