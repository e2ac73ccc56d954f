#include "Main_Window_Fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <QApplication>
#include <QTimer>

#include "settings/Settings_File.h"

TMain_Window_Test::TMain_Window_Test() : saved_path_(std::getenv("PATH") ? std::getenv("PATH") : "")
{
    setenv("PATH", bin.Path().c_str(), 1);
    Create_Windows();
}

TMain_Window_Test::~TMain_Window_Test()
{
    setenv("PATH", saved_path_.c_str(), 1);
}

void TMain_Window_Test::Create_Windows()
{
    windows.reset();

    TMain_Form_Services services;
    services.Clock = clock;
    services.Make_Second_Timer = make_second_timer;
    services.Make_Sound_Player = [this](int number) -> std::shared_ptr<SoundPlayer> {
        // The fakes belong to the test's sound system; the window only borrows them.
        SoundPlayer& player = number == TMain_Form_Services::Probe_Player_Number
                                  ? static_cast<SoundPlayer&>(sound.Probe())
                                  : sound.Slot(number);
        return {std::shared_ptr<void>(), &player};
    };
    services.Prepare_Sound_Device = [this] { ++sound_device_preparations; };
    services.Random = random;
    services.Program_Directory = program_dir.Dir();
    services.Settings_Path = Settings_Path();
    services.Executable_Path = Executable_Path();
    services.Auto_Run_Key = Auto_Run_Key();
    services.Version = "1.0.0";
    services.Menu_Bar_Memory_Path = menu_bar_memory_path;
    services.Wait_For_Fonts = [this] { ++font_waits; };

    windows = std::make_unique<TClock_Windows>(services);
    form = &windows->form;
}

void TMain_Window_Test::Show()
{
    form->show();
    QCoreApplication::processEvents();
}

void TMain_Window_Test::Tick_At(const QTime& time)
{
    clock->Time.setTime(time);
    form->Timer1Timer();
}

std::string TMain_Window_Test::Settings_Path() const
{
    return Settings_File_Path(program_dir.Dir());
}

std::string TMain_Window_Test::Read_Settings_File() const
{
    std::ifstream file(Settings_Path(), std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

std::vector<std::string> TMain_Window_Test::Opened_Slot_Files()
{
    std::vector<std::string> names;
    for (int number = 1; number <= 7; ++number) {
        TFake_Sound_Player& slot = sound.Slot(number);
        if (slot.Is_Open())
            names.push_back(std::filesystem::path(slot.FileName).filename().string());
    }
    return names;
}

void When_Modal_Opens(std::function<void(QWidget*)> answer)
{
    QTimer::singleShot(0, [answer] { answer(QApplication::activeModalWidget()); });
}
