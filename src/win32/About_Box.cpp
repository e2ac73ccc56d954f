#include "win32/About_Box.h"

#include <utility>

#include <commctrl.h>

#include "clock/Main_Form_Design.h"
#include "win32/Win32_Application.h"
#include "win32/Win32_Text.h"

namespace {

constexpr int About_Width = 300;
constexpr int About_Height = 150;

}  // namespace

TAboutBox::TAboutBox(std::string version, std::shared_ptr<const TClock_Source> clock,
                     std::shared_ptr<TSeeded_Random> random)
    : TDialog(Widen(About_Caption), About_Width, About_Height)
    , version_(std::move(version))
    , clock_(std::move(clock))
    , random_(std::move(random))
{
}

BOOL TAboutBox::Create_Controls()
{
    random_->Seed(Seed_From_Clock(*clock_));
    const HWND icon = Add_Control(WC_STATICW, L"", SS_ICON, {20, 20, 32, 32}, -1);
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(Program_Icon()), 0);
    const HFONT heading = Keep_Font(Create_Font(L"Segoe UI", 12, true, Dpi()));
    Add_Control(WC_STATICW, Widen(Product_Name), SS_LEFT | SS_NOPREFIX, {68, 18, 212, 26}, -1, heading);
    Add_Control(WC_STATICW, L"Version " + Widen(version_), SS_LEFT | SS_NOPREFIX, {68, 46, 212, 18}, -1);
    Add_Control(WC_STATICW, Widen(About_Description), SS_LEFT | SS_NOPREFIX, {68, 66, 212, 18}, -1);
    const HWND ok = Add_Control(WC_BUTTONW, L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, {106, 106, 88, 28}, IDOK);
    SetFocus(ok);
    return FALSE;
}

void TAboutBox::On_Command(int id, int, HWND)
{
    if (id == IDOK || id == IDCANCEL)
        End(id);
}
