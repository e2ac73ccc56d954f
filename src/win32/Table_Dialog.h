#pragma once
#include <string_view>
#include <vector>

#include <windows.h>

#include "clock/Dialog_Table.h"
#include "settings/ClockSettings.h"
#include "win32/Dialog.h"

// A dialog built from its table in clock/, one standard control per row, so
// that Windows' screen readers and the dialog manager know every control:
// a tab control whose pages hold their controls (the tab control is their
// parent and passes their notifications on), group boxes, radio groups
// (WS_GROUP on a group's first button), check boxes, buttons (the default
// one with BS_DEFPUSHBUTTON), labels whose access keys move to the control
// after them, edits, time pickers and track bars; each hint is a tooltip.
// The controls that edit a setting show it when the dialog opens and write
// every change into it at once.
// A font by face and size (Create_Font's sizes: points, or minus pixels at 96 dpi).
struct TFont_Spec {
    const wchar_t* face;
    int size;
    bool bold;
};

// The faces of the controls, of the notebook's tabs and of the bold buttons.
struct TTable_Fonts {
    TFont_Spec controls;
    TFont_Spec tabs;
    TFont_Spec bold_buttons;
};

class TTable_Dialog : public TDialog {
public:
    // The page shown at the next showing; the user's last page otherwise.
    void Turn_To_Page(int page) { page_ = page; }
    int Page() const { return page_; }

protected:
    TTable_Dialog(const TDialog_Table& table, ClockSettings* settings, TTable_Fonts fonts);

    BOOL Create_Controls() override;
    void On_Command(int id, int code, HWND control) override;
    INT_PTR On_Message(UINT message, WPARAM w_param, LPARAM l_param, bool& handled) override;
    POINT Position(int frame_width, int frame_height) override;
    bool Pre_Translate(MSG& message) override;

    // A push button's command (OK, Cancel and Esc's IDCANCEL included).
    virtual void Run_Command(TDialog_Command command) = 0;
    // After the controls are made, before the dialog shows.
    virtual void Controls_Created() {}


    HWND Control(std::string_view name) const;
    // Every bound control shows its setting again.
    void Show_Settings();
    const TDialog_Table& Table() const { return table_; }

private:
    struct TBuilt {
        const TDialog_Control* row;
        HWND window;
        int id;
    };

    static LRESULT CALLBACK Page_Parent_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param,
                                                  UINT_PTR id, DWORD_PTR data);
    HWND Make(const TDialog_Control& row, int id, bool first_of_group);
    void Show_Page(int page);
    int Caption_Width(const TDialog_Control& row, HFONT font) const;
    void Show_Setting(const TBuilt& built);
    void Changed(const TBuilt& built);
    const TBuilt* Built_By_Id(int id) const;
    const TBuilt* Built_By_Window(HWND window) const;

    const TDialog_Table& table_;
    ClockSettings* settings_;
    TTable_Fonts font_specs_;
    HFONT control_font_ = nullptr;
    HFONT tab_font_ = nullptr;
    HFONT bold_font_ = nullptr;
    std::vector<TBuilt> built_;
    HWND notebook_ = nullptr;
    HWND hints_ = nullptr;
    POINT page_origin_{};
    int page_ = 0;
};
