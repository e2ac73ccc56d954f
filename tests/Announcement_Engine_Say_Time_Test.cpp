#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "support/Announcement_Engine_Rig.h"

namespace {

using Files = std::vector<std::string>;

TEST(Say_Time, Does_Nothing_While_An_Announcement_Is_In_Progress)
{
    TAnnouncement_Engine_Rig rig;
    TAnnouncement_Engine_Rig::Write_Words(rig.Sound_Dir, {"10", "AM"});
    rig.Settings.Sound_Directory_Edit = "/no/such/voice/";
    const ClockSettings before = rig.Settings;
    rig.Host.Set_Idle(false);

    rig.Engine.Say_Time(10, 0);

    EXPECT_TRUE(rig.Sounds.Log.empty());
    EXPECT_EQ(rig.Settings, before);
    EXPECT_FALSE(rig.Host.Is_Idle());
    EXPECT_EQ(rig.Host.Messages_Processed, 0);
}

// Every slot opens its file at the volume of the moment; the Test button's
// sound plays on the probe player at that volume too.
TEST(Say_Time, Each_Sound_Opens_At_The_Current_Volume)
{
    TAnnouncement_Engine_Rig rig;
    TAnnouncement_Engine_Rig::Write_Words(rig.Sound_Dir, {"10", "AM"});
    rig.Program_Dir.Write("testsnd.wav");
    rig.Settings.Volume_Percent = 40;

    rig.Engine.Say_Time(10, 0);
    for (int number : {1, 2})
        EXPECT_EQ(rig.Sounds.Slot(number).Volume_Percent, 40) << number;

    rig.Settings.Volume_Percent = 15;
    rig.Sounds.Log.clear();
    rig.Engine.Play_Test_Sound();
    EXPECT_EQ(rig.Sounds.Log, (Files{"openprobe", "playprobe"}));
    EXPECT_EQ(std::filesystem::path(rig.Sounds.Probe().FileName).filename(), "testsnd.wav");
    EXPECT_EQ(rig.Sounds.Probe().Volume_Percent, 15);
}

TEST(Say_Time, A_Click_During_Loading_Is_Dropped)
{
    TAnnouncement_Engine_Rig rig;
    TAnnouncement_Engine_Rig::Write_Words(rig.Sound_Dir, {"10", "AM", "11"});
    rig.Host.On_Process_Messages = [&] { rig.Engine.Say_Time(11, 0); };

    rig.Engine.Say_Time(10, 0);

    EXPECT_EQ(rig.Slot_Files(), (Files{"10.WAV", "AM.WAV", "", "", "", "", ""}));
    EXPECT_FALSE(rig.Host.Is_Idle());
}

// The settings command frees the clock and ticks at once, so an announcement
// can start inside another's loading; the outer one still loads afterwards
// and must keep the clock busy until it is heard.
TEST(Say_Time, An_Announcement_Started_Inside_Another_Leaves_The_Clock_Busy_While_The_Outer_Loads)
{
    TAnnouncement_Engine_Rig rig;
    TAnnouncement_Engine_Rig::Write_Words(rig.Sound_Dir, {"10", "AM"});
    bool nested = false;
    std::vector<bool> idle_after_nested;
    rig.Host.On_Process_Messages = [&] {
        if (nested) {
            idle_after_nested.push_back(rig.Host.Is_Idle());
        } else if (!rig.Sounds.Slot(1).FileName.empty()) {
            nested = true;
            rig.Host.Set_Idle(true);
            rig.Engine.Say_Time(15, 0);  // 3 PM: no file of it in the voice
        }
    };

    rig.Engine.Say_Time(10, 0);

    ASSERT_FALSE(idle_after_nested.empty());
    EXPECT_EQ(idle_after_nested, std::vector<bool>(idle_after_nested.size(), false));
    EXPECT_FALSE(rig.Host.Is_Idle()) << "AM is still to be heard";
    rig.Sounds.Play_Out();
    EXPECT_TRUE(rig.Host.Is_Idle());
}

struct Bells_Case {
    const char* name;
    bool ding_in_sound_dir;
    bool leave_bells_while_loading;
    bool from_program_dir;
    bool setting_restored;
};

void PrintTo(const Bells_Case& c, std::ostream* out) { *out << c.name; }

class Bells_Directory : public testing::TestWithParam<Bells_Case> {};

TEST_P(Bells_Directory, Borrows_The_Program_Directory_Only_For_One_Announcement)
{
    const Bells_Case& c = GetParam();
    TAnnouncement_Engine_Rig rig;
    Select_Sound_Scheme(rig.Settings, SoundScheme::EightBells);
    rig.Program_Dir.Write("ding.wav");
    rig.Program_Dir.Write("dingding.wav");
    rig.Sound_Dir.Write("dingding.WAV");
    if (c.ding_in_sound_dir)
        rig.Sound_Dir.Write("ding.WAV");
    if (c.leave_bells_while_loading)
        rig.Host.On_Process_Messages = [&] { Select_Sound_Scheme(rig.Settings, SoundScheme::NormalSounds); };
    const std::string user_dir = rig.Settings.Sound_Directory_Edit;

    rig.Engine.Say_Time(1, 30);  // three bells: dingding, ding

    const std::string dir = c.from_program_dir ? rig.Program_Dir.Dir() : rig.Sound_Dir.Dir();
    EXPECT_EQ(rig.Sounds.Slot(1).FileName, dir + (c.from_program_dir ? "dingding.wav" : "dingding.WAV"));
    EXPECT_EQ(rig.Sounds.Slot(2).FileName, dir + (c.from_program_dir ? "ding.wav" : "ding.WAV"));
    EXPECT_EQ(rig.Settings.Sound_Directory_Edit, c.setting_restored ? user_dir : rig.Program_Dir.Dir());
}

INSTANTIATE_TEST_SUITE_P(
    Schemes, Bells_Directory,
    testing::Values(Bells_Case{"Bells_In_The_Sound_Directory", true, false, false, true},
                    Bells_Case{"No_Ding_In_The_Sound_Directory", false, false, true, true},
                    Bells_Case{"Bells_Left_While_Loading", false, true, true, false}),
    [](const testing::TestParamInfo<Bells_Case>& bells) { return std::string(bells.param.name); });

TEST(Bells_Directory, A_Directory_Chosen_While_The_Bells_Load_Is_Kept)
{
    TAnnouncement_Engine_Rig rig;
    Select_Sound_Scheme(rig.Settings, SoundScheme::EightBells);
    rig.Program_Dir.Write("ding.wav");
    TTemp_Dir chosen;
    rig.Host.On_Process_Messages = [&] { rig.Settings.Sound_Directory_Edit = chosen.Dir(); };

    rig.Engine.Say_Time(1, 30);

    EXPECT_EQ(rig.Settings.Sound_Directory_Edit, chosen.Dir());
}

TEST(Bells_Directory, Is_Restored_Before_A_Device_Error_Is_Shown)
{
    TAnnouncement_Engine_Rig rig;
    Select_Sound_Scheme(rig.Settings, SoundScheme::EightBells);
    rig.Program_Dir.Write("ding.wav");
    rig.Program_Dir.Write("dingding.wav");
    rig.Sounds.Fail_Open("dingding.wav", "Unrecognized audio format");
    const std::string user_dir = rig.Settings.Sound_Directory_Edit;

    EXPECT_THROW(rig.Engine.Say_Time(1, 30), EMCIDeviceError);

    EXPECT_EQ(rig.Settings.Sound_Directory_Edit, user_dir);
    EXPECT_EQ(rig.Slot_Files(), (Files{"ding.wav", "", "", "", "", "", ""}));
}

}  // namespace
