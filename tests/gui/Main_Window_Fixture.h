#pragma once
#include <functional>
#include <memory>
#include <string>

#include <QDateTime>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "qt/Clock_Windows.h"
#include "qt/Qt_Clock_Source.h"
#include "system/Run_Values.h"
#include "support/Fake_Sound_Player.h"
#include "support/Temp_Dir.h"

// A clock the test sets.
class TFake_Clock : public TClock_Source {
public:
    TClock_Reading Now() const override { return Clock_Reading_Of(Time); }

    QDateTime Time{QDate(2026, 12, 7), QTime(13, 45, 7)};
};

// The program's five windows on fakes: a temporary program directory holding
// the settings file, a fake clock and fake sound players.
class TMain_Window_Test : public ::testing::Test {
protected:
    TMain_Window_Test();
    ~TMain_Window_Test() override;

    // Creates the windows in the program's order; Show() then starts the clock.
    void Create_Windows();
    void Show();
    // The clock reads `time` (today) and one tick runs.
    void Tick_At(const QTime& time);
    std::string Settings_Path() const;
    std::string Read_Settings_File() const;
    // Sound files that were opened in the slots (not by the probe), by bare name.
    std::vector<std::string> Opened_Slot_Files();

    TTemp_Dir program_dir;
    TFake_Sound_System sound;
    // How often the window asked for the sound device to be opened ahead of a sound.
    int sound_device_preparations = 0;
    std::shared_ptr<TFake_Clock> clock = std::make_shared<TFake_Clock>();
    // Empty: the window ticks on its Qt timer. Set it before Create_Windows().
    std::function<std::unique_ptr<TSecond_Timer>(std::function<void()>)> make_second_timer;
    std::shared_ptr<TSeeded_Random> random = std::make_shared<TSeeded_Random>();
    // Where the window remembers its menu bar's height; empty: nowhere. Set it before Create_Windows().
    std::string menu_bar_memory_path;
    // How often the window waited for the fonts before measuring text.
    int font_waits = 0;
    // The executable as the window sees it, and its log-on list, both in
    // temporary directories.
    std::string Executable_Path() const { return program_dir.Dir() + "horavox"; }
    TRun_Key Auto_Run_Key() const { return {"", config_home.Dir() + "autostart"}; }
    TTemp_Dir config_home;
    // The only folder on PATH while the test runs, so that no command starts
    // a real program; tests put stand-ins there.
    TTemp_Dir bin;
    std::unique_ptr<TClock_Windows> windows;
    TMainForm1* form = nullptr;  // the main window of `windows`

private:
    std::string saved_path_;
};

// Runs `answer` on the modal dialog or message box that the next nested event
// loop shows (nullptr when none is open by then).
void When_Modal_Opens(std::function<void(QWidget*)> answer);
