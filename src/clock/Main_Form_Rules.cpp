#include "clock/Main_Form_Rules.h"

#include "clock/Display_Text.h"
#include "clock/Schedule.h"
#include "system/Files.h"

TTick_Time Tick_Time_Of(const TClock_Reading& reading)
{
    return {static_cast<std::uint16_t>(reading.hour), static_cast<std::uint16_t>(reading.minute),
            static_cast<std::uint16_t>(reading.second), static_cast<std::uint16_t>(reading.millisecond)};
}

std::string Face_Text(const ClockSettings& settings, const TTick_Time& time)
{
    if (Clock_Format_Of(settings) == ClockFormat::TwelveHour)
        return Format_12_Hour_Time(time.Hour, time.Minute, time.Second);
    return Format_24_Hour_Time(time.Hour, time.Minute, time.Second);
}

TTick_Plan Plan_Tick(const ClockSettings& settings, const TTick_Time& time, bool idle, bool say_requested)
{
    TTick_Plan plan{Face_Text(settings, time), TTick_Sound::None};
    if (say_requested || (idle && Automatic_Announcement_Due(settings, time.Hour, time.Minute, time.Second)))
        plan.sound = TTick_Sound::Say_Time;
    else if (Automatic_Announcement_Due_Next_Second(settings, time.Hour, time.Minute, time.Second))
        plan.sound = TTick_Sound::Prepare_Device;
    return plan;
}

TFace_Command Face_Mouse_Down(TMouse_Button button, const std::string& face_text)
{
    if (button == TMouse_Button::Right || button == TMouse_Button::Middle)
        return TFace_Command::Show_Settings;
    if (button == TMouse_Button::Left && face_text != Design_Caption)
        return TFace_Command::Say_Time;
    return TFace_Command::Nothing;
}

bool Say_Request_Waits_For_First_Tick(const std::string& face_text)
{
    return face_text == Design_Caption;
}

void Repair_Loaded_Settings(ClockSettings& settings, const std::string& program_directory)
{
    Repair_Option_Groups(settings);
    if (!Directory_Exists(settings.Sound_Directory_Edit))
        settings.Sound_Directory_Edit = program_directory;
}
