#pragma once
#include <string>
#include <utility>
#include <vector>

#include <windows.h>

#include "clock/Window_Placement.h"

// A font for a window shown at `dpi` pixels per inch: `points` > 0 gives the
// size in points, else -`points` is the character height in pixels at 96
// pixels per inch. The caller deletes it (DeleteObject).
HFONT Create_Font(const wchar_t* face, int points, bool bold, UINT dpi);

// A modal dialog built in code: an empty dialog template whose controls are
// created when it opens, at the document's pixel positions scaled to the
// monitor's DPI. The system's dialog manager runs it, so Tab, the arrow
// keys, access keys, Enter and the default button work as in any dialog, and
// the messages posted to other windows (the clock's tick) go on meanwhile.
class TDialog {
public:
    virtual ~TDialog();
    TDialog(const TDialog&) = delete;
    TDialog& operator=(const TDialog&) = delete;

    // Shows the dialog over `owner` and returns the result it ended with.
    INT_PTR Show_Modal(HWND owner);
    HWND Handle() const { return window_; }
    // The caption of the next showing.
    void Set_Caption(std::wstring caption) { caption_ = std::move(caption); }

protected:
    // Sizes and places in pixels at `design_dpi`, scaled to the monitor's.
    TDialog(std::wstring caption, int client_width, int client_height, int design_dpi = 96);

    // WM_INITDIALOG: create the controls; return FALSE when the focus was set.
    virtual BOOL Create_Controls() = 0;
    // WM_COMMAND from a control or the dialog manager (IDOK for Enter,
    // IDCANCEL for Esc).
    virtual void On_Command(int id, int code, HWND control) = 0;
    // The close box; ends the dialog with IDCANCEL unless overridden.
    virtual void On_Close();
    // Any other message; set `handled` to answer it.
    virtual INT_PTR On_Message(UINT message, WPARAM w_param, LPARAM l_param, bool& handled);
    // Where the dialog opens, in screen pixels; the default centres it on its owner.
    virtual POINT Position(int frame_width, int frame_height);
    // A message before the dialog manager sees it; true when taken.
    virtual bool Pre_Translate(MSG& message);

    // A control at design pixels (scaled), with the dialog's font unless one is given.
    HWND Add_Control(const wchar_t* class_name, const std::wstring& text, DWORD style, const TRect& design, int id,
                     HFONT font = nullptr, DWORD extended_style = 0);
    int Scaled(int design_pixels) const;
    UINT Dpi() const { return dpi_; }
    // A font the dialog keeps until it closes.
    HFONT Keep_Font(HFONT font);
    void End(INT_PTR result);

    HFONT dialog_font_ = nullptr;

private:
    static INT_PTR CALLBACK Dialog_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
    INT_PTR Handle_Message(UINT message, WPARAM w_param, LPARAM l_param);
    void Size_And_Place();

    std::wstring caption_;
    bool ended_ = false;
    INT_PTR result_ = IDCANCEL;
    int client_width_;
    int client_height_;
    int design_dpi_;
    HWND window_ = nullptr;
    UINT dpi_ = 96;
    std::vector<HFONT> fonts_;
};
