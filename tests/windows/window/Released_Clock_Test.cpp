#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "Clock_Driver.h"
#include "win32/Main_Form_Ids.h"

// The released clock where the installer or the portable zip put it, run by
// tests/windows/installer_test.sh, which names the copy on the command line
// (and the installer in HORAVOX_SETUP); the build's own clock_window run
// leaves these out.

namespace {

std::filesystem::path App_Data_Settings()
{
    return std::filesystem::path(_wgetenv(L"APPDATA")) / L"Horavox" / L"vocahora.ini";
}

std::string Read_File(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Presses OK on the clock's information box; its text.
std::wstring Answer_Information(const TClock_Copy& clock)
{
    const HWND box = clock.Wait_For_Dialog(L"Information");
    if (box == nullptr)
        return L"<no box>";
    const std::wstring text = Static_Texts(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    Wait_Until([&] { return !IsWindow(box); });
    return text;
}

void Log_Off(const TClock_Copy& clock)
{
    SendMessageTimeoutW(clock.Main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, nullptr);
    SendMessageTimeoutW(clock.Main(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, nullptr);
    EXPECT_TRUE(clock.Has_Ended());
}

// Installed with the option: the menu item shows the value the installer
// wrote, so the first click takes it away and the second puts it back.
TEST(Released_Clock, The_Installed_Copy_Shows_The_Installers_Run_Value_And_Saves_To_App_Data)
{
    std::filesystem::remove(App_Data_Settings());
    TClock_Copy clock{TClock_Copy::TIn_Place{}};
    clock.Start();
    clock.Command(Command_Id(TMain_Command::Auto_Run_at_Windows_Startup));
    EXPECT_EQ(Answer_Information(clock),
              L"This program (horavox.exe) will now no-longer run automatically at Windows Start-Up.");
    EXPECT_EQ(Run_Value(L"horavox.exe"), L"");
    clock.Command(Command_Id(TMain_Command::Auto_Run_at_Windows_Startup));
    EXPECT_EQ(Answer_Information(clock), L"This program (horavox.exe) will now run automatically at Windows Start-Up.");
    EXPECT_EQ(Run_Value(L"horavox.exe"), Clock_Executable);

    Log_Off(clock);
    EXPECT_EQ(Settings_Line(Read_File(App_Data_Settings()), "Auto_Run_at_Windows_Startup_Option"), "1");
    EXPECT_FALSE(std::filesystem::exists(clock.Settings_Path()));
}

// The installer closes the clock through its channel before it replaces the
// files, and the clock saves what it had, also with its settings dialog open.
TEST(Released_Clock, Installing_Again_Closes_The_Running_Clock_Which_Saves)
{
    const wchar_t* setup = _wgetenv(L"HORAVOX_SETUP");
    ASSERT_NE(setup, nullptr) << "HORAVOX_SETUP names no installer";
    std::filesystem::remove(App_Data_Settings());
    TClock_Copy clock{TClock_Copy::TIn_Place{}};
    clock.Start();
    clock.Command(Command_Id(TMain_Command::Always_On_Top));
    ASSERT_TRUE(Wait_Until([&] { return (GetWindowLongPtrW(clock.Main(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
    clock.Command(Command_Id(TMain_Command::Show_Settings));
    ASSERT_NE(clock.Wait_For_Dialog(L"Horavox Settings"), nullptr);
    EXPECT_EQ(Run_Program(setup, L"/S"), 0u);
    EXPECT_TRUE(clock.Has_Ended(0ms));
    EXPECT_EQ(Settings_Line(Read_File(App_Data_Settings()), "Always_on_Top_Option"), "1");
}

TEST(Released_Clock, The_Portable_Copy_Keeps_Its_Settings_Beside_Itself)
{
    const std::string app_data_before = Read_File(App_Data_Settings());
    TClock_Copy clock{TClock_Copy::TIn_Place{}};
    clock.Start();
    EXPECT_NE(clock.Ticked_Face(), L"....");
    Log_Off(clock);
    EXPECT_NE(Settings_Line(clock.Read_Settings(), "window_left_posn"), "<missing>");
    EXPECT_EQ(Read_File(App_Data_Settings()), app_data_before);
}

}  // namespace
