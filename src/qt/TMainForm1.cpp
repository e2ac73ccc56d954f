#include "qt/TMainForm1.h"

#include <utility>

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QMessageBox>
#include <QToolButton>
#include <QWindow>

#include "qt/About_Box.h"
#include "qt/Clock_Face.h"
#include "clock/Companion_Programs.h"
#include "clock/Display_Text.h"
#include "qt/Glyphs.h"
#include "qt/Qt_Clock_Source.h"
#include "qt/Sound_File_Info_Box.h"
#include "qt/Directory_Select_Dlg.h"
#include "qt/Settings_Form_Dlg.h"

TMainForm1::TMainForm1(TMain_Form_Services services)
    : services_(std::move(services)), auto_run_(services_.Auto_Run_Key, services_.Executable_Path, *this)
{
    setObjectName("MainForm1");
    settings_ = Default_Settings(services_.Program_Directory);
    std::array<SoundPlayer*, Slot_Count> slot_players{};
    for (int number = 1; number <= Slot_Count; ++number) {
        const auto index = static_cast<std::size_t>(number - 1);
        slots_[index] = services_.Make_Sound_Player(number);
        slot_players[index] = slots_[index].get();
    }
    probe_player_ = services_.Make_Sound_Player(TMain_Form_Services::Probe_Player_Number);
    engine_ = std::make_unique<TAnnouncement_Engine>(settings_, *this, slot_players, *probe_player_, *services_.Random,
                                                     services_.Program_Directory);
    Create_Controls();
    Create_Menu();
    Timer1.setObjectName("Timer1");
    Timer1.setSingleShot(true);
    Timer1.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &TMainForm1::Timer1_Elapsed);
    if (services_.Make_Second_Timer)
        second_timer_ = services_.Make_Second_Timer([this] { Timer1_Elapsed(); });
}

// The engine goes before the players it drives.
TMainForm1::~TMainForm1()
{
    engine_.reset();
}

void TMainForm1::Create_Controls()
{
    auto* client = new QWidget(this);
    client->setObjectName("Client_Area");
    setCentralWidget(client);
    client->installEventFilter(this);

    // Outside the client area that start-up fits to the clock face: never seen.
    Say_Time_Now_SpeedButton = new QToolButton(client);
    Say_Time_Now_SpeedButton->setObjectName("Say_Time_Now_SpeedButton");
    const TRect speaker = Say_Time_Now_SpeedButton_Geometry;
    Say_Time_Now_SpeedButton->setGeometry(speaker.left, speaker.top, speaker.width, speaker.height);
    Say_Time_Now_SpeedButton->setIcon(Speaker_Glyph());
    Say_Time_Now_SpeedButton->setToolTip(Face_Hint);
    Say_Time_Now_SpeedButton->setEnabled(false);
    Say_Time_Now_SpeedButton->hide();
    connect(Say_Time_Now_SpeedButton, &QToolButton::clicked, this, &TMainForm1::Say_Time_Now_SpeedButtonClick);

    Time_Label = new TClock_Face(client);
    Time_Label->On_Mouse_Down = [this](Qt::MouseButton button) { Time_LabelMouseDown(button); };

    Scaling_ListBox = new QListWidget(client);
    Scaling_ListBox->setObjectName("Scaling_ListBox");
    const TRect list = Scaling_ListBox_Geometry;
    Scaling_ListBox->setGeometry(list.left, list.top, list.width, list.height);
    Scaling_ListBox->hide();

    Share_Sound_Crd_CheckBox = new QCheckBox(Share_Sound_Crd_CheckBox_Caption, client);
    Share_Sound_Crd_CheckBox->setObjectName("Share_Sound_Crd_CheckBox");
    const TRect check_box = Share_Sound_Crd_CheckBox_Geometry;
    Share_Sound_Crd_CheckBox->setGeometry(check_box.left, check_box.top, check_box.width, check_box.height);
    Share_Sound_Crd_CheckBox->hide();
}

void TMainForm1::Attach_Dialogs(TAboutBox& about_box, TSound_File_Info_Box& sound_file_info_box,
                                TSettings_Form_Dlg& settings_dialog, TDirectory_Select_Dlg& directory_dialog)
{
    about_box_ = &about_box;
    sound_file_info_box_ = &sound_file_info_box;
    settings_dialog_ = &settings_dialog;
    // The dialog's Help runs the menu's readme command, whatever it does.
    settings_dialog.Attach_Commands(
        directory_dialog, [this] { View_Readme_file_Option->trigger(); }, [this] { engine_->Play_Test_Sound(); });
}

QSize TMainForm1::Client_Size() const
{
    return centralWidget()->size();
}

void TMainForm1::Start_Timer1()
{
    Arm_Timer1(Decide_Tick(std::nullopt, Epoch_Milliseconds(services_.Clock->Now().instant)));
}

void TMainForm1::Stop_Timer1()
{
    Timer1.stop();
    if (second_timer_)
        second_timer_->Stop();
}

// The Qt timer also stands in for a second timer that cannot be armed.
void TMainForm1::Arm_Timer1(const Tick_Decision& decision)
{
    if (!second_timer_ || !second_timer_->Arm_At(decision.next_second))
        Timer1.start(decision.delay_ms);
}

void TMainForm1::Timer1_Elapsed()
{
    const Tick_Decision decision = Decide_Tick(last_tick_msecs_, Epoch_Milliseconds(services_.Clock->Now().instant));
    // Re-armed first, so that an error raised inside the tick leaves the clock ticking.
    Arm_Timer1(decision);
    if (decision.handle)
        Timer1Timer();
}

