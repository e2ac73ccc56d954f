#pragma once
#include <exception>
#include <stdexcept>
#include <string>

#include <windows.h>

// The application's title and its top-level error handler: an exception that
// no handler caught is shown in an error box whose caption is the title, and
// the program goes on with its next message. No exception may cross a window
// procedure back into the system, so each one runs its handlers through
// Run_Guarded.

void Set_Application_Title(const std::string& title);
const std::string& Application_Title_Now();

void Show_Unhandled_Error(const std::exception& error);

template <class THandler>
void Run_Guarded(THandler&& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        Show_Unhandled_Error(error);
    } catch (...) {
        Show_Unhandled_Error(std::runtime_error("Unknown error"));
    }
}

// The modal message boxes of the program, over the thread's active window.
void Show_Message_Box(const std::string& text, const std::string& caption, UINT type);

// Lets the messages that wait run (ticks, clicks, sound notices), as a
// message loop would; a quit request is left for the outer loop.
void Process_Pending_Messages();

// Runs messages until the quit request; returns its exit code.
int Run_Message_Loop();

// A message-only window of the class `class_name` (registered on first use)
// whose procedure finds `owner` in GWLP_USERDATA: how work from other
// threads and timers reaches this thread's message loop.
HWND Create_Message_Window(const wchar_t* class_name, WNDPROC procedure, void* owner);

// The program's own icon, or the system's application icon where it has none.
HICON Program_Icon();
