#pragma once
#include <string>

#include "clock/Dialog_Table.h"

// The settings dialog: a notebook of four pages over the OK and Help buttons.
const TDialog_Table& Settings_Form_Dlg_Table();

// The directory chooser's caption while it picks the sound directory.
inline constexpr char Sound_Directory_Chooser_Caption[] = "Choose Sound File (WAV) Directory / Folder :";

// What the label beside the volume reads, e.g. "35 %".
std::string Volume_Percent_Text(int percent);
