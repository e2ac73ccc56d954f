#include <vector>

#include "clock/Window_Placement.h"
#include "settings/Settings_File.h"
#include "system/File_Probe.h"
#include "win32/Reset_Question.h"
#include "win32/Settings_Form_Dlg.h"
#include "win32/TMainForm1.h"
#include "win32/Win32_Application.h"
#include "win32/Win32_Text.h"

namespace {

BOOL CALLBACK Add_Work_Area(HMONITOR monitor, HDC, LPRECT, LPARAM screens)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<TRect>*>(screens)->push_back(
            {info.rcWork.left, info.rcWork.top, info.rcWork.right - info.rcWork.left,
             info.rcWork.bottom - info.rcWork.top});
    return TRUE;
}

std::vector<TRect> Work_Areas()
{
    std::vector<TRect> screens;
    EnumDisplayMonitors(nullptr, nullptr, Add_Work_Area, reinterpret_cast<LPARAM>(&screens));
    return screens;
}

}  // namespace

SIZE TMainForm1::Client_Size() const
{
    RECT client{};
    GetClientRect(window_, &client);
    return {client.right, client.bottom};
}

// The frame around a client area of this size, with the menu bar.
void TMainForm1::Set_Client_Size(int width, int height)
{
    RECT frame{0, 0, width, height};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), TRUE,
                             static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)), dpi_);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm1::FormShow()
{
    const TRect face = Time_Label_Geometry;
    Set_Client_Size(Scaled(face.left) * 2 + Scaled(face.width), Scaled(face.top) * 2 + Scaled(face.height));
    Record_Base_Layout();
    settings_dialog_->Turn_To_First_Page();
    Stop_Timer1();
    Set_Idle(false);

    settings_ = Load_Settings(services_.Settings_Path, services_.Program_Directory);
    Apply_Loaded_Placement();
    Set_Checked(TMain_Command::Always_On_Top, settings_.Always_on_Top_Option);
    Set_Checked(TMain_Command::Auto_Run_at_Windows_Startup, settings_.Auto_Run_at_Windows_Startup_Option);

    const std::string title = Application_Title(services_.Version);
    Set_Application_Title(title);
    const std::wstring wide_title = Widen(title);
    SetWindowTextW(window_, wide_title.c_str());
    task_bar_->Set_Title(wide_title);
    Hide_Date_Item();

    Set_Checked(TMain_Command::Always_On_Top, !Is_Checked(TMain_Command::Always_On_Top));
    Toggle_Always_On_Top();
    if (settings_.WindowState_wsMaximized && IsWindowVisible(window_))
        ShowWindow(window_, SW_MAXIMIZE);
    Set_Checked(TMain_Command::Auto_Run_at_Windows_Startup, auto_run_.Check_Auto_Run_Entry());
    Repair_Loaded_Settings(settings_, services_.Program_Directory);

    Set_Idle(true);
    Start_Timer1();
    services_.Random->Seed(Seed_From_Clock(*services_.Clock));
}

// The frame's top-left corner and the client area below the menu bar, moved
// back onto a screen when no screen shows it.
void TMainForm1::Apply_Loaded_Placement()
{
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
    const DWORD extended_style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
    RECT border{0, 0, 0, 0};
    AdjustWindowRectExForDpi(&border, style, TRUE, extended_style, dpi_);
    const int extra_width = border.right - border.left;
    const int extra_height = border.bottom - border.top;
    const TRect placed =
        Fit_Onto_Screens(Loaded_Frame(settings_.window_left_posn, settings_.window_top_posn,
                                      settings_.window_ClientWidth + extra_width,
                                      settings_.window_ClientHeight + extra_height),
                         Work_Areas());
    SetWindowPos(window_, nullptr, placed.left, placed.top, placed.width, placed.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

ClockSettings TMainForm1::Settings_To_Save()
{
    ClockSettings saved = settings_;
    saved.WindowState_wsMaximized = IsZoomed(window_) != FALSE;
    // The restored placement also while maximised or minimised. It comes in
    // work-area coordinates, which differ from the screen's by a task bar at
    // the top or left.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window_, &placement);
    RECT normal = placement.rcNormalPosition;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromRect(&normal, MONITOR_DEFAULTTONEAREST), &monitor))
        OffsetRect(&normal, monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top);
    RECT border{0, 0, 0, 0};
    AdjustWindowRectExForDpi(&border, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), TRUE,
                             static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)), dpi_);
    saved.window_left_posn = normal.left;
    saved.window_top_posn = normal.top;
    saved.window_ClientWidth = (normal.right - normal.left) - (border.right - border.left);
    saved.window_ClientHeight = (normal.bottom - normal.top) - (border.bottom - border.top);
    saved.Always_on_Top_Option = Is_Checked(TMain_Command::Always_On_Top);
    saved.Auto_Run_at_Windows_Startup_Option = Is_Checked(TMain_Command::Auto_Run_at_Windows_Startup);
    return saved;
}

void TMainForm1::FormCloseQuery()
{
    Save_Settings(services_.Settings_Path, Settings_To_Save());
}

void TMainForm1::Restore_Factory_Defaults_OptionClick()
{
    Restore_Factory_Defaults();
}

void TMainForm1::Restore_Factory_Defaults()
{
    if (Ask_Reset_Question(window_) == TReset_Answer::No)
        return;
    Delete_Closed_File(services_.Settings_Path);
    ShowWindow(window_, SW_RESTORE);
    FormShow();
}
