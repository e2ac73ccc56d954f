#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>

#include <gtest/gtest.h>

#include "support/Fake_Sound_Player.h"
#include "support/Temp_Dir.h"
#include "win32/About_Box.h"
#include "win32/Directory_Select_Dlg.h"
#include "win32/Settings_Form_Dlg.h"
#include "win32/Sound_File_Info_Box.h"
#include "win32/TMainForm1.h"
#include "win32/Win32_Text.h"

namespace {

class TFake_Clock : public TClock_Source {
public:
    TClock_Reading Now() const override { return Reading; }

    void Set(unsigned hour, unsigned minute, unsigned second)
    {
        Reading.date = {2026, 12, 7};
        Reading.hour = hour;
        Reading.minute = minute;
        Reading.second = second;
        Reading.instant = std::chrono::system_clock::time_point(std::chrono::seconds(1'796'600'000 + hour * 3600 +
                                                                                     minute * 60 + second));
    }

    TClock_Reading Reading;
};

// The window in this process, on a fake clock and fake sound players.
class Main_Form_Test : public ::testing::Test {
protected:
    Main_Form_Test()
    {
        clock->Set(13, 45, 7);
        TMain_Form_Services services;
        services.Clock = clock;
        services.Make_Sound_Player = [this](int number) -> std::shared_ptr<SoundPlayer> {
            SoundPlayer& player = number == TMain_Form_Services::Probe_Player_Number
                                      ? static_cast<SoundPlayer&>(sound.Probe())
                                      : sound.Slot(number);
            return {std::shared_ptr<void>(), &player};
        };
        services.Random = std::make_shared<TSeeded_Random>();
        services.Program_Directory = program_dir.Dir();
        services.Settings_Path = program_dir.Dir() + "vocahora.ini";
        services.Executable_Path = program_dir.Dir() + "horavox.exe";
        // A key of the test's own, which nothing else uses.
        services.Auto_Run_Key = {"HKEY_CURRENT_USER", "\\Software\\Horavox-Test-Run"};
        services.Version = "1.0.0";
        form = std::make_unique<TMainForm1>(services);
        about_box = std::make_unique<TAboutBox>(services.Version, clock, services.Random);
        settings_dialog = std::make_unique<TSettings_Form_Dlg>(form->Live_Settings());
        form->Attach_Dialogs(*about_box, info_box, *settings_dialog, directory_dialog);
    }

    std::wstring Text(HWND window) const
    {
        wchar_t text[256] = L"";
        GetWindowTextW(window, text, 256);
        return text;
    }

    std::vector<std::wstring> Captions(HMENU menu) const
    {
        std::vector<std::wstring> captions;
        for (int index = 0; index < GetMenuItemCount(menu); ++index) {
            wchar_t caption[128] = L"";
            MENUITEMINFOW item{};
            item.cbSize = sizeof item;
            item.fMask = MIIM_FTYPE | MIIM_STRING;
            item.dwTypeData = caption;
            item.cch = 128;
            GetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &item);
            captions.push_back((item.fType & MFT_SEPARATOR) ? L"-" : caption);
        }
        return captions;
    }

    bool Checked(TMain_Command command) const
    {
        return GetMenuState(form->MainMenu1, static_cast<UINT>(Command_Id(command)), MF_BYCOMMAND) & MF_CHECKED;
    }

    TTemp_Dir program_dir;
    TFake_Sound_System sound;
    std::shared_ptr<TFake_Clock> clock = std::make_shared<TFake_Clock>();
    std::unique_ptr<TMainForm1> form;
    std::unique_ptr<TAboutBox> about_box;
    TSound_File_Info_Box info_box;
    std::unique_ptr<TSettings_Form_Dlg> settings_dialog;
    TDirectory_Select_Dlg directory_dialog;
};

TEST_F(Main_Form_Test, The_Menus_Carry_The_Documented_Captions_And_Access_Keys)
{
    form->FormShow();
    EXPECT_EQ(Captions(form->MainMenu1), (std::vector<std::wstring>{L"&File", L"&Help"}));
    EXPECT_EQ(Captions(form->File_Menu),
              (std::vector<std::wstring>{L"Always on Top", L"&Auto-Run at Windows Startup", L"&Restore Factory Defaults",
                                         L"-", L"&Settings", L"-", L"&Record Sound Files", L"-", L"E&xit"}));
    EXPECT_EQ(Captions(form->Help_Menu), (std::vector<std::wstring>{L"&View Readme file", L"-", L"&About"}));

    // The date item comes with the first tick, after the menus.
    form->Timer1Timer();
    EXPECT_EQ(Captions(form->MainMenu1), (std::vector<std::wstring>{L"&File", L"&Help", L"Mon, 12/7/2026"}));
    form->FormShow();
    EXPECT_EQ(Captions(form->MainMenu1).size(), 2u);
}

