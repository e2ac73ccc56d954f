#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include <QMainWindow>
#include <QTimer>

#include "clock/Auto_Run.h"
#include "clock/Main_Form_Design.h"
#include "clock/Main_Form_Rules.h"
#include "clock/Main_Form_Services.h"
#include "clock/Tick_Alignment.h"
#include "engine/Announcement_Engine.h"
#include "settings/ClockSettings.h"
#include "util/Message_Boxes.h"

class QAction;
class QCheckBox;
class QListWidget;
class QMenu;
class QToolButton;
class TAboutBox;
class TClock_Face;
class TDirectory_Select_Dlg;
class TSettings_Form_Dlg;
class TSound_File_Info_Box;

// The clock the user sees: the clock face under a menu bar, the once-a-second
// tick, the menu and mouse commands, and the window's start-up and shut-down.
// It owns the live settings and the announcement engine.
class TMainForm1 : public QMainWindow, public TEngine_Host, public TMessage_Boxes {
    Q_OBJECT
public:
    explicit TMainForm1(TMain_Form_Services services);
    ~TMainForm1() override;
    TMainForm1(const TMainForm1&) = delete;
    TMainForm1& operator=(const TMainForm1&) = delete;

    // The dialogs are created after the window, by the program entry.
    void Attach_Dialogs(TAboutBox& about_box, TSound_File_Info_Box& sound_file_info_box,
                        TSettings_Form_Dlg& settings_dialog, TDirectory_Select_Dlg& directory_dialog);

    ClockSettings& Live_Settings() { return settings_; }
    TAnnouncement_Engine& Engine() { return *engine_; }
    // The size of the client area, the part below the menu bar.
    QSize Client_Size() const;

    // A request from a later start (a keyboard shortcut): speaks as a click on
    // the face does, or, before the first tick has shown a time, at that tick.
    void Say_Time_On_Request();
    // A later plain start shows this clock instead of opening a second one.
    void Bring_To_Front();

    // The first showing maps the window before any text is measured when the
    // menu bar's height is remembered; the menu bar and the client area are
    // laid out after the map request, before the first paint.
    void setVisible(bool visible) override;

    // Event handlers.
    void Timer1Timer();
    void Time_LabelMouseDown(Qt::MouseButton button);
    void Say_Time_Now_SpeedButtonClick();
    void Show_Settings_FormClick();
    void Always_On_Top_OptionClick();
    void Restore_Factory_Defaults_OptionClick();
    void Exit_OptionClick();
    void AboutOptionClick();
    void View_Readme_file_OptionClick();
    void SpareMenuClick();
    void Record_Sound_Files_OptionClick();
    void Record_Own_Voice_OptionClick();
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

    // Controls and components, in the window's ownership order.
    QToolButton* Say_Time_Now_SpeedButton;
    TClock_Face* Time_Label;
    QListWidget* Scaling_ListBox;
    QCheckBox* Share_Sound_Crd_CheckBox;
    QMenu* File_Menu = nullptr;
    QAction* Always_On_Top_Option = nullptr;
    QAction* Auto_Run_at_Windows_Startup_Option = nullptr;
    QAction* Restore_Factory_Defaults_Option = nullptr;
    QAction* Show_Settings_Form = nullptr;
    QAction* Record_Sound_Files_Option = nullptr;
    QAction* Record_Own_Voice_Option = nullptr;
    QAction* Exit_Option = nullptr;
    QMenu* Help_Menu = nullptr;
    QAction* View_Readme_file_Option = nullptr;
    QAction* AboutOption = nullptr;
    QAction* SpareMenu = nullptr;
    QTimer Timer1;

    TTick_Time Tick_Time;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Create_Controls();
    void Create_Menu();
    void Run_Command(TMain_Command command);
    void Start_Timer1();
    void Stop_Timer1();
    void Arm_Timer1(const Tick_Decision& decision);
    void Timer1_Elapsed();
    void Set_Client_Size(int width, int height);
    int Menu_Bar_Height(int width) const;
    std::string Menu_Bar_Memory_Key() const;
    void Lay_Out_Menu_Bar_After_Map();
    void Remember_Menu_Bar_Height(const std::string& key, std::optional<int> remembered);
    void Apply_Loaded_Placement();
    ClockSettings Settings_To_Save();
    void Set_Task_Bar_Text(const QString& text);
    std::string Face_Caption() const;

    TMain_Form_Services services_;
    ClockSettings settings_;
    std::array<std::shared_ptr<SoundPlayer>, Slot_Count> slots_;
    std::shared_ptr<SoundPlayer> probe_player_;
    std::unique_ptr<TAnnouncement_Engine> engine_;
    TAuto_Run auto_run_;
    TAboutBox* about_box_ = nullptr;
    TSound_File_Info_Box* sound_file_info_box_ = nullptr;
    TSettings_Form_Dlg* settings_dialog_ = nullptr;
    bool first_show_done_ = false;
    // The remembered menu bar height, while the window's layout waits for the map request.
    std::optional<int> assumed_menu_height_;
    bool say_at_first_tick_ = false;
    // The clock reading of the latest tick, so an early timer never handles a second twice.
    std::optional<std::int64_t> last_tick_msecs_;
    // Wakes the tick at the second itself; none: Timer1 does.
    std::unique_ptr<TSecond_Timer> second_timer_;
};
