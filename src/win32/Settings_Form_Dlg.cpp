#include "win32/Settings_Form_Dlg.h"

#include <utility>

#include "clock/Settings_Form_Dlg_Table.h"
#include "settings/Sound_Directory.h"
#include "win32/Directory_Select_Dlg.h"
#include "win32/Win32_Text.h"

TSettings_Form_Dlg::TSettings_Form_Dlg(ClockSettings& settings)
    // The system font 13 pixels high for the controls; OK and Help in MS
    // Sans Serif bold at 8 points; the tabs in it at 8 points rather than the
    // designed 9, so that the four captions fit in one row.
    : TTable_Dialog(Settings_Form_Dlg_Table(), &settings,
                    {{L"System", -13, true}, {L"MS Sans Serif", 8, false}, {L"MS Sans Serif", 8, true}})
    , settings_(settings)
{
}

void TSettings_Form_Dlg::Attach_Commands(TDirectory_Select_Dlg& directory_chooser, std::function<void()> show_readme,
                                         std::function<void()> play_test_sound)
{
    directory_chooser_ = &directory_chooser;
    show_readme_ = std::move(show_readme);
    play_test_sound_ = std::move(play_test_sound);
}

void TSettings_Form_Dlg::Run_Command(TDialog_Command command)
{
    switch (command) {
    case TDialog_Command::Close_Ok: End(IDOK); break;
    case TDialog_Command::Choose_Sound_Directory: BitBtn1Click(); break;
    case TDialog_Command::Show_Readme: HelpBtnClick(); break;
    case TDialog_Command::Play_Test_Sound: Test_Volume_ButtonClick(); break;
    // No button answers Esc.
    case TDialog_Command::Close_Cancel:
    case TDialog_Command::None: break;
    }
}

// The close box keeps every change, as OK does.
void TSettings_Form_Dlg::On_Close()
{
    End(IDOK);
}

void TSettings_Form_Dlg::BitBtn1Click()
{
    directory_chooser_->Set_Caption(Widen(Sound_Directory_Chooser_Caption));
    if (directory_chooser_->Show_Modal(Handle()) != IDOK)
        return;
    settings_.Sound_Directory_Edit = Sound_Directory_Text(directory_chooser_->Directory());
    Show_Settings();
}

void TSettings_Form_Dlg::HelpBtnClick()
{
    show_readme_();
}

void TSettings_Form_Dlg::Test_Volume_ButtonClick()
{
    play_test_sound_();
}
