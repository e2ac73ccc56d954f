#pragma once
#include <functional>

#include "settings/ClockSettings.h"
#include "win32/Table_Dialog.h"

class TDirectory_Select_Dlg;

// The settings dialog, built from its table in clock/: a tab control with
// four pages over OK and Help. Its controls are views of the main window's
// live settings: every change is written into them at once, and every
// showing shows them afresh. There is no Apply and no Cancel: OK, Enter and
// the close box all keep every change, and Esc does nothing.
class TSettings_Form_Dlg final : public TTable_Dialog {
public:
    explicit TSettings_Form_Dlg(ClockSettings& settings);

    // What "Dir", "&Help" and "&Test" run; the windows behind them are created later.
    void Attach_Commands(TDirectory_Select_Dlg& directory_chooser, std::function<void()> show_readme,
                         std::function<void()> play_test_sound);

    // The start-up sequence opens the dialog on its first page again.
    void Turn_To_First_Page() { Turn_To_Page(0); }

    void BitBtn1Click();
    void HelpBtnClick();
    void Test_Volume_ButtonClick();

protected:
    void Run_Command(TDialog_Command command) override;
    void On_Close() override;

private:
    ClockSettings& settings_;
    TDirectory_Select_Dlg* directory_chooser_ = nullptr;
    std::function<void()> show_readme_;
    std::function<void()> play_test_sound_;
};
