#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <QScopeGuard>

#include "clock/Clock_Arguments.h"
#include "clock/Menu_Bar_Memory.h"
#include "qt/Clock_Windows.h"
#include "qt/Qt_Clock_Source.h"
#include "qt/Horavox_Application.h"
#include "qt/Qt_Handle_Watcher.h"
#include "qt/Single_Instance.h"
#include "system/Files.h"
#include "system/Files_Settings_Home.h"
#include "system/Font_Configuration.h"
#include "system/Run_Values.h"
#include "system/Second_Timer.h"
#include "audio/Sound_Output.h"
#include "audio/Output_Sound_Player.h"
#include "system/Termination_Signals.h"
#include "settings/Settings_File.h"
#include "settings/Settings_Location.h"

// The clock: creates its five windows once, in order, and runs until the
// main window has closed. A later start with the same settings file hands its
// request to the running clock and ends.
int main(int argc, char** argv)
{
    // Overlaps the application's connection to the display and the window's mapping.
    TFont_Configuration_Read_Ahead font_configuration;
    THoravox_Application application(argc, argv);
    // The read is over before the application is taken down, whichever way
    // main ends: the toolkit's teardown releases the font configuration.
    const auto read_before_teardown = qScopeGuard([&font_configuration] { font_configuration.Wait(); });
    std::vector<std::string> argument_list;
    for (const QString& argument : QApplication::arguments())
        argument_list.push_back(argument.toStdString());
    const TClock_Arguments arguments = Parse_Clock_Arguments(argument_list);
    if (!arguments.error.empty()) {
        std::fprintf(stderr, "horavox: %s\n%s", arguments.error.c_str(), Clock_Usage);
        return 2;
    }
    if (arguments.help) {
        std::fputs(Clock_Usage, stdout);
        return 0;
    }

    // Beside the executable in a portable copy; in the user's configuration directory in an installed one.
    const TSettings_Location settings_location = Settings_Location();
    // Closes the clock of this settings file; 0 when none is left running.
    if (arguments.close) {
        const QString socket_name = Clock_Socket_Name(QString::fromStdString(settings_location.path));
        if (Close_Running_Clock(socket_name) != THand_Over::No_Answer)
            return 0;
        std::fputs("horavox: the clock with this settings file did not close\n", stderr);
        return 1;
    }
    Prepare_Settings_File(settings_location);
    TClock_Server clock_server;
    const TClock_Request request = arguments.say_now ? TClock_Request::Say_Now : TClock_Request::Raise;
    switch (Become_The_Clock(clock_server, Clock_Socket_Name(QString::fromStdString(settings_location.path)), request)) {
    case THand_Over::Taken:
        return 0;
    case THand_Over::No_Answer:
        std::fputs("horavox: a clock with this settings file is running but does not answer\n", stderr);
        return 1;
    case THand_Over::No_Clock:
        break;
    }

    // Outlives every sound player attached to it.
    TSound_Output audio;
    // Outlives the window's second timer and the termination watch.
    TQt_Handle_Watcher watcher;

    TMain_Form_Services services;
    services.Clock = std::make_shared<TSystem_Clock>();
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
    services.Menu_Bar_Memory_Path =
        Menu_Bar_Memory_Path(Environment_Variable("XDG_CACHE_HOME"), User_Home_Directory());
    services.Wait_For_Fonts = [&font_configuration] { font_configuration.Wait(); };

    TClock_Windows windows(services);
    TMainForm1& main_form = windows.form;
    // Logging out ends the program with a signal: close as the close box does, saving the settings.
    TTermination_Watch termination_watch(watcher, [&main_form] { main_form.close(); }, [] { QApplication::exit(0); });

    clock_server.On_Request = [&main_form](TClock_Request taken) {
        switch (taken) {
        case TClock_Request::Say_Now: main_form.Say_Time_On_Request(); break;
        case TClock_Request::Raise: main_form.Bring_To_Front(); break;
        case TClock_Request::Close: main_form.close(); break;
        }
    };

    main_form.show();
    if (arguments.say_now)
        main_form.Say_Time_On_Request();
    return QApplication::exec();
}
