#include "clock/Settings_Form_Dlg_Table.h"

#include <array>

// Each row names only the columns it uses; the others keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

using enum TControl_Kind;
using S = ClockSettings;

constexpr std::string_view Frequency_Hint = "Option for how often the time is automatically spoken.";
constexpr std::string_view Twelve_Hour_Hint =
    "Display Time in 12 hour clock format (with AM/PM) - the AM and PM are spoken whenever the time is spoken.";
constexpr std::string_view Twenty_Four_Hour_Hint = "Display Time in 24 hour clock format (with No AM/PM).";
constexpr std::string_view Directory_Hint =
    "The directory where the sound (WAV) files will be loaded from, as they are needed.";
constexpr std::string_view Quiet_Hours_Hint =
    "From the start time up to the end time the clock says nothing by itself; a click on the clock face still "
    "says the time.";

constexpr TValue_Range Time_Of_Day_Range{0, 24 * 60 - 1, 1, 60};

constexpr std::array<std::string_view, 4> Pages = {"Talking Frequency", "Advanced Settings", "Other Settings",
                                                   "Quiet Hours and Volume"};

// The frequency options stand on the page over the frame, which holds no
// items of its own; "Keep Repeating", the list's second line, comes last in
// the tab order.
constexpr TDialog_Control Controls[] = {
    {.name = "TabbedNotebook1", .kind = Notebook, .place = {0, 12, 427, 269}, .tab_order = 1},

    // Talking Frequency
    {.name = "RadioGroup1", .kind = Group_Box, .caption = "Time Say Frequency", .place = {8, 16, 393, 193},
     .page = 0},
    {.name = "Never_Say_Time_Option_Radiobutton", .kind = Radio_Button, .caption = "Never Say the Time",
     .hint = Frequency_Hint, .place = {40, 40, 281, 17}, .page = 0, .group = "RadioGroup1", .tab_order = 1,
     .field = &S::Never_Say_Time_Option},
    {.name = "Say_Time_Every_Minute_Option_RadioButton", .kind = Radio_Button, .caption = "Say Time Every Minute",
     .hint = Frequency_Hint, .place = {40, 80, 225, 17}, .page = 0, .group = "RadioGroup1", .tab_order = 2,
     .field = &S::Say_Time_Every_Minute_Option},
    {.name = "Say_Time_Every_5_Minutes_Option_RadioButton", .kind = Radio_Button,
     .caption = "Say Time Every 5 Minutes", .hint = Frequency_Hint, .place = {40, 100, 209, 17}, .page = 0,
     .group = "RadioGroup1", .tab_order = 3, .field = &S::Say_Time_Every_5_Minutes_Option},
    {.name = "Say_Time_Every_10_Minutes_Option_RadioButton", .kind = Radio_Button,
     .caption = "Say Time Every 10 Minutes", .hint = Frequency_Hint, .place = {40, 120, 225, 17}, .page = 0,
     .group = "RadioGroup1", .tab_order = 4, .field = &S::Say_Time_Every_10_Minutes_Option},
    {.name = "Say_Time_Every_Quarter_Hour_Option_RadioButton", .kind = Radio_Button,
     .caption = "Say Time Every Quarter Hour", .hint = Frequency_Hint, .place = {40, 140, 233, 17}, .page = 0,
     .group = "RadioGroup1", .tab_order = 5, .field = &S::Say_Time_Every_Quarter_Hour_Option},
    {.name = "Say_Time_Every_Half_Hour_Option_RadioButton", .kind = Radio_Button,
     .caption = "Say Time Every Half Hour", .hint = Frequency_Hint, .place = {40, 160, 225, 17}, .page = 0,
     .group = "RadioGroup1", .tab_order = 6, .field = &S::Say_Time_Every_Half_Hour_Option},
    {.name = "Say_Time_Every_Hour_Option_RadioButton", .kind = Radio_Button, .caption = "Say Time Every Hour",
     .hint = Frequency_Hint, .place = {40, 180, 241, 17}, .page = 0, .group = "RadioGroup1", .tab_order = 7,
     .field = &S::Say_Time_Every_Hour_Option},
    {.name = "Keep_Repeating_Time_RadioButton", .kind = Radio_Button,
     .caption = "Keep Repeating Time as often as possible", .hint = Frequency_Hint, .place = {40, 60, 305, 17},
     .page = 0, .group = "RadioGroup1", .tab_order = 8, .field = &S::Keep_Repeating_Time_RadioButton},

    // Advanced Settings. Each note comes right after its option, so that a
    // screen reader reads them together.
    {.name = "GroupBox1", .kind = Group_Box, .caption = "12 / 24 Hour Clock", .place = {8, 12, 193, 101},
     .page = 1},
    {.name = "N12_Hour_Clock_Option_RadioButton", .kind = Radio_Button, .caption = "12 Hour Clock",
     .hint = Twelve_Hour_Hint, .place = {8, 24, 113, 17}, .page = 1, .container = "GroupBox1",
     .group = "GroupBox1", .tab_order = 1, .field = &S::N12_Hour_Clock_Option},
    {.name = "Label1", .kind = Label, .caption = "(AM/PM are spoken)", .hint = Twelve_Hour_Hint,
     .place = {24, 40, 129, 16}, .page = 1, .container = "GroupBox1", .buddy = "N12_Hour_Clock_Option_RadioButton"},
    {.name = "N24_Hour_Clock_Option_RadioButton", .kind = Radio_Button, .caption = "24 Hour Clock",
     .hint = Twenty_Four_Hour_Hint, .place = {8, 64, 113, 17}, .page = 1, .container = "GroupBox1",
     .group = "GroupBox1", .tab_order = 2, .field = &S::N24_Hour_Clock_Option},
    {.name = "N24_Hour_Clock_Option_Label", .kind = Label, .caption = "(AM/PM are NOT spoken)",
     .hint = Twenty_Four_Hour_Hint, .place = {24, 80, 161, 16}, .page = 1, .container = "GroupBox1",
     .buddy = "N24_Hour_Clock_Option_RadioButton"},
    {.name = "GroupBox2", .kind = Group_Box, .caption = "Speech Playback Settings", .place = {208, 12, 193, 101},
     .page = 1},
    {.name = "Fastest_Play_Option_RadioButton", .kind = Radio_Button, .caption = "Fastest Play Method",
     .hint = "Load all required WAV files and then plays them in quick succession.", .place = {8, 24, 161, 17},
     .page = 1, .container = "GroupBox2", .group = "GroupBox2", .tab_order = 3, .field = &S::Fastest_Play_Option},
    {.name = "Optimised_Play_Option_RadioButton", .kind = Radio_Button, .caption = "Optimised Play Method",
     .hint = "Load all prefix, then digits, then suffix WAV files and then plays them in reasonably quick "
             "succession.",
     .place = {8, 48, 169, 17}, .page = 1, .container = "GroupBox2", .group = "GroupBox2", .tab_order = 4,
     .field = &S::Optimised_Play_Option},
    {.name = "Sequential_Play_Option_RadioButton", .kind = Radio_Button, .caption = "Sequential Play Method",
     .hint = "Loads and then plays each WAV file in turn - slowest playback method.", .place = {8, 72, 177, 17},
     .page = 1, .container = "GroupBox2", .group = "GroupBox2", .tab_order = 5,
     .field = &S::Sequential_Play_Option},
    {.name = "GroupBox3", .kind = Group_Box, .caption = "Suffix / Prefix Sound Selection",
     .place = {8, 120, 393, 109}, .page = 1},
    {.name = "Prefix1_Suffix1_Option_RadioButton", .kind = Radio_Button, .caption = "Prefix.WAV / Suffix.WAV only",
     .hint = "Only prefix.wav and suffix.wav are used", .place = {16, 24, 329, 17}, .page = 1,
     .container = "GroupBox3", .group = "GroupBox3", .tab_order = 6, .field = &S::Prefix1_Suffix1_Option},
    {.name = "Random_Prefix_Suffix_Option_RadioButton", .kind = Radio_Button, .caption = "Random Prefix / Suffix Sound",
     .hint = "A random prefix is chosen (\"prefix*.wav') as is a random suffix.", .place = {16, 44, 369, 17},
     .page = 1, .container = "GroupBox3", .group = "GroupBox3", .tab_order = 7,
     .field = &S::Random_Prefix_Suffix_Option},
    {.name = "Random_Prefix_Suffix_with_Blank_Option_RadioButton", .kind = Radio_Button,
     .caption = "Random Prefix / Suffix Sound with Blank option",
     .hint = "A random prefix is chosen (\"prefix*.wav') as is a random suffix, and No Prefix / No Suffix is a "
             "random option as well.",
     .place = {16, 64, 361, 17}, .page = 1, .container = "GroupBox3", .group = "GroupBox3", .tab_order = 8,
     .field = &S::Random_Prefix_Suffix_with_Blank_Option},
    {.name = "No_Prefix_and_No_Suffix_RadioButton", .kind = Radio_Button, .caption = "No Prefix and No Suffix",
     .hint = "No Prefixed and No Suffixes are used.", .place = {16, 84, 361, 17}, .page = 1,
     .container = "GroupBox3", .group = "GroupBox3", .tab_order = 9, .field = &S::No_Prefix_and_No_Suffix_RadioButton},

    // Other Settings
    {.name = "GroupBox4", .kind = Group_Box, .caption = "Normal - or - Eight Bells Sounds",
     .place = {24, 12, 353, 61}, .page = 2},
    {.name = "Normal_Sounds_RadioButton", .kind = Radio_Button, .caption = "Normal Sounds",
     .hint = "Normal prefix, digit, and suffix WAV sounds are used.", .place = {16, 28, 161, 17}, .page = 2,
     .container = "GroupBox4", .group = "GroupBox4", .tab_order = 1, .field = &S::Normal_Sounds_RadioButton},
    {.name = "Eight_Bells_Nautical_RadioButton", .kind = Radio_Button, .caption = "Eight Bells (Nautical)",
     .hint = "Only the files \"ding.wav\" and \"dingding.wav\" are used.", .place = {184, 28, 161, 17}, .page = 2,
     .container = "GroupBox4", .group = "GroupBox4", .tab_order = 2, .field = &S::Eight_Bells_Nautical_RadioButton},
    {.name = "GroupBox5", .kind = Group_Box, .caption = "Sound File Directory Location", .place = {24, 84, 353, 57},
     .page = 2},
    {.name = "BitBtn1", .kind = Push_Button, .caption = "Dir", .hint = Directory_Hint, .place = {8, 20, 33, 25},
     .page = 2, .container = "GroupBox5", .tab_order = 3, .command = TDialog_Command::Choose_Sound_Directory},
    {.name = "Sound_Directory_Edit", .kind = Edit, .hint = Directory_Hint, .place = {48, 20, 297, 24}, .page = 2,
     .container = "GroupBox5", .tab_order = 4, .field = &S::Sound_Directory_Edit, .read_only = true},
    {.name = "Inform_Me_of_Missing_Sound_Files_CheckBox", .kind = Check_Box,
     .caption = "Inform Me of Missing Sound Files (During Playback)", .place = {24, 160, 365, 17}, .page = 2,
     .tab_order = 5, .field = &S::Inform_Me_of_Missing_Sound_Files_CheckBox},

    // Quiet Hours and Volume. Each label comes before the control it names.
    {.name = "GroupBox6", .kind = Group_Box, .caption = "Quiet Hours", .place = {24, 8, 353, 81}, .page = 3},
    {.name = "Quiet_Hours_Option_CheckBox", .kind = Check_Box, .caption = "&Silence Automatic Announcements",
     .hint = Quiet_Hours_Hint, .place = {16, 22, 321, 17}, .page = 3, .container = "GroupBox6", .tab_order = 1,
     .field = &S::Quiet_Hours_Option},
    {.name = "Quiet_Hours_Start_Label", .kind = Label, .caption = "&From:", .place = {16, 50, 52, 16}, .page = 3,
     .container = "GroupBox6", .buddy = "Quiet_Hours_Start_Edit"},
    {.name = "Quiet_Hours_Start_Edit", .kind = Time_Edit, .hint = Quiet_Hours_Hint, .place = {72, 46, 73, 24},
     .page = 3, .container = "GroupBox6", .tab_order = 2, .field = &S::Quiet_Hours_Start,
     .range = Time_Of_Day_Range},
    {.name = "Quiet_Hours_End_Label", .kind = Label, .caption = "T&o:", .place = {168, 50, 44, 16}, .page = 3,
     .container = "GroupBox6", .buddy = "Quiet_Hours_End_Edit"},
    {.name = "Quiet_Hours_End_Edit", .kind = Time_Edit, .hint = Quiet_Hours_Hint, .place = {216, 46, 73, 24},
     .page = 3, .container = "GroupBox6", .tab_order = 3, .field = &S::Quiet_Hours_End, .range = Time_Of_Day_Range},
    {.name = "GroupBox7", .kind = Group_Box, .caption = "Loudness", .place = {24, 98, 353, 61}, .page = 3},
    {.name = "Volume_Label", .kind = Label, .caption = "&Volume:", .place = {16, 28, 52, 16}, .page = 3,
     .container = "GroupBox7", .buddy = "Volume_Percent_TrackBar"},
    {.name = "Volume_Percent_TrackBar", .kind = Track_Bar,
     .hint = "The loudness of every sound of the clock, in percent of the recordings.", .place = {72, 24, 145, 24},
     .page = 3, .container = "GroupBox7", .tab_order = 4, .field = &S::Volume_Percent, .range = {0, 100, 1, 10}},
    {.name = "Volume_Percent_Label", .kind = Label, .place = {224, 28, 45, 16}, .page = 3, .container = "GroupBox7",
     .field = &S::Volume_Percent, .right_aligned = true},
    {.name = "Test_Volume_Button", .kind = Push_Button, .caption = "&Test",
     .hint = "Plays the test sound at this volume.", .place = {280, 22, 65, 27}, .page = 3,
     .container = "GroupBox7", .tab_order = 5, .command = TDialog_Command::Play_Test_Sound},
    {.name = "Dog_Watch_Bells_Option_CheckBox", .kind = Check_Box, .caption = "&Dog Watch Bells (Eight Bells Only)",
     .hint = "Eight Bells (Nautical) only: the last dog watch strikes one, two and three bells at 18:30, 19:00 and "
             "19:30.",
     .place = {24, 176, 353, 17}, .page = 3, .tab_order = 6, .field = &S::Dog_Watch_Bells_Option},

    // Below the notebook. No button answers Esc.
    {.name = "OKBtn", .kind = Push_Button, .caption = "OK", .place = {123, 286, 77, 27}, .tab_order = 2,
     .glyph = TGlyph::Tick, .command = TDialog_Command::Close_Ok, .is_default = true, .bold = true},
    {.name = "HelpBtn", .kind = Push_Button, .caption = "&Help", .place = {227, 286, 77, 27}, .tab_order = 3,
     .glyph = TGlyph::Question_Mark, .command = TDialog_Command::Show_Readme, .bold = true},
};

constexpr TDialog_Table Table{
    .name = "Settings_Form_Dlg",
    .caption = "Horavox Settings",
    .client_width = 427,
    .client_height = 314,
    .position = TDialog_Position{315, 82},
    .pages = Pages,
    .controls = Controls,
};

}  // namespace

const TDialog_Table& Settings_Form_Dlg_Table()
{
    return Table;
}

std::string Volume_Percent_Text(int percent)
{
    return std::to_string(percent) + " %";
}
