#pragma once
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

// Drives the real horavox.exe from outside, as an automation tool would:
// its windows are found by class, caption and process, and worked with
// messages.

// The horavox.exe under test, named on the command line.
extern std::wstring Clock_Executable;

using namespace std::chrono_literals;

// Waits until `condition` holds, letting this thread's messages run; false on timeout.
bool Wait_Until(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);

std::wstring Window_Text(HWND window);
// A top-level window of `process` with this class (and caption, unless empty).
HWND Find_Process_Window(DWORD process, const wchar_t* class_name, const std::wstring& caption = L"");
// The texts of a dialog's static controls, joined by line breaks (a message box's message).
std::wstring Static_Texts(HWND dialog);
HWND Find_Child(HWND parent, const wchar_t* class_name, const std::wstring& text);
// Clicks a button as a user would, without waiting for what the click opens.
void Click(HWND button);

// The line `key=...` of a settings file's text; "<missing>" when it has none.
std::string Settings_Line(const std::string& settings, const std::string& key);
// The data of a value of the log-on list as another program, reg.exe, reads it; empty when missing.
std::wstring Run_Value(const std::wstring& name);
// Starts a program and waits for it to end; its exit code.
DWORD Run_Program(const std::wstring& executable, const std::wstring& arguments,
                  std::chrono::milliseconds timeout = 60s);

// A copy of the clock in a program directory of its own, so that its
// settings file lies beside it; started and stopped by the test.
class TClock_Copy {
public:
    TClock_Copy();
    // The clock under test where it lies (an installed or unpacked copy),
    // neither copied nor removed.
    struct TIn_Place {};
    explicit TClock_Copy(TIn_Place);
    ~TClock_Copy();
    TClock_Copy(const TClock_Copy&) = delete;
    TClock_Copy& operator=(const TClock_Copy&) = delete;

    const std::filesystem::path& Directory() const { return directory_; }
    std::filesystem::path Settings_Path() const { return directory_ / "vocahora.ini"; }
    void Write_Settings(const std::string& text) const;
    // The default voice and the readme, from beside the clock under test.
    void Copy_Voice() const;
    std::string Read_Settings() const;

    // Starts the clock and waits for its window; Main() is that window.
    void Start(const std::wstring& arguments = L"");
    // Starts another process of the same copy and waits for it to end; its exit code.
    DWORD Run_To_End(const std::wstring& arguments, std::chrono::milliseconds timeout = 10s);
    HWND Main() const { return main_; }
    DWORD Process_Id() const { return process_id_; }
    HWND Face() const;
    // The face's text once a tick has shown a time.
    std::wstring Ticked_Face() const;
    // Sends a menu command (without waiting for a dialog it opens).
    void Command(int command_id) const;
    // The dialog or box of the clock with this caption, once it shows.
    HWND Wait_For_Dialog(const std::wstring& caption) const;
    bool Has_Ended(std::chrono::milliseconds timeout = 10s) const;
    // Closes the window as the close box does and waits for the process to end.
    void Close();

private:
    std::filesystem::path directory_;
    bool in_place_ = false;
    HANDLE process_ = nullptr;
    DWORD process_id_ = 0;
    HWND main_ = nullptr;
};