TEST_F(Main_Form_Test, A_Tick_Shows_The_Time_On_The_Face_And_On_The_Task_Bar)
{
    const HWND task_bar = GetWindow(form->Handle(), GW_OWNER);
    form->FormShow();
    EXPECT_EQ(Text(form->Time_Label), L"....");
    EXPECT_EQ(Text(form->Handle()), L"Horavox 1.0.0");
    EXPECT_EQ(Text(task_bar), L"Horavox 1.0.0");
    form->Timer1Timer();
    EXPECT_EQ(Text(form->Time_Label), L"01:45:07 PM");
    EXPECT_EQ(Text(task_bar), L"01:45:07 PM");
    EXPECT_EQ(Text(form->Handle()), L"Horavox 1.0.0");
    Select_Clock_Format(form->Live_Settings(), ClockFormat::TwentyFourHour);
    clock->Set(0, 5, 9);
    form->Timer1Timer();
    EXPECT_EQ(Text(form->Time_Label), L"00:05:09");
}

TEST_F(Main_Form_Test, A_Left_Click_Before_The_First_Tick_Says_Nothing_And_After_It_Speaks)
{
    program_dir.Write("1.WAV");
    form->FormShow();
    sound.Log.clear();
    form->Time_LabelMouseDown(TMouse_Button::Left);
    EXPECT_TRUE(sound.Log.empty());
    clock->Set(1, 0, 30);
    form->Timer1Timer();
    form->Time_LabelMouseDown(TMouse_Button::Left);
    ASSERT_FALSE(sound.Log.empty());
    EXPECT_FALSE(form->Is_Idle());
}

TEST_F(Main_Form_Test, The_Face_Scales_With_The_Client_Area_And_Its_Font_With_The_Smaller_Ratio)
{
    form->FormShow();
    const auto resize_client = [&](int width, int height) {
        RECT frame{0, 0, width, height};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(form->Handle(), GWL_STYLE)), TRUE, 0);
        SetWindowPos(form->Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER);
    };
    const auto face_size = [&] {
        RECT face{};
        GetWindowRect(form->Time_Label, &face);
        return std::make_pair(static_cast<int>(face.right - face.left), static_cast<int>(face.bottom - face.top));
    };
    const auto font_height = [&] {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(form->Time_Label, WM_GETFONT, 0, 0)), sizeof font, &font);
        return font.lfHeight;
    };
    const int dpi = static_cast<int>(GetDpiForWindow(form->Handle()));
    // The first-show layout is the face's design: 177 x 47 at 20 points.
    const struct {
        int width, height;
        int font_points;
    } sizes[] = {{354, 141, 40}, {130, 47, 14}, {177, 200, 20}, {177, 47, 20}};
    for (const auto& size : sizes) {
        resize_client(MulDiv(size.width, dpi, 96), MulDiv(size.height, dpi, 96));
        EXPECT_EQ(face_size(), std::make_pair(MulDiv(size.width, dpi, 96), MulDiv(size.height, dpi, 96)))
            << size.width << " x " << size.height;
        EXPECT_EQ(font_height(), -MulDiv(size.font_points, dpi, 72)) << size.width << " x " << size.height;
    }
}

TEST_F(Main_Form_Test, Always_On_Top_Changes_Only_The_Stacking)
{
    form->FormShow();
    // The window is let go of its owner for the change; without the owner
    // back it would get a task-bar button of its own.
    const HWND task_bar = GetWindow(form->Handle(), GW_OWNER);
    ASSERT_NE(task_bar, nullptr);
    RECT before{};
    GetWindowRect(form->Handle(), &before);
    form->Always_On_Top_OptionClick();
    EXPECT_TRUE(Checked(TMain_Command::Always_On_Top));
    EXPECT_TRUE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), task_bar);
    RECT after{};
    GetWindowRect(form->Handle(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    form->Always_On_Top_OptionClick();
    EXPECT_FALSE(Checked(TMain_Command::Always_On_Top));
    EXPECT_FALSE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), task_bar);
}

TEST_F(Main_Form_Test, Each_Activation_Tests_The_Sound_Device_After_The_Activation_And_Before_The_Next_Tick)
{
    program_dir.Write("testsnd.wav");
    form->FormShow();
    const auto probe_opens = [&] { return std::count(sound.Log.begin(), sound.Log.end(), "openprobe"); };
    const auto pump = [] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    };
    pump();
    sound.Log.clear();
    // The system may add an activation of its own when the window takes the focus.
    SendMessageW(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    SendMessageW(form->Handle(), WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(probe_opens(), 0);
    // A tick that comes first runs the tests ahead of itself; the posted
    // requests then find nothing left.
    form->Timer1Timer();
    const auto tested = probe_opens();
    EXPECT_GE(tested, 2);
    pump();
    EXPECT_EQ(probe_opens(), tested);
    SendMessageW(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    SendMessageW(form->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(probe_opens(), tested);
    pump();
    EXPECT_EQ(probe_opens(), tested + 1);
    // So does the click that activated the window, which comes first.
    SendMessageW(form->Handle(), WM_ACTIVATE, WA_CLICKACTIVE, 0);
    form->Time_LabelMouseDown(TMouse_Button::Left);
    EXPECT_EQ(probe_opens(), tested + 2);
}

}  // namespace
