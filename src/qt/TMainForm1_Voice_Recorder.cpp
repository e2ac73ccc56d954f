#include <QStandardPaths>

#include "qt/TMainForm1.h"
#include "qt/Voice_Recorder_Dlg.h"
#include "settings/Sound_Directory.h"

// The recorder is made for each use: it holds the microphone only while open.
// The clock keeps ticking but says nothing by itself meanwhile, so no take
// records the clock's own voice. A trial asked for in the dialog speaks, and
// the clock is free to speak again once it has.
void TMainForm1::Record_Own_Voice_OptionClick()
{
    TVoice_Recorder_Services services;
    services.Bundled_Directory = services_.Program_Directory;
    services.Data_Home =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toLocal8Bit().toStdString();
    services.Open_Microphone = Open_Microphone;
    services.Make_Player = [this] { return services_.Make_Sound_Player(TMain_Form_Services::Recorder_Player_Number); };
    services.Use_Voice = [this](const std::string& directory) {
        settings_.Sound_Directory_Edit = Sound_Directory_Text(directory);
    };
    services.Say_Time = [this] {
        Set_Idle(true);
        Say_Time_Now_SpeedButtonClick();
    };
    TVoice_Recorder_Dlg dialog(settings_, std::move(services), this);
    Set_Idle(false);
    dialog.exec();
    Set_Idle(true);
}
