#include "win32/Dialog.h"

#include <algorithm>
#include <utility>

#include "win32/Win32_Application.h"
#include "win32/Win32_Handle_Watcher.h"

HFONT Create_Font(const wchar_t* face, int points, bool bold, UINT dpi)
{
    const int height = points > 0 ? -MulDiv(points, static_cast<int>(dpi), 72)
                                   : -MulDiv(-points, static_cast<int>(dpi), 96);
    return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

TDialog::TDialog(std::wstring caption, int client_width, int client_height, int design_dpi)
    : caption_(std::move(caption)), client_width_(client_width), client_height_(client_height), design_dpi_(design_dpi)
{
}

TDialog::~TDialog()
{
    for (HFONT font : fonts_)
        DeleteObject(font);
}

INT_PTR TDialog::Show_Modal(HWND owner)
{
    // DLGTEMPLATE, then no menu, the standard class and the caption, all in
    // WORDs; no DS_SETFONT, since every control gets its font from us.
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    header->dwExtendedStyle = WS_EX_CONTROLPARENT;
    words.push_back(0);
    words.push_back(0);
    for (wchar_t character : caption_)
        words.push_back(static_cast<WORD>(character));
    words.push_back(0);
    words.push_back(0);  // keeps the template's end DWORD-aligned

    // Modal to its owner, with a message loop of its own, so that keys such
    // as Ctrl+Tab reach the dialog before the dialog manager takes them.
    const bool owner_was_enabled = owner != nullptr && IsWindowEnabled(owner);
    if (owner_was_enabled)
        EnableWindow(owner, FALSE);
    ended_ = false;
    result_ = IDCANCEL;
    CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()), owner,
                               Dialog_Procedure, reinterpret_cast<LPARAM>(this));
    if (window_ != nullptr && !ended_) {
        ShowWindow(window_, SW_SHOW);
        TOwn_Message_Loop loop;
        MSG message;
        while (!ended_) {
            if (!loop.Get_Message(message)) {
                // The program is ending: the outer loop gets the request too.
                PostQuitMessage(static_cast<int>(message.wParam));
                break;
            }
            if (Pre_Translate(message) || IsDialogMessageW(window_, &message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // The owner first, so that it is the window activated when the dialog goes.
    if (owner_was_enabled)
        EnableWindow(owner, TRUE);
    if (window_ != nullptr)
        DestroyWindow(window_);
    for (HFONT font : fonts_)
        DeleteObject(font);
    fonts_.clear();
    dialog_font_ = nullptr;
    window_ = nullptr;
    return result_;
}

bool TDialog::Pre_Translate(MSG&)
{
    return false;
}

INT_PTR CALLBACK TDialog::Dialog_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, l_param);
        reinterpret_cast<TDialog*>(l_param)->window_ = window;
    }
    Note_Foreign_Message_Loop(message);
    auto* dialog = reinterpret_cast<TDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (dialog == nullptr)
        return FALSE;
    INT_PTR answer = FALSE;
    Run_Guarded([&] { answer = dialog->Handle_Message(message, w_param, l_param); });
    return answer;
}

INT_PTR TDialog::Handle_Message(UINT message, WPARAM w_param, LPARAM l_param)
{
    switch (message) {
    case WM_INITDIALOG: {
        dpi_ = GetDpiForWindow(window_);
        if (dpi_ == 0)
            dpi_ = 96;
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi_);
        dialog_font_ = Keep_Font(CreateFontIndirectW(&metrics.lfMessageFont));
        Size_And_Place();
        return Create_Controls();
    }
    case WM_COMMAND:
        On_Command(LOWORD(w_param), HIWORD(w_param), reinterpret_cast<HWND>(l_param));
        return TRUE;
    case WM_CLOSE:
        On_Close();
        return TRUE;
    default: {
        bool handled = false;
        const INT_PTR answer = On_Message(message, w_param, l_param, handled);
        return handled ? answer : FALSE;
    }
    }
}

void TDialog::On_Close()
{
    End(IDCANCEL);
}

INT_PTR TDialog::On_Message(UINT, WPARAM, LPARAM, bool&)
{
    return FALSE;
}

POINT TDialog::Position(int frame_width, int frame_height)
{
    RECT owner{};
    const HWND owner_window = GetWindow(window_, GW_OWNER);
    if (owner_window == nullptr || !GetWindowRect(owner_window, &owner))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &owner, 0);
    return {(owner.left + owner.right - frame_width) / 2, (owner.top + owner.bottom - frame_height) / 2};
}

void TDialog::Size_And_Place()
{
    RECT frame{0, 0, Scaled(client_width_), Scaled(client_height_)};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)), dpi_);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const POINT wanted_at = Position(width, height);
    int x = wanted_at.x;
    int y = wanted_at.y;
    // Wholly on the monitor it would mostly be on.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    const RECT wanted{x, y, x + width, y + height};
    if (GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const TRect work{monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right - monitor.rcWork.left,
                         monitor.rcWork.bottom - monitor.rcWork.top};
        if (width <= work.width && height <= work.height) {
            x = std::max(work.left, std::min(x, work.left + work.width - width));
            y = std::max(work.top, std::min(y, work.top + work.height - height));
        }
    }
    SetWindowPos(window_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND TDialog::Add_Control(const wchar_t* class_name, const std::wstring& text, DWORD style, const TRect& design,
                          int id, HFONT font, DWORD extended_style)
{
    const HWND control = CreateWindowExW(extended_style, class_name, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                                         Scaled(design.left), Scaled(design.top), Scaled(design.width),
                                         Scaled(design.height), window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                         GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font != nullptr ? font : dialog_font_), FALSE);
    return control;
}

int TDialog::Scaled(int design_pixels) const
{
    return MulDiv(design_pixels, static_cast<int>(dpi_), design_dpi_);
}

HFONT TDialog::Keep_Font(HFONT font)
{
    fonts_.push_back(font);
    return font;
}

void TDialog::End(INT_PTR result)
{
    result_ = result;
    ended_ = true;
    // Wakes the loop should it be waiting.
    PostMessageW(window_, WM_NULL, 0, 0);
}
