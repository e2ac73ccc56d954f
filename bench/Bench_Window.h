#pragma once
// The clock's five windows for the benchmark programs, on silent sound
// players, with an empty temporary program directory (so no settings file and
// no sound file of the developer's is read or written).
#include <functional>
#include <memory>

#include <QTemporaryDir>
#include <QTimer>

#include "qt/Clock_Windows.h"
#include "qt/Qt_Handle_Watcher.h"
#include "qt/Qt_Clock_Source.h"
#include "settings/Settings_File.h"
#include "system/Second_Timer.h"

// Plays nothing; a play request's sound ends at once and its notice follows.
class TSilent_Player : public SoundPlayer {
public:
    void Open() override { open_ = true; }
    void Close() override { open_ = false; }
    void Play() override
    {
        if (!open_)
            throw EMCIDeviceError("No MCI device open");
        sounding_ = true;
        QTimer::singleShot(0, [this] {
            sounding_ = false;
            if (OnNotify)
                OnNotify();
        });
    }
    bool Is_Open() const override { return open_; }
    bool Is_Sounding() const override { return sounding_; }

private:
    bool open_ = false;
    bool sounding_ = false;
};

struct TBench_Windows {
    QTemporaryDir program_dir;
    // Outlives the window's second timer.
    TQt_Handle_Watcher watcher;
    std::unique_ptr<TClock_Windows> windows;
    TMainForm1* form = nullptr;  // the main window of `windows`
};

inline std::unique_ptr<TBench_Windows> Create_Clock_Windows(
    std::shared_ptr<const TClock_Source> clock,
    std::function<std::shared_ptr<SoundPlayer>(int)> make_player = [](int) {
        return std::make_shared<TSilent_Player>();
    })
{
    auto windows = std::make_unique<TBench_Windows>();
    TMain_Form_Services services;
    services.Clock = std::move(clock);
    // Every bench clock reads the system's time, so the tick runs as in the program.
    services.Make_Second_Timer = [&watcher = windows->watcher](std::function<void()> on_wake) {
        return Make_System_Second_Timer(watcher, std::move(on_wake));
    };
    services.Make_Sound_Player = std::move(make_player);
    services.Random = std::make_shared<TSeeded_Random>();
    services.Program_Directory = windows->program_dir.path().toStdString() + "/";
    services.Settings_Path = Settings_File_Path(services.Program_Directory);
    // The log-on entry is looked for where none can be.
    services.Executable_Path = services.Program_Directory + "horavox";
    services.Auto_Run_Key = {services.Program_Directory, "autostart"};
    services.Version = "bench";
    windows->windows = std::make_unique<TClock_Windows>(services);
    windows->form = &windows->windows->form;
    return windows;
}
