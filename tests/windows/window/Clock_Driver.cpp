#include "Clock_Driver.h"

#include <fstream>
#include <iterator>
#include <thread>

#include <gtest/gtest.h>

#include "win32/Main_Form_Ids.h"

std::wstring Clock_Executable;

bool Wait_Until(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        std::this_thread::sleep_for(20ms);
    }
}

std::wstring Window_Text(HWND window)
{
    wchar_t text[1024] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return text;
}

namespace {

struct TSearch {
    DWORD process;
    const wchar_t* class_name;
    std::wstring caption;
    HWND found = nullptr;
};

BOOL CALLBACK Match_Window(HWND window, LPARAM search_address)
{
    auto& search = *reinterpret_cast<TSearch*>(search_address);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t class_name[256] = L"";
    GetClassNameW(window, class_name, 256);
    if (owner == search.process && IsWindowVisible(window) && std::wstring(class_name) == search.class_name &&
        (search.caption.empty() || Window_Text(window) == search.caption)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

struct TTexts {
    std::wstring joined;
};

BOOL CALLBACK Add_Static_Text(HWND window, LPARAM texts_address)
{
    wchar_t class_name[64] = L"";
    GetClassNameW(window, class_name, 64);
    if (_wcsicmp(class_name, L"Static") == 0) {
        const std::wstring text = Window_Text(window);
        if (!text.empty()) {
            auto& texts = *reinterpret_cast<TTexts*>(texts_address);
            texts.joined += (texts.joined.empty() ? L"" : L"\n") + text;
        }
    }
    return TRUE;
}

std::filesystem::path Fresh_Directory()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int count = 0;
    const std::filesystem::path directory = std::filesystem::path(temp) /
        ("horavox-window-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count));
    std::filesystem::create_directories(directory);
    return directory;
}

}  // namespace

HWND Find_Process_Window(DWORD process, const wchar_t* class_name, const std::wstring& caption)
{
    TSearch search{process, class_name, caption};
    EnumWindows(Match_Window, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring Static_Texts(HWND dialog)
{
    TTexts texts;
    EnumChildWindows(dialog, Add_Static_Text, reinterpret_cast<LPARAM>(&texts));
    return texts.joined;
}

HWND Find_Child(HWND parent, const wchar_t* class_name, const std::wstring& text)
{
    return FindWindowExW(parent, nullptr, class_name, text.c_str());
}

void Click(HWND button)
{
    PostMessageW(button, BM_CLICK, 0, 0);
}

TClock_Copy::TClock_Copy() : directory_(Fresh_Directory())
{
    std::filesystem::copy_file(Clock_Executable, directory_ / "horavox.exe");
}

TClock_Copy::TClock_Copy(TIn_Place)
    : directory_(std::filesystem::path(Clock_Executable).parent_path()), in_place_(true)
{
}

TClock_Copy::~TClock_Copy()
{
    if (process_ != nullptr) {
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
        CloseHandle(process_);
    }
    std::error_code error;
    if (!in_place_)
        std::filesystem::remove_all(directory_, error);
}

void TClock_Copy::Write_Settings(const std::string& text) const
{
    std::ofstream(Settings_Path(), std::ios::binary) << text;
}

void TClock_Copy::Copy_Voice() const
{
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(Clock_Executable).parent_path())) {
        const std::wstring extension = entry.path().extension().wstring();
        if (_wcsicmp(extension.c_str(), L".wav") == 0 || _wcsicmp(extension.c_str(), L".txt") == 0)
            std::filesystem::copy_file(entry.path(), directory_ / entry.path().filename());
    }
}

std::string TClock_Copy::Read_Settings() const
{
    std::ifstream file(Settings_Path(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

namespace {

HANDLE Start_Process(const std::filesystem::path& executable, const std::wstring& arguments, DWORD& process_id)
{
    std::wstring command_line = L"\"" + executable.wstring() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(executable.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        executable.parent_path().c_str(), &startup, &started))
        return nullptr;
    CloseHandle(started.hThread);
    process_id = started.dwProcessId;
    return started.hProcess;
}

}  // namespace

void TClock_Copy::Start(const std::wstring& arguments)
{
    process_ = Start_Process(directory_ / "horavox.exe", arguments, process_id_);
    ASSERT_NE(process_, nullptr) << "horavox.exe did not start";
    ASSERT_TRUE(Wait_Until([&] { return (main_ = Find_Process_Window(process_id_, Main_Form_Class)) != nullptr; }))
        << "no clock window";
}

DWORD TClock_Copy::Run_To_End(const std::wstring& arguments, std::chrono::milliseconds timeout)
{
    return Run_Program(directory_ / "horavox.exe", arguments, timeout);
}

DWORD Run_Program(const std::wstring& executable, const std::wstring& arguments, std::chrono::milliseconds timeout)
{
    DWORD id = 0;
    const HANDLE other = Start_Process(executable, arguments, id);
    if (other == nullptr)
        return static_cast<DWORD>(-1);
    DWORD exit_code = static_cast<DWORD>(-2);
    if (WaitForSingleObject(other, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0)
        GetExitCodeProcess(other, &exit_code);
    else
        TerminateProcess(other, 1);
    CloseHandle(other);
    return exit_code;
}

HWND TClock_Copy::Face() const
{
    return GetDlgItem(main_, Time_Label_Id);
}

std::wstring TClock_Copy::Ticked_Face() const
{
    std::wstring text;
    Wait_Until([&] { return (text = Window_Text(Face())) != L"...."; });
    return text;
}

void TClock_Copy::Command(int command_id) const
{
    PostMessageW(main_, WM_COMMAND, static_cast<WPARAM>(command_id), 0);
}

HWND TClock_Copy::Wait_For_Dialog(const std::wstring& caption) const
{
    HWND dialog = nullptr;
    Wait_Until([&] { return (dialog = Find_Process_Window(process_id_, L"#32770", caption)) != nullptr; });
    return dialog;
}

bool TClock_Copy::Has_Ended(std::chrono::milliseconds timeout) const
{
    return WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

void TClock_Copy::Close()
{
    PostMessageW(main_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Has_Ended()) << "the clock did not end";
}

std::string Settings_Line(const std::string& settings, const std::string& key)
{
    const auto at = settings.find("\n" + key + "=");
    if (at == std::string::npos)
        return "<missing>";
    const auto start = at + key.size() + 2;
    return settings.substr(start, settings.find_first_of("\r\n", start) - start);
}

std::wstring Run_Value(const std::wstring& name)
{
    const std::wstring command =
        L"reg query \"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\" /v \"" + name + L"\" 2>nul";
    FILE* pipe = _wpopen(command.c_str(), L"r");
    if (pipe == nullptr)
        return L"<no reg>";
    std::wstring output;
    wchar_t line[1024];
    while (fgetws(line, 1024, pipe) != nullptr)
        output += line;
    _pclose(pipe);
    const std::wstring marker = name + L"    REG_SZ    ";
    const auto at = output.find(marker);
    if (at == std::wstring::npos)
        return L"";
    const auto start = at + marker.size();
    return output.substr(start, output.find_first_of(L"\r\n", start) - start);
}
