#pragma once
#include <map>
#include <string>
#include <vector>

#include "clock/Directory_Rows.h"
#include "win32/Table_Dialog.h"

// The sound directory chooser: the drives from GetLogicalDrives and a
// directory list with open and closed folders. It is kept for the whole run
// and opens again on the directory it showed last; the first time, on the
// working directory the process started in. Moving to a directory makes it
// the process's working directory at once, whether or not the dialog then
// ends with OK. A double click moves, a single click only highlights; Space
// enters the highlighted directory, Backspace goes up, Enter takes the
// directory last entered, Esc cancels.
class TDirectory_Select_Dlg final : public TTable_Dialog {
public:
    TDirectory_Select_Dlg();

    // The directory shown as current (the one last moved to, not a merely
    // highlighted row): a full path without a trailing backslash, a drive's
    // root with one ("C:\").
    const std::string& Directory() const { return directory_; }

protected:
    void Run_Command(TDialog_Command command) override;
    void Controls_Created() override;
    void On_Command(int id, int code, HWND control) override;
    INT_PTR On_Message(UINT message, WPARAM w_param, LPARAM l_param, bool& handled) override;

private:
    static LRESULT CALLBACK List_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param, UINT_PTR id,
                                           DWORD_PTR data);
    // Moves to `directory`; throws EHoravoxError "I/O error <n>" when it
    // cannot be read or entered, leaving everything as it was.
    void Move_To(const std::string& directory);
    void Show_Rows(std::vector<std::string> subdirectories);
    void Show_Drive();
    void Draw_Row(const DRAWITEMSTRUCT& item);
    void DriveComboBox1Change();
    void DirectoryListBox1DblClick();

    std::string directory_;
    std::vector<std::string> drives_;
    std::vector<TDirectory_Row> rows_;
    // The directory last shown on each drive during this run.
    std::map<std::string, std::string> last_directory_on_drive_;
};
