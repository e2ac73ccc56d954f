#include "clock/Main_Form_Rules.h"

#include <gtest/gtest.h>

#include "support/Temp_Dir.h"

namespace {

ClockSettings Settings(SayFrequency frequency, ClockFormat format = ClockFormat::TwelveHour)
{
    ClockSettings settings = Default_Settings("");
    Select_Say_Frequency(settings, frequency);
    Select_Clock_Format(settings, format);
    return settings;
}

TEST(Main_Form_Rules, A_Tick_Shows_The_Face_And_Speaks_Only_When_Due_And_Idle)
{
    ClockSettings quiet = Settings(SayFrequency::EveryHour);
    quiet.Quiet_Hours_Option = true;  // 22:00 to 07:00
    const struct {
        const char* name;
        ClockSettings settings;
        TTick_Time time;
        bool idle, say_requested;
        const char* face;
        TTick_Sound sound;
    } cases[] = {
        {"due and idle", Settings(SayFrequency::EveryHour), {10, 0, 0}, true, false, "10:00:00 AM", TTick_Sound::Say_Time},
        {"due while speaking", Settings(SayFrequency::EveryHour), {10, 0, 0}, false, false, "10:00:00 AM",
         TTick_Sound::None},
        {"the second before", Settings(SayFrequency::EveryHour, ClockFormat::TwentyFourHour), {9, 59, 59}, true, false,
         "09:59:59", TTick_Sound::Prepare_Device},
        {"the second after", Settings(SayFrequency::EveryHour), {10, 0, 1}, true, false, "10:00:01 AM",
         TTick_Sound::None},
        {"a request before the first tick", Settings(SayFrequency::Never, ClockFormat::TwentyFourHour), {13, 45, 7},
         true, true, "13:45:07", TTick_Sound::Say_Time},
        {"in the quiet hours", quiet, {23, 0, 0}, true, false, "11:00:00 PM", TTick_Sound::None},
        {"a request in the quiet hours", quiet, {23, 0, 5}, true, true, "11:00:05 PM", TTick_Sound::Say_Time},
        {"after the quiet hours", quiet, {7, 0, 0}, true, false, "07:00:00 AM", TTick_Sound::Say_Time},
    };
    for (const auto& c : cases) {
        const TTick_Plan plan = Plan_Tick(c.settings, c.time, c.idle, c.say_requested);
        EXPECT_EQ(plan.face_text, c.face) << c.name;
        EXPECT_EQ(plan.sound, c.sound) << c.name;
    }
}

TEST(Main_Form_Rules, Left_Says_The_Time_Once_Shown_And_Right_Or_Middle_Open_The_Settings)
{
    const struct {
        TMouse_Button button;
        const char* face;
        TFace_Command command;
    } cases[] = {
        {TMouse_Button::Left, "10:00:00 AM", TFace_Command::Say_Time},
        {TMouse_Button::Left, Design_Caption, TFace_Command::Nothing},
        {TMouse_Button::Right, Design_Caption, TFace_Command::Show_Settings},
        {TMouse_Button::Middle, "10:00:00", TFace_Command::Show_Settings},
        {TMouse_Button::Other, "10:00:00", TFace_Command::Nothing},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Face_Mouse_Down(c.button, c.face), c.command) << c.face;
    EXPECT_TRUE(Say_Request_Waits_For_First_Tick(Design_Caption));
    EXPECT_FALSE(Say_Request_Waits_For_First_Tick("00:00:00"));
}

TEST(Main_Form_Rules, Start_Up_Repairs_Empty_Groups_And_A_Lost_Sound_Directory)
{
    const TTemp_Dir sounds;
    ClockSettings settings = Settings(SayFrequency::EveryMinute);
    settings.Say_Time_Every_Minute_Option = false;
    settings.N12_Hour_Clock_Option = false;
    settings.Sound_Directory_Edit = sounds.Dir() + "gone";
    Repair_Loaded_Settings(settings, sounds.Dir());
    EXPECT_EQ(Say_Frequency_Of(settings), SayFrequency::EveryHour);
    EXPECT_TRUE(settings.N12_Hour_Clock_Option);
    EXPECT_EQ(settings.Sound_Directory_Edit, sounds.Dir());

    settings.Sound_Directory_Edit = sounds.Dir();
    Repair_Loaded_Settings(settings, "elsewhere");
    EXPECT_EQ(settings.Sound_Directory_Edit, sounds.Dir());
}

}  // namespace
