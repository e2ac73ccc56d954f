#include <cstdlib>
#include <functional>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "audio/Output_Device.h"
#include "audio/Output_Sound_Player.h"
#include "audio/Sound_Output.h"
#include "clock/Clock_Arguments.h"
#include "clock/Main_Form_Design.h"
#include "settings/Settings_Location.h"
#include "system/Files.h"
#include "system/Run_Values.h"
#include "win32/About_Box.h"
#include "win32/Directory_Select_Dlg.h"
#include "win32/Settings_Form_Dlg.h"
#include "win32/Single_Instance.h"
#include "win32/Sound_File_Info_Box.h"
#include "win32/TMainForm1.h"
#include "system/Second_Timer.h"
#include "win32/Win32_Handle_Watcher.h"
#include "win32/Win32_Notice_Loop.h"
#include "win32/Win32_Application.h"
#include "win32/Win32_Text.h"
#include "win32/Windows_Clock.h"

namespace {

// The C runtime's split of the command line: the shell's own would load the
// shell's libraries before the window shows.
std::vector<std::string> Command_Line_Arguments()
{
    std::vector<std::string> narrowed;
    for (int index = 0; index < __argc; ++index)
        narrowed.push_back(Narrow(__wargv[index]));
    return narrowed;
}

}  // namespace

// The clock: creates its windows once, in order, and runs until the main
// window has closed.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show_command)
{
    // A program without a console answers its command line in a box.
    const TClock_Arguments arguments = Parse_Clock_Arguments(Command_Line_Arguments());
    if (!arguments.error.empty()) {
        Show_Message_Box("horavox: " + arguments.error + "\n\n" + Clock_Usage, Product_Name, MB_OK | MB_ICONERROR);
        return 2;
    }
    if (arguments.help) {
        Show_Message_Box(Clock_Usage, Product_Name, MB_OK | MB_ICONINFORMATION);
        return 0;
    }

    // Beside the executable in a portable copy; in %APPDATA%\Horavox in an installed one.
    const TSettings_Location settings_location = Settings_Location();
    // An installer or uninstaller closes the clock of this copy, for this
    // user, before it touches the files; 0 when none is left running.
    if (arguments.close)
        return Close_Running_Clock(Clock_Pipe_Name(settings_location.path)) == THand_Over::No_Answer ? 1 : 0;
    Prepare_Settings_File(settings_location);
    // One clock per settings file: a later start hands its request over and ends.
    TClock_Pipe_Server clock_server;
    const TClock_Request request = arguments.say_now ? TClock_Request::Say_Now : TClock_Request::Raise;
    switch (Become_The_Clock(clock_server, Clock_Pipe_Name(settings_location.path), request)) {
    case THand_Over::Taken:
        return 0;
    case THand_Over::No_Answer:
        Show_Message_Box("A clock with this settings file is running but does not answer.", Product_Name,
                         MB_OK | MB_ICONERROR);
        return 1;
    case THand_Over::No_Clock:
        break;
    }

    int exit_code = 0;
    {
        // Outlives the window's second timer.
        TWin32_Handle_Watcher watcher;
        // The sound output's notices come through the message loop; the output
        // outlives every sound player attached to it.
        TWin32_Notice_Loop notice_loop;
        TSound_Output audio(notice_loop);
        TMain_Form_Services services;
        services.Clock = std::make_shared<TWindows_Clock>();
        services.Make_Second_Timer = [&watcher](std::function<void()> on_wake) {
            return Make_System_Second_Timer(watcher, std::move(on_wake));
        };
        services.Make_Sound_Player = [&audio](int) { return std::make_shared<TOutput_Sound_Player>(audio); };
        services.Prepare_Sound_Device = [&audio] { audio.Prepare(); };
        services.Random = std::make_shared<TSeeded_Random>();
        services.Program_Directory = Program_Directory();
        services.Settings_Path = settings_location.path;
        services.Executable_Path = Executable_Path();
        services.Auto_Run_Key = Auto_Run_Key();
        services.Version = HORAVOX_VERSION;

        // The common controls load here, at their first call, when the first
        // window needs them: under Wine the library's start waits for the
        // desktop, and everything above runs while the desktop starts.
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                            ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        TMainForm1 main_form(services);
        TAboutBox about_box(services.Version, services.Clock, services.Random);
        TSound_File_Info_Box sound_file_info_box;
        TSettings_Form_Dlg settings_dialog(main_form.Live_Settings());
        TDirectory_Select_Dlg directory_dialog;
        main_form.Attach_Dialogs(about_box, sound_file_info_box, settings_dialog, directory_dialog);

        clock_server.On_Request = [&main_form](TClock_Request taken) {
            switch (taken) {
            case TClock_Request::Say_Now: main_form.Say_Time_On_Request(); break;
            case TClock_Request::Raise: main_form.Bring_To_Front(); break;
            case TClock_Request::Close: main_form.Exit_OptionClick(); break;
            }
        };

        Run_Guarded([&] { main_form.Show(show_command); });
        if (arguments.say_now)
            Run_Guarded([&] { main_form.Say_Time_On_Request(); });
        exit_code = Run_Message_Loop();
    }
    // Once the windows and the sound output have gone.
    End_Program_If_Device_Hangs(exit_code);
    return exit_code;
}
