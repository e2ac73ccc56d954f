#pragma once
#include "clock/Dialog_Table.h"

// The sound directory chooser: a drive list and a directory list in a
// sunken frame, over OK and Cancel.
const TDialog_Table& Directory_Select_Dlg_Table();

// The directory list's rows, in the chooser's designed pixels: their height
// and the indentation of each level.
inline constexpr int Directory_Row_Height = 16;
inline constexpr int Directory_Indent_Step = 10;
