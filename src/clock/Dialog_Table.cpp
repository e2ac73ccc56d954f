#include "clock/Dialog_Table.h"

#include <algorithm>
#include <cctype>

const TDialog_Control* Find_Control(const TDialog_Table& table, std::string_view name)
{
    const auto found = std::find_if(table.controls.begin(), table.controls.end(),
                                    [name](const TDialog_Control& control) { return control.name == name; });
    return found == table.controls.end() ? nullptr : &*found;
}

TControl_Place Place_On_Page(const TDialog_Table& table, const TDialog_Control& control)
{
    TControl_Place place = control.place;
    for (const TDialog_Control* outer = Find_Control(table, control.container); outer != nullptr;
         outer = Find_Control(table, outer->container)) {
        place.left += outer->place.left;
        place.top += outer->place.top;
    }
    return place;
}

int Scaled(int design, int design_dpi, int screen_dpi)
{
    return (design * screen_dpi + design_dpi / 2) / design_dpi;
}

TControl_Place Scaled(const TControl_Place& place, int design_dpi, int screen_dpi)
{
    return {Scaled(place.left, design_dpi, screen_dpi), Scaled(place.top, design_dpi, screen_dpi),
            Scaled(place.width, design_dpi, screen_dpi), Scaled(place.height, design_dpi, screen_dpi)};
}

char Access_Key(std::string_view caption)
{
    for (std::size_t at = 0; at + 1 < caption.size(); ++at) {
        if (caption[at] != '&')
            continue;
        if (caption[at + 1] != '&')
            return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[at + 1])));
        ++at;
    }
    return '\0';
}

std::string Plain_Caption(std::string_view caption)
{
    std::string plain;
    for (std::size_t at = 0; at < caption.size(); ++at) {
        if (caption[at] == '&' && at + 1 < caption.size())
            ++at;
        plain += caption[at];
    }
    return plain;
}

std::string Accessible_Name(const TDialog_Table& table, const TDialog_Control& control)
{
    if (!control.accessible_name.empty())
        return std::string(control.accessible_name);
    if (!control.caption.empty())
        return Plain_Caption(control.caption);
    for (const TDialog_Control& label : table.controls) {
        if (label.kind == TControl_Kind::Label && label.buddy == control.name) {
            std::string name = Plain_Caption(label.caption);
            if (name.ends_with(':'))
                name.pop_back();
            return name;
        }
    }
    if (const TDialog_Control* container = Find_Control(table, control.container))
        return Plain_Caption(container->caption);
    return {};
}

void Set_Option(ClockSettings& settings, const TDialog_Table& table, const TDialog_Control& control, bool checked)
{
    const auto* field = std::get_if<bool ClockSettings::*>(&control.field);
    if (field == nullptr)
        return;
    if (control.kind != TControl_Kind::Radio_Button) {
        settings.*(*field) = checked;
        return;
    }
    // An unchecked radio button leaves its field to the one checked instead.
    if (!checked)
        return;
    for (const TDialog_Control& other : table.controls)
        if (other.kind == TControl_Kind::Radio_Button && other.group == control.group && other.page == control.page)
            if (const auto* other_field = std::get_if<bool ClockSettings::*>(&other.field))
                settings.*(*other_field) = false;
    settings.*(*field) = true;
}
