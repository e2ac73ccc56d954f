#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include <windows.h>

#include "clock/Auto_Run.h"
#include "clock/Main_Form_Design.h"
#include "clock/Main_Form_Rules.h"
#include "clock/Main_Form_Services.h"
#include "clock/Tick_Alignment.h"
#include "engine/Announcement_Engine.h"
#include "win32/Main_Form_Ids.h"
#include "win32/Task_Bar_Window.h"
#include "settings/ClockSettings.h"
#include "util/Message_Boxes.h"

class TAboutBox;
class TDirectory_Select_Dlg;
class TSettings_Form_Dlg;
class TSound_File_Info_Box;

// The clock the user sees: the clock face under a menu bar, the once-a-second
// tick, the menu and mouse commands, and the window's start-up and shut-down.
// It owns the live settings and the announcement engine.
class TMainForm1 : public TEngine_Host, public TMessage_Boxes {
public:
    explicit TMainForm1(TMain_Form_Services services);
    ~TMainForm1() override;
    TMainForm1(const TMainForm1&) = delete;
    TMainForm1& operator=(const TMainForm1&) = delete;

    // The dialogs are created after the window, by the program entry.
    void Attach_Dialogs(TAboutBox& about_box, TSound_File_Info_Box& sound_file_info_box,
                        TSettings_Form_Dlg& settings_dialog, TDirectory_Select_Dlg& directory_dialog);

    HWND Handle() const { return window_; }
    ClockSettings& Live_Settings() { return settings_; }
    TAnnouncement_Engine& Engine() { return *engine_; }

    // Shows the window with the start's show command; the first showing runs FormShow.
    void Show(int show_command);

    // A request from a later start (a keyboard shortcut): speaks as a click on
    // the face does, or, before the first tick has shown a time, at that tick.
    void Say_Time_On_Request();
    // A later plain start shows this clock instead of opening a second one.
    void Bring_To_Front();

    // Event handlers.
    void Timer1Timer();
    void Time_LabelMouseDown(TMouse_Button button);
    void Say_Time_Now_SpeedButtonClick();
    void Show_Settings_FormClick();
    void Always_On_Top_OptionClick();
    void Restore_Factory_Defaults_OptionClick();
    void Exit_OptionClick();
    void AboutOptionClick();
    void View_Readme_file_OptionClick();
    void SpareMenuClick();
    void Record_Sound_Files_OptionClick();
    void Auto_Run_at_Windows_Startup_OptionClick();
    void FormShow();
    void FormActivate();
    void FormResize();
    // Saves the settings; throws EHoravoxError when they cannot be written.
    void FormCloseQuery();

    void Toggle_Always_On_Top();
    void Record_Base_Layout();
    void Scale_Layout();
    void Restore_Factory_Defaults();

    // TEngine_Host
    void Process_Messages() override;
    void Show_Error_Box(const std::string& text) override;
    bool Is_Idle() const override;
    void Set_Idle(bool idle) override;
    bool Shareable_Sound() const override;
    void Set_Shareable_Sound(bool shareable) override;

    // TMessage_Boxes
    void Show_Error(const std::string& text) override;
    void Show_Information(const std::string& text) override;
    bool Ask_Warning(const std::string& text) override;

    // Controls, in the window's ownership order, and the menus.
    HWND Say_Time_Now_SpeedButton = nullptr;
    HWND Time_Label = nullptr;
    HWND Scaling_ListBox = nullptr;
    HWND Share_Sound_Crd_CheckBox = nullptr;
    HMENU MainMenu1 = nullptr;
    HMENU File_Menu = nullptr;
    HMENU Help_Menu = nullptr;

    TTick_Time Tick_Time;

private:
    static LRESULT CALLBACK Window_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
    static LRESULT CALLBACK Face_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
    LRESULT Handle_Message(UINT message, WPARAM w_param, LPARAM l_param);
    void Create_Controls();
    void Create_Face_Hint();
    void Create_Menu();
    void Run_Command(TMain_Command command);
    void Draw_Face(const DRAWITEMSTRUCT& item);
    void Set_Face_Font(int points);

    void Start_Timer1();
    void Stop_Timer1();
    void Arm_Timer1(const Tick_Decision& decision);
    void Timer1_Elapsed();
    void Tick(const TClock_Reading& now);
    void Run_Due_Activation_Tests();

    std::string Face_Caption() const;
    bool Is_Checked(TMain_Command command) const;
    void Set_Checked(TMain_Command command, bool checked);
    void Show_Date_Item(const std::string& caption);
    void Hide_Date_Item();
    void Set_Client_Size(int width, int height);
    SIZE Client_Size() const;
    void Apply_Loaded_Placement();
    ClockSettings Settings_To_Save();
    int Scaled(int design_pixels) const;

    TMain_Form_Services services_;
    // Goes after the main window, which it owns.
    std::unique_ptr<TTask_Bar_Window> task_bar_;
    HWND window_ = nullptr;
    HWND face_hint_ = nullptr;
    UINT dpi_ = 96;
    ClockSettings settings_;
    std::array<std::shared_ptr<SoundPlayer>, Slot_Count> slots_;
    std::shared_ptr<SoundPlayer> probe_player_;
    std::unique_ptr<TAnnouncement_Engine> engine_;
    TAuto_Run auto_run_;
    TAboutBox* about_box_ = nullptr;
    TSound_File_Info_Box* sound_file_info_box_ = nullptr;
    TSettings_Form_Dlg* settings_dialog_ = nullptr;
    HFONT face_font_ = nullptr;
    WNDPROC face_static_procedure_ = nullptr;
    int face_font_points_ = 0;
    HBRUSH face_brush_ = nullptr;
    bool first_show_done_ = false;
    bool say_at_first_tick_ = false;
    bool timer_running_ = false;
    // Activations whose sound-device test has not run yet.
    int activation_tests_due_ = 0;
    std::string date_item_caption_;
    // The date item's text for the date it was made for: the short date is
    // formatted again only when the date or the regional settings change.
    TCalendar_Date date_item_date_;
    std::string date_item_text_;
    bool date_item_shown_ = false;
    // The clock reading of the latest tick, so an early wake never handles a second twice.
    std::optional<std::int64_t> last_tick_msecs_;
    // Wakes the tick at the second itself; none: a plain timer counts the delay.
    std::unique_ptr<TSecond_Timer> second_timer_;
};
