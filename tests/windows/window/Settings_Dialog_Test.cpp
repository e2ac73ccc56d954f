#include <filesystem>
#include <string>

#include "Clock_Driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "clock/Directory_Rows.h"
#include "win32/Main_Form_Ids.h"

namespace {

std::string Settings_Line(const std::string& settings, const std::string& key)
{
    const auto at = settings.find("\n" + key + "=");
    if (at == std::string::npos)
        return "<missing>";
    const auto start = at + key.size() + 2;
    return settings.substr(start, settings.find_first_of("\r\n", start) - start);
}

// The settings dialog, open over the clock; its pages are the tab control's children.
struct TSettings_Dialog {
    HWND window = nullptr;
    HWND notebook = nullptr;

    explicit TSettings_Dialog(const TClock_Copy& clock)
    {
        clock.Command(Command_Id(TMain_Command::Show_Settings));
        window = clock.Wait_For_Dialog(L"Horavox Settings");
        if (window != nullptr)
            notebook = FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr);
    }

    // Turns to `page` as a click on its tab does.
    void Turn_To(int page) const { SendMessageW(notebook, TCM_SETCURFOCUS, static_cast<WPARAM>(page), 0); }
    HWND On_Page(const std::wstring& caption) const { return FindWindowExW(notebook, nullptr, L"Button", caption.c_str()); }
    HWND Button(const std::wstring& caption) const { return FindWindowExW(window, nullptr, L"Button", caption.c_str()); }
};

