#pragma once
#include <array>
#include <string>

#include "clock/Window_Placement.h"

// The main window as designed: its controls' geometry, the face's font, the
// menu bar and the texts of its boxes, for both front ends to build from.

inline constexpr char Product_Name[] = "Horavox";

// "Horavox <version>": the window's caption and the application's title.
std::string Application_Title(const std::string& version);

// The clock face `Time_Label`: red on black, centred, a raised one-pixel bevel.
inline constexpr TRect Time_Label_Geometry{0, 0, 177, 47};
inline constexpr char Face_Font_Name[] = "Times New Roman";
inline constexpr int Face_Font_Points = 20;  // bold; 27 pixels high at 96 pixels per inch
inline constexpr char Face_Hint[] = "Left Mouse Click to Say Time, Right Mouse Click to view / change Settings.";

// Outside the client area that start-up fits to the face: never seen.
inline constexpr TRect Say_Time_Now_SpeedButton_Geometry{192, 12, 25, 27};
inline constexpr TRect Scaling_ListBox_Geometry{324, 0, 37, 29};
inline constexpr TRect Share_Sound_Crd_CheckBox_Geometry{12, 54, 153, 17};
inline constexpr char Share_Sound_Crd_CheckBox_Caption[] = "Shareable Sound";

// The commands of the menu bar.
enum class TMain_Command {
    None,  // a separator
    Always_On_Top,
    Auto_Run_at_Windows_Startup,
    Restore_Factory_Defaults,
    Show_Settings,
    Record_Sound_Files,
    Record_Own_Voice,
    Exit,
    View_Readme_file,
    About,
    Spare_Menu,  // the date item
};

struct TMenu_Item {
    const char* name;     // empty for a separator
    const char* caption;  // "&" marks the access key
    TMain_Command command;
    bool check_mark;
};

struct TMenu {
    const char* name;
    const char* caption;
    const TMenu_Item* items;
    int item_count;
};

inline constexpr TMenu_Item File_Menu_Items[] = {
    {"Always_On_Top_Option", "Always on Top", TMain_Command::Always_On_Top, true},
    {"Auto_Run_at_Windows_Startup_Option", "&Auto-Run at Windows Startup", TMain_Command::Auto_Run_at_Windows_Startup,
     true},
    {"Restore_Factory_Defaults_Option", "&Restore Factory Defaults", TMain_Command::Restore_Factory_Defaults, false},
    {"", "-", TMain_Command::None, false},
    {"Show_Settings_Form", "&Settings", TMain_Command::Show_Settings, false},
    {"", "-", TMain_Command::None, false},
    {"Record_Sound_Files_Option", "&Record Sound Files", TMain_Command::Record_Sound_Files, false},
    {"Record_Own_Voice_Option", "Record Your Own &Voice...", TMain_Command::Record_Own_Voice, false},
    {"", "-", TMain_Command::None, false},
    {"Exit_Option", "E&xit", TMain_Command::Exit, false},
};

inline constexpr TMenu_Item Help_Menu_Items[] = {
    {"View_Readme_file_Option", "&View Readme file", TMain_Command::View_Readme_file, false},
    {"", "-", TMain_Command::None, false},
    {"AboutOption", "&About", TMain_Command::About, false},
};

// Then the date item `SpareMenu`, a top-level item without sub-items: no
// caption and hidden until the first tick.
inline constexpr std::array<TMenu, 2> Main_Menus = {{
    {"File_Menu", "&File", File_Menu_Items, static_cast<int>(std::size(File_Menu_Items))},
    {"Help_Menu", "&Help", Help_Menu_Items, static_cast<int>(std::size(Help_Menu_Items))},
}};
inline constexpr char Spare_Menu_Name[] = "SpareMenu";

// The factory reset's question. Its wording is ours: Yes is the default
// button, Esc answers No, and closing the box by its close box goes on.
inline constexpr char Reset_Question[] =
    "Restore the factory defaults?\n\n"
    "Every setting returns to its original value and the window to its original place and size.";

// The About box: the product and version, and a line on what it is.
inline constexpr char About_Caption[] = "About";
inline constexpr char About_Description[] = "A talking clock.";

// The notice `TSound_File_Info_Box` shown before the sound recorder starts.
struct TInfo_Line {
    const char* text;
    int left;
    int top;
};
inline constexpr char Sound_File_Info_Caption[] = "Sound File's Required :";
inline constexpr int Sound_File_Info_Width = 347;
inline constexpr int Sound_File_Info_Height = 205;
// The heading is centred in its box; the other lines are as wide as their text.
inline constexpr char Sound_File_Info_Heading[] = "Windows Sound Recorder is about to be run.";
inline constexpr TRect Sound_File_Info_Heading_Geometry{29, 24, 289, 16};
inline constexpr TInfo_Line Sound_File_Info_Lines[] = {
    {"It is necessary to record sounds for called : ", 29, 56},
    {"1.wav, 2.wav, ..., 9.wav, 10.wav, 11.wav, ... ", 29, 83},
    {"18.wav, 19.wav, 20.wav, 30.wav, 40.wav, ", 29, 109},
    {"50.wav, ..., am.wav, and pm.wav", 29, 136},
};
// A bold OK button with the OK glyph, 11 pixels high; it has the focus.
inline constexpr TRect Sound_File_Info_OK_Geometry{135, 162, 77, 27};
