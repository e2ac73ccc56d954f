#pragma once
#include <functional>

#include <windows.h>

// Carries a value from any thread to the GUI thread that made the relay: a
// message posted to a message-only window, so it arrives in whatever message
// loop runs there, a modal dialog's or a menu's included.
class TMessage_Relay {
public:
    explicit TMessage_Relay(std::function<void(WPARAM)> on_message);
    ~TMessage_Relay();
    TMessage_Relay(const TMessage_Relay&) = delete;
    TMessage_Relay& operator=(const TMessage_Relay&) = delete;

    // From any thread; false when the message could not be posted.
    bool Post(WPARAM value) const;

private:
    static LRESULT CALLBACK Relay_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param);

    HWND window_ = nullptr;
    std::function<void(WPARAM)> on_message_;
};
