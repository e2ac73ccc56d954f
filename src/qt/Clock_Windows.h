#pragma once
#include "qt/About_Box.h"
#include "qt/Directory_Select_Dlg.h"
#include "qt/Settings_Form_Dlg.h"
#include "qt/Sound_File_Info_Box.h"
#include "qt/TMainForm1.h"

// The clock's five windows: the main window and its four dialogs, created
// once in this order and attached to it. The dialogs go before the window
// they belong to.
struct TClock_Windows {
    explicit TClock_Windows(const TMain_Form_Services& services);

    TMainForm1 form;
    TAboutBox about_box;
    TSound_File_Info_Box info_box;
    TSettings_Form_Dlg settings_dialog;
    TDirectory_Select_Dlg directory_dialog;
};
