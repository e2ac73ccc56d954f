#include "clock/Directory_Select_Dlg_Table.h"

// Each row names only the columns it uses; the others keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

using enum TControl_Kind;

// Enter presses OK from every control, Cancel included; Esc presses Cancel.
constexpr TDialog_Control Controls[] = {
    {.name = "Bevel1", .kind = Bevel, .place = {15, 15, 306, 247}},
    {.name = "DriveComboBox1", .kind = Combo_Box, .place = {39, 30, 263, 22}, .tab_order = 1,
     .accessible_name = "Drives"},
    {.name = "DirectoryListBox1", .kind = List_Box, .place = {39, 59, 263, 188}, .tab_order = 2,
     .accessible_name = "Directories"},
    {.name = "OKBtn", .kind = Push_Button, .caption = "OK", .place = {44, 273, 95, 33}, .tab_order = 3,
     .command = TDialog_Command::Close_Ok, .is_default = true},
    {.name = "CancelBtn", .kind = Push_Button, .caption = "Cancel", .place = {197, 273, 95, 33}, .tab_order = 4,
     .glyph = TGlyph::Cross, .command = TDialog_Command::Close_Cancel},
};

constexpr TDialog_Table Table{
    .name = "Directory_Select_Dlg",
    .caption = "Select Directory",
    .client_width = 336,
    .client_height = 316,
    .design_dpi = 120,
    .controls = Controls,
};

}  // namespace

const TDialog_Table& Directory_Select_Dlg_Table()
{
    return Table;
}
