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
#include "qt/Display_Text.h"
#include "qt/Glyphs.h"
#include "clock/Schedule.h"
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
    Say_Time_Now_SpeedButton->setGeometry(192, 12, 25, 27);
    Say_Time_Now_SpeedButton->setIcon(Speaker_Glyph());
    Say_Time_Now_SpeedButton->setToolTip(TClock_Face::Hint);
    Say_Time_Now_SpeedButton->setEnabled(false);
    Say_Time_Now_SpeedButton->hide();
    connect(Say_Time_Now_SpeedButton, &QToolButton::clicked, this, &TMainForm1::Say_Time_Now_SpeedButtonClick);

    Time_Label = new TClock_Face(client);
    Time_Label->On_Mouse_Down = [this](Qt::MouseButton button) { Time_LabelMouseDown(button); };

    Scaling_ListBox = new QListWidget(client);
    Scaling_ListBox->setObjectName("Scaling_ListBox");
    Scaling_ListBox->setGeometry(324, 0, 37, 29);
    Scaling_ListBox->hide();

    Share_Sound_Crd_CheckBox = new QCheckBox("Shareable Sound", client);
    Share_Sound_Crd_CheckBox->setObjectName("Share_Sound_Crd_CheckBox");
    Share_Sound_Crd_CheckBox->setGeometry(12, 54, 153, 17);
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
    Arm_Timer1(Decide_Tick(std::nullopt, services_.Clock->Now().toMSecsSinceEpoch()));
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
    const Tick_Decision decision = Decide_Tick(last_tick_msecs_, services_.Clock->Now().toMSecsSinceEpoch());
    // Re-armed first, so that an error raised inside the tick leaves the clock ticking.
    Arm_Timer1(decision);
    if (decision.handle)
        Timer1Timer();
}

void TMainForm1::Timer1Timer()
{
    const QDateTime now = services_.Clock->Now();
    last_tick_msecs_ = now.toMSecsSinceEpoch();
    const QTime time = now.time();
    Tick_Time = {static_cast<std::uint16_t>(time.hour()), static_cast<std::uint16_t>(time.minute()),
                 static_cast<std::uint16_t>(time.second()), static_cast<std::uint16_t>(time.msec())};

    if (Clock_Format_Of(settings_) == ClockFormat::TwelveHour)
        Time_Label->setText(Format_12_Hour_Time(Tick_Time.Hour, Tick_Time.Minute, Tick_Time.Second));
    else
        Time_Label->setText(Format_24_Hour_Time(Tick_Time.Hour, Tick_Time.Minute, Tick_Time.Second));
    Set_Task_Bar_Text(Time_Label->text());

    if (std::exchange(say_at_first_tick_, false))
        Say_Time_Now_SpeedButtonClick();
    else if (Is_Idle() && Automatic_Announcement_Due(settings_, Tick_Time.Hour, Tick_Time.Minute, Tick_Time.Second))
        engine_->Say_Time(Tick_Time.Hour, Tick_Time.Minute);
    else if (services_.Prepare_Sound_Device &&
             Automatic_Announcement_Due_Next_Second(settings_, Tick_Time.Hour, Tick_Time.Minute, Tick_Time.Second))
        services_.Prepare_Sound_Device();

    SpareMenu->setVisible(true);
    SpareMenu->setText(Date_Item_Text(now.date()));
    Process_Messages();
}

// The task bar shows the window's title: the ticking time, to which the
// platform adds the application's name and version.
void TMainForm1::Set_Task_Bar_Text(const QString& text)
{
    setWindowTitle(text);
}

void TMainForm1::Time_LabelMouseDown(Qt::MouseButton button)
{
    if (button == Qt::RightButton || button == Qt::MiddleButton)
        Show_Settings_FormClick();
    else if (button == Qt::LeftButton && Time_Label->text() != TClock_Face::Design_Caption)
        Say_Time_Now_SpeedButtonClick();
}

void TMainForm1::Say_Time_Now_SpeedButtonClick()
{
    engine_->Say_Time(Tick_Time.Hour, Tick_Time.Minute);
}

void TMainForm1::Say_Time_On_Request()
{
    if (Time_Label->text() == TClock_Face::Design_Caption)
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
