#include <algorithm>
#include <vector>

#include "clock/Layout_Scaling.h"
#include "win32/TMainForm1.h"
#include "win32/Win32_Text.h"

namespace {

struct TComponent {
    HWND control;  // none for a non-visual component
    const char* name;
};

// The window's components in ownership order.
std::vector<TComponent> Owned_Components(const TMainForm1& form)
{
    return {{form.Say_Time_Now_SpeedButton, "Say_Time_Now_SpeedButton"},
            {form.Time_Label, "Time_Label"},
            {form.Scaling_ListBox, "Scaling_ListBox"},
            {form.Share_Sound_Crd_CheckBox, "Share_Sound_Crd_CheckBox"},
            {nullptr, "MainMenu1"},
            {nullptr, "Timer1"}};
}

// The hidden controls keep the dialog font of 8 points.
constexpr int Control_Font_Points = 8;

std::string List_Line(HWND list, int index)
{
    const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return Narrow(text);
}

void Add_List_Line(HWND list, const std::string& line)
{
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(line).c_str()));
}

}  // namespace

void TMainForm1::FormResize()
{
    Scale_Layout();
}

void TMainForm1::Record_Base_Layout()
{
    if (SendMessageW(Scaling_ListBox, LB_GETCOUNT, 0, 0) > 0)
        return;
    const SIZE client = Client_Size();
    Add_List_Line(Scaling_ListBox, Base_Layout_Header(client.cx, client.cy));
    for (const TComponent& component : Owned_Components(*this)) {
        if (component.control == nullptr) {
            Add_List_Line(Scaling_ListBox, Non_Visual_Layout_Line);
            continue;
        }
        RECT box{};
        GetWindowRect(component.control, &box);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&box), 2);
        const int points = component.control == Time_Label ? face_font_points_ : Control_Font_Points;
        const Control_Layout layout{box.left, box.right - box.left, box.top, box.bottom - box.top, points,
                                    component.name};
        Add_List_Line(Scaling_ListBox, Base_Layout_Line(layout));
    }
}

void TMainForm1::Scale_Layout()
{
    if (SendMessageW(Scaling_ListBox, LB_GETCOUNT, 0, 0) <= 0)
        return;
    const SIZE client = Client_Size();
    // A minimised window has no client area to scale to.
    if (client.cx <= 0 || client.cy <= 0)
        return;
    const Scale_Ratios ratios = Compute_Scale_Ratios(List_Line(Scaling_ListBox, 0), client.cx, client.cy);
    const std::vector<TComponent> components = Owned_Components(*this);
    for (std::size_t index = 0; index < components.size(); ++index) {
        const auto line = Scale_Line(List_Line(Scaling_ListBox, static_cast<int>(index) + 1), ratios);
        if (!line || components[index].control == nullptr)
            continue;
        MoveWindow(components[index].control, line->left, line->top, line->width, line->height, TRUE);
        // Only the face shows text; a font cannot shrink to nothing.
        if (components[index].control == Time_Label)
            Set_Face_Font(std::max(line->font_points, 1));
    }
    InvalidateRect(Time_Label, nullptr, FALSE);
}
