#include "settings/Settings_Location.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "system/Files_Settings_Home.h"
#include "support/Temp_Dir.h"

namespace fs = std::filesystem;

TEST(Settings_Location_Test, Portable_Copies_Keep_The_File_Beside_The_Executable_Installed_Ones_In_The_Config_Home)
{
    struct Case {
        const char* name;
        bool is_home;
        std::string xdg_config_home, home;
        TSettings_Location expected;
    };
    const std::string seed = "/usr/lib/horavox/vocahora.ini";
    const std::vector<Case> cases{
        {"portable, environment ignored", true, "/x", "/home/ann", {seed, ""}},
        {"installed, XDG_CONFIG_HOME", false, "/x/cfg", "/home/ann", {"/x/cfg/horavox/vocahora.ini", seed}},
        {"trailing slashes", false, "/x/cfg//", "/home/ann", {"/x/cfg/horavox/vocahora.ini", seed}},
        {"no XDG_CONFIG_HOME", false, "", "/home/ann/", {"/home/ann/.config/horavox/vocahora.ini", seed}},
        {"relative XDG_CONFIG_HOME is ignored", false, "cfg", "/home/ann", {"/home/ann/.config/horavox/vocahora.ini", seed}},
        {"home is the root", false, "", "/", {"/.config/horavox/vocahora.ini", seed}},
        {"no home at all", false, "", "", {seed, ""}},
        {"relative home", false, "", "ann", {seed, ""}},
    };
    for (const auto& c : cases) {
        const auto location = Choose_Settings_Location({"/usr/lib/horavox/", c.is_home, c.xdg_config_home, c.home, ""});
        EXPECT_EQ(location.path, c.expected.path) << c.name;
        EXPECT_EQ(location.seed_path, c.expected.seed_path) << c.name;
    }
}

TEST(Settings_Location_Test, An_Installed_Windows_Copy_Keeps_Its_File_In_The_Application_Data_Folder)
{
    const std::string program = "C:\\Program Files\\Horavox\\";
    const std::string seed = program + "vocahora.ini";
    const struct {
        bool is_home;
        std::string app_data;
        TSettings_Location expected;
    } cases[] = {
        {true, "C:\\Users\\ann\\AppData\\Roaming", {seed, ""}},
        {false, "C:\\Users\\ann\\AppData\\Roaming", {"C:\\Users\\ann\\AppData\\Roaming\\Horavox\\vocahora.ini", seed}},
        {false, "C:\\Users\\ann\\AppData\\Roaming\\\\", {"C:\\Users\\ann\\AppData\\Roaming\\Horavox\\vocahora.ini", seed}},
        {false, "D:\\", {"D:\\Horavox\\vocahora.ini", seed}},
        {false, "\\\\server\\ann", {"\\\\server\\ann\\Horavox\\vocahora.ini", seed}},
        {false, "Roaming", {seed, ""}},
    };
    for (const auto& c : cases) {
        // The XDG variables do not count where there is an application data folder.
        const auto location = Choose_Settings_Location({program, c.is_home, "/x/cfg", "/home/ann", c.app_data});
        EXPECT_EQ(location.path, c.expected.path) << c.app_data;
        EXPECT_EQ(location.seed_path, c.expected.seed_path) << c.app_data;
    }
}

TEST(Settings_Location_Test, The_Users_File_Wins_Over_The_Seed_Which_Wins_Over_Nothing)
{
    TTemp_Dir dir;
    const TSettings_Location location{dir.Dir() + "home/vocahora.ini", dir.Dir() + "vocahora.ini"};
    EXPECT_EQ(Settings_Read_Path(location), location.path);
    dir.Write("vocahora.ini", "[vocahora]\n");
    EXPECT_EQ(Settings_Read_Path(location), location.seed_path);
    fs::create_directory(dir.Path() / "home");
    dir.Write("home/vocahora.ini", "[vocahora]\n");
    EXPECT_EQ(Settings_Read_Path(location), location.path);
    EXPECT_EQ(Settings_Read_Path({location.path, ""}), location.path);
}

TEST(Settings_Location_Test, The_Seed_Is_Copied_Once_Writable_And_Never_Over_The_Users_File)
{
    TTemp_Dir dir;
    const std::string seed = dir.Write("vocahora.ini", "[vocahora]\r\nN24_Hour_Clock_Option=1\r\n");
    fs::permissions(seed, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const TSettings_Location location{dir.Dir() + "config/horavox/vocahora.ini", seed};

    Prepare_Settings_File(location);
    EXPECT_EQ(Read_File(location.path), Read_File(seed));
    EXPECT_NE(fs::status(location.path).permissions() & fs::perms::owner_write, fs::perms::none);

    dir.Write("config/horavox/vocahora.ini", "[vocahora]\nmine=1\n");
    Prepare_Settings_File(location);
    EXPECT_EQ(Read_File(location.path), "[vocahora]\nmine=1\n");
}

TEST(Settings_Location_Test, Without_A_Seed_Only_The_Directory_Is_Made_And_Beside_The_Executable_Nothing)
{
    TTemp_Dir dir;
    Prepare_Settings_File({dir.Dir() + "config/horavox/vocahora.ini", dir.Dir() + "vocahora.ini"});
    EXPECT_TRUE(fs::is_directory(dir.Path() / "config/horavox"));
    EXPECT_FALSE(fs::exists(dir.Path() / "config/horavox/vocahora.ini"));

    Prepare_Settings_File({dir.Dir() + "portable/vocahora.ini", ""});
    EXPECT_FALSE(fs::exists(dir.Path() / "portable"));
}

TEST(Settings_Location_Test, A_Program_Directory_Is_The_Home_When_Writable_And_Not_Installed)
{
    struct Case {
        const char* name;
        bool marker;
        fs::perms mode;
        bool expected;
    };
    const std::vector<Case> cases{
        {"writable", false, fs::perms::owner_all, true},
        {"installed", true, fs::perms::owner_all, false},
        {"read-only, even for root", false, fs::perms::owner_read | fs::perms::owner_exec, false},
    };
    for (const auto& c : cases) {
        TTemp_Dir dir;
        if (c.marker)
            dir.Write(Installed_Marker_Name);
        fs::permissions(dir.Path(), c.mode);
        EXPECT_EQ(Program_Directory_Is_Settings_Home(dir.Dir()), c.expected) << c.name;
    }
    EXPECT_FALSE(Program_Directory_Is_Settings_Home("/nonexistent-horavox-dir/")) << "missing";
}
