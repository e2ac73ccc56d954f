#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "settings/ClockSettings.h"

// A dialog described without a toolkit: every control with its designed
// place, texts, tab order and the setting it edits. Each front end builds its
// dialog from the table in one loop, so the Qt and the Windows dialogs cannot
// drift apart.

enum class TControl_Kind {
    Notebook,      // a tab control; its pages are the table's pages
    Group_Box,     // a captioned frame
    Bevel,         // a sunken frame without a caption
    Radio_Button,
    Check_Box,
    Push_Button,
    Label,
    Edit,          // one line of text
    Time_Edit,     // hours and minutes of the day, 24-hour
    Track_Bar,
    Combo_Box,
    List_Box,
};

enum class TGlyph { None, Tick, Question_Mark, Cross };

// What a push button does. The two closing commands are the front end's own;
// the others are the dialog's.
enum class TDialog_Command { None, Close_Ok, Close_Cancel, Choose_Sound_Directory, Show_Readme, Play_Test_Sound };

// Left, top, width, height in the dialog's designed pixels.
struct TControl_Place {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const TControl_Place&) const = default;
};

// The setting a control edits (a label: shows), if any.
using TSetting_Field = std::variant<std::monostate, bool ClockSettings::*, std::int32_t ClockSettings::*,
                                    std::string ClockSettings::*>;

// The values a time edit or track bar takes, and its steps.
struct TValue_Range {
    int minimum = 0;
    int maximum = 0;
    int small_step = 0;
    int large_step = 0;
};

inline constexpr int No_Page = -1;

struct TDialog_Control {
    std::string_view name;
    TControl_Kind kind = TControl_Kind::Label;
    std::string_view caption;  // '&' marks the access key, "&&" is an ampersand
    std::string_view hint;     // shown when the mouse rests on the control; read out as its description
    // Relative to `container`, else to the page (the notebook's page area), else to the dialog's client area.
    TControl_Place place;
    int page = No_Page;           // the notebook page the control stands on; No_Page: the dialog itself
    std::string_view container;   // the group box whose area `place` is relative to, if any
    std::string_view group;       // a radio button: the group box of its radio group
    int tab_order = 0;            // 1, 2, ... among the tab stops of its page (or of the dialog); 0: none
    TSetting_Field field;
    std::string_view buddy;       // a label: the control it stands for; its access key moves there
    std::string_view accessible_name;  // only where neither a caption nor a label names the control
    TValue_Range range;
    TGlyph glyph = TGlyph::None;
    TDialog_Command command = TDialog_Command::None;
    bool is_default = false;      // the button Enter presses, from any control
    bool bold = false;
    bool read_only = false;       // shown greyed, yet reachable with Tab so that it can be read out
    bool right_aligned = false;
};

struct TDialog_Position {
    int left = 0;
    int top = 0;
};

// Rows are in creation order, which is the tab order: a front end that
// creates the controls in turn gets the documented order of the Tab key in
// Qt's focus chain and in Windows' z-order alike. A group box comes before
// what it holds, and a label just before or after the control it names.
struct TDialog_Table {
    std::string_view name;
    std::string_view caption;
    int client_width = 0;
    int client_height = 0;
    int design_dpi = 96;                      // the places are scaled from this to the screen's
    std::optional<TDialog_Position> position; // on the screen; none: the platform chooses
    std::span<const std::string_view> pages;  // the notebook's page captions, in order
    std::span<const TDialog_Control> controls;
};

// The control named `name`, or nullptr.
const TDialog_Control* Find_Control(const TDialog_Table& table, std::string_view name);

// The control's place relative to its page, or to the dialog's client area
// for a control on no page: its own place plus its container's.
TControl_Place Place_On_Page(const TDialog_Table& table, const TDialog_Control& control);

// A designed length on a screen of `screen_dpi`, rounded to the nearest pixel.
int Scaled(int design, int design_dpi, int screen_dpi);
TControl_Place Scaled(const TControl_Place& place, int design_dpi, int screen_dpi);

// The access key of a caption, in lower case, or '\0' for none.
char Access_Key(std::string_view caption);

// The caption as shown, without the access key's mark.
std::string Plain_Caption(std::string_view caption);

// What a screen reader calls the control: its caption, else the label that
// stands for it (without the colon), else its container's caption.
std::string Accessible_Name(const TDialog_Table& table, const TDialog_Control& control);

// A radio button or check box set to `checked`: a check box writes its field;
// a radio button, when checked, selects its field and clears the other
// fields of its radio group, as the buttons themselves clear one another.
void Set_Option(ClockSettings& settings, const TDialog_Table& table, const TDialog_Control& control, bool checked);
