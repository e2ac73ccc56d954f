#include "win32/Task_Bar_Window.h"

#include "win32/Win32_Application.h"

namespace {

constexpr wchar_t Task_Bar_Window_Class[] = L"Horavox_Application";

void Register_Class(WNDPROC procedure)
{
    static const bool registered = [procedure] {
        WNDCLASSEXW window_class{};
        window_class.cbSize = sizeof window_class;
        window_class.lpfnWndProc = procedure;
        window_class.hInstance = GetModuleHandleW(nullptr);
        // The task bar and Alt+Tab show this window's icon.
        window_class.hIcon = Program_Icon();
        window_class.lpszClassName = Task_Bar_Window_Class;
        return RegisterClassExW(&window_class) != 0;
    }();
    (void)registered;
}

}  // namespace

TTask_Bar_Window::TTask_Bar_Window(const std::wstring& title) : title_(title)
{
    Register_Class(Procedure);
    // A window manager on X lists only windows that Wine manages, which an
    // application window is.
    window_ = CreateWindowExW(WS_EX_APPWINDOW, Task_Bar_Window_Class, title.c_str(),
                              WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, GetSystemMetrics(SM_CXSCREEN) / 2,
                              GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr),
                              this);
}

TTask_Bar_Window::~TTask_Bar_Window()
{
    if (IsWindow(window_))
        DestroyWindow(window_);
}

void TTask_Bar_Window::Set_Title(const std::wstring& title)
{
    if (title == title_)
        return;
    title_ = title;
    SetWindowTextW(window_, title.c_str());
}

void TTask_Bar_Window::Show(bool minimized)
{
    ShowWindow(window_, minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNA);
}

bool TTask_Bar_Window::Is_Minimized() const
{
    return IsIconic(window_) != FALSE;
}

// The main window is hidden and shown again here rather than left to the
// system, which does so for owned windows on Windows but not under Wine.
void TTask_Bar_Window::Minimize()
{
    if (main_ != nullptr)
        ShowWindow(main_, SW_HIDE);
    ShowWindow(window_, SW_MINIMIZE);
}

void TTask_Bar_Window::Restore()
{
    if (Is_Minimized())
        ShowWindow(window_, SW_RESTORE);
    if (main_ != nullptr)
        ShowWindow(main_, SW_SHOW);
    Activate_Main_Window();
}

// The main window, or the dialog open over it.
void TTask_Bar_Window::Activate_Main_Window() const
{
    if (main_ == nullptr || !IsWindowVisible(main_))
        return;
    const HWND last = GetLastActivePopup(main_);
    SetActiveWindow(last != nullptr && IsWindowVisible(last) && IsWindowEnabled(last) ? last : main_);
}

LRESULT CALLBACK TTask_Bar_Window::Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TTask_Bar_Window*>(reinterpret_cast<CREATESTRUCTW*>(l_param)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TTask_Bar_Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, w_param, l_param);
    return self->Handle_Message(message, w_param, l_param);
}

LRESULT TTask_Bar_Window::Handle_Message(UINT message, WPARAM w_param, LPARAM l_param)
{
    switch (message) {
    // Chosen on the task bar or with Alt+Tab: the user means the clock.
    case WM_ACTIVATE:
        if (LOWORD(w_param) != WA_INACTIVE && HIWORD(w_param) == 0) {
            Activate_Main_Window();
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        if ((w_param & 0xFFF0) == SC_RESTORE) {
            Restore();
            return 0;
        }
        break;
    // The task bar's Close closes the clock as its close box does.
    case WM_CLOSE:
        if (main_ != nullptr)
            PostMessageW(main_, WM_CLOSE, 0, 0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, w_param, l_param);
}
