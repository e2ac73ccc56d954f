#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "clock/Auto_Run.h"
#include "system/linux/Desktop_Entry.h"
#include "support/Auto_Run_Cases.h"
#include "support/Fake_Message_Boxes.h"
#include "support/Temp_Dir.h"
#include "util/Horavox_Error.h"

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

// Sets XDG_CONFIG_HOME and HOME for as long as it lives; null unsets.
class TConfig_Environment {
public:
    TConfig_Environment(const char* config_home, const char* home)
    {
        Set("XDG_CONFIG_HOME", config_home);
        Set("HOME", home);
    }
    ~TConfig_Environment()
    {
        for (const auto& [name, value] : saved_)
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }
    TConfig_Environment(const TConfig_Environment&) = delete;
    TConfig_Environment& operator=(const TConfig_Environment&) = delete;

private:
    void Set(const std::string& name, const char* value)
    {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        value ? ::setenv(name.c_str(), value, 1) : ::unsetenv(name.c_str());
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// Every way adding or removing the entry can fail, and removing where there
// is nothing to remove. The entry lives where the environment says.
// Permissions do not bind root: CI runs this once more as an unprivileged user.
TEST_F(Auto_Run_Test, EachFailureOfTheEntryIsReportedForWhatItIs)
{
    const std::string folder = Key().key;
    const std::string config_home = config.Path().string();
    const auto missing_key = Run_Value_Error_Text(TRun_Value_Error::Missing_Key_On_Write, Key(), "horavox", path);
    const auto not_saved = Run_Value_Error_Text(TRun_Value_Error::Write_Not_Verified, Key(), "horavox", path);
    const auto missing_key_on_delete = Run_Value_Error_Text(TRun_Value_Error::Missing_Key_On_Delete, Key(), "horavox");
    const auto still_present = Run_Value_Error_Text(TRun_Value_Error::Still_Present, Key(), "horavox");
    const std::string removed = "Information|This program (horavox) will now no-longer run automatically at "
                                "Windows Start-Up.";
    const auto read_only = [&] {
        fs::create_directories(folder);
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    };
    const auto write_only_entry = [&] {
        Entry_For(path);
        fs::permissions(Entry(), fs::perms::owner_write);
    };
    const auto file_for_folder = [&] { std::ofstream(folder) << "not a folder"; };
    const auto folder_for_entry = [&] { fs::create_directories(Entry()); };
    const struct {
        const char* what;
        const char* config_home;  // null: the test's own folder
        const char* home;         // null: unset
        bool unprivileged;        // permissions must bind
        std::function<void()> arrange;
        bool add;                 // else remove
        std::string shown;        // the one box shown, if any
        std::string thrown;
    } cases[] = {
        {"a read-only folder", nullptr, nullptr, true, read_only, true, "Error|" + missing_key, ""},
        {"an entry that cannot be read back", nullptr, nullptr, true, write_only_entry, true, "Error|" + not_saved, ""},
        {"a directory where the entry goes", nullptr, nullptr, false, folder_for_entry, true, "",
         "Unable to write to " + Entry() + ": Is a directory"},
        {"no home at all", "relative", nullptr, false, [] {}, true, "",
         "There is no home directory to keep the log-on entry in: "
         "neither XDG_CONFIG_HOME nor HOME names an absolute path"},
        {"no home: nothing to remove", "", "relative", false, [] {}, false, removed, ""},
        {"no folder: nothing to remove", nullptr, nullptr, false, [] {}, false, removed, ""},
        {"a file where the folder goes", nullptr, nullptr, false, file_for_folder, false, "Error|" + missing_key_on_delete, ""},
        {"a directory where the entry stays", nullptr, nullptr, false, folder_for_entry, false, "Error|" + still_present, ""},
    };
    for (const auto& c : cases) {
        if (c.unprivileged && geteuid() == 0)
            continue;
        c.arrange();
        boxes.Shown.clear();
        std::string thrown;
        bool succeeded = false;
        {
            const TConfig_Environment environment(c.config_home ? c.config_home : config_home.c_str(), c.home);
            TAuto_Run run{Auto_Run_Key(), path, boxes};
            try {
                succeeded = c.add ? run.Add_To_Auto_Run() : run.Remove_From_Auto_Run();
            } catch (const EHoravoxError& error) {
                thrown = error.what();
            }
        }
        EXPECT_EQ(succeeded, c.shown == removed) << c.what;
        EXPECT_EQ(thrown, c.thrown) << c.what;
        EXPECT_EQ(boxes.Shown, c.shown.empty() ? std::vector<std::string>{} : std::vector{c.shown}) << c.what;
        EXPECT_EQ(Read_Run_Value(Key(), "horavox"), "") << c.what;
        std::error_code ignored;
        // Removed at once should a fault put it there.
        EXPECT_FALSE(fs::remove("/.config/autostart/horavox.desktop", ignored)) << c.what;
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder, ignored);
    }
}

}  // namespace
