#pragma once
#include <cstdint>
#include <string>

#include "clock/Clock_Source.h"
#include "settings/ClockSettings.h"

// What the main window decides on a tick, a mouse button and a request from
// a later start; each front end only carries the decision out.

// The time decoded by the latest tick; all zeros before the first one.
struct TTick_Time {
    std::uint16_t Hour = 0;
    std::uint16_t Minute = 0;
    std::uint16_t Second = 0;
    std::uint16_t Millisecond = 0;
};

TTick_Time Tick_Time_Of(const TClock_Reading& reading);

// The clock face's text until the first tick.
inline constexpr char Design_Caption[] = "....";

// The face in the settings' clock format.
std::string Face_Text(const ClockSettings& settings, const TTick_Time& time);

enum class TTick_Sound {
    None,
    Say_Time,        // Say_Time with the tick's hour and minute
    Prepare_Device,  // an automatic announcement is due at the next tick: ready the sound device
};

struct TTick_Plan {
    std::string face_text;  // also the task bar's title
    TTick_Sound sound = TTick_Sound::None;
};

// A tick: the face in the current format, and whether it speaks. A request
// from a later start that came before the first tick (`say_requested`)
// speaks now; otherwise an automatic announcement speaks when due, outside
// the quiet hours, and only while the window is idle.
TTick_Plan Plan_Tick(const ClockSettings& settings, const TTick_Time& time, bool idle, bool say_requested);

enum class TMouse_Button { Left, Right, Middle, Other };
enum class TFace_Command { Nothing, Say_Time, Show_Settings };

// A button pressed on the clock face (or the speaker button): right and
// middle open the settings at any time; left says the time once a tick has
// shown one.
TFace_Command Face_Mouse_Down(TMouse_Button button, const std::string& face_text);

// A say request from a later start (a keyboard shortcut) speaks at once,
// unless no tick has shown a time yet: then at the first tick.
bool Say_Request_Waits_For_First_Tick(const std::string& face_text);

// Start-up's repairs after the log-on check: every option group gets an
// option, and a sound directory that is gone becomes the program directory.
void Repair_Loaded_Settings(ClockSettings& settings, const std::string& program_directory);
