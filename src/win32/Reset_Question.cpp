#include "win32/Reset_Question.h"

#include <algorithm>

#include <commctrl.h>

#include "clock/Main_Form_Design.h"
#include "win32/Dialog.h"
#include "win32/Win32_Text.h"

namespace {

constexpr int Width = 380;
constexpr int Text_Left = 64;
constexpr int Text_Width = Width - Text_Left - 16;
constexpr int Button_Width = 88;
constexpr int Button_Height = 26;

class TReset_Question final : public TDialog {
public:
    TReset_Question() : TDialog(L"Warning", Width, 0) {}

    TReset_Answer Answer = TReset_Answer::Closed;

protected:
    BOOL Create_Controls() override
    {
        const std::wstring text = Widen(Reset_Question);
        // As tall as the text needs at this DPI.
        RECT measured{0, 0, Scaled(Text_Width), 0};
        const HDC screen = GetDC(Handle());
        const HGDIOBJ previous = SelectObject(screen, dialog_font_);
        DrawTextW(screen, text.c_str(), -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(screen, previous);
        ReleaseDC(Handle(), screen);
        const int text_height = MulDiv(measured.bottom, 96, static_cast<int>(Dpi())) + 1;

        const HWND icon = Add_Control(WC_STATICW, L"", SS_ICON, {20, 20, 32, 32}, -1);
        SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_WARNING)), 0);
        Add_Control(WC_STATICW, text, SS_LEFT | SS_NOPREFIX, {Text_Left, 20, Text_Width, text_height}, -1);
        const int buttons_top = 20 + std::max(text_height, 32) + 20;
        const HWND yes = Add_Control(WC_BUTTONW, L"&Yes", WS_TABSTOP | BS_DEFPUSHBUTTON,
                                     {Width - 2 * Button_Width - 24, buttons_top, Button_Width, Button_Height}, IDYES);
        Add_Control(WC_BUTTONW, L"&No", WS_TABSTOP | BS_PUSHBUTTON,
                    {Width - Button_Width - 16, buttons_top, Button_Width, Button_Height}, IDNO);
        Resize_Client(buttons_top + Button_Height + 14);
        MessageBeep(MB_ICONWARNING);
        SetFocus(yes);
        return FALSE;
    }

    void On_Command(int id, int, HWND) override
    {
        if (id == IDYES || id == IDOK)
            Finish(TReset_Answer::Yes);
        else if (id == IDNO || id == IDCANCEL)  // Esc
            Finish(TReset_Answer::No);
    }

    void On_Close() override { Finish(TReset_Answer::Closed); }

private:
    void Finish(TReset_Answer answer)
    {
        Answer = answer;
        End(IDOK);
    }

    void Resize_Client(int design_height)
    {
        RECT frame{0, 0, Scaled(Width), Scaled(design_height)};
        AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                                 static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)), Dpi());
        RECT now{};
        GetWindowRect(Handle(), &now);
        const int height = frame.bottom - frame.top;
        SetWindowPos(Handle(), nullptr, now.left, now.top - height / 2, frame.right - frame.left, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
};

}  // namespace

TReset_Answer Ask_Reset_Question(HWND owner)
{
    TReset_Question question;
    question.Show_Modal(owner);
    return question.Answer;
}
