#include "win32/Message_Relay.h"

#include <utility>

#include "win32/Win32_Application.h"

namespace {

constexpr UINT Relay_Message = WM_APP + 1;
constexpr wchar_t Relay_Class[] = L"Horavox_Message_Relay";

}  // namespace

TMessage_Relay::TMessage_Relay(std::function<void(WPARAM)> on_message) : on_message_(std::move(on_message))
{
    window_ = Create_Message_Window(Relay_Class, Relay_Procedure, this);
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
