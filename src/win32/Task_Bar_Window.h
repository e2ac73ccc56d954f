#pragma once
#include <string>

#include <windows.h>

// The window that owns the program's task-bar button, as the application
// window of a classic Windows program does: its text is the application's
// title, which ticks with the clock face, while the main window, owned by it,
// keeps the product name as its caption. It has no size and no caption of its
// own, so a new title repaints nothing. Minimising it hides the main window
// with it; activating it activates the main window instead.
class TTask_Bar_Window {
public:
    explicit TTask_Bar_Window(const std::wstring& title);
    ~TTask_Bar_Window();
    TTask_Bar_Window(const TTask_Bar_Window&) = delete;
    TTask_Bar_Window& operator=(const TTask_Bar_Window&) = delete;

    HWND Handle() const { return window_; }
    // The window it stands for on the task bar; it owns it.
    void Represent(HWND main_window) { main_ = main_window; }
    void Set_Title(const std::wstring& title);
    // Started minimised, the program shows only its button, and the main
    // window first when the button restores it.
    void Show(bool minimized);
    bool Is_Minimized() const;
    void Minimize();
    void Restore();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
    LRESULT Handle_Message(UINT message, WPARAM w_param, LPARAM l_param);
    void Activate_Main_Window() const;

    HWND window_ = nullptr;
    HWND main_ = nullptr;
    std::wstring title_;
};
