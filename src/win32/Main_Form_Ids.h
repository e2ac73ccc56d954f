#pragma once
#include "clock/Main_Form_Design.h"

// The main window's class and its controls' and commands' identifiers, which
// a later start, automation tools and the tests use as well: WM_COMMAND with
// a menu command's identifier runs the command.

inline constexpr wchar_t Main_Form_Class[] = L"TMainForm1";

enum TMain_Form_Id : int {
    Time_Label_Id = 100,
    Say_Time_Now_SpeedButton_Id,
    Scaling_ListBox_Id,
    Share_Sound_Crd_CheckBox_Id,
};

inline constexpr int Main_Command_Id_Base = 200;

constexpr int Command_Id(TMain_Command command)
{
    return Main_Command_Id_Base + static_cast<int>(command);
}
