#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "engine/Missing_Sound_File_Message.h"
#include "engine/Sound_Path.h"
#include "support/Announcement_Engine_Rig.h"
#include "support/Native_Path.h"

namespace {

using Files = std::vector<std::string>;

TEST(Sound_File_Path, Joins_With_One_Delimiter)
{
    struct Case {
        const char* directory;
        const char* name;
        const char* path;
    };
    for (const Case& c : {Case{"/voice/", "10.WAV", "/voice/10.WAV"}, Case{"/voice", "10.WAV", "/voice/10.WAV"},
                          Case{"/voice///", "AM.WAV", "/voice/AM.WAV"}, Case{"", "ding.wav", "/ding.wav"}})
        EXPECT_EQ(Sound_File_Path(Native_Delimiters(c.directory), c.name), Native_Delimiters(c.path)) << c.directory;
}

TEST(Missing_Sound_File_Message, Has_The_Exact_Text)
{
    EXPECT_EQ(Missing_Sound_File_Message("7.WAV", "/home/me/voice/"),
              "Error: The sound \"7.WAV\" could not be found !  Please check that : \r\n\r\n"
              "a.) sound files are in the Sound Directory (/home/me/voice/), or, \r\n\r\n"
              "b.) download sound samples from my WEB Page, or, \r\n\r\n"
              "c.) change your Sound Directory to a new location.");
}

TEST(Load_Sound_File, A_Missing_Word_Leaves_No_Gap)
{
    TAnnouncement_Engine_Rig rig;
    TAnnouncement_Engine_Rig::Write_Words(rig.Sound_Dir, {"PREFIX", "SUFFIX", "AM"});

    rig.Engine.Say_Time(10, 0);

    EXPECT_EQ(rig.Slot_Files(), (Files{"PREFIX.WAV", "AM.WAV", "SUFFIX.WAV", "", "", "", ""}));
    EXPECT_TRUE(rig.Host.Error_Boxes.empty());
}

// A word spoken twice is missing twice, and reported each time.
TEST(Load_Sound_File, Reports_Each_Missing_Load_Only_When_Asked)
{
    for (const bool inform : {true, false}) {
        TAnnouncement_Engine_Rig rig;
        rig.Settings.Inform_Me_of_Missing_Sound_Files_CheckBox = inform;
        TAnnouncement_Engine_Rig::Write_Words(rig.Sound_Dir, {"PM"});

        rig.Engine.Say_Time(12, 12);

        const std::string box = Missing_Sound_File_Message("12.WAV", rig.Sound_Dir.Dir());
        EXPECT_EQ(rig.Host.Error_Boxes, (inform ? Files{box, box} : Files{}));
        EXPECT_EQ(rig.Slot_Files(), (Files{"PM.WAV", "", "", "", "", "", ""}));
    }
}

TEST(Load_Sound_File, A_Missing_Sound_Directory_Becomes_The_Program_Directory)
{
    for (const std::string& missing : {std::string("/no/such/voice/"), std::string()}) {
        TAnnouncement_Engine_Rig rig;
        rig.Settings.Sound_Directory_Edit = missing;
        rig.Settings.Inform_Me_of_Missing_Sound_Files_CheckBox = true;
        TAnnouncement_Engine_Rig::Write_Words(rig.Program_Dir, {"10"});

        rig.Engine.Say_Time(10, 0);

        EXPECT_EQ(rig.Settings.Sound_Directory_Edit, rig.Program_Dir.Dir());
        EXPECT_EQ(rig.Sounds.Slot(1).FileName, rig.Program_Dir.Dir() + "10.WAV");
        ASSERT_EQ(rig.Host.Error_Boxes.size(), 1U);
        EXPECT_EQ(rig.Host.Error_Boxes[0], Missing_Sound_File_Message("AM.WAV", rig.Program_Dir.Dir()));
    }
}

TEST(Load_Sound_File, The_Reset_Closes_Every_Slot_And_Copies_Shareability)
{
    TAnnouncement_Engine_Rig rig;
    rig.Program_Dir.Write("testsnd.wav");
    TAnnouncement_Engine_Rig::Write_Words(rig.Sound_Dir, {"1", "2", "3", "4", "5", "6", "AM"});
    rig.Sounds.Slot(1).FileName = rig.Program_Dir.Dir() + "testsnd.wav";
    for (int slot = 2; slot <= Slot_Count; ++slot)
        rig.Sounds.Slot(slot).FileName = rig.Sound_Dir.Dir() + std::to_string(slot - 1) + ".WAV";
    for (int slot = 1; slot <= Slot_Count; ++slot)
        rig.Sounds.Slot(slot).Open();
    rig.Host.Set_Shareable_Sound(true);
    rig.Sounds.Log.clear();

    rig.Engine.Say_Time(0, 0);  // 12 AM: only AM.WAV is there

    const Files closes(rig.Sounds.Log.begin(), rig.Sounds.Log.begin() + Slot_Count);
    EXPECT_EQ(closes, (Files{"close1", "close2", "close3", "close4", "close5", "close6", "close7"}));
    EXPECT_EQ(rig.Slot_Files(), (Files{"AM.WAV", "", "", "", "", "", ""}));
    for (int slot = 1; slot <= Slot_Count; ++slot) {
        EXPECT_TRUE(rig.Sounds.Slot(slot).Shareable) << slot;
        EXPECT_EQ(rig.Sounds.Slot(slot).Is_Open(), slot == 1) << slot;
    }
}

TEST(Load_Sound_File, Finds_A_Word_Whatever_Its_Letter_Case_On_Disk)
{
    TAnnouncement_Engine_Rig rig;
    rig.Sound_Dir.Write("prefix.wav");
    rig.Sound_Dir.Write("10.wav");
    rig.Sound_Dir.Write("Am.Wav");

    rig.Engine.Say_Time(10, 0);

    // The fake opens only the exact spelling, so this also proves the slot got it.
    EXPECT_EQ(rig.Slot_Files(), (Files{"prefix.wav", "10.wav", "Am.Wav", "", "", "", ""}));
}

struct Repeat_Case {
    const char* name;
    int hour;
    int minute;
    bool twenty_four_hour;
    bool bells;
    Files words;  // present in the sound directory
    Files slots;
};

void PrintTo(const Repeat_Case& c, std::ostream* out) { *out << c.name; }

class Repeated_Word : public testing::TestWithParam<Repeat_Case> {};

TEST_P(Repeated_Word, Takes_A_Slot_Of_Its_Own_And_Is_Heard_Again)
{
    const Repeat_Case& c = GetParam();
    TAnnouncement_Engine_Rig rig;
    for (const std::string& word : c.words)
        rig.Sound_Dir.Write(word + ".WAV");
    if (c.twenty_four_hour)
        Select_Clock_Format(rig.Settings, ClockFormat::TwentyFourHour);
    if (c.bells)
        Select_Sound_Scheme(rig.Settings, SoundScheme::EightBells);

    rig.Engine.Say_Time(c.hour, c.minute);
    rig.Sounds.Play_Out();

    EXPECT_EQ(rig.Slot_Files(), c.slots);
    EXPECT_TRUE(rig.Host.Is_Idle());
    for (std::size_t slot = 1; slot <= c.slots.size(); ++slot) {
        const bool heard = std::find(rig.Sounds.Log.begin(), rig.Sounds.Log.end(), "notify" + std::to_string(slot)) !=
                           rig.Sounds.Log.end();
        EXPECT_EQ(heard, !c.slots[slot - 1].empty()) << "slot " << slot;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Announcements, Repeated_Word,
    testing::Values(
        Repeat_Case{"Twelve_Twelve", 12, 12, false, false, {"12", "PM"}, {"12.WAV", "12.WAV", "PM.WAV", "", "", "", ""}},
        Repeat_Case{"One_Oh_One", 1, 1, false, false, {"1", "0", "AM"}, {"1.WAV", "0.WAV", "1.WAV", "AM.WAV", "", "", ""}},
        Repeat_Case{"Twenty_Twenty", 20, 20, true, false, {"20"}, {"20.WAV", "20.WAV", "", "", "", "", ""}},
        Repeat_Case{"Eight_Bells",
                    4,
                    0,
                    false,
                    true,
                    {"ding", "dingding"},
                    {"dingding.WAV", "dingding.WAV", "dingding.WAV", "dingding.WAV", "", "", ""}},
        Repeat_Case{"Seven_Bells",
                    15,
                    15,
                    false,
                    true,
                    {"ding", "dingding"},
                    {"dingding.WAV", "dingding.WAV", "dingding.WAV", "ding.WAV", "", "", ""}}),
    [](const testing::TestParamInfo<Repeat_Case>& repeat) { return std::string(repeat.param.name); });

TEST(Device_Error, A_File_That_Fails_To_Open_Takes_No_Slot_And_Is_Shown_Afterwards)
{
    TAnnouncement_Engine_Rig rig;
    TAnnouncement_Engine_Rig::Write_Words(rig.Sound_Dir, {"PREFIX", "SUFFIX", "10", "AM"});
    rig.Sounds.Fail_Open("10.WAV", "Unrecognized audio format");
    rig.Sounds.Fail_Open("SUFFIX.WAV", "Out of memory");

    try {
        rig.Engine.Say_Time(10, 0);
        FAIL() << "the device error was swallowed";
    } catch (const EMCIDeviceError& error) {
        EXPECT_EQ(error.Device_Text(), "Unrecognized audio format");
        EXPECT_EQ(error.File_Name(), rig.Sound_Dir.Dir() + "10.WAV");
    }

    EXPECT_EQ(rig.Slot_Files(), (Files{"PREFIX.WAV", "AM.WAV", "", "", "", "", ""}));
    EXPECT_FALSE(rig.Host.Is_Idle()) << "the announcement is still playing";
    rig.Sounds.Play_Out();
    EXPECT_TRUE(rig.Host.Is_Idle());
    rig.Sounds.Log.clear();
    EXPECT_THROW(rig.Engine.Say_Time(10, 0), EMCIDeviceError);
    EXPECT_FALSE(rig.Sounds.Log.empty()) << "the next announcement runs";
}

// The settings command can start an announcement inside another's loading.
// An error the outer one held back before that is still shown, once, by
// whichever of the two ends first; the event loop shows what the inner raises.
TEST(Device_Error, An_Announcement_Started_Inside_Another_Keeps_The_Outer_Ones_Held_Back_Error)
{
    TAnnouncement_Engine_Rig rig;
    TAnnouncement_Engine_Rig::Write_Words(rig.Sound_Dir, {"10", "AM"});
    rig.Sounds.Fail_Open("10.WAV", "Unrecognized audio format");
    Files raised;
    bool nested = false;
    rig.Host.On_Process_Messages = [&] {
        if (nested || std::find(rig.Sounds.Log.begin(), rig.Sounds.Log.end(), "open1 failed") == rig.Sounds.Log.end())
            return;
        nested = true;
        rig.Host.Set_Idle(true);
        try {
            rig.Engine.Say_Time(15, 0);  // 3 PM: no file of it in the voice
        } catch (const EMCIDeviceError& error) {
            raised.push_back(error.File_Name());
        }
    };

    try {
        rig.Engine.Say_Time(10, 0);
    } catch (const EMCIDeviceError& error) {
        raised.push_back(error.File_Name());
    }

    ASSERT_TRUE(nested);
    EXPECT_EQ(raised, Files{rig.Sound_Dir.Dir() + "10.WAV"});
}

// Without a file in a slot no notice ever comes, so Say_Time itself must
// leave the clock ready for the next announcement.
TEST(Device_Error, An_Announcement_Without_Any_Loaded_File_Leaves_The_Engine_Idle)
{
    struct Case {
        const char* name;
        bool files_present;
        bool opens_fail;
    };
    for (const Case& c : {Case{"all missing", false, false}, Case{"all fail to open", true, true}}) {
        SCOPED_TRACE(c.name);
        TAnnouncement_Engine_Rig rig;
        if (c.files_present)
            TAnnouncement_Engine_Rig::Write_Words(rig.Sound_Dir, {"10", "AM"});
        if (c.opens_fail) {
            rig.Sounds.Fail_Open("10.WAV", "Unrecognized audio format");
            rig.Sounds.Fail_Open("AM.WAV", "Unrecognized audio format");
            EXPECT_THROW(rig.Engine.Say_Time(10, 0), EMCIDeviceError);
        } else {
            rig.Engine.Say_Time(10, 0);
        }
        EXPECT_TRUE(rig.Host.Is_Idle());
        EXPECT_EQ(rig.Slot_Files(), Files(Slot_Count));
    }
}

TEST(Shareability, Probes_Testsnd_In_The_Program_Directory_With_Its_Own_Player)
{
    struct Case {
        const char* name;
        bool present;
        bool fails;
        bool shareable;
    };
    for (const Case& c : {Case{"present", true, false, true}, Case{"absent", false, false, false},
                          Case{"device busy", true, true, false}}) {
        SCOPED_TRACE(c.name);
        TAnnouncement_Engine_Rig rig;
        if (c.present)
            rig.Program_Dir.Write("testsnd.wav");
        if (c.fails)
            rig.Sounds.Fail_Open("testsnd.wav", "Device busy");
        TAnnouncement_Engine_Rig::Write_Words(rig.Sound_Dir, {"10"});
        rig.Engine.Say_Time(10, 0);
        const std::string slot_file = rig.Sounds.Slot(1).FileName;

        rig.Engine.Test_Shareability();

        EXPECT_EQ(rig.Host.Shareable_Sound(), c.shareable);
        EXPECT_EQ(rig.Sounds.Probe().FileName, rig.Program_Dir.Dir() + "testsnd.wav");
        EXPECT_TRUE(rig.Sounds.Probe().Shareable);
        EXPECT_FALSE(rig.Sounds.Probe().Is_Open());
        EXPECT_EQ(rig.Sounds.Slot(1).FileName, slot_file);
        EXPECT_TRUE(rig.Sounds.Slot(1).Is_Open()) << "the announcement keeps its first slot";
    }
}

}  // namespace
