#include "win32/Message_Relay.h"

#include <utility>

#include "win32/Win32_Application.h"

namespace {

constexpr UINT Relay_Message = WM_APP + 1;
constexpr wchar_t Relay_Class[] = L"Horavox_Message_Relay";

}  // namespace

TMessage_Relay::TMessage_Relay(std::function<void(WPARAM)> on_message) : on_message_(std::move(on_message))
{
    static const bool registered = [] {
        WNDCLASSW relay{};
        relay.lpfnWndProc = Relay_Procedure;
        relay.hInstance = GetModuleHandleW(nullptr);
        relay.lpszClassName = Relay_Class;
        return RegisterClassW(&relay) != 0;
    }();
    (void)registered;
    window_ = CreateWindowExW(0, Relay_Class, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                              nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TMessage_Relay::~TMessage_Relay()
{
    DestroyWindow(window_);
}

bool TMessage_Relay::Post(WPARAM value) const
{
    return PostMessageW(window_, Relay_Message, value, 0) != FALSE;
}

LRESULT CALLBACK TMessage_Relay::Relay_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    if (message != Relay_Message)
        return DefWindowProcW(window, message, w_param, l_param);
    if (auto* relay = reinterpret_cast<TMessage_Relay*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
        Run_Guarded([&] { relay->on_message_(w_param); });
    return 0;
}
