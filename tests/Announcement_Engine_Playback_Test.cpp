#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "support/Announcement_Engine_Rig.h"

namespace {

using Log = std::vector<std::string>;

struct Method_Case {
    const char* name;
    PlayMethod method;
    bool select_all;  // the other methods selected as well
    Log expected;
};

void PrintTo(const Method_Case& c, std::ostream* out) { *out << c.name; }

class Play_Method_Order : public testing::TestWithParam<Method_Case> {};

// 23:45 on the 24-hour clock fills every slot but AM/PM: PREFIX, 20, 3, 40, 5,
// SUFFIX, so the missing sixth file shows that an empty word only skips a load.
TEST_P(Play_Method_Order, Loads_And_Play_Requests_Interleave_As_The_Method_Says)
{
    TAnnouncement_Engine_Rig rig;
    TAnnouncement_Engine_Rig::Write_Words(rig.Sound_Dir, {"PREFIX", "SUFFIX", "20", "3", "40", "5"});
    Select_Clock_Format(rig.Settings, ClockFormat::TwentyFourHour);
    Select_Play_Method(rig.Settings, GetParam().method);
    if (GetParam().select_all)
        rig.Settings.Optimised_Play_Option = rig.Settings.Sequential_Play_Option = rig.Settings.Fastest_Play_Option =
            true;

    rig.Engine.Say_Time(23, 45);

    EXPECT_EQ(rig.Sounds.Log, GetParam().expected);
    EXPECT_EQ(rig.Slot_Files(), (Log{"PREFIX.WAV", "20.WAV", "3.WAV", "40.WAV", "5.WAV", "SUFFIX.WAV", ""}));
}

INSTANTIATE_TEST_SUITE_P(
    Methods, Play_Method_Order,
    testing::Values(
        Method_Case{"Sequential", PlayMethod::Sequential, false,
                    {"open1", "play1", "open2", "play1", "open3", "play1", "open4", "play1", "open5", "play1", "play1",
                     "open6", "play1"}},
        Method_Case{"Optimised", PlayMethod::Optimised, false,
                    {"open1", "play1", "open2", "open3", "open4", "open5", "play1", "play1", "play1", "play1", "play1",
                     "open6", "play1"}},
        Method_Case{"Optimised_Before_The_Others", PlayMethod::Optimised, true,
                    {"open1", "play1", "open2", "open3", "open4", "open5", "play1", "play1", "play1", "play1", "play1",
                     "open6", "play1"}},
        Method_Case{"Fastest", PlayMethod::Fastest, false,
                    {"open1", "open2", "open3", "open4", "open5", "open6", "play1", "play1", "play1", "play1", "play1",
                     "play1", "play1"}}),
    [](const testing::TestParamInfo<Method_Case>& method_case) { return std::string(method_case.param.name); });

TEST(Play_Method_Order, Sequential_At_Ten_Skips_The_Empty_Words)
{
    TAnnouncement_Engine_Rig rig;
    TAnnouncement_Engine_Rig::Write_Words(rig.Sound_Dir, {"PREFIX", "SUFFIX", "10", "AM"});

    rig.Engine.Say_Time(10, 0);

    EXPECT_EQ(rig.Sounds.Log, (Log{"open1", "play1", "open2", "play1", "play1", "play1", "play1", "open3", "play1",
                                   "open4", "play1"}));
    EXPECT_EQ(rig.Slot_Files(), (Log{"PREFIX.WAV", "10.WAV", "AM.WAV", "SUFFIX.WAV", "", "", ""}));
}

TEST(Play_Method_Order, No_Method_Selected_Loads_Nothing_And_Stays_Idle)
{
    TAnnouncement_Engine_Rig rig;
    TAnnouncement_Engine_Rig::Write_Words(rig.Sound_Dir, {"10", "AM"});
    rig.Settings.Optimised_Play_Option = rig.Settings.Sequential_Play_Option = rig.Settings.Fastest_Play_Option = false;

    rig.Engine.Say_Time(10, 0);

    EXPECT_TRUE(rig.Sounds.Log.empty());
    EXPECT_TRUE(rig.Host.Is_Idle());
}

// Each completion notice starts the next slot; the notice of the last loaded
// slot sets the idle flag, and no earlier one does.
TEST(Notice_Chain, The_Last_Loaded_Slot_Sets_The_Idle_Flag)
{
    const std::vector<std::string> words{"1", "2", "3", "4", "5", "6", "7"};
    for (std::size_t loaded = 1; loaded <= words.size(); ++loaded) {
        SCOPED_TRACE("files loaded: " + std::to_string(loaded));
        TAnnouncement_Engine_Rig rig;
        for (std::size_t i = 0; i < loaded; ++i) {
            rig.Sound_Dir.Write(words[i] + ".WAV");
            rig.Engine.Load_Sound_File(words[i] + ".WAV", i == 0);
        }
        rig.Host.Set_Idle(false);
        rig.Sounds.Log.clear();
        rig.Engine.Start_First_Slot();

        for (int slot = 1; slot <= static_cast<int>(loaded); ++slot) {
            ASSERT_TRUE(rig.Sounds.Slot(slot).Is_Playing());
            EXPECT_FALSE(rig.Host.Is_Idle()) << "before the end of slot " << slot;
            rig.Sounds.Finish_Sound(slot);
        }
        EXPECT_TRUE(rig.Host.Is_Idle());
        Log expected;
        for (std::size_t slot = 1; slot <= loaded; ++slot) {
            expected.push_back("play" + std::to_string(slot));
            expected.push_back("notify" + std::to_string(slot));
        }
        EXPECT_EQ(rig.Sounds.Log, expected);
    }
}

// A notice that arrives while later files are still loading finds slot 2
// empty; the clock stays busy all the same, so that a tick let in by the
// loader cannot start a second announcement over the first.
TEST(Notice_Chain, A_Chain_That_Runs_Ahead_Of_Loading_Keeps_The_Clock_Busy_Until_Silence)
{
    TAnnouncement_Engine_Rig rig;
    TAnnouncement_Engine_Rig::Write_Words(rig.Sound_Dir, {"10", "AM"});
    rig.Host.Deliver_Notices_From = &rig.Sounds;
    std::optional<bool> idle_when_second_file_loaded;
    rig.Host.On_Process_Messages = [&] {
        if (rig.Sounds.Slot(2).FileName.empty()) {
            if (rig.Sounds.Slot(1).Is_Playing())
                rig.Sounds.Slot(1).Finish();
        } else if (!idle_when_second_file_loaded) {
            idle_when_second_file_loaded = rig.Host.Is_Idle();
            rig.Engine.Say_Time(11, 0);  // a tick during loading
        }
    };

    rig.Engine.Say_Time(10, 0);

    const auto notice = std::find(rig.Sounds.Log.begin(), rig.Sounds.Log.end(), "notify1");
    const auto second_load = std::find(rig.Sounds.Log.begin(), rig.Sounds.Log.end(), "open2");
    EXPECT_LT(notice, second_load);
    EXPECT_EQ(idle_when_second_file_loaded, false);
    EXPECT_EQ(rig.Slot_Files(), (Log{"10.WAV", "AM.WAV", "", "", "", "", ""}));
    EXPECT_FALSE(rig.Host.Is_Idle()) << "AM is still to be heard";
    rig.Sounds.Play_Out();
    EXPECT_TRUE(rig.Host.Is_Idle());
}

// The notice of a superseded request runs the last handler while its sound
// still plays; the next announcement must wait for the real end.
TEST(Notice_Chain, A_Superseded_Notice_Of_The_Last_Slot_Does_Not_Free_The_Clock)
{
    TAnnouncement_Engine_Rig rig;
    rig.Sound_Dir.Write("10.WAV");
    rig.Engine.Say_Time(10, 0);
    rig.Sounds.Release_All_Notices();
    EXPECT_TRUE(rig.Sounds.Slot(1).Is_Playing());
    EXPECT_FALSE(rig.Host.Is_Idle());
    rig.Sounds.Finish_Sound(1);
    EXPECT_TRUE(rig.Host.Is_Idle());
}

TEST(Notice_Chain, A_Play_That_Fails_In_A_Handler_Leaves_The_Engine_Idle)
{
    TAnnouncement_Engine_Rig rig;
    rig.Sound_Dir.Write("10.WAV");
    rig.Engine.Load_Sound_File("10.WAV", true);
    rig.Sounds.Slot(2).FileName = rig.Sound_Dir.Dir() + "AM.WAV";  // named but never opened
    rig.Host.Set_Idle(false);

    EXPECT_THROW(rig.Engine.MediaPlayer1Notify(), EMCIDeviceError);
    EXPECT_TRUE(rig.Host.Is_Idle());
}

}  // namespace