TEST(Settings_Dialog, A_Choice_Takes_Effect_At_Once_And_Log_Off_Saves_It)
{
    TClock_Copy clock;
    clock.Start();
    const TSettings_Dialog dialog(clock);
    ASSERT_NE(dialog.window, nullptr);
    ASSERT_NE(dialog.notebook, nullptr);
    EXPECT_EQ(SendMessageW(dialog.notebook, TCM_GETITEMCOUNT, 0, 0), 4);
    // It opens on "Talking Frequency" with the hourly default.
    EXPECT_TRUE(IsWindowVisible(dialog.On_Page(L"Say Time Every Hour")));
    EXPECT_EQ(SendMessageW(dialog.On_Page(L"Say Time Every Hour"), BM_GETCHECK, 0, 0), BST_CHECKED);

    // Esc leaves it open.
    PostMessageW(dialog.Button(L"OK"), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(dialog.Button(L"OK"), WM_KEYUP, VK_ESCAPE, 0);
    Sleep(500);
    EXPECT_TRUE(IsWindow(dialog.window)) << "Esc closed the settings";

    dialog.Turn_To(1);
    const HWND twenty_four = dialog.On_Page(L"24 Hour Clock");
    ASSERT_TRUE(Wait_Until([&] { return IsWindowVisible(twenty_four) != FALSE; }));
    SendMessageW(twenty_four, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(dialog.On_Page(L"12 Hour Clock"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    Click(dialog.Button(L"OK"));
    EXPECT_TRUE(Wait_Until([&] { return !IsWindow(dialog.window); }));
    // The face turns 24-hour at once, without waiting for the next second.
    const std::wstring face = Window_Text(clock.Face());
    EXPECT_EQ(face.size(), 8u) << face;
    EXPECT_EQ(face.find(L'M'), std::wstring::npos) << face;

    SendMessageTimeoutW(clock.Main(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, nullptr);
    EXPECT_TRUE(clock.Has_Ended());
    const std::string settings = clock.Read_Settings();
    EXPECT_EQ(Settings_Line(settings, "N24_Hour_Clock_Option"), "1");
    EXPECT_EQ(Settings_Line(settings, "N12_Hour_Clock_Option"), "0");
}

std::string Utf8(const std::filesystem::path& path)
{
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

// The directory chooser, opened by "Dir": Cancel takes nothing, it reopens
// where it was left, a directory that cannot be read is reported while
// nothing moves, and a root gives the drive's root with one backslash. Rows
// are found by where the chooser puts them (Directory_Rows), since a list's
// texts cannot be read from another process.
TEST(Settings_Dialog, The_Chooser_Cancels_Reports_An_Unreadable_Directory_And_Picks_A_Root)
{
    TClock_Copy clock;
    const std::filesystem::path voice = clock.Directory() / "voice";
    std::filesystem::create_directory(voice);
    clock.Start();
    const TSettings_Dialog dialog(clock);
    ASSERT_NE(dialog.window, nullptr);
    dialog.Turn_To(2);
    const HWND dir = dialog.On_Page(L"Dir");
    const HWND edit = FindWindowExW(dialog.notebook, nullptr, L"Edit", nullptr);
    ASSERT_TRUE(Wait_Until([&] { return IsWindowVisible(dir) != FALSE; }));
    const std::wstring before = Window_Text(edit);

    const auto open_chooser = [&] {
        Click(dir);
        return clock.Wait_For_Dialog(L"Choose Sound File (WAV) Directory / Folder :");
    };
    const auto list_of = [](HWND chooser) { return FindWindowExW(chooser, nullptr, L"ListBox", nullptr); };
    const auto rows = [&](HWND chooser) { return SendMessageW(list_of(chooser), LB_GETCOUNT, 0, 0); };
    // Moves as a double click on row `row` does.
    const auto double_click = [&](HWND chooser, std::size_t row) {
        const HWND list = list_of(chooser);
        SendMessageW(list, LB_SETCURSEL, row, 0);
        PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    };

    // Into "voice", then Cancel: nothing is taken.
    HWND chooser = open_chooser();
    ASSERT_NE(chooser, nullptr);
    const auto first_rows = Directory_Rows(Utf8(clock.Directory()), {"voice"});
    ASSERT_EQ(rows(chooser), static_cast<LRESULT>(first_rows.size()));
    double_click(chooser, first_rows.size() - 1);
    const auto voice_rows = Directory_Rows(Utf8(voice), {});
    ASSERT_TRUE(Wait_Until([&] { return rows(chooser) == static_cast<LRESULT>(voice_rows.size()); }));
    Click(FindWindowExW(chooser, nullptr, L"Button", L"Cancel"));
    ASSERT_TRUE(Wait_Until([&] { return !IsWindow(chooser); }));
    EXPECT_EQ(Window_Text(edit), before);

    // Reopened on "voice", which now holds "gone"; removed before it is
    // entered, it cannot be read.
    std::filesystem::create_directory(voice / "gone");
    chooser = open_chooser();
    ASSERT_NE(chooser, nullptr);
    const auto gone_rows = Directory_Rows(Utf8(voice), {"gone"});
    ASSERT_EQ(rows(chooser), static_cast<LRESULT>(gone_rows.size()));
    EXPECT_EQ(SendMessageW(list_of(chooser), LB_GETCURSEL, 0, 0), static_cast<LRESULT>(gone_rows.size() - 2))
        << "not on the directory it was left on";
    std::filesystem::remove(voice / "gone");
    double_click(chooser, gone_rows.size() - 1);
    const HWND error = clock.Wait_For_Dialog(L"Horavox 1.0.0");
    ASSERT_NE(error, nullptr) << "no error box";
    const std::wstring text = Static_Texts(error);
    EXPECT_TRUE(text.starts_with(L"I/O error ")) << std::string(text.begin(), text.end());
    PostMessageW(error, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(Wait_Until([&] { return !IsWindow(error); }));
    EXPECT_EQ(rows(chooser), static_cast<LRESULT>(gone_rows.size()));

    // The root, row 0, and OK: the drive's root with a single backslash.
    double_click(chooser, 0);
    ASSERT_TRUE(Wait_Until([&] { return rows(chooser) != static_cast<LRESULT>(gone_rows.size()); }));
    Click(FindWindowExW(chooser, nullptr, L"Button", L"OK"));
    ASSERT_TRUE(Wait_Until([&] { return !IsWindow(chooser); }));
    const std::wstring root = clock.Directory().root_name().wstring() + L"\\";
    EXPECT_TRUE(Wait_Until([&] { return Window_Text(edit) == root; }))
        << std::string(Window_Text(edit).begin(), Window_Text(edit).end());
}

}  // namespace
