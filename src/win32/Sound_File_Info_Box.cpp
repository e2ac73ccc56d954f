#include "win32/Sound_File_Info_Box.h"

#include <algorithm>

#include <commctrl.h>

#include "clock/Main_Form_Design.h"
#include "win32/Win32_Text.h"

TSound_File_Info_Box::TSound_File_Info_Box()
    : TDialog(Widen(Sound_File_Info_Caption), Sound_File_Info_Width, Sound_File_Info_Height)
{
}

BOOL TSound_File_Info_Box::Create_Controls()
{
    // The system font, 13 pixels high, and a bold sans-serif OK button.
    const HFONT text_font = Keep_Font(Create_Font(L"System", -13, true, Dpi()));
    const HFONT button_font = Keep_Font(Create_Font(L"MS Sans Serif", -11, true, Dpi()));
    const HDC screen = GetDC(Handle());
    const HGDIOBJ previous = SelectObject(screen, text_font);
    // The text's size in design pixels, whatever face the system gives.
    const auto design_extent = [&](const std::wstring& text) {
        SIZE extent{};
        GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &extent);
        return SIZE{MulDiv(extent.cx, 96, static_cast<int>(Dpi())) + 2, MulDiv(extent.cy, 96, static_cast<int>(Dpi())) + 1};
    };
    // The heading stays centred where it was designed, widened when the font is wider than the design's.
    const std::wstring heading = Widen(Sound_File_Info_Heading);
    TRect heading_box = Sound_File_Info_Heading_Geometry;
    const int heading_width = std::min(static_cast<int>(design_extent(heading).cx), Sound_File_Info_Width);
    if (heading_width > heading_box.width) {
        heading_box.left = std::max(0, heading_box.left - (heading_width - heading_box.width) / 2);
        heading_box.width = heading_width;
    }
    Add_Control(WC_STATICW, heading, SS_CENTER | SS_NOPREFIX, heading_box, -1, text_font);
    for (const TInfo_Line& line : Sound_File_Info_Lines) {
        // As wide as its text.
        const std::wstring text = Widen(line.text);
        const SIZE extent = design_extent(text);
        Add_Control(WC_STATICW, text, SS_LEFT | SS_NOPREFIX, {line.left, line.top, static_cast<int>(extent.cx),
                    static_cast<int>(extent.cy)}, -1, text_font);
    }
    SelectObject(screen, previous);
    ReleaseDC(Handle(), screen);
    const HWND ok = Add_Control(WC_BUTTONW, L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, Sound_File_Info_OK_Geometry, IDOK,
                                button_font);
    SetFocus(ok);
    return FALSE;
}

void TSound_File_Info_Box::On_Command(int id, int, HWND)
{
    if (id == IDOK || id == IDCANCEL)
        End(id);
}

POINT TSound_File_Info_Box::Position(int frame_width, int frame_height)
{
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {(work.left + work.right - frame_width) / 2, (work.top + work.bottom - frame_height) / 2};
}