void TMainForm1::Timer1Timer()
{
    const TClock_Reading now = services_.Clock->Now();
    last_tick_msecs_ = Epoch_Milliseconds(now.instant);
    Tick_Time = Tick_Time_Of(now);

    const TTick_Plan plan = Plan_Tick(settings_, Tick_Time, Is_Idle(), std::exchange(say_at_first_tick_, false));
    Time_Label->setText(QString::fromStdString(plan.face_text));
    Set_Task_Bar_Text(Time_Label->text());
    if (plan.sound == TTick_Sound::Say_Time)
        engine_->Say_Time(Tick_Time.Hour, Tick_Time.Minute);
    else if (plan.sound == TTick_Sound::Prepare_Device && services_.Prepare_Sound_Device)
        services_.Prepare_Sound_Device();

    SpareMenu->setVisible(true);
    SpareMenu->setText(QString::fromStdString(Date_Item_Text(now.date, Short_Date_Format())));
    Process_Messages();
}

// The task bar shows the window's title: the ticking time, to which the
// platform adds the application's name and version.
void TMainForm1::Set_Task_Bar_Text(const QString& text)
{
    setWindowTitle(text);
}

std::string TMainForm1::Face_Caption() const
{
    return Time_Label->text().toStdString();
}

void TMainForm1::Time_LabelMouseDown(Qt::MouseButton button)
{
    const TMouse_Button pressed = button == Qt::LeftButton    ? TMouse_Button::Left
                                  : button == Qt::RightButton  ? TMouse_Button::Right
                                  : button == Qt::MiddleButton ? TMouse_Button::Middle
                                                               : TMouse_Button::Other;
    switch (Face_Mouse_Down(pressed, Face_Caption())) {
    case TFace_Command::Show_Settings:
        Show_Settings_FormClick();
        break;
    case TFace_Command::Say_Time:
        Say_Time_Now_SpeedButtonClick();
        break;
    case TFace_Command::Nothing:
        break;
    }
}

void TMainForm1::Say_Time_Now_SpeedButtonClick()
{
    engine_->Say_Time(Tick_Time.Hour, Tick_Time.Minute);
}

void TMainForm1::Say_Time_On_Request()
{
    if (Say_Request_Waits_For_First_Tick(Face_Caption()))
        say_at_first_tick_ = true;
    else
        Say_Time_Now_SpeedButtonClick();
}

void TMainForm1::Bring_To_Front()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TMainForm1::Show_Settings_FormClick()
{
    Stop_Timer1();
    Set_Idle(false);
    settings_dialog_->exec();
    Start_Timer1();
    Set_Idle(true);
    Timer1Timer();
}

void TMainForm1::Always_On_Top_OptionClick()
{
    Toggle_Always_On_Top();
}

// Only the stacking changes: the window is neither moved, resized nor
// activated, and it is not hidden and shown again as a change of the widget's
// flags would do.
void TMainForm1::Toggle_Always_On_Top()
{
    const bool on_top = !Always_On_Top_Option->isChecked();
    Always_On_Top_Option->setChecked(on_top);
    const Qt::WindowFlags flags = on_top ? windowFlags() | Qt::WindowStaysOnTopHint
                                         : windowFlags() & ~Qt::WindowStaysOnTopHint;
    overrideWindowFlags(flags);
    if (QWindow* window = windowHandle())
        window->setFlags(flags);
}

void TMainForm1::Exit_OptionClick()
{
    close();
}

void TMainForm1::AboutOptionClick()
{
    about_box_->exec();
}

void TMainForm1::View_Readme_file_OptionClick()
{
    Show_Readme_File(services_.Executable_Path, *this);
}

void TMainForm1::SpareMenuClick()
{
    Show_Readme_File(services_.Executable_Path, *this);
}

// However the notice is closed, the recorder starts.
void TMainForm1::Record_Sound_Files_OptionClick()
{
    sound_file_info_box_->exec();
    Start_Sound_Recorder(*this);
}

// The check mark changes only when the entry really changed.
void TMainForm1::Auto_Run_at_Windows_Startup_OptionClick()
{
    if (!Auto_Run_at_Windows_Startup_Option->isChecked()) {
        if (auto_run_.Add_To_Auto_Run())
            Auto_Run_at_Windows_Startup_Option->setChecked(true);
    } else if (auto_run_.Remove_From_Auto_Run()) {
        Auto_Run_at_Windows_Startup_Option->setChecked(false);
    }
}

void TMainForm1::FormActivate()
{
    engine_->Test_Shareability();
}

void TMainForm1::Process_Messages()
{
    QCoreApplication::processEvents();
}

void TMainForm1::Show_Error_Box(const std::string& text)
{
    Show_Error(text);
}

void TMainForm1::Show_Error(const std::string& text)
{
    QMessageBox::critical(this, "Error", QString::fromStdString(text));
}

void TMainForm1::Show_Information(const std::string& text)
{
    QMessageBox::information(this, "Information", QString::fromStdString(text));
}

bool TMainForm1::Ask_Warning(const std::string& text)
{
    return QMessageBox::warning(this, "Warning", QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

bool TMainForm1::Is_Idle() const
{
    return Say_Time_Now_SpeedButton->isEnabled();
}

void TMainForm1::Set_Idle(bool idle)
{
    Say_Time_Now_SpeedButton->setEnabled(idle);
}

bool TMainForm1::Shareable_Sound() const
{
    return Share_Sound_Crd_CheckBox->isChecked();
}

void TMainForm1::Set_Shareable_Sound(bool shareable)
{
    Share_Sound_Crd_CheckBox->setChecked(shareable);
}
