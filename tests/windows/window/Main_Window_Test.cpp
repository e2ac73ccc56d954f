#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Clock_Driver.h"
#include "win32/Main_Form_Ids.h"

namespace {

const std::wregex Twelve_Hour_Face(LR"(\d\d:\d\d:\d\d [AP]M)");

RECT Client_Rect(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

RECT Screen_Rect(HWND window)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    return frame;
}

bool Is_Topmost(HWND window)
{
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

TEST(Main_Window, A_First_Start_Shows_The_Ticking_Face_And_Writes_The_Settings_Only_On_Closing)
{
    TClock_Copy clock;
    clock.Start();
    const std::wstring face = clock.Ticked_Face();
    EXPECT_TRUE(std::regex_match(face, Twelve_Hour_Face)) << face;
    // The task-bar button is the owner's, and shows the ticking time; the
    // window's own caption keeps the product's name.
    const HWND task_bar = GetWindow(clock.Main(), GW_OWNER);
    ASSERT_NE(task_bar, nullptr);
    EXPECT_TRUE(Wait_Until([&] { return std::regex_match(Window_Text(task_bar), Twelve_Hour_Face); }))
        << Window_Text(task_bar);
    EXPECT_EQ(Window_Text(clock.Main()), L"Horavox 1.0.0");
    const RECT client = Client_Rect(clock.Main());
    EXPECT_EQ(client.right, 235);
    EXPECT_EQ(client.bottom, 48);
    EXPECT_EQ(Screen_Rect(clock.Main()).left, 200);
    EXPECT_EQ(Screen_Rect(clock.Main()).top, 200);
    EXPECT_FALSE(Is_Topmost(clock.Main()));
    EXPECT_FALSE(std::filesystem::exists(clock.Settings_Path()));

    clock.Close();
    const std::string settings = clock.Read_Settings();
    EXPECT_EQ(Settings_Line(settings, "window_left_posn"), "200");
    EXPECT_EQ(Settings_Line(settings, "window_top_posn"), "200");
    EXPECT_EQ(Settings_Line(settings, "window_ClientWidth"), "235");
    EXPECT_EQ(Settings_Line(settings, "window_ClientHeight"), "48");
    EXPECT_EQ(Settings_Line(settings, "Say_Time_Every_Hour_Option"), "1");
}

TEST(Main_Window, The_Placement_Is_Restored_And_The_Face_Scales_With_It)
{
    TClock_Copy clock;
    // Twice the face's designed width, three times its height.
    clock.Write_Settings("[vocahora]\r\nwindow_left_posn=300\r\nwindow_top_posn=250\r\nwindow_ClientWidth=354\r\n"
                         "window_ClientHeight=141\r\nAlways_on_Top_Option=1\r\n");
    clock.Start();
    clock.Ticked_Face();
    EXPECT_EQ(Screen_Rect(clock.Main()).left, 300);
    EXPECT_EQ(Screen_Rect(clock.Main()).top, 250);
    EXPECT_EQ(Client_Rect(clock.Main()).right, 354);
    EXPECT_EQ(Client_Rect(clock.Main()).bottom, 141);
    const RECT face = Screen_Rect(clock.Face());
    EXPECT_EQ(face.right - face.left, 354);
    EXPECT_EQ(face.bottom - face.top, 141);
    EXPECT_TRUE(Is_Topmost(clock.Main()));

    // Moved by the user, and taken off the top: the next start finds it so.
    SetWindowPos(clock.Main(), nullptr, 320, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    clock.Command(Command_Id(TMain_Command::Always_On_Top));
    EXPECT_TRUE(Wait_Until([&] { return !Is_Topmost(clock.Main()); }));
    clock.Close();
    const std::string settings = clock.Read_Settings();
    EXPECT_EQ(Settings_Line(settings, "window_left_posn"), "320");
    EXPECT_EQ(Settings_Line(settings, "window_top_posn"), "260");
    EXPECT_EQ(Settings_Line(settings, "window_ClientWidth"), "354");
    EXPECT_EQ(Settings_Line(settings, "window_ClientHeight"), "141");
    EXPECT_EQ(Settings_Line(settings, "Always_on_Top_Option"), "0");
}

TEST(Main_Window, A_Window_Saved_Off_Every_Screen_Comes_Back_Onto_One)
{
    TClock_Copy clock;
    clock.Write_Settings("[vocahora]\r\nwindow_left_posn=5000\r\nwindow_top_posn=-4000\r\n");
    clock.Start();
    const RECT frame = Screen_Rect(clock.Main());
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT shown{};
    EXPECT_TRUE(IntersectRect(&shown, &frame, &screen));
    EXPECT_EQ(shown.right - shown.left, frame.right - frame.left);
}

TEST(Main_Window, Log_Off_Saves_As_The_Close_Box_Does)
{
    TClock_Copy clock;
    clock.Start();
    clock.Command(Command_Id(TMain_Command::Always_On_Top));
    ASSERT_TRUE(Wait_Until([&] { return Is_Topmost(clock.Main()); }));
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(clock.Main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
    EXPECT_EQ(answer, TRUE);
    SendMessageTimeoutW(clock.Main(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, nullptr);
    EXPECT_TRUE(clock.Has_Ended());
    EXPECT_EQ(Settings_Line(clock.Read_Settings(), "Always_on_Top_Option"), "1");
}

// The task-bar button stands for the whole program: minimising the window
// takes it there, the button brings it back, and its Close saves and ends.
TEST(Main_Window, The_Task_Bar_Button_Minimises_Restores_And_Closes_The_Clock)
{
    TClock_Copy clock;
    clock.Start();
    clock.Ticked_Face();
    const HWND task_bar = GetWindow(clock.Main(), GW_OWNER);
    SendMessageW(clock.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(Wait_Until([&] { return IsIconic(task_bar) && !IsWindowVisible(clock.Main()); }));
    SendMessageW(task_bar, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(Wait_Until([&] {
        return !IsIconic(task_bar) && IsWindowVisible(clock.Main()) && GetForegroundWindow() == clock.Main();
    }));
    PostMessageW(task_bar, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(clock.Has_Ended());
    EXPECT_EQ(Settings_Line(clock.Read_Settings(), "window_ClientWidth"), "235");
}

TEST(Main_Window, The_About_Box_And_The_Recorders_Notice_Show_And_Close)
{
    TClock_Copy clock;
    clock.Start();
    clock.Command(Command_Id(TMain_Command::About));
    const HWND about = clock.Wait_For_Dialog(L"About");
    ASSERT_NE(about, nullptr);
    EXPECT_NE(Static_Texts(about).find(L"Horavox"), std::wstring::npos);
    EXPECT_NE(Static_Texts(about).find(L"1.0.0"), std::wstring::npos);
    Click(Find_Child(about, L"Button", L"OK"));
    EXPECT_TRUE(Wait_Until([&] { return !IsWindow(about); }));

    clock.Command(Command_Id(TMain_Command::Record_Sound_Files));
    const HWND notice = clock.Wait_For_Dialog(L"Sound File's Required :");
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(Static_Texts(notice), L"Windows Sound Recorder is about to be run.\n"
                                    L"It is necessary to record sounds for called : \n"
                                    L"1.wav, 2.wav, ..., 9.wav, 10.wav, 11.wav, ... \n"
                                    L"18.wav, 19.wav, 20.wav, 30.wav, 40.wav, \n"
                                    L"50.wav, ..., am.wav, and pm.wav");
    // Closed by its close box, it still goes on to the recorder, which Wine lacks.
    PostMessageW(notice, WM_CLOSE, 0, 0);
    const HWND missing = clock.Wait_For_Dialog(L"Information");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(Static_Texts(missing), L"Windows Sound Recorder could not be found.");
    PostMessageW(missing, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(Wait_Until([&] { return !IsWindow(missing); }));
}

TEST(Main_Window, Restore_Factory_Defaults_Asks_First_And_Esc_Answers_No)
{
    TClock_Copy clock;
    clock.Write_Settings("[vocahora]\r\nwindow_left_posn=300\r\nwindow_top_posn=250\r\nAlways_on_Top_Option=1\r\n");
    clock.Start();
    clock.Command(Command_Id(TMain_Command::Restore_Factory_Defaults));
    HWND question = clock.Wait_For_Dialog(L"Warning");
    ASSERT_NE(question, nullptr);
    PostMessageW(Find_Child(question, L"Button", L"&Yes"), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(Wait_Until([&] { return !IsWindow(question); }));
    EXPECT_TRUE(std::filesystem::exists(clock.Settings_Path()));
    EXPECT_TRUE(Is_Topmost(clock.Main()));

    clock.Command(Command_Id(TMain_Command::Restore_Factory_Defaults));
    question = clock.Wait_For_Dialog(L"Warning");
    ASSERT_NE(question, nullptr);
    Click(Find_Child(question, L"Button", L"&Yes"));
    EXPECT_TRUE(Wait_Until([&] { return !std::filesystem::exists(clock.Settings_Path()); }));
    EXPECT_TRUE(Wait_Until([&] { return !Is_Topmost(clock.Main()); }));
    EXPECT_TRUE(Wait_Until([&] { return Screen_Rect(clock.Main()).left == 200; }));
    EXPECT_EQ(Screen_Rect(clock.Main()).top, 200);
    EXPECT_EQ(Client_Rect(clock.Main()).right, 235);
}

TEST(Main_Window, The_Auto_Run_Item_Writes_And_Removes_The_Run_Value)
{
    TClock_Copy clock;
    clock.Start();
    const std::wstring executable = (clock.Directory() / "horavox.exe").wstring();
    const auto answer = [&](const std::wstring& expected) {
        const HWND box = clock.Wait_For_Dialog(L"Information");
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(Static_Texts(box), expected);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(Wait_Until([&] { return !IsWindow(box); }));
    };
    clock.Command(Command_Id(TMain_Command::Auto_Run_at_Windows_Startup));
    answer(L"This program (horavox.exe) will now run automatically at Windows Start-Up.");
    EXPECT_EQ(Run_Value(L"horavox.exe"), executable);

    clock.Command(Command_Id(TMain_Command::Auto_Run_at_Windows_Startup));
    answer(L"This program (horavox.exe) will now no-longer run automatically at Windows Start-Up.");
    EXPECT_EQ(Run_Value(L"horavox.exe"), L"");
    // The check mark went with the value both times: a third click adds it again.
    clock.Command(Command_Id(TMain_Command::Auto_Run_at_Windows_Startup));
    answer(L"This program (horavox.exe) will now run automatically at Windows Start-Up.");
    clock.Close();
    EXPECT_EQ(Settings_Line(clock.Read_Settings(), "Auto_Run_at_Windows_Startup_Option"), "1");
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"horavox.exe");
}

// The readme opens in Notepad, from the Help menu and from the date item.
TEST(Main_Window, The_Readme_Opens_In_Notepad)
{
    TClock_Copy clock;
    clock.Copy_Voice();
    clock.Start();
    for (TMain_Command command : {TMain_Command::View_Readme_file, TMain_Command::Spare_Menu}) {
        clock.Command(Command_Id(command));
        HWND notepad = nullptr;
        EXPECT_TRUE(Wait_Until([&] {
            notepad = FindWindowW(L"Notepad", nullptr);
            return notepad != nullptr && Window_Text(notepad).find(L"horavox") != std::wstring::npos;
        })) << "no Notepad window with the readme";
        if (notepad != nullptr) {
            PostMessageW(notepad, WM_CLOSE, 0, 0);
            Wait_Until([&] { return !IsWindow(notepad); });
        }
    }
}

}  // namespace
