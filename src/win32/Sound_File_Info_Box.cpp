#include "win32/Sound_File_Info_Box.h"

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
    Add_Control(WC_STATICW, Widen(Sound_File_Info_Heading), SS_CENTER | SS_NOPREFIX, Sound_File_Info_Heading_Geometry,
                -1, text_font);
    const HDC screen = GetDC(Handle());
    const HGDIOBJ previous = SelectObject(screen, text_font);
    for (const TInfo_Line& line : Sound_File_Info_Lines) {
        // As wide as its text.
        const std::wstring text = Widen(line.text);
        SIZE extent{};
        GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &extent);
        const int width = MulDiv(extent.cx, 96, static_cast<int>(Dpi())) + 2;
        const int height = MulDiv(extent.cy, 96, static_cast<int>(Dpi())) + 1;
        Add_Control(WC_STATICW, text, SS_LEFT | SS_NOPREFIX, {line.left, line.top, width, height}, -1, text_font);
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
