#include "win32/Win32_Application.h"

#include "clock/Error_Text.h"
#include "clock/Main_Form_Design.h"
#include "win32/Win32_Handle_Watcher.h"
#include "win32/Win32_Text.h"

namespace {

std::string& Title()
{
    static std::string title = Product_Name;
    return title;
}

TOpen_Error_Boxes& Open_Error_Boxes()
{
    static TOpen_Error_Boxes boxes;
    return boxes;
}

}  // namespace

void Set_Application_Title(const std::string& title)
{
    Title() = title;
}

const std::string& Application_Title_Now()
{
    return Title();
}

void Show_Unhandled_Error(const std::exception& error)
{
    const std::string text = Unhandled_Error_Text(error);
    Open_Error_Boxes().Show_Once(text, [&] { Show_Message_Box(text, Title(), MB_OK | MB_ICONERROR); });
}

void Show_Message_Box(const std::string& text, const std::string& caption, UINT type)
{
    const TForeign_Message_Loop box;
    MessageBoxW(GetActiveWindow(), Widen(text).c_str(), Widen(caption).c_str(), type);
}

void Process_Pending_Messages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int Run_Message_Loop()
{
    TOwn_Message_Loop loop;
    MSG message;
    while (loop.Get_Message(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

HICON Program_Icon()
{
    const HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    return icon != nullptr ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

HWND Create_Message_Window(const wchar_t* class_name, WNDPROC procedure, void* owner)
{
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = class_name;
    // A second registration of the same class fails harmlessly.
    RegisterClassW(&window_class);
    const HWND window = CreateWindowExW(0, class_name, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return window;
}
