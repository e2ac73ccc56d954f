#include <memory>
#include <string>

#include "clock/About_Box.h"
#include "clock/Horavox_Application.h"
#include "clock/Sound_File_Info_Box.h"
#include "clock/TMainForm1.h"
#include "platform/Files.h"
#include "platform/Run_Values.h"
#include "platform/Sdl_Audio.h"
#include "platform/Sdl_Sound_Player.h"
#include "platform/Termination_Signals.h"
#include "settings/Directory_Select_Dlg.h"
#include "settings/Settings_File.h"
#include "settings/Settings_Form_Dlg.h"
#include "settings/Settings_Location.h"

// The clock: creates its five windows once, in order, and runs until the
// main window has closed.
int main(int argc, char** argv)
{
    THoravox_Application application(argc, argv);
    // Outlives every sound player attached to it.
    TSdl_Audio audio;

    TMain_Form_Services services;
    services.Clock = std::make_shared<TSystem_Clock>();
    services.Make_Sound_Player = [&audio](int) { return std::make_shared<TSdl_Sound_Player>(audio); };
    services.Prepare_Sound_Device = [&audio] { audio.Prepare(); };
    services.Random = std::make_shared<TSeeded_Random>();
    services.Program_Directory = Program_Directory();
    // Beside the executable in a portable copy; in the user's configuration directory in an installed one.
    const TSettings_Location settings_location = Settings_Location();
    Prepare_Settings_File(settings_location);
    services.Settings_Path = settings_location.path;
    services.Executable_Path = Executable_Path();
    services.Auto_Run_Key = Auto_Run_Key();
    services.Version = HORAVOX_VERSION;

    TMainForm1 main_form(services);
    TAboutBox about_box(services.Version, services.Clock, services.Random, &main_form);
    TSound_File_Info_Box sound_file_info_box(&main_form);
    TSettings_Form_Dlg settings_dialog(main_form.Live_Settings(), &main_form);
    TDirectory_Select_Dlg directory_dialog(&main_form);
    main_form.Attach_Dialogs(about_box, sound_file_info_box, settings_dialog, directory_dialog);
    // Logging out ends the program with a signal: close as the close box does, saving the settings.
    TTermination_Watch termination_watch([&main_form] { main_form.close(); });

    main_form.show();
    return QApplication::exec();
}
